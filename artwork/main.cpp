// Draws every picture and synthesises every sound of the game data into the folder given.

#include <chrono>
#include <exception>
#include <iostream>

#include "Artwork.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " <game data folder>\n";
    return 2;
  }
  try {
    const auto start = std::chrono::steady_clock::now();
    artwork::DataWriter out(argv[1]);
    artwork::MakeNumbers(out);
    artwork::MakeCartridges(out);
    artwork::MakeSights(out);
    artwork::MakeStorks(out);
    artwork::MakeGroundFigure(out);
    artwork::MakePlane(out);
    artwork::MakeScenery(out);
    artwork::MakeScreens(out);
    artwork::MakeStartScreen(out);
    artwork::MakeSounds(out);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "artwork: " << out.pictures_written() << " pictures and " << out.sounds_written() << " sounds in "
              << seconds << " s\n";
  } catch (const std::exception& e) {
    std::cerr << "artwork: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
