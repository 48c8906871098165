// Writes the contact sheet of every picture and a composed sample frame, for a person to judge.

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "ContactSheet.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: " << argv[0] << " <game data folder> <output folder> [name filter] [scale]\n";
    return 2;
  }
  try {
    const std::filesystem::path data = argv[1], output = argv[2];
    const std::string filter = argc > 3 ? argv[3] : "";
    const int scale = argc > 4 ? std::max(1, std::atoi(argv[4])) : 1;
    const auto pictures = artwork::sheet::LoadAllPictures(data);
    const auto sheet = output / (filter.empty() ? "artwork-sheet.png" : "artwork-sheet-part.png");
    artwork::sheet::WriteContactSheet(pictures, filter, scale, sheet);
    std::cout << sheet.string() << '\n';
    if (filter.empty()) {
      artwork::sheet::WriteSampleFrame(data, output / "artwork-frame.png");
      std::cout << (output / "artwork-frame.png").string() << '\n';
    }
  } catch (const std::exception& e) {
    std::cerr << "contact-sheet: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
