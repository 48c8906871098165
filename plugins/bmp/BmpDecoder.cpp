#include "BmpDecoder.h"

#include <array>
#include <cstring>
#include <limits>

#include "lib/VXGPalette.h"
#include "lib/VXGPixels.h"

namespace {

constexpr std::int32_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t LargestColorTable = 256;

// The information header in its 40-byte form; the core form fills only size, sizes and bits.
struct InfoHeader {
  std::uint32_t size = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;

  bool Core() const { return size == CoreHeaderSize; }
};

std::uint16_t U16(const std::uint8_t* bytes) { return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8); }
std::uint32_t U32(const std::uint8_t* bytes) {
  return bytes[0] | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
}

InfoHeader ReadHeaders(TStream& stream) {
  std::uint8_t fileHeader[FileHeaderSize];
  stream.ReadBuffer(fileHeader, FileHeaderSize);
  if (fileHeader[0] != 'B' || fileHeader[1] != 'M') throw EVXGPluginBMP("Unknown Type");

  std::uint8_t bytes[36];
  stream.ReadBuffer(bytes, 4);
  InfoHeader header;
  header.size = U32(bytes);
  if (header.Core()) {
    stream.ReadBuffer(bytes, 8);
    header.width = U16(bytes);
    header.height = U16(bytes + 2);
    header.bitCount = U16(bytes + 6);
  } else {
    stream.ReadBuffer(bytes, 36);
    header.width = static_cast<std::int32_t>(U32(bytes));
    header.height = static_cast<std::int32_t>(U32(bytes + 4));
    header.bitCount = U16(bytes + 10);
    header.compression = U32(bytes + 12);
    header.colorsUsed = U32(bytes + 28);
  }
  return header;
}

TVXGPixelFormat FormatOf(const InfoHeader& header) {
  switch (header.bitCount) {
    case 8:
      return TVXGPixelFormat::Pal_8;
    case 16:
      return TVXGPixelFormat::BGR_555;
    case 24:
      return TVXGPixelFormat::BGR_888;
    case 32:
      return TVXGPixelFormat::BGRA_8888;
    default:
      throw EVXGPluginBMP("Invalid ColorDepth (" + std::to_string(header.bitCount) + "), must be 8, 16, 24 or 32 Bits");
  }
}

// Top-down files (negative height), empty pictures and rows too long to count are refused before
// anything is made.
void CheckSize(const InfoHeader& header) {
  const std::int64_t rowLength = std::int64_t{header.width} * (header.bitCount / 8);
  if (header.width <= 0 || header.height <= 0 || rowLength > std::numeric_limits<std::int32_t>::max())
    throw EVXGPluginBMP("Invalid Size (" + std::to_string(header.width) + " x " + std::to_string(header.height) + ")");
}

// The colour table: at most 256 entries are read; a longer table is skipped, since the rows follow it.
void ReadColorTable(TStream& stream, const InfoHeader& header, TVXGSurface& surface) {
  const std::uint32_t entries = header.colorsUsed == 0 ? LargestColorTable : header.colorsUsed;
  const std::uint32_t count = std::min(entries, LargestColorTable);
  const std::int32_t entrySize = header.Core() ? 3 : 4;
  std::array<std::uint8_t, LargestColorTable * 4> bytes;
  stream.ReadBuffer(bytes.data(), static_cast<std::int32_t>(count) * entrySize);
  std::array<PALETTEENTRY, LargestColorTable> palette{};
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = &bytes[i * entrySize];
    palette[i] = {entry[2], entry[1], entry[0], 0};
  }
  surface.Palette().SetEntries(0, static_cast<std::int32_t>(count), palette.data());
  if (entries > count) stream.Seek(std::int64_t{entries - count} * entrySize, TSeekOrigin::Current);
}

// Bottom-up rows, one read and one seek each, straight into the locked surface. A file that ends
// early leaves the rows it does not have as they were.
void ReadRows(TStream& stream, const InfoHeader& header, TVXGSurface& surface) {
  const std::int32_t rowLength = header.width * (header.bitCount / 8);
  const std::int32_t filler = ((rowLength + 3) & ~3) - rowLength;
  TVXGPixels lock(surface, nullptr, TVXGLockType::WriteOnly);
  std::uint8_t* row =
      static_cast<std::uint8_t*>(lock.Bits()) + static_cast<std::ptrdiff_t>(lock.Pitch()) * header.height;
  for (std::int32_t y = 0; y < header.height; ++y) {
    row -= lock.Pitch();
    stream.Read(row, rowLength);
    if (filler) stream.Seek(filler, TSeekOrigin::Current);
  }
}

}  // namespace

void LoadBmp(TStream& Stream, TVXGSurface& Surface) {
  const InfoHeader header = ReadHeaders(Stream);
  if (header.compression != 0) throw EVXGPluginBMP("Compressed");
  const TVXGPixelFormat format = FormatOf(header);
  CheckSize(header);
  Stream.Seek(FileHeaderSize + std::int64_t{header.size}, TSeekOrigin::Beginning);
  Surface.CreateSurface(header.width, header.height, format);
  if (header.bitCount == 8) ReadColorTable(Stream, header, Surface);
  ReadRows(Stream, header, Surface);
}
