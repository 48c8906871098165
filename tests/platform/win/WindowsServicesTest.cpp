// The Windows basics: library search, code page, clock, and what every window does with Alt+Enter.

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/win/Clock.h"
#include "platform/win/CodePage.h"
#include "platform/win/DynamicLibrary.h"
#include "platform/win/Window.h"

namespace {

namespace fs = std::filesystem;

using GetVersionProc = std::uint32_t (*)();

fs::path ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

// Two libraries of one name: one beside the program, one in the working directory.
class LibrarySearchTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::string name = "Surfsearch" + std::to_string(getpid()) + ".spi";
    besideProgram = ProgramFolder() / name;
    workFolder = fs::temp_directory_path() / ("search-" + std::to_string(getpid()));
    fs::create_directories(workFolder);
    fs::copy_file(fs::path(TEST_PLUGIN_DIR) / "Surftest_old.spi", besideProgram, fs::copy_options::overwrite_existing);
    fs::copy_file(fs::path(TEST_PLUGIN_DIR) / "Surftest_current.spi", workFolder / name);
    previous = fs::current_path();
    fs::current_path(workFolder);
    libraryName = name;
  }
  void TearDown() override {
    fs::current_path(previous);
    fs::remove(besideProgram);
    fs::remove_all(workFolder);
  }

  static std::uint32_t VersionOf(HMODULE module) {
    return reinterpret_cast<GetVersionProc>(GetProcAddress(module, "GetVersion"))();
  }

  fs::path besideProgram, workFolder, previous;
  std::string libraryName;
};

TEST_F(LibrarySearchTest, TheProgramsFolderComesBeforeTheWorkingDirectory) {
  HMODULE module = LoadLibraryA(libraryName.c_str());
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(VersionOf(module), 0x01000000u) << "the copy beside the program";
  FreeLibrary(module);

  fs::remove(besideProgram);
  module = LoadLibraryA(libraryName.c_str());
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(VersionOf(module), 0x01010000u) << "the copy in the working directory";
  FreeLibrary(module);

  EXPECT_EQ(LoadLibraryA("Surfnowhere.spi"), nullptr);
  EXPECT_EQ(GetProcAddress(nullptr, "GetVersion"), nullptr);
}

TEST_F(LibrarySearchTest, FolderNamesWithBackslashesAndOtherLetterCase) {
  fs::create_directories(workFolder / "sub");
  fs::copy_file(workFolder / libraryName, workFolder / "sub" / "Lower.spi");
  HMODULE module = LoadLibraryA("sub\\LOWER.SPI");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(VersionOf(module), 0x01010000u);
  FreeLibrary(module);
}

TEST(CodePage, WindowsWesternBytesBecomeUnicode) {
  EXPECT_EQ(Cp1252ToUtf8("St\xF6rche \x80 \x96 \xB4"), "St\xC3\xB6rche \xE2\x82\xAC \xE2\x80\x93 \xC2\xB4");
  EXPECT_EQ(Cp1252ToUnicode(0x81), U'\x81');
  EXPECT_EQ(HostPath("cdu\\bpwb.bmp"), "cdu/bpwb.bmp");
}

TEST(Clock, AScriptedClockMovesOnlyWhenToldOrSleptOn) {
  platform::ScriptedClock clock;
  const std::uint64_t before = GetTickCount64();
  {
    platform::ScopedClock scoped(clock);
    const std::uint64_t start = GetTickCount64();
    Sleep(250);
    clock.Advance(50);
    EXPECT_EQ(GetTickCount64() - start, 300u);
  }
  EXPECT_GE(GetTickCount64(), before);
  EXPECT_LT(GetTickCount64() - before, 250u) << "the system clock is back and never slept";
}

TEST(Window, AltEnterSwitchesTheGameWindowBetweenFullScreenAndAWholeMultipleOfThePicture) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  platform::Window window("test", RECT{0, 0, 320, 240}, platform::Window::Display::OnScreen);
  ASSERT_NE(window.Sdl(), nullptr) << SDL_GetError();
  window.ShowPicture(320, 240, [](std::uint8_t*, std::int32_t) {});
  SDL_Event altEnter{};
  altEnter.type = SDL_KEYDOWN;
  altEnter.key.keysym.sym = SDLK_RETURN;
  altEnter.key.keysym.mod = KMOD_LALT;
  SDL_Event enter = altEnter;
  enter.key.keysym.mod = KMOD_NONE;

  EXPECT_FALSE(window.HandleEvent(altEnter)) << "only the game's window switches";
  window.SetExclusive(true);
  EXPECT_TRUE(window.Fullscreen());
  EXPECT_FALSE(window.HandleEvent(enter));
  EXPECT_TRUE(window.HandleEvent(altEnter));
  EXPECT_FALSE(window.Fullscreen());
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window.Sdl(), &width, &height);
  EXPECT_EQ(width % 320, 0);
  EXPECT_EQ(width / 320, height / 240);
  EXPECT_GE(width, 320);
  EXPECT_TRUE(window.HandleEvent(altEnter));
  EXPECT_TRUE(window.Fullscreen());
}

TEST(Window, AWindowOffScreenKeepsItsPictureAndMapsPointsOneToOne) {
  platform::Window window("test", RECT{0, 0, 64, 32}, platform::Window::Display::Hidden);
  window.ShowPicture(64, 32, [](std::uint8_t* pixels, std::int32_t pitch) {
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 64; ++x)
        reinterpret_cast<std::uint32_t*>(pixels + y * pitch)[x] =
            0xFF000000u | std::uint32_t(y) << 8 | std::uint32_t(x);
  });
  ASSERT_EQ(window.Picture().size(), 64u * 32u);
  EXPECT_EQ(window.Picture()[5 * 64 + 7], 0xFF000507u);
  EXPECT_EQ(window.PicturePoint(7, 5).x, 7);
  EXPECT_EQ(window.PicturePoint(-20, 500).x, 0) << "clamped to the picture";
  EXPECT_EQ(window.PicturePoint(-20, 500).y, 31);
}

TEST(Window, ClientRectangleAndScreenPosition) {
  platform::Window window("test", RECT{100, 50, 740, 530}, platform::Window::Display::Hidden);
  RECT client{};
  ASSERT_TRUE(GetClientRect(&window, &client));
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 480);
  POINT origin{0, 0};
  ASSERT_TRUE(ClientToScreen(&window, &origin));
  EXPECT_EQ(origin.x, 100);
  EXPECT_EQ(origin.y, 50);
  EXPECT_FALSE(GetClientRect(nullptr, &client));
}

}  // namespace
