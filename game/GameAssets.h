#pragma once
// Everything the game loads once and keeps for the whole run: the graphics device with its
// primary surface and back buffer, every picture, the surfaces it renders text into, the sound
// device and every sound. Declared so that what depends on another object goes before it.

#include <array>
#include <memory>

#include "game/rules/GameState.h"
#include "game/rules/Magazine.h"
#include "game/rules/Targets.h"
#include "lib/VXGPrimary.h"
#include "lib/VXGSprite.h"
#include "lib/sound/VXGSound.h"

using FileSprite = std::unique_ptr<TVXGFileSprite>;
using SoundSample = std::unique_ptr<TVXGSoundFileSample>;

// Whether a point of a target's picture, in the picture's own coordinates, shows something that a
// shot hits: strictly inside its box and not of its transparent colour.
bool Shows(TVXGSurface& Picture, std::int32_t X, std::int32_t Y);

inline constexpr int StorkKinds = 3;
inline constexpr int NumberPictures = 12;  // digits, colon, minus
inline constexpr int AimMarkPictures = 3;
inline constexpr int AmbientSounds = 15;
inline constexpr int FigureUpCopies = 2;

// Index 0 flies (or faces) right, 1 left.
template <class Item>
using BothWays = std::array<Item, 2>;

struct GameAssets {
  std::unique_ptr<TVXGGraphics> Graphics;
  std::unique_ptr<TVXGPrimary> Primary;
  std::unique_ptr<TVXGBackBuffer> BackBuffer;

  FileSprite TitlePicture;
  FileSprite PaletteSource;
  std::array<std::array<BothWays<FileSprite>, StorkFrames>, StorkKinds> Storks;           // [kind - 1][frame]
  std::array<std::array<BothWays<FileSprite>, FallingFrames>, StorkKinds> FallingStorks;  // [kind - 1][frame - 1]
  std::array<FileSprite, RisingFigureFrames> RisingFigure;                                // [picture - 1]
  std::array<FileSprite, IdleFigureFrames> IdleFigure;
  std::array<FileSprite, HitFigureFrames> HitFigure;
  BothWays<FileSprite> Plane;
  std::array<BothWays<FileSprite>, BannerFrames> Banners;                            // [picture - 1]
  std::array<std::array<FileSprite, MostSceneryItems>, SceneryGroups> Scenery;       // [group - 1][item - 1]
  std::array<std::array<FileSprite, MostSceneryItems>, SceneryGroups> SceneryMasks;  // [group - 1][item - 1]
  std::array<FileSprite, NumberPictures> Numbers;
  FileSprite Cartridge;
  std::array<FileSprite, EjectionFrames> CartridgeEjection;  // [picture - 1]
  FileSprite Crosshair;
  std::array<FileSprite, AimMarkPictures> AimMarks;
  FileSprite HighScoreTitle;
  FileSprite ReadyPrompt;
  FileSprite WaitingPicture;

  std::unique_ptr<TVXGSprite> PromoStrip;
  std::unique_ptr<TVXGSprite> PromptLine;
  std::unique_ptr<TVXGSprite> HighScoreScratch;
  std::unique_ptr<TVXGSprite> ResultScratch;

  std::unique_ptr<TVXGSound> Sound;
  std::array<SoundSample, ShotCopies> Shots;
  std::array<SoundSample, AmbientSounds> Ambient;
  SoundSample Reload;
  std::array<SoundSample, FigureUpCopies> FigureUp;
  SoundSample Fanfare;
  SoundSample Explosion;
  SoundSample FigureHit;
  SoundSample Countdown;
  SoundSample LastSecond;
  SoundSample OpponentHit;
};

// The picture a flying stork of kind 1 to 3 shows now; null for a frame without one.
TVXGFileSprite* FlyingPicture(const GameAssets& Assets, const TargetRecord& Stork);
// The picture a ground figure shows now, rising, idle or hit; null when it shows none.
TVXGFileSprite* GroundFigurePicture(const GameAssets& Assets, const GroundFigureRecord& Figure);
