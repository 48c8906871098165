#include "DataWriter.h"

#include <fstream>
#include <stdexcept>

#include "BmpFile.h"
#include "WavFile.h"

namespace artwork {

DataWriter::DataWriter(std::filesystem::path root) : root_(std::move(root)), quantizer_(GamePalette()) {}

IndexedImage DataWriter::Keyed(const Canvas& canvas, int dither) {
  IndexedImage image = quantizer_.Quantize(canvas.surface(), {dither, true});
  if (image.at(0, image.height - 1) != kTransparent)
    throw std::logic_error("a keyed picture needs a transparent bottom-left pixel");
  return image;
}

IndexedImage DataWriter::Sprite(const Canvas& canvas, const std::string& what) {
  IndexedImage image = Keyed(canvas);
  for (int x = 0; x < image.width; ++x)
    for (int y = 0; y < image.height; ++y) {
      const bool border = x == 0 || y == 0 || x == image.width - 1 || y == image.height - 1;
      if (border && image.at(x, y) != kTransparent)
        throw std::logic_error(what + " reaches the edge of its picture at (" + std::to_string(x) + ", " +
                               std::to_string(y) + ")");
    }
  return image;
}

IndexedImage DataWriter::Opaque(const Canvas& canvas, int dither) {
  return quantizer_.Quantize(canvas.surface(), {dither, false});
}

void DataWriter::Picture(const std::string& game_name, const IndexedImage& image) {
  Write(game_name, EncodeBmp(image, GamePalette()));
  ++pictures_;
}

void DataWriter::Sound(const std::string& game_name, const std::vector<std::int16_t>& samples) {
  Write(game_name, EncodeWav(samples));
  ++sounds_;
}

void DataWriter::Write(const std::string& game_name, const std::vector<std::uint8_t>& bytes) {
  std::string relative = game_name;
  for (char& c : relative)
    if (c == '\\') c = '/';
  const std::filesystem::path path = root_ / relative;
  std::filesystem::create_directories(path.parent_path());
  // Written beside and renamed, so that a reader never sees half a file.
  const std::filesystem::path temporary = path.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + temporary.string());
  }
  std::filesystem::rename(temporary, path);
}

}  // namespace artwork
