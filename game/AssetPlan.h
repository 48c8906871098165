#pragma once
// Which files the game loads, in the order it loads them, and where each one goes. The order is
// part of the game: the title picture shows while the rest loads, and a missing file names itself.

#include <optional>
#include <string>
#include <vector>

#include "GameAssets.h"

struct PictureLoad {
  std::string FileName;
  FileSprite* Slot;
  // The picture keeps no palette of its own: it is drawn with the screen's.
  bool DropPalette;
};

struct SoundLoad {
  std::string FileName;
  SoundSample* Slot;
  bool VolumeControl;
  std::optional<std::int32_t> Volume;  // hundredths of a decibel, set at load
};

// The pictures that follow the palette source: storks, ground figures, plane, banners, falling
// storks, scenery with its masks, numbers, cartridges.
std::vector<PictureLoad> GamePictures(GameAssets& Assets, const SceneryLayout& Scenery);
// The crosshair and the other player's three aiming marks.
std::vector<PictureLoad> SightPictures(GameAssets& Assets);
// Every sound, after the sound device.
std::vector<SoundLoad> GameSounds(GameAssets& Assets);
// The high-score title, the ready prompt and the waiting picture, last of all.
std::vector<PictureLoad> ScreenPictures(GameAssets& Assets);

inline const std::string TitlePictureName = "cdu\\bpwb.bmp";
inline const std::string PaletteSourceName = "cdu\\tszs.bmp";
