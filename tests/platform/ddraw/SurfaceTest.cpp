// Surface creation, locks, device contexts, colour keys and palettes of the software display.

#include "DisplayFixture.h"

namespace ddraw_test {
namespace {

class SurfaceTest : public DisplayFixture {};

TEST_F(SurfaceTest, RefusesSizesAndFormatsItCannotHave) {
  const DDPIXELFORMAT eight = Formats()[0].pixelFormat;
  const std::vector<std::pair<DWORD, DWORD>> badSizes{{0, 10}, {10, 0}, {16385, 1}, {1, 16385}, {0xFFFFFFFF, 4},
                                                      {4, 0x80000000}};
  for (const auto& [width, height] : badSizes) {
    HRESULT result = DD_OK;
    EXPECT_FALSE(Make(width, height, &eight, &result));
    EXPECT_EQ(result, DDERR_INVALIDPARAMS) << width << " x " << height;
  }
  HRESULT result = DD_OK;
  EXPECT_TRUE(Make(16384, 1, &eight, &result));

  DDPIXELFORMAT oddBits = RgbFormat(DDPF_RGB, 12, 0xF00, 0xF0, 0xF, 0);
  DDPIXELFORMAT maskTooWide = RgbFormat(DDPF_RGB, 16, 0x1F0000, 0x7E0, 0x1F, 0);
  DDPIXELFORMAT wrongSize = eight;
  wrongSize.dwSize = 8;
  for (const DDPIXELFORMAT& format : {oddBits, maskTooWide, wrongSize}) {
    EXPECT_FALSE(Make(4, 4, &format, &result));
    EXPECT_EQ(result, DDERR_INVALIDPIXELFORMAT);
  }

  DDSURFACEDESC shortRecord{};
  shortRecord.dwSize = 100;
  shortRecord.dwFlags = DDSD_WIDTH | DDSD_HEIGHT;
  shortRecord.dwWidth = shortRecord.dwHeight = 4;
  EXPECT_FALSE(Created(shortRecord, &result));
  EXPECT_EQ(result, DDERR_INVALIDPARAMS);
}

TEST_F(SurfaceTest, WithoutAFormatASurfaceTakesTheDisplays) {
  auto surface = Make(5, 3, nullptr);
  DDSURFACEDESC description{};
  description.dwSize = sizeof description;
  ASSERT_EQ(surface->GetSurfaceDesc(&description), DD_OK);
  EXPECT_EQ(description.dwWidth, 5u);
  EXPECT_EQ(description.dwHeight, 3u);
  EXPECT_EQ(description.ddpfPixelFormat.dwRGBBitCount, 32u);
  EXPECT_EQ(description.ddpfPixelFormat.dwRBitMask, 0xFF0000u);
  EXPECT_EQ(description.ddpfPixelFormat.dwRGBAlphaBitMask, 0u);
  EXPECT_EQ(description.ddsCaps.dwCaps & DDSCAPS_OFFSCREENPLAIN, DDSCAPS_OFFSCREENPLAIN);
}

TEST_F(SurfaceTest, LockGivesTheRectanglesFirstPixelAndThePitch) {
  for (const Format& format : Formats()) {
    auto surface = Make(13, 7, &format.pixelFormat);
    DDSURFACEDESC whole{};
    whole.dwSize = sizeof whole;
    ASSERT_EQ(surface->Lock(nullptr, &whole, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_GE(whole.lPitch, static_cast<LONG>(13 * format.bytesPerPixel));
    EXPECT_EQ(whole.ddpfPixelFormat.dwRGBBitCount, format.bytesPerPixel * 8);
    auto* base = static_cast<std::uint8_t*>(whole.lpSurface);
    ASSERT_EQ(surface->Unlock(whole.lpSurface), DD_OK);

    RECT rect{3, 5, 4, 6};
    DDSURFACEDESC part{};
    part.dwSize = sizeof part;
    ASSERT_EQ(surface->Lock(&rect, &part, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
    EXPECT_EQ(part.lpSurface, base + 5 * whole.lPitch + 3 * format.bytesPerPixel) << format.name;
    EXPECT_EQ(part.lPitch, whole.lPitch);
    EXPECT_EQ(surface->Unlock(part.lpSurface), DD_OK);
  }
}

TEST_F(SurfaceTest, ALockedSurfaceRefusesBlitsSecondLocksAndContexts) {
  auto surface = Make(8, 8, &Formats()[0].pixelFormat);
  auto other = Make(8, 8, &Formats()[0].pixelFormat);
  DDSURFACEDESC description{};
  description.dwSize = sizeof description;
  RECT outside{0, 0, 9, 1};
  EXPECT_EQ(surface->Lock(&outside, &description, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
  ASSERT_EQ(surface->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(surface->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
  EXPECT_EQ(other->BltFast(0, 0, surface.Get(), nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
  EXPECT_EQ(surface->BltFast(0, 0, other.Get(), nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
  HDC dc = nullptr;
  EXPECT_EQ(surface->GetDC(&dc), DDERR_SURFACEBUSY);
  ASSERT_EQ(surface->Unlock(nullptr), DD_OK);
  EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);

  ASSERT_EQ(surface->GetDC(&dc), DD_OK);
  ASSERT_NE(dc, nullptr);
  HDC second = nullptr;
  EXPECT_EQ(surface->GetDC(&second), DDERR_DCALREADYCREATED);
  EXPECT_EQ(other->BltFast(0, 0, surface.Get(), nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
  EXPECT_EQ(surface->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
  EXPECT_EQ(surface->ReleaseDC(dc), DD_OK);
  EXPECT_EQ(surface->ReleaseDC(dc), DDERR_NODC);
  EXPECT_EQ(other->BltFast(0, 0, surface.Get(), nullptr, DDBLTFAST_WAIT), DD_OK);
}

TEST_F(SurfaceTest, ColourKeyIsOneValueCutToThePixelSize) {
  auto surface = Make(4, 4, &Formats()[0].pixelFormat);
  DDCOLORKEY key{};
  EXPECT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DDERR_NOCOLORKEY);
  DDCOLORKEY set{0x1AA, 0x1AA};
  ASSERT_EQ(surface->SetColorKey(DDCKEY_SRCBLT, &set), DD_OK);
  ASSERT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
  EXPECT_EQ(key.dwColorSpaceLowValue, 0xAAu);
  EXPECT_EQ(key.dwColorSpaceHighValue, 0xAAu);
  DDCOLORKEY range{1, 5};
  EXPECT_EQ(surface->SetColorKey(DDCKEY_SRCBLT, &range), DDERR_UNSUPPORTED);
  ASSERT_EQ(surface->SetColorKey(DDCKEY_SRCBLT, nullptr), DD_OK);
  EXPECT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DDERR_NOCOLORKEY);
}

TEST_F(SurfaceTest, PalettesCheckTheirRangesAndGoOnlyOnIndexedSurfaces) {
  std::vector<PALETTEENTRY> entries(256);
  for (int i = 0; i < 256; ++i) entries[i] = {BYTE(i), BYTE(255 - i), BYTE(i / 2), BYTE(i % 7)};
  ComPtr<IDirectDrawPalette> palette;
  ASSERT_EQ(device->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries.data(), palette.Put(), nullptr), DD_OK);

  std::vector<PALETTEENTRY> read(256);
  ASSERT_EQ(palette->GetEntries(0, 0, 256, read.data()), DD_OK);
  EXPECT_EQ(std::memcmp(read.data(), entries.data(), 256 * sizeof(PALETTEENTRY)), 0);
  EXPECT_EQ(palette->GetEntries(0, 250, 7, read.data()), DDERR_INVALIDPARAMS);
  EXPECT_EQ(palette->SetEntries(0, 256, 1, read.data()), DDERR_INVALIDPARAMS);
  EXPECT_EQ(palette->SetEntries(0, 0xFFFFFFFF, 2, read.data()), DDERR_INVALIDPARAMS);
  const PALETTEENTRY red{255, 0, 0, 4};
  ASSERT_EQ(palette->SetEntries(0, 255, 1, &red), DD_OK);
  PALETTEENTRY last{};
  ASSERT_EQ(palette->GetEntries(0, 255, 1, &last), DD_OK);
  EXPECT_EQ(last.peRed, 255);
  EXPECT_EQ(last.peFlags, 4);

  auto indexed = Make(4, 4, &Formats()[0].pixelFormat);
  auto colour = Make(4, 4, &Formats()[3].pixelFormat);
  EXPECT_EQ(indexed->SetPalette(palette.Get()), DD_OK);
  EXPECT_EQ(colour->SetPalette(palette.Get()), DDERR_INVALIDPIXELFORMAT);
  EXPECT_EQ(colour->SetPalette(nullptr), DD_OK);
  EXPECT_EQ(indexed->SetPalette(nullptr), DD_OK);
}

TEST_F(SurfaceTest, OneDriverWithoutGuidAndNoOtherGuidAccepted) {
  struct Seen {
    int drivers = 0;
    bool withoutGuid = false;
    std::string name;
  } seen;
  auto callback = [](GUID* guid, char* description, char* name, LPVOID context) -> BOOL {
    auto* s = static_cast<Seen*>(context);
    ++s->drivers;
    s->withoutGuid = guid == nullptr;
    s->name = std::string(description) + "/" + name;
    return DDENUMRET_OK;
  };
  ASSERT_EQ(DirectDrawEnumerateA(callback, &seen), DD_OK);
  EXPECT_EQ(seen.drivers, 1);
  EXPECT_TRUE(seen.withoutGuid);
  EXPECT_EQ(seen.name, "Primary Display Driver/display");

  GUID someGuid{1, 2, 3, {4}};
  IDirectDraw* other = nullptr;
  EXPECT_EQ(DirectDrawCreate(&someGuid, &other, nullptr), DDERR_INVALIDDIRECTDRAWGUID);
  EXPECT_EQ(other, nullptr);
}

}  // namespace
}  // namespace ddraw_test
