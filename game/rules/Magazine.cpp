#include "Magazine.h"

void FillMagazine(MagazineState& Magazine) {
  Magazine.Cartridges = MagazineSize;
  Magazine.IconCount = MagazineSize;
  Magazine.IconStep.fill(0);
  Magazine.IconEjecting.fill(false);
}

bool TakeCartridge(MagazineState& Magazine) {
  if (Magazine.Cartridges < 1) return false;
  Magazine.IconEjecting[static_cast<std::size_t>(Magazine.Cartridges)] = true;
  Magazine.IconStep[static_cast<std::size_t>(Magazine.Cartridges)] = 0;
  Magazine.Cartridges -= 1;
  return true;
}

std::int32_t NextShotSound(MagazineState& Magazine) {
  Magazine.ShotSoundIndex = Magazine.ShotSoundIndex >= ShotCopies ? 1 : Magazine.ShotSoundIndex + 1;
  return Magazine.ShotSoundIndex;
}

void AdvanceCartridgeIcons(MagazineState& Magazine, std::int32_t Phase11) {
  const std::int32_t icons = Magazine.IconCount;
  for (std::int32_t u = 1; u <= icons && u <= MagazineSize; ++u) {
    const auto icon = static_cast<std::size_t>(u);
    if (Magazine.IconStep[icon] >= EjectionFrames) {
      Magazine.IconCount -= 1;
      Magazine.IconEjecting[icon] = false;
      Magazine.IconStep[icon] = 0;
    }
    if (Magazine.IconEjecting[icon] && Phase11 > 1) Magazine.IconStep[icon] += 1;
  }
}
