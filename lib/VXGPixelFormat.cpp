#include "VXGPixelFormat.h"

const std::array<const char*, PixelFormatCount> PixelFormatNames{
    "NoPixelFormat", "Pal_8",     "A_8",       "RGB_332", "BGR_233", "RGBA_4444", "BGRA_4444", "RGB_555",  "BGR_555",
    "RGBA_5551",     "BGRA_5551", "RGB_565",   "BGR_565", "RGB_888", "BGR_888",   "RGBA_8888", "BGRA_8888"};

const std::array<std::uint32_t, PixelFormatCount> PixelFormatBits{0,  8,  8,  8,  8,  16, 16, 16, 16,
                                                                  16, 16, 16, 16, 24, 24, 32, 32};

const std::array<TVXGPixelMasks, PixelFormatCount> PixelFormatMasks{{
    {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF},  // NoPixelFormat
    {0, 0, 0, 0},                                      // Pal_8
    {0, 0, 0, 0x000000FF},                             // A_8
    {0x00000007, 0x00000038, 0x000000C0, 0},           // RGB_332
    {0x000000E0, 0x0000001C, 0x00000003, 0},           // BGR_233
    {0x0000000F, 0x000000F0, 0x00000F00, 0x0000F000},  // RGBA_4444
    {0x00000F00, 0x000000F0, 0x0000000F, 0x0000F000},  // BGRA_4444
    {0x0000001F, 0x000003E0, 0x00007C00, 0},           // RGB_555
    {0x00007C00, 0x000003E0, 0x0000001F, 0},           // BGR_555
    {0x0000001F, 0x000003E0, 0x00007C00, 0x00008000},  // RGBA_5551
    {0x00007C00, 0x000003E0, 0x0000001F, 0x00008000},  // BGRA_5551
    {0x0000001F, 0x000007E0, 0x0000F800, 0},           // RGB_565
    {0x0000F800, 0x000007E0, 0x0000001F, 0},           // BGR_565
    {0x000000FF, 0x0000FF00, 0x00FF0000, 0},           // RGB_888
    {0x00FF0000, 0x0000FF00, 0x000000FF, 0},           // BGR_888
    {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000},  // RGBA_8888
    {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},  // BGRA_8888
}};

TVXGPixelFormat PixelFormatFromMasks(std::uint32_t Red, std::uint32_t Green, std::uint32_t Blue, std::uint32_t Alpha) {
  for (std::size_t i = 0; i < PixelFormatCount; ++i) {
    const TVXGPixelMasks& m = PixelFormatMasks[i];
    if (m.Red == Red && m.Green == Green && m.Blue == Blue && m.Alpha == Alpha) return static_cast<TVXGPixelFormat>(i);
  }
  return TVXGPixelFormat::NoPixelFormat;
}
