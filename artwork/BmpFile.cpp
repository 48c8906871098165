#include "BmpFile.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "LittleEndian.h"

namespace artwork {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kColourTableSize = 256 * 4;
constexpr std::uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize + kColourTableSize;

std::uint32_t RowStride(int width) { return (static_cast<std::uint32_t>(width) + 3) & ~3u; }

std::uint32_t Get16(const std::vector<std::uint8_t>& in, size_t at) { return in[at] | (in[at + 1] << 8); }
std::uint32_t Get32(const std::vector<std::uint8_t>& in, size_t at) { return Get16(in, at) | (Get16(in, at + 2) << 16); }

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const IndexedImage& image, const Palette& palette) {
  const std::uint32_t stride = RowStride(image.width);
  const std::uint32_t pixel_bytes = stride * static_cast<std::uint32_t>(image.height);
  std::vector<std::uint8_t> out;
  out.reserve(kPixelOffset + pixel_bytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, kPixelOffset + pixel_bytes);
  Put32(out, 0);
  Put32(out, kPixelOffset);
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(image.width));
  Put32(out, static_cast<std::uint32_t>(image.height));
  Put16(out, 1);   // planes
  Put16(out, 8);   // bits per pixel
  Put32(out, 0);   // no compression
  Put32(out, pixel_bytes);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, 256);  // colours used
  Put32(out, 0);    // all colours important
  for (const Rgb& c : palette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) out.push_back(image.at(x, y));
    for (std::uint32_t pad = static_cast<std::uint32_t>(image.width); pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

BmpPicture DecodeBmp(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < kPixelOffset || bytes[0] != 'B' || bytes[1] != 'M') throw std::runtime_error("not a BMP file");
  if (Get32(bytes, 14) != kInfoHeaderSize || Get16(bytes, 28) != 8 || Get32(bytes, 30) != 0)
    throw std::runtime_error("not an uncompressed 8-bit BMP file with a 40-byte header");
  const auto width = static_cast<int>(Get32(bytes, 18));
  const auto height = static_cast<int>(Get32(bytes, 22));
  if (width <= 0 || height <= 0 || width > 10000 || height > 10000) throw std::runtime_error("bad BMP size");
  const std::uint32_t stride = RowStride(width);
  if (bytes.size() < kPixelOffset + stride * static_cast<std::uint32_t>(height))
    throw std::runtime_error("BMP file too short");
  BmpPicture picture{IndexedImage(width, height, 0), {}};
  for (int i = 0; i < 256; ++i) {
    const size_t at = kFileHeaderSize + kInfoHeaderSize + 4 * static_cast<size_t>(i);
    picture.palette[i] = {bytes[at + 2], bytes[at + 1], bytes[at]};
  }
  for (int y = 0; y < height; ++y) {
    const size_t row = kPixelOffset + static_cast<size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) picture.image.at(x, y) = bytes[row + x];
  }
  return picture;
}

BmpPicture ReadBmpFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path.string());
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  try {
    return DecodeBmp(bytes);
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(path.string() + ": " + e.what());
  }
}

}  // namespace artwork
