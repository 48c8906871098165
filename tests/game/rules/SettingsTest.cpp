// "dat.dat": the record's byte layout, what loading and saving keep, and the high-score rules.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/rules/SettingsRecord.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Bytes that differ from their neighbours, so that a byte in the wrong place shows.
Bytes Pattern(std::size_t Count) {
  Bytes bytes(Count);
  for (std::size_t i = 0; i < Count; ++i) bytes[i] = static_cast<std::uint8_t>(i * 131 + 17);
  return bytes;
}

std::int32_t Int32At(const auto& Data, std::size_t Offset) {
  return static_cast<std::int32_t>(std::uint32_t{Data[Offset]} | std::uint32_t{Data[Offset + 1]} << 8 |
                                   std::uint32_t{Data[Offset + 2]} << 16 | std::uint32_t{Data[Offset + 3]} << 24);
}

Bytes Encoded(const SettingsRecord& Record) {
  const auto bytes = Record.Encode();
  return Bytes(bytes.begin(), bytes.end());
}

class SettingsFileTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "settings-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    fileName = (folder / "dat.dat").string();
  }
  void TearDown() override {
    std::error_code error;
    fs::remove_all(folder, error);
  }

  void WriteFile(const Bytes& Content) const {
    std::ofstream(fileName, std::ios::binary).write(reinterpret_cast<const char*>(Content.data()), Content.size());
  }
  Bytes FileContent() const {
    std::ifstream file(fileName, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
  }

  fs::path folder;
  std::string fileName;
};

TEST(SettingsRecordLayout, EveryFieldStandsAtItsOffsetLittleEndian) {
  SettingsRecord record;
  record.LastPlayerName.Set("Zuletzt");
  for (int slot = 1; slot <= HighScoreSlots; ++slot) {
    record.HighScoreNames[slot - 1].Set("Sp\xF6ler " + std::to_string(slot));
    record.HighScorePoints[slot - 1] = slot == 10 ? -2 : 0x01020304 * slot;
  }
  record.NetworkChecked = 1;
  record.DoubledChecked = 0;
  for (std::size_t i = 0; i < record.Reserved.size(); ++i) record.Reserved[i] = static_cast<std::uint8_t>(0xA0 + i);
  record.ConnectionIndex = -1;
  record.TrackPosition = 0x00020001;

  const auto bytes = record.Encode();
  ASSERT_EQ(bytes.size(), 2876u);
  EXPECT_EQ(bytes[0], 7);
  EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 8), "Zuletzt");
  for (int slot = 1; slot <= HighScoreSlots; ++slot) {
    const std::size_t name = 256 * slot;
    const std::string expected = "Sp\xF6ler " + std::to_string(slot);
    EXPECT_EQ(bytes[name], expected.size()) << "slot " << slot;
    EXPECT_EQ(std::string(bytes.begin() + name + 1, bytes.begin() + name + 1 + expected.size()), expected);
    EXPECT_EQ(Int32At(bytes, 2816 + 4 * (slot - 1)), slot == 10 ? -2 : 0x01020304 * slot) << "slot " << slot;
  }
  EXPECT_EQ(bytes[2816], 0x04) << "lowest byte first";
  EXPECT_EQ(bytes[2856], 1);
  EXPECT_EQ(bytes[2857], 0);
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(bytes[2858 + i], 0xA0 + i);
  EXPECT_EQ(Int32At(bytes, 2868), -1);
  EXPECT_EQ(bytes[2872], 0x01);
  EXPECT_EQ(bytes[2874], 0x02);

  SettingsRecord decoded;
  decoded.Decode(bytes);
  EXPECT_EQ(decoded.HighScoreNames[9].Get(), "Sp\xF6ler 10");
  EXPECT_EQ(decoded.HighScorePoints, record.HighScorePoints);
  EXPECT_EQ(decoded.Reserved, record.Reserved);
  EXPECT_EQ(decoded.ConnectionIndex, -1);
  EXPECT_EQ(decoded.TrackPosition, 0x00020001);
  EXPECT_EQ(decoded.Encode(), bytes);
}

TEST_F(SettingsFileTest, EveryByteSurvivesLoadAndSave) {
  const Bytes original = Pattern(SettingsRecordSize);
  WriteFile(original);
  SettingsRecord record;
  LoadSettings(record, fileName);
  EXPECT_EQ(record.LastPlayerName.Get().size(), original[0]);
  EXPECT_EQ(record.HighScorePoints[0], Int32At(original, 2816));
  EXPECT_EQ(record.TrackPosition, Int32At(original, 2872));
  fs::remove(fileName);
  SaveSettings(record, fileName);
  EXPECT_EQ(FileContent(), original) << "undefined name bytes and reserved bytes included";

  record.LastPlayerName.Set("Bo");
  SaveSettings(record, fileName);
  const Bytes saved = FileContent();
  EXPECT_EQ(saved[0], 2);
  EXPECT_EQ(Bytes(saved.begin() + 3, saved.end()), Bytes(original.begin() + 3, original.end()))
      << "a shorter name leaves the bytes past it as they were";
}

TEST_F(SettingsFileTest, AShortFileFillsOnlyItsLeadingBytes) {
  Bytes file(300, 0);
  file[0] = 5;
  std::copy_n("Hallo", 5, file.begin() + 1);
  file[256] = 60;
  for (std::size_t i = 257; i < 300; ++i) file[i] = static_cast<std::uint8_t>('a' + i % 26);
  WriteFile(file);

  SettingsRecord fresh;
  LoadSettings(fresh, fileName);
  EXPECT_EQ(fresh.LastPlayerName.Get(), "Hallo");
  const Bytes encoded = Encoded(fresh);
  EXPECT_EQ(Bytes(encoded.begin(), encoded.begin() + 300), file) << "the name and 44 bytes of the first table name";
  EXPECT_EQ(Bytes(encoded.begin() + 300, encoded.end()), Bytes(SettingsRecordSize - 300, 0));

  SettingsRecord used;
  used.Decode(Pattern(SettingsRecordSize));
  LoadSettings(used, fileName);
  const Bytes over = Encoded(used);
  const Bytes pattern = Pattern(SettingsRecordSize);
  EXPECT_EQ(Bytes(over.begin(), over.begin() + 300), file);
  EXPECT_EQ(Bytes(over.begin() + 300, over.end()), Bytes(pattern.begin() + 300, pattern.end()))
      << "the rest keeps what the record had";
}

TEST_F(SettingsFileTest, OnlyTheFirst2876BytesOfALongerFileCount) {
  const Bytes longer = Pattern(SettingsRecordSize + 100);
  WriteFile(longer);
  SettingsRecord record;
  LoadSettings(record, fileName);
  EXPECT_EQ(Encoded(record), Bytes(longer.begin(), longer.begin() + SettingsRecordSize));
  SaveSettings(record, fileName);
  EXPECT_EQ(FileContent(), Bytes(longer.begin(), longer.begin() + SettingsRecordSize));
}

TEST_F(SettingsFileTest, NoFileLeavesTheRecordAndSavingCreatesIt) {
  SettingsRecord fresh;
  LoadSettings(fresh, fileName);
  EXPECT_EQ(Encoded(fresh), Bytes(SettingsRecordSize, 0));

  SettingsRecord used;
  used.Decode(Pattern(SettingsRecordSize));
  LoadSettings(used, fileName);
  EXPECT_EQ(Encoded(used), Pattern(SettingsRecordSize));

  SaveSettings(fresh, fileName);
  EXPECT_EQ(FileContent(), Bytes(SettingsRecordSize, 0));
  EXPECT_EQ(fs::file_size(fileName), 2876u);
}

TEST_F(SettingsFileTest, AReadOnlyFileIsReadButNotReplaced) {
  const Bytes original = Pattern(SettingsRecordSize);
  WriteFile(original);
  fs::permissions(fileName, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  SettingsRecord record;
  LoadSettings(record, fileName);
  EXPECT_EQ(Encoded(record), original);
  ResetHighScores(record);
  SaveSettings(record, fileName);
  EXPECT_EQ(FileContent(), original);
}

class HighScoreTest : public testing::Test {
 protected:
  // Slots 1 to 9 hold 500, 450, ..., 100 under the names "Platz 1" to "Platz 9"; slot 10 is apart.
  void SetUp() override {
    for (int slot = 1; slot <= 9; ++slot) {
      record.HighScoreNames[slot - 1].Set("Platz " + std::to_string(slot));
      record.HighScorePoints[slot - 1] = 550 - 50 * slot;
    }
    record.HighScoreNames[9].Set("Zehn");
    record.HighScorePoints[9] = 999;
    record.LastPlayerName.Set("Zuletzt");
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& name : record.HighScoreNames) names.push_back(name.Get());
    return names;
  }

  SettingsRecord record;
};

TEST_F(HighScoreTest, AScoreGoesBelowEqualScoresAndPushesSlotNineOut) {
  InsertHighScore(record, 450, "Neu");
  EXPECT_EQ(record.HighScorePoints, (std::array<std::int32_t, 10>{500, 450, 450, 400, 350, 300, 250, 200, 150, 999}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Platz 1", "Platz 2", "Neu", "Platz 3", "Platz 4", "Platz 5", "Platz 6",
                                               "Platz 7", "Platz 8", "Zehn"}));

  InsertHighScore(record, 1000, "Oben");
  EXPECT_EQ(record.HighScorePoints, (std::array<std::int32_t, 10>{1000, 500, 450, 450, 400, 350, 300, 250, 200, 999}));
  EXPECT_EQ(Names()[0], "Oben");
  EXPECT_EQ(Names()[8], "Platz 7");

  InsertHighScore(record, 201, "Knapp");
  EXPECT_EQ(record.HighScorePoints[8], 201);
  EXPECT_EQ(Names()[8], "Knapp");
  EXPECT_EQ(record.HighScorePoints[7], 250);
  EXPECT_EQ(record.LastPlayerName.Get(), "Zuletzt");
}

TEST_F(HighScoreTest, ATieWithSlotNineOrNothingAboveItChangesNothing) {
  const Bytes before = Encoded(record);
  InsertHighScore(record, 100, "Gleich");
  InsertHighScore(record, 99, "Darunter");
  InsertHighScore(record, -5, "Negativ");
  EXPECT_EQ(Encoded(record), before);

  SettingsRecord zeros;
  InsertHighScore(zeros, 0, "Null");
  EXPECT_EQ(Encoded(zeros), Bytes(SettingsRecordSize, 0)) << "0 never enters a table of scores of 0 or more";
  InsertHighScore(zeros, 1, "Eins");
  EXPECT_EQ(zeros.HighScorePoints[0], 1);
  EXPECT_EQ(zeros.HighScoreNames[0].Get(), "Eins");
  EXPECT_EQ(zeros.HighScorePoints[1], 0);
}

TEST_F(HighScoreTest, ALongNameIsCutTo255Characters) {
  const std::string longName = std::string(200, 'a') + std::string(100, 'b');
  InsertHighScore(record, 600, longName);
  EXPECT_EQ(record.HighScoreNames[0].Get(), longName.substr(0, 255));
  EXPECT_EQ(Names()[1], "Platz 1") << "the cut name does not spill into the next slot";
}

TEST_F(HighScoreTest, ResetGivesTheDefaultTableAndNothingElse) {
  record.Decode(Pattern(SettingsRecordSize));
  const Bytes before = Encoded(record);
  ResetHighScores(record);
  EXPECT_EQ(record.HighScorePoints, (std::array<std::int32_t, 10>{500, 450, 400, 350, 300, 250, 200, 150, 100, 50}));
  for (const auto& name : record.HighScoreNames) EXPECT_EQ(name.Get(), "Veltranzik-Fan");
  const Bytes after = Encoded(record);
  EXPECT_EQ(Bytes(after.begin(), after.begin() + 256), Bytes(before.begin(), before.begin() + 256)) << "last name";
  EXPECT_EQ(Bytes(after.begin() + 2856, after.end()), Bytes(before.begin() + 2856, before.end())) << "settings";
}

}  // namespace
