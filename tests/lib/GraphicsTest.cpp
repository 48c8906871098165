// The graphics device, the display driver list and palettes shared by surfaces, on the software
// display service, with fakes where a platform answer cannot be had otherwise.

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "ForwardingSurface.h"
#include "lib/VXGDisplayDrivers.h"
#include "lib/VXGGraphics.h"
#include "lib/VXGPalette.h"
#include "lib/VXGSurface.h"
#include "lib/VXTools.h"
#include "platform/ddraw/Display.h"

namespace {

constexpr DDPIXELFORMAT Indexed8{sizeof(DDPIXELFORMAT), DDPF_RGB | DDPF_PALETTEINDEXED8, 0, 8, 0, 0, 0, 0};
constexpr DDPIXELFORMAT Colour32{sizeof(DDPIXELFORMAT), DDPF_RGB, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0};

// A surface on the device's service, or on any interface a test hands it.
class TVXGTestSurface : public TVXGSurface {
 public:
  TVXGTestSurface(TVXGGraphics& Graphics, const DDPIXELFORMAT& format) : TVXGSurface(Descendant{}, Graphics) {
    DDSURFACEDESC description;
    ClearSized(description);
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    description.dwWidth = 8;
    description.dwHeight = 4;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    description.ddpfPixelFormat = format;
    ComPtr<IDirectDrawSurface> first;
    Check("CreateSurface", Graphics.DirectDraw()->CreateSurface(&description, first.Put(), nullptr));
    first->QueryInterface(IID_IDirectDrawSurface3, ddSurface_.PutVoid());
  }
  TVXGTestSurface(TVXGGraphics& Graphics, ComPtr<IDirectDrawSurface3> surface) : TVXGSurface(Descendant{}, Graphics) {
    ddSurface_ = std::move(surface);
  }
};

// Answers SetPalette(none) as told.
class RefusingSurface final : public ForwardingSurface {
 public:
  using ForwardingSurface::ForwardingSurface;
  HRESULT SetPalette(IDirectDrawPalette* p) override { return p ? real_->SetPalette(p) : detachResult; }
  HRESULT detachResult = DD_OK;
};

// How many references the service's palette has besides the one the test holds.
ULONG OtherReferences(IDirectDrawPalette* palette) {
  palette->AddRef();
  return palette->Release() - 1;
}

class GraphicsTest : public testing::Test {
 protected:
  void SetUp() override { graphics.SetCooperativeLevel(&window, TVXGCooperativeMode::Normal, false); }

  platform::Window window{"test", RECT{0, 0, 640, 480}, platform::Window::Display::Hidden};
  TVXGGraphics graphics{GUID{}};
};

TEST_F(GraphicsTest, APaletteLivesAsLongAsASurfaceHoldsIt) {
  ComPtr<IDirectDrawPalette> service;
  auto first = std::make_unique<TVXGTestSurface>(graphics, Indexed8);
  auto second = std::make_unique<TVXGTestSurface>(graphics, Indexed8);
  EXPECT_FALSE(first->HasPalette());
  TVXGPalette& palette = first->Palette();
  EXPECT_TRUE(first->HasPalette());
  EXPECT_EQ(palette.RefCount(), 1);
  service = ComPtr<IDirectDrawPalette>::Share(palette.DDPalette());

  second->SetPalette(&palette);
  second->SetPalette(&palette);  // the same palette again changes nothing
  EXPECT_EQ(palette.RefCount(), 2);
  first.reset();
  EXPECT_EQ(palette.RefCount(), 1);
  EXPECT_EQ(OtherReferences(service.Get()), 2u) << "the palette and the surface it is attached to";
  second.reset();
  EXPECT_EQ(OtherReferences(service.Get()), 0u) << "destroyed with its last surface";
}

TEST_F(GraphicsTest, AttachingAndDetachingFailuresLeaveTheCountAsItWas) {
  TVXGTestSurface indexed(graphics, Indexed8);
  TVXGTestSurface colour(graphics, Colour32);
  TVXGPalette& palette = indexed.Palette();
  try {
    colour.SetPalette(&palette);
    FAIL() << "a colour surface took a palette";
  } catch (const EVXGGraphicsError& e) {
    EXPECT_EQ(e.Message(), "TVXGPalette.Attach (SetPalette):\r" + DirectDrawErrorText(DDERR_INVALIDPIXELFORMAT));
    EXPECT_EQ(e.ErrorCode(), DDERR_INVALIDPIXELFORMAT);
  }
  EXPECT_EQ(palette.RefCount(), 1);
  EXPECT_FALSE(colour.HasPalette()) << "a palette that did not attach must not be detached later";

  auto* refusing = new RefusingSurface(indexed.DDSurface());
  {
    TVXGTestSurface stubborn(graphics, ComPtr<IDirectDrawSurface3>::Attach(refusing));
    stubborn.SetPalette(&palette);
    EXPECT_EQ(palette.RefCount(), 2);
    refusing->detachResult = DDERR_GENERIC;
    EXPECT_THROW(stubborn.SetPalette(nullptr), EVXGGraphicsError);
    EXPECT_EQ(palette.RefCount(), 2);
    EXPECT_TRUE(stubborn.HasPalette());
  }  // its destructor cannot detach either, and does not throw
  EXPECT_EQ(palette.RefCount(), 2);
  palette.Release();  // what the stubborn surface could not give back
}

TEST_F(GraphicsTest, AssignCopiesAllEntriesWithTheirFlags) {
  TVXGTestSurface a(graphics, Indexed8);
  TVXGTestSurface b(graphics, Indexed8);
  std::array<PALETTEENTRY, 256> entries;
  for (int i = 0; i < 256; ++i) entries[i] = {BYTE(i), BYTE(i ^ 0x55), BYTE(255 - i), BYTE(i % 5)};
  a.Palette().SetEntries(0, 256, entries.data());
  b.Palette().Assign(a.Palette());
  std::array<PALETTEENTRY, 256> copied{};
  b.Palette().GetEntries(0, 256, copied.data());
  EXPECT_EQ(std::memcmp(copied.data(), entries.data(), sizeof entries), 0);

  EXPECT_THROW(b.Palette().GetEntries(200, 57, copied.data()), EVXGGraphicsError);
}

TEST_F(GraphicsTest, ALostSurfaceIsRestoredAndClearedBeforeUse) {
  TVXGTestSurface surface(graphics, Indexed8);
  surface.ColorFill(nullptr, 9);
  platform::ddraw::Display::Instance().LoseAllSurfaces();
  EXPECT_TRUE(surface.IsLost());
  IDirectDrawSurface3* restored = surface.GetSurface();
  EXPECT_FALSE(surface.IsLost());
  DDSURFACEDESC description;
  ClearSized(description);
  ASSERT_EQ(restored->Lock(nullptr, &description, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
  const auto* pixels = static_cast<const std::uint8_t*>(description.lpSurface);
  EXPECT_EQ(pixels[0], 0);
  EXPECT_EQ(pixels[3 * description.lPitch + 7], 0);
  restored->Unlock(nullptr);
}

TEST_F(GraphicsTest, DeviceErrorsNameTheOperation) {
  try {
    graphics.SetDisplayMode(640, 480, 12);
    FAIL() << "no exception";
  } catch (const EVXGGraphicsError& e) {
    EXPECT_EQ(e.Message(), "TVXGGraphics.SetDisplayMode:\r" + DirectDrawErrorText(DDERR_INVALIDMODE));
  }
  GUID unknown{0x1234, 1, 2, {3}};
  try {
    TVXGGraphics other(unknown);
    FAIL() << "no exception";
  } catch (const EVXGGraphicsError& e) {
    EXPECT_EQ(e.Message(),
              "TVXGGraphics.Create (DirectDrawCreate):\r" + DirectDrawErrorText(DDERR_INVALIDDIRECTDRAWGUID));
    EXPECT_EQ(e.ErrorCode(), DDERR_INVALIDDIRECTDRAWGUID);
  }
}

// A device that records what it was asked and answers SetCooperativeLevel as told.
class RecordingDevice final : public IDirectDraw, public IDirectDraw2 {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override {
    *object = riid == IID_IDirectDraw2 ? static_cast<IDirectDraw2*>(this) : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HRESULT CreatePalette(DWORD, PALETTEENTRY*, IDirectDrawPalette**, IUnknown*) override { return DDERR_UNSUPPORTED; }
  HRESULT CreateSurface(DDSURFACEDESC*, IDirectDrawSurface**, IUnknown*) override { return DDERR_UNSUPPORTED; }
  HRESULT SetCooperativeLevel(HWND, DWORD flags) override {
    levelFlags.push_back(flags);
    return levelResult;
  }
  HRESULT SetDisplayMode(DWORD, DWORD, DWORD, DWORD, DWORD) override { return DD_OK; }

  std::vector<DWORD> levelFlags;
  HRESULT levelResult = DD_OK;
  std::vector<bool> createdWithGuid;
  int enumerations = 0;
};

RecordingDevice* recorder = nullptr;

const platform::ddraw::EntryPoints Recording{[](LPDDENUMCALLBACKA callback, LPVOID context) -> HRESULT {
                                               ++recorder->enumerations;
                                               char description[] = "Recorder";
                                               char name[] = "recorder";
                                               callback(nullptr, description, name, context);
                                               return DD_OK;
                                             },
                                             [](GUID* guid, IDirectDraw** device, IUnknown*) -> HRESULT {
                                               recorder->createdWithGuid.push_back(guid != nullptr);
                                               *device = recorder;
                                               return DD_OK;
                                             }};

class RecordedGraphicsTest : public testing::Test {
 protected:
  RecordingDevice device;
  void SetUp() override { recorder = &device; }
  void TearDown() override {
    ReleaseDisplayDrivers();
    recorder = nullptr;
  }
  platform::ddraw::ScopedEntryPoints entryPoints{Recording};
};

TEST_F(RecordedGraphicsTest, CooperativeLevelsPassTheirExactFlags) {
  TVXGGraphics graphics(GUID{});
  graphics.SetCooperativeLevel(nullptr, TVXGCooperativeMode::Normal, false);
  graphics.SetCooperativeLevel(nullptr, TVXGCooperativeMode::Exclusive, false);
  graphics.SetCooperativeLevel(nullptr, TVXGCooperativeMode::Exclusive, true);
  graphics.SetCooperativeLevel(nullptr, TVXGCooperativeMode::ExclusiveModeX, false);
  graphics.SetCooperativeLevel(nullptr, TVXGCooperativeMode::Normal, true);
  EXPECT_EQ(device.levelFlags, (std::vector<DWORD>{0x0E, 0x17, 0x13, 0x57, 0x0A}));

  device.levelResult = DDERR_EXCLUSIVEMODEALREADYSET;
  platform::Window window{"w", RECT{0, 0, 1, 1}, platform::Window::Display::Hidden};
  EXPECT_THROW(graphics.SetCooperativeLevel(&window, TVXGCooperativeMode::Exclusive, false), EVXGGraphicsError);
  EXPECT_EQ(graphics.CooperativeMode(), TVXGCooperativeMode::Exclusive) << "set before the platform call";
  EXPECT_EQ(graphics.Window(), &window);
}

TEST_F(RecordedGraphicsTest, DriverListIsCachedUntilADeviceIsMade) {
  TVXGDisplayDriverList& drivers = DisplayDrivers();
  EXPECT_EQ(&DisplayDrivers(), &drivers);
  EXPECT_EQ(device.enumerations, 1);
  ASSERT_EQ(drivers.Count(), 1);
  TVXGDisplayDriver driver;
  drivers.GetDriver(0, driver);
  EXPECT_EQ(driver.Name, "recorder");
  EXPECT_EQ(driver.Description, "Recorder");
  EXPECT_TRUE(SameGUID(driver.Guid, GUID{}));
  EXPECT_THROW(drivers.GetDriver(1, driver), EListError);

  TVXGGraphics graphics(driver.Guid);
  EXPECT_EQ(device.createdWithGuid, std::vector<bool>{false}) << "the all-zero GUID is passed as none";
  DisplayDrivers();
  EXPECT_EQ(device.enumerations, 2);
  TVXGGraphics other(GUID{7, 0, 0, {}});
  EXPECT_EQ(device.createdWithGuid, (std::vector<bool>{false, true}));
}

}  // namespace
