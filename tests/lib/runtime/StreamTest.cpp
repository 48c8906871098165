#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "lib/runtime/Stream.h"

namespace {

TEST(MemoryStream, ReadsWhatThereIsAndReadBufferInsistsOnAll) {
  TMemoryStream stream({1, 2, 3, 4, 5});
  std::uint8_t buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 2), 2);
  EXPECT_EQ(buffer[1], 2);
  EXPECT_EQ(stream.Seek(1, TSeekOrigin::Current), 3);
  EXPECT_EQ(stream.Read(buffer, 8), 2);
  EXPECT_EQ(buffer[0], 4);
  EXPECT_EQ(stream.Read(buffer, 8), 0);
  EXPECT_EQ(stream.Size(), 5);
  EXPECT_EQ(stream.Position(), 5);

  stream.Seek(2, TSeekOrigin::Beginning);
  try {
    stream.ReadBuffer(buffer, 4);
    FAIL() << "no exception";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream-Read-Fehler");
  }
  EXPECT_EQ(stream.Seek(-10, TSeekOrigin::Current), 0);
}

TEST(FileStream, OpensNamesWrittenWithBackslashes) {
  const auto folder = std::filesystem::temp_directory_path() / ("stream-test-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder / "cdu");
  std::ofstream(folder / "cdu" / "a.bin", std::ios::binary) << "abcdef";

  const std::string name = folder.string() + "\\cdu\\a.bin";
  TFileStream stream(name);
  char buffer[4] = {};
  stream.Seek(-3, TSeekOrigin::End);
  stream.ReadBuffer(buffer, 3);
  EXPECT_STREQ(buffer, "def");
  EXPECT_EQ(stream.Size(), 6);

  try {
    TFileStream missing(name + "x");
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Datei " + name +
                               "x kann nicht ge\xF6"
                               "ffnet werden");
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
