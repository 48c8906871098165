#pragma once
// Hand-made BMP files for tests: every header form, colour table and row layout the decoder meets.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace bmp_test {

struct Rgb {
  std::uint8_t red, green, blue;
};

struct BmpFile {
  std::uint32_t headerSize = 40;  // 12 for the core form; 108 and 124 for the later ones
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bitCount = 8;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::vector<Rgb> colors;                     // the colour table as written
  std::vector<std::uint8_t> gap;               // bytes between the table and the rows
  std::vector<std::vector<std::uint8_t>> rows;  // the picture's rows from the top, pixel bytes only
  std::uint8_t filler = 0xEE;                  // what pads rows to four bytes

  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> out{'B', 'M'};
    auto put = [&out](std::uint64_t value, int bytes) {
      for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    put(0, 4);   // file size: not consulted
    put(0, 4);   // reserved
    put(0, 4);   // pixel data offset: not consulted
    put(headerSize, 4);
    if (headerSize == 12) {
      put(static_cast<std::uint16_t>(width), 2);
      put(static_cast<std::uint16_t>(height), 2);
      put(1, 2);
      put(bitCount, 2);
    } else {
      put(static_cast<std::uint32_t>(width), 4);
      put(static_cast<std::uint32_t>(height), 4);
      put(1, 2);
      put(bitCount, 2);
      put(compression, 4);
      put(0, 4);
      put(2835, 4);
      put(2835, 4);
      put(colorsUsed, 4);
      put(0, 4);
      for (std::uint32_t i = 40; i < headerSize; ++i) out.push_back(0x77);
    }
    for (const Rgb& c : colors) {
      out.insert(out.end(), {c.blue, c.green, c.red});
      if (headerSize != 12) out.push_back(0x99);
    }
    out.insert(out.end(), gap.begin(), gap.end());
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
      out.insert(out.end(), row->begin(), row->end());
      while (out.size() % 4 != (14 + headerSize + colors.size() * (headerSize == 12 ? 3 : 4) + gap.size()) % 4)
        out.push_back(filler);
    }
    return out;
  }

  void Write(const std::filesystem::path& path) const {
    const auto bytes = Bytes();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
  }
};

// An 8-bit picture whose colour i is (i, 255 - i, i / 2), rows from the top.
inline BmpFile Indexed(std::vector<std::vector<std::uint8_t>> rows) {
  BmpFile file;
  file.width = static_cast<std::int32_t>(rows.at(0).size());
  file.height = static_cast<std::int32_t>(rows.size());
  for (int i = 0; i < 256; ++i)
    file.colors.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i / 2)});
  file.rows = std::move(rows);
  return file;
}

}  // namespace bmp_test
