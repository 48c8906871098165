// The display set-up and the loading of every picture and sound, with the title picture on screen
// while the rest loads.

#include "Haupt.h"
#include "TextFont.h"
#include "game/rules/ScreenSize.h"
#include "lib/VXGCanvas.h"
#include "lib/VXGDisplayDrivers.h"
#include "lib/VXGPalette.h"

namespace {

const std::string PromoText =
    "Veltranzik f\xFCr Linux \x96 neunzig Sekunden, acht Patronen und ein Himmel voller St\xF6rche!";
const std::string PromptText = "Noch ein Spiel mit Eingabetaste - Ende mit Esc";
constexpr TColor ShadowGrey = RGBColor(34, 34, 34);

FileSprite LoadPicture(TVXGGraphics& Graphics, const std::string& FileName) {
  return TVXGFileSprite::CreateFromFileConvert(Graphics, FileName, TVXGPixelFormat::NoPixelFormat, false);
}

std::unique_ptr<TVXGSprite> ClearSprite(TVXGGraphics& Graphics, std::int32_t Width, std::int32_t Height) {
  return TVXGSprite::CreateClear(Graphics, Width, Height, TVXGPixelFormat::NoPixelFormat);
}

void WriteStrip(TVXGSprite& Strip, std::int32_t FontSize, std::int32_t X, std::int32_t Y, TColor Color,
                const std::string& Text) {
  Strip.ColorFill(nullptr, 0);
  TVXGCanvas canvas(&Strip);
  UseTextFont(canvas, FontSize);
  canvas.ShadowText(X, Y, Color, ShadowGrey, Text);
}

}  // namespace

// The first display driver's device: the primary display.
void TForm1::CreateGraphicsDevice() {
  TVXGDisplayDriver driver;
  DisplayDrivers().GetDriver(0, driver);
  Assets.Graphics = std::make_unique<TVXGGraphics>(driver.Guid);
}

void TForm1::PrepareDisplay() {
  CreateGraphicsDevice();
  SetBounds(0, 0, ScreenWidth, ScreenHeight);
  SetCursor(TCursor::None);
}

void TForm1::LoadAssets() {
  Round.RoundSeconds = 90;
  Targets.SpawnThreshold = 0.86;
  Targets.Scenery = GameSceneryLayout();

  TVXGGraphics& graphics = *Assets.Graphics;
  graphics.SetCooperativeLevel(Handle(), TVXGCooperativeMode::Normal, false);
  if (vollbild->Checked()) {
    graphics.SetCooperativeLevel(Handle(), TVXGCooperativeMode::Exclusive, false);
    graphics.SetDisplayMode(ScreenWidth, ScreenHeight, 8);
  }
  Assets.Primary = std::make_unique<TVXGPrimary>(graphics, true);
  Assets.BackBuffer = std::make_unique<TVXGBackBuffer>(*Assets.Primary);

  Assets.TitlePicture = LoadPicture(graphics, TitlePictureName);
  ShowTitlePicture();
  Assets.PaletteSource = LoadPicture(graphics, PaletteSourceName);
  if (vollbild->Checked()) SetGamePalette();

  LoadPictures(GamePictures(Assets, Targets.Scenery));
  RenderTextStrips();
  LoadPictures(SightPictures(Assets));
  Assets.Sound = std::make_unique<TVXGSound>(GUID{});
  Assets.Sound->SetCooperativeLevel(Handle(), TVXGSoundCooperativeLevel::Exclusive);
  LoadSounds();
  LoadPictures(ScreenPictures(Assets));
}

void TForm1::LoadPictures(const std::vector<PictureLoad>& Plan) {
  for (const PictureLoad& load : Plan) {
    *load.Slot = LoadPicture(*Assets.Graphics, load.FileName);
    if (load.DropPalette) (*load.Slot)->SetPalette(nullptr);
  }
}

void TForm1::LoadSounds() {
  for (const SoundLoad& load : GameSounds(Assets)) {
    TVXGSoundBufferFlags flags;
    if (load.VolumeControl) flags = {TVXGSoundBufferFlag::CtrlVolume};
    *load.Slot = std::make_unique<TVXGSoundFileSample>(*Assets.Sound, load.FileName, flags);
    if (load.Volume) (*load.Slot)->SetVol(*load.Volume);
  }
}

void TForm1::RenderTextStrips() {
  TVXGGraphics& graphics = *Assets.Graphics;
  Assets.HighScoreScratch = ClearSprite(graphics, 400, 80);
  Assets.PromoStrip = ClearSprite(graphics, 500, 40);
  Assets.PromptLine = ClearSprite(graphics, 500, 80);
  Assets.ResultScratch = ClearSprite(graphics, 600, 200);
  WriteStrip(*Assets.PromoStrip, 10, 0, 16, RGBColor(255, 255, 0), PromoText);
  WriteStrip(*Assets.PromptLine, 12, 1, 1, clWhite, PromptText);
}

void TForm1::ShowTitlePicture() {
  Program.TitlePictureShowing = true;
  Assets.BackBuffer->Draw(0, 0, *Assets.TitlePicture, nullptr, false);
  Assets.BackBuffer->Flip();
}

void TForm1::SetGamePalette() { Assets.Primary->Palette().Assign(Assets.PaletteSource->Palette()); }
