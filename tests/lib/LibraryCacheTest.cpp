#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "lib/LibraryCache.h"
#include "lib/VXG.h"
#include "lib/VXGSurfacePlugins.h"

namespace {

const std::string PluginDir = TEST_PLUGIN_DIR;
const std::string Current = PluginDir + "/Surftest_current.spi";
const std::string Old = PluginDir + "/Surftest_old.spi";
const std::string Bare = PluginDir + "/Surftest_bare.spi";

using LoadProc = const char* (*)();
using SetUnloadLogProc = void (*)(std::vector<std::string>*);

// Each test starts and ends with an empty cache; the log records which plug-in the loader unloaded.
class LibraryCacheTest : public testing::Test {
 protected:
  void SetUp() override { FreeLibraries(); }
  void TearDown() override { FreeLibraries(); }

  void Log(const std::string& library) {
    reinterpret_cast<SetUnloadLogProc>(GetLibraryProc(library, "SetUnloadLog"))(&unloaded);
  }
  std::vector<std::string> unloaded;
};

TEST_F(LibraryCacheTest, NamesDifferingInCaseAreOneLibrary) {
  Log(Current);
  const std::string shouted = PluginDir + "/SURFTEST_CURRENT.SPI";
  const auto load = reinterpret_cast<LoadProc>(GetLibraryProc(shouted, "Load"));
  EXPECT_STREQ(load(), "current");
  FreeLibraries();
  // Loaded twice, one release would have left it in memory.
  EXPECT_EQ(unloaded, std::vector<std::string>{"current"});
}

TEST_F(LibraryCacheTest, ReleasesInReverseLoadOrder) {
  Log(Current);
  Log(Old);
  Log(Bare);
  FreeLibraries();
  EXPECT_EQ(unloaded, (std::vector<std::string>{"bare", "old", "current"}));
}

TEST_F(LibraryCacheTest, LibraryWithoutTheEntryPointStaysCached) {
  Log(Bare);
  try {
    GetLibraryProc(Bare, "Load");
    FAIL() << "no exception";
  } catch (const EVXGError&) {
    FAIL() << "the runtime's exception is expected, not the library's";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Procedure not found in Library (" + Bare + "): Load");
  }
  EXPECT_TRUE(unloaded.empty());
  EXPECT_NE(GetLibraryProc(Bare, "GetVersion"), nullptr);
  FreeLibraries();
  EXPECT_EQ(unloaded, std::vector<std::string>{"bare"});
}

TEST_F(LibraryCacheTest, MissingLibraryIsReportedByName) {
  try {
    GetLibraryProc("Surfnothere.spi", "Load");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Error while loading Library: Surfnothere.spi");
  }
}

TEST_F(LibraryCacheTest, NameWithoutFolderIsFoundInTheWorkingDirectory) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(PluginDir);
  const auto load = reinterpret_cast<LoadProc>(GetLibraryProc("SurfTest_Current.SPI", "Load"));
  std::filesystem::current_path(previous);
  EXPECT_STREQ(load(), "current");
}

TEST_F(LibraryCacheTest, PluginOfAnotherVersionIsRefusedAndStaysCached) {
  Log(Old);
  try {
    GetSurfacePluginProc(Old, "Load");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "PlugIn Version (0.0.0.1) inkompatibel (must be between 0.0.1.1 and 0.0.1.1)");
  }
  EXPECT_TRUE(unloaded.empty());
  FreeLibraries();
  EXPECT_EQ(unloaded, std::vector<std::string>{"old"});
}

TEST_F(LibraryCacheTest, PluginOfTheAcceptedVersionGivesItsEntryPoint) {
  const auto load = reinterpret_cast<LoadProc>(GetSurfacePluginProc(Current, "Load"));
  EXPECT_STREQ(load(), "current");
  EXPECT_NO_THROW(GetPluginProc(Old, "Load", 0x01000000, 0x01010000));
  EXPECT_THROW(GetPluginProc(Current, "Load", 0x01010001, 0xFFFFFFFF), Exception);
}

}  // namespace
