// Cooperative levels, display modes, the primary surface and its flip chain, and what a change of
// mode or owner does to every surface.

#include "DisplayFixture.h"

namespace ddraw_test {
namespace {

class DisplayModeTest : public DisplayFixture {
 protected:
  ComPtr<IDirectDraw2> SecondDevice() {
    ComPtr<IDirectDraw> first;
    ComPtr<IDirectDraw2> second;
    EXPECT_EQ(DirectDrawCreate(nullptr, first.Put(), nullptr), DD_OK);
    EXPECT_EQ(first->QueryInterface(IID_IDirectDraw2, second.PutVoid()), DD_OK);
    return second;
  }
};

TEST_F(DisplayModeTest, CooperativeLevelsTakeOnlyTheWindowsCombinations) {
  EXPECT_EQ(device->SetCooperativeLevel(&window, DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
  EXPECT_EQ(device->SetCooperativeLevel(&window, DDSCL_NORMAL | DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DDERR_INVALIDPARAMS);
  EXPECT_EQ(device->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DDERR_INVALIDPARAMS);
  EXPECT_EQ(device->SetCooperativeLevel(&window, DDSCL_NORMAL | DDSCL_ALLOWMODEX), DDERR_INVALIDPARAMS);
  EXPECT_EQ(device->SetCooperativeLevel(&window, 0), DDERR_INVALIDPARAMS);
  EXPECT_EQ(device->SetCooperativeLevel(&window, 0x0E), DD_OK);
  EXPECT_EQ(device->SetCooperativeLevel(&window, 0x17), DD_OK);
  EXPECT_EQ(device->SetCooperativeLevel(&window, 0x53), DD_OK);

  auto second = SecondDevice();
  EXPECT_EQ(second->SetCooperativeLevel(&window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DDERR_EXCLUSIVEMODEALREADYSET);
  EXPECT_EQ(second->SetCooperativeLevel(&window, DDSCL_NORMAL), DD_OK);
  EXPECT_EQ(second->SetDisplayMode(640, 480, 8, 0, 0), DDERR_NOEXCLUSIVEMODE);
}

TEST_F(DisplayModeTest, ADeviceWithoutLevelMakesNothing) {
  auto second = SecondDevice();
  EXPECT_EQ(second->SetDisplayMode(640, 480, 8, 0, 0), DDERR_NOCOOPERATIVELEVELSET);
  DDSURFACEDESC description{};
  description.dwSize = sizeof description;
  description.dwFlags = DDSD_WIDTH | DDSD_HEIGHT;
  description.dwWidth = description.dwHeight = 4;
  ComPtr<IDirectDrawSurface> surface;
  EXPECT_EQ(second->CreateSurface(&description, surface.Put(), nullptr), DDERR_NOCOOPERATIVELEVELSET);
}

TEST_F(DisplayModeTest, UnsupportedModesAreRefused) {
  GoFullScreen(8);
  EXPECT_EQ(device->SetDisplayMode(640, 480, 12, 0, 0), DDERR_INVALIDMODE);
  EXPECT_EQ(device->SetDisplayMode(0, 480, 8, 0, 0), DDERR_INVALIDMODE);
  EXPECT_EQ(device->SetDisplayMode(0xFFFFFFFF, 0xFFFFFFFF, 8, 0, 0), DDERR_INVALIDMODE);
  EXPECT_EQ(device->SetDisplayMode(800, 600, 16, 0, 0), DD_OK);
}

TEST_F(DisplayModeTest, AFlipChainNeedsExclusiveModeAndThereIsOnePrimary) {
  HRESULT result = DD_OK;
  EXPECT_FALSE(Primary(true, &result));
  EXPECT_EQ(result, DDERR_NOEXCLUSIVEMODE);
  {
    auto primary = Primary(false);
    ASSERT_TRUE(primary);
    EXPECT_FALSE(Primary(false, &result));
    EXPECT_EQ(result, DDERR_PRIMARYSURFACEALREADYEXISTS);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
  }
  GoFullScreen(8);
  auto front = Primary(true);
  ASSERT_TRUE(front);
  DDSURFACEDESC description{};
  description.dwSize = sizeof description;
  ASSERT_EQ(front->GetSurfaceDesc(&description), DD_OK);
  EXPECT_EQ(description.dwWidth, 640u);
  EXPECT_EQ(description.dwHeight, 480u);
  EXPECT_EQ(description.ddpfPixelFormat.dwFlags & DDPF_PALETTEINDEXED8, DDPF_PALETTEINDEXED8);
  EXPECT_EQ(description.dwBackBufferCount, 1u);
}

TEST_F(DisplayModeTest, FlipShowsTheBackBufferAndKeepsSixtyFramesASecond) {
  GoFullScreen(8);
  auto front = Primary(true);
  auto back = BackBufferOf(front.Get());
  std::vector<std::uint8_t> frame(640 * 480, 0);
  frame[5] = 77;
  Write(back.Get(), frame);

  const std::uint64_t start = clock.Milliseconds();
  ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
  EXPECT_EQ(Read(front.Get())[5], 77);
  for (int i = 1; i < 60; ++i) ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
  EXPECT_GE(clock.Milliseconds() - start, 990u);
  EXPECT_LE(clock.Milliseconds() - start, 1010u);

  DDSURFACEDESC description{};
  description.dwSize = sizeof description;
  ASSERT_EQ(back->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACEBUSY);
  ASSERT_EQ(back->Unlock(nullptr), DD_OK);
}

TEST_F(DisplayModeTest, AModeChangeLosesEverySurfaceAndTheirContents) {
  auto surface = Make(16, 16, &Formats()[0].pixelFormat);
  Write(surface.Get(), std::vector<std::uint8_t>(256, 9));
  auto other = Make(16, 16, &Formats()[0].pixelFormat);
  GoFullScreen(8);  // the owner changes and then the mode

  EXPECT_EQ(surface->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(other->BltFast(0, 0, surface.Get(), nullptr, DDBLTFAST_WAIT), DDERR_SURFACELOST);
  DDSURFACEDESC description{};
  description.dwSize = sizeof description;
  EXPECT_EQ(surface->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
  HDC dc = nullptr;
  EXPECT_EQ(surface->GetDC(&dc), DDERR_SURFACELOST);

  ASSERT_EQ(surface->Restore(), DD_OK);
  EXPECT_EQ(surface->IsLost(), DD_OK);
  EXPECT_NE(Read(surface.Get()), std::vector<std::uint8_t>(256, 9));
  EXPECT_EQ(surface->Restore(), DD_OK);

  // The same mode again changes nothing.
  Write(surface.Get(), std::vector<std::uint8_t>(256, 9));
  ASSERT_EQ(device->SetDisplayMode(640, 480, 8, 0, 0), DD_OK);
  EXPECT_EQ(surface->IsLost(), DD_OK);
  platform::ddraw::Display::Instance().LoseAllSurfaces();
  EXPECT_EQ(surface->IsLost(), DDERR_SURFACELOST);
}

TEST_F(DisplayModeTest, APrimaryComesBackOnlyInTheModeItWasMadeIn) {
  GoFullScreen(8);
  auto front = Primary(true);
  auto back = BackBufferOf(front.Get());
  ASSERT_EQ(device->SetDisplayMode(800, 600, 8, 0, 0), DD_OK);
  EXPECT_EQ(back->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACELOST);
  EXPECT_EQ(front->Restore(), DDERR_WRONGMODE);
  EXPECT_EQ(back->Restore(), DDERR_WRONGMODE);
  ASSERT_EQ(device->SetDisplayMode(640, 480, 8, 0, 0), DD_OK);
  ASSERT_EQ(back->Restore(), DD_OK);  // brings back the whole chain
  EXPECT_EQ(front->IsLost(), DD_OK);
  EXPECT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
}

TEST_F(DisplayModeTest, ReleasingTheExclusiveDeviceBringsTheDesktopBack) {
  auto surface = Make(4, 4, nullptr);
  {
    auto second = SecondDevice();
    ASSERT_EQ(second->SetCooperativeLevel(&window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    ASSERT_EQ(second->SetDisplayMode(640, 480, 8, 0, 0), DD_OK);
  }
  EXPECT_EQ(platform::ddraw::Display::Instance().Mode(), platform::ddraw::DesktopMode);
  EXPECT_EQ(platform::ddraw::Display::Instance().ExclusiveOwner(), nullptr);
  EXPECT_EQ(surface->IsLost(), DDERR_SURFACELOST);
  EXPECT_EQ(device->SetCooperativeLevel(&window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
}

}  // namespace
}  // namespace ddraw_test
