// Arbitrary bytes as a BMP file, through the whole path a picture takes: the stream, the plug-in
// found by its name in the game folder, the surface, and the conversion into an 8-bit and into the
// desktop's 32-bit format.

#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "lib/VXGSprite.h"

namespace {

// Pictures claiming more pixels than this would only measure the memory of the machine.
constexpr std::uint64_t LargestPicture = 1u << 22;

std::uint64_t ClaimedPixels(const std::uint8_t* data, std::size_t size) {
  if (size < 26) return 0;
  std::uint32_t header = 0;
  std::memcpy(&header, data + 14, 4);
  if (header == 12)
    return static_cast<std::uint64_t>(data[18] | data[19] << 8) * static_cast<std::uint64_t>(data[20] | data[21] << 8);
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::memcpy(&width, data + 18, 4);
  std::memcpy(&height, data + 22, 4);
  return static_cast<std::uint64_t>(width < 0 ? -std::int64_t{width} : width) *
         static_cast<std::uint64_t>(height < 0 ? -std::int64_t{height} : height);
}

struct Display {
  Display() { graphics.SetCooperativeLevel(&window, TVXGCooperativeMode::Normal, false); }
  platform::Window window{"fuzz", RECT{0, 0, 64, 48}, platform::Window::Display::Hidden};
  TVXGGraphics graphics{GUID{}};
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return chdir(GAME_DIR); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (ClaimedPixels(data, size) > LargestPicture) return -1;
  static Display display;
  for (const TVXGPixelFormat format : {TVXGPixelFormat::Pal_8, TVXGPixelFormat::NoPixelFormat}) {
    TMemoryStream stream({data, data + size});
    try {
      auto sprite = TVXGSprite::CreateFromStreamConvert(display.graphics, stream, "bmp", format, false);
      sprite->Pixels(sprite->Width() - 1, sprite->Height() - 1);
    } catch (const Exception&) {
      // A refused picture is an answer, not a failure.
    }
  }
  return 0;
}
