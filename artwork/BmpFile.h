#pragma once
// Uncompressed 8-bit BMP files: a 14-byte file header, the 40-byte information header, a colour
// table of 256 entries and bottom-up rows padded to four bytes.

#include <filesystem>
#include <vector>

#include "IndexedImage.h"
#include "Palette.h"

namespace artwork {

std::vector<std::uint8_t> EncodeBmp(const IndexedImage& image, const Palette& palette);

struct BmpPicture {
  IndexedImage image;
  Palette palette{};
};

// Reads what EncodeBmp writes; anything else is refused with a clear error.
BmpPicture DecodeBmp(const std::vector<std::uint8_t>& bytes);
BmpPicture ReadBmpFile(const std::filesystem::path& path);

}  // namespace artwork
