#pragma once
// Writes pictures and sounds under the game's own names ("cdu\ts11.bmp") into the data folder.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Canvas.h"
#include "IndexedImage.h"
#include "Quantizer.h"

namespace artwork {

class DataWriter {
 public:
  explicit DataWriter(std::filesystem::path root);

  // A picture drawn with a colour key: transparent pixels become 170, and its bottom-left pixel
  // must be transparent.
  IndexedImage Keyed(const Canvas& canvas, int dither = 0);
  // A keyed picture whose shape must lie wholly inside it: a touched border means a clipped drawing.
  IndexedImage Sprite(const Canvas& canvas, const std::string& what);
  // A picture drawn opaque: every pixel must be covered.
  IndexedImage Opaque(const Canvas& canvas, int dither = 0);

  void Picture(const std::string& game_name, const IndexedImage& image);
  void Sound(const std::string& game_name, const std::vector<std::int16_t>& samples);

  int pictures_written() const { return pictures_; }
  int sounds_written() const { return sounds_; }

 private:
  void Write(const std::string& game_name, const std::vector<std::uint8_t>& bytes);

  std::filesystem::path root_;
  Quantizer quantizer_;
  int pictures_ = 0;
  int sounds_ = 0;
};

}  // namespace artwork
