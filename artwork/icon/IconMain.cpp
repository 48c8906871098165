// Writes the game's desktop icon in the sizes a desktop looks for, as
// <folder>/<size>x<size>/veltranzik.png.

#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "Icon.h"

namespace {

constexpr int kSizes[] = {48, 128, 256};

void WriteIcon(const std::filesystem::path& folder, int size) {
  const std::string side = std::to_string(size);
  const std::filesystem::path directory = folder / (side + "x" + side);
  std::filesystem::create_directories(directory);
  const std::filesystem::path png = directory / "veltranzik.png";
  const artwork::Canvas icon = artwork::DrawIcon(size);
  if (cairo_surface_write_to_png(icon.surface(), png.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + png.string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " <icon folder>\n";
    return 2;
  }
  try {
    for (const int size : kSizes) WriteIcon(argv[1], size);
  } catch (const std::exception& e) {
    std::cerr << "icon: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
