// The game's data file: what a read delivers, and that a replacement is whole or nothing.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/win/FileStore.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr char RootSkip[] = "running as root: permissions do not stop root";

Bytes Sequence(std::size_t count, std::uint8_t first) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(first + 7 * i);
  return bytes;
}

class FileStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "filestore-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override {
    std::error_code error;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, error);
    for (const auto& entry : fs::recursive_directory_iterator(folder, error))
      if (entry.is_directory()) fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(folder, error);
  }

  std::string Path(const std::string& name) const { return (folder / name).string(); }
  void Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  Bytes Content(const std::string& name) const {
    std::ifstream file(folder / name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
  }
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
  }
  fs::perms Mode(const std::string& name) const { return fs::status(folder / name).permissions(); }

  fs::path folder;
};

TEST_F(FileStoreTest, ReadsTheStartOfAFileAsFarAsItGoes) {
  Write("short.dat", Sequence(5, 1));
  Write("long.dat", Sequence(40, 2));
  Write("empty.dat", {});
  fs::create_directories(folder / "sub");
  Write("sub/inner.dat", Sequence(3, 3));

  Bytes buffer(16, 0xEE);
  std::size_t count = 99;
  ASSERT_TRUE(platform::ReadFileStart(Path("short.dat"), buffer, count));
  EXPECT_EQ(count, 5u);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 5), Sequence(5, 1));
  EXPECT_EQ(Bytes(buffer.begin() + 5, buffer.end()), Bytes(11, 0xEE)) << "bytes past the file are not touched";

  ASSERT_TRUE(platform::ReadFileStart(Path("long.dat"), buffer, count));
  EXPECT_EQ(count, 16u);
  const Bytes longer = Sequence(40, 2);
  EXPECT_EQ(buffer, Bytes(longer.begin(), longer.begin() + 16));

  ASSERT_TRUE(platform::ReadFileStart(Path("empty.dat"), buffer, count));
  EXPECT_EQ(count, 0u);

  ASSERT_TRUE(platform::ReadFileStart(folder.string() + "\\sub\\inner.dat", buffer, count)) << "\\ separates folders";
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(buffer[2], Sequence(3, 3)[2]);
}

TEST_F(FileStoreTest, ReadRefusesWhatIsNotARegularFile) {
  fs::create_directories(folder / "dat.dat");
  ASSERT_EQ(::mkfifo(Path("pipe.dat").c_str(), 0600), 0);
  Bytes buffer(16);
  std::size_t count = 99;
  EXPECT_FALSE(platform::ReadFileStart(Path("missing.dat"), buffer, count));
  EXPECT_EQ(count, 0u);
  EXPECT_FALSE(platform::ReadFileStart(Path("dat.dat"), buffer, count));
  EXPECT_FALSE(platform::ReadFileStart(Path("pipe.dat"), buffer, count)) << "and does not wait for a writer";
  EXPECT_FALSE(platform::ReadFileStart("", buffer, count));
}

TEST_F(FileStoreTest, AReadOnlyFileIsReadAndAnUnreadableOneIsNot) {
  Write("dat.dat", Sequence(8, 4));
  fs::permissions(folder / "dat.dat", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  Bytes buffer(8);
  std::size_t count = 0;
  ASSERT_TRUE(platform::ReadFileStart(Path("dat.dat"), buffer, count));
  EXPECT_EQ(buffer, Sequence(8, 4));

  if (::geteuid() == 0) GTEST_SKIP() << RootSkip;
  fs::permissions(folder / "dat.dat", fs::perms::none);
  EXPECT_FALSE(platform::ReadFileStart(Path("dat.dat"), buffer, count));
  EXPECT_EQ(count, 0u);
}

TEST_F(FileStoreTest, ReplaceWritesTheWholeContentAndLeavesNothingBehind) {
  Write("dat.dat", Sequence(100, 5));
  fs::permissions(folder / "dat.dat", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(platform::ReplaceFile(Path("dat.dat"), Sequence(30, 6)));
  EXPECT_EQ(Content("dat.dat"), Sequence(30, 6)) << "a shorter content leaves no tail of the old one";
  EXPECT_EQ(Entries(), std::set<std::string>{"dat.dat"});
  EXPECT_EQ(Mode("dat.dat"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
      << "the old file's permissions are kept";

  const mode_t mask = ::umask(022);
  ::umask(mask);
  fs::create_directories(folder / "sub");
  ASSERT_TRUE(platform::ReplaceFile(folder.string() + "\\sub\\new.dat", Sequence(3000, 7)));
  EXPECT_EQ(Content("sub/new.dat"), Sequence(3000, 7));
  EXPECT_EQ(Mode("sub/new.dat"), static_cast<fs::perms>(0666 & ~mask)) << "a new file as any other";
  EXPECT_EQ(fs::directory_iterator(folder / "sub")->path().filename(), "new.dat");

  ASSERT_TRUE(platform::ReplaceFile(Path("empty.dat"), {}));
  EXPECT_TRUE(fs::is_regular_file(folder / "empty.dat"));
  EXPECT_EQ(fs::file_size(folder / "empty.dat"), 0u);
}

TEST_F(FileStoreTest, ReplaceLeavesAReadOnlyFileOrADirectoryAlone) {
  Write("dat.dat", Sequence(50, 8));
  const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  fs::permissions(folder / "dat.dat", readOnly);
  fs::create_directories(folder / "folder.dat" / "inside");

  EXPECT_FALSE(platform::ReplaceFile(Path("dat.dat"), Sequence(10, 9))) << "the user marked it read-only";
  EXPECT_EQ(Content("dat.dat"), Sequence(50, 8));
  EXPECT_EQ(Mode("dat.dat"), readOnly);
  EXPECT_FALSE(platform::ReplaceFile(Path("folder.dat"), Sequence(10, 9)));
  EXPECT_TRUE(fs::is_directory(folder / "folder.dat" / "inside"));
  EXPECT_FALSE(platform::ReplaceFile(folder.string() + "/", Sequence(10, 9)));
  EXPECT_EQ(Entries(), (std::set<std::string>{"dat.dat", "folder.dat"})) << "no temporary left behind";
}

TEST_F(FileStoreTest, ReplaceIntoAMissingFolderCreatesNothing) {
  EXPECT_FALSE(platform::ReplaceFile(Path("nowhere/dat.dat"), Sequence(10, 10)));
  EXPECT_FALSE(platform::ReplaceFile(Path("nowhere\\deeper\\dat.dat"), Sequence(10, 10)));
  EXPECT_TRUE(Entries().empty());
}

TEST_F(FileStoreTest, ReplaceRespectsWhatThisProcessMayNotWrite) {
  if (::geteuid() == 0) GTEST_SKIP() << RootSkip;
  // Writable by the group only: a write bit is set, yet the owner may not write.
  Write("dat.dat", Sequence(20, 11));
  fs::permissions(folder / "dat.dat", fs::perms::owner_read | fs::perms::group_read | fs::perms::group_write);
  EXPECT_FALSE(platform::ReplaceFile(Path("dat.dat"), Sequence(10, 12)));
  EXPECT_EQ(Content("dat.dat"), Sequence(20, 11));

  fs::create_directories(folder / "locked");
  fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(platform::ReplaceFile(Path("locked/dat.dat"), Sequence(10, 12)));
  EXPECT_TRUE(fs::is_empty(folder / "locked"));
}

}  // namespace
