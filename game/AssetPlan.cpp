#include "AssetPlan.h"

namespace {

const char* const StorkPrefixes[StorkKinds] = {"animf\\s_", "animf\\m_", "animf\\b_"};
const char* const FallingPrefixes[StorkKinds] = {"animf\\fs_", "animf\\fm_", "animf\\fb_"};
const char* const DirectionSuffixes[2] = {".bmp", "r.bmp"};

std::string Decimal(int n) { return std::to_string(n); }

}  // namespace

std::vector<PictureLoad> GamePictures(GameAssets& Assets, const SceneryLayout& Scenery) {
  std::vector<PictureLoad> plan;
  for (int kind = 1; kind <= StorkKinds; ++kind)
    for (int frame = 0; frame < StorkFrames; ++frame)
      for (int way = 0; way < 2; ++way)
        plan.push_back({StorkPrefixes[kind - 1] + Decimal(frame) + DirectionSuffixes[way],
                        &Assets.Storks[kind - 1][frame][way], true});
  for (int n = 1; n <= RisingFigureFrames; ++n)
    plan.push_back({"ani2\\g1_" + Decimal(n) + ".bmp", &Assets.RisingFigure[n - 1], false});
  for (int n = 1; n <= IdleFigureFrames; ++n)
    plan.push_back({"ani2\\g2_" + Decimal(n) + ".bmp", &Assets.IdleFigure[n - 1], false});
  for (int n = 1; n <= HitFigureFrames; ++n)
    plan.push_back({"ani2\\g3_" + Decimal(n) + ".bmp", &Assets.HitFigure[n - 1], false});
  plan.push_back({"ani2\\flieger.bmp", &Assets.Plane[0], false});
  plan.push_back({"ani2\\rflieger.bmp", &Assets.Plane[1], false});
  for (int n = 1; n <= BannerFrames; ++n) {
    plan.push_back({"ani2\\banner" + Decimal(n) + ".bmp", &Assets.Banners[n - 1][0], false});
    plan.push_back({"ani2\\rbanner" + Decimal(n) + ".bmp", &Assets.Banners[n - 1][1], false});
  }
  for (int kind = 1; kind <= StorkKinds; ++kind)
    for (int frame = 1; frame <= FallingFrames; ++frame)
      for (int way = 0; way < 2; ++way)
        plan.push_back({FallingPrefixes[kind - 1] + Decimal(frame) + DirectionSuffixes[way],
                        &Assets.FallingStorks[kind - 1][frame - 1][way], true});
  for (int group = 1; group <= SceneryGroups; ++group)
    for (int item = 1; item <= Scenery.Count[group - 1]; ++item) {
      const std::string name = "ts" + Decimal(group) + Decimal(item) + ".bmp";
      plan.push_back({"cdu\\" + name, &Assets.Scenery[group - 1][item - 1], true});
      plan.push_back({"ps\\" + name, &Assets.SceneryMasks[group - 1][item - 1], true});
    }
  for (int n = 0; n < NumberPictures; ++n) plan.push_back({"cdu\\" + Decimal(n) + ".bmp", &Assets.Numbers[n], true});
  plan.push_back({"cdu\\patron.bmp", &Assets.Cartridge, true});
  for (int n = 1; n <= EjectionFrames; ++n)
    plan.push_back({"cdu\\p_" + Decimal(n) + ".bmp", &Assets.CartridgeEjection[n - 1], true});
  return plan;
}

std::vector<PictureLoad> SightPictures(GameAssets& Assets) {
  std::vector<PictureLoad> plan{{"cdu\\kalib.bmp", &Assets.Crosshair, false}};
  for (int n = 1; n <= AimMarkPictures; ++n)
    plan.push_back({"cdu\\akalib" + Decimal(n) + ".bmp", &Assets.AimMarks[n - 1], false});
  return plan;
}

std::vector<SoundLoad> GameSounds(GameAssets& Assets) {
  std::vector<SoundLoad> plan;
  for (SoundSample& shot : Assets.Shots) plan.push_back({"ps\\s2.wav", &shot, false, std::nullopt});
  for (int n = 1; n <= AmbientSounds; ++n)
    plan.push_back({"ps\\hg" + Decimal(n) + ".wav", &Assets.Ambient[n - 1], true, -700});
  plan.push_back({"ps\\s4.wav", &Assets.Reload, false, std::nullopt});
  for (SoundSample& copy : Assets.FigureUp) plan.push_back({"ps\\s1.wav", &copy, false, std::nullopt});
  plan.push_back({"ps\\fanfar.wav", &Assets.Fanfare, false, std::nullopt});
  plan.push_back({"ps\\expl.wav", &Assets.Explosion, false, std::nullopt});
  plan.push_back({"ps\\duck.wav", &Assets.FigureHit, false, std::nullopt});
  plan.push_back({"ps\\time.wav", &Assets.Countdown, true, std::nullopt});
  plan.push_back({"ps\\null.wav", &Assets.LastSecond, true, std::nullopt});
  plan.push_back({"ps\\s3.wav", &Assets.OpponentHit, true, -400});
  return plan;
}

std::vector<PictureLoad> ScreenPictures(GameAssets& Assets) {
  return {{"cdu\\high.bmp", &Assets.HighScoreTitle, false},
          {"cdu\\weitr.bmp", &Assets.ReadyPrompt, false},
          {"cdu\\wartn.bmp", &Assets.WaitingPicture, false}};
}
