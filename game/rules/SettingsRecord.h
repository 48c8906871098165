#pragma once
// The record of "dat.dat": the last player's name, the high-score table and the start screen's
// settings. The file is this record and nothing else, 2876 bytes, little-endian; the record keeps
// every byte the file had, even those the game never looks at, so that a save gives them back.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

inline constexpr std::size_t SettingsRecordSize = 2876;
inline constexpr int HighScoreSlots = 10;
// Only slots 1 to 9 are ranked; slot 10 keeps what the file or the last reset put there.
inline constexpr int RankedHighScoreSlots = 9;

// A name as the record keeps it: a length byte, then the characters (Windows-1252); the bytes past
// the length stay as they were.
struct StoredName {
  std::array<std::uint8_t, 256> Bytes{};

  std::string Get() const;
  // Longer names are cut to 255 characters.
  void Set(std::string_view Name);
};

struct SettingsRecord {
  StoredName LastPlayerName;
  std::array<StoredName, HighScoreSlots> HighScoreNames;       // slot n at index n - 1
  std::array<std::int32_t, HighScoreSlots> HighScorePoints{};  // slot n at index n - 1
  std::uint8_t NetworkChecked = 0;
  std::uint8_t DoubledChecked = 0;
  std::array<std::uint8_t, 10> Reserved{};
  std::int32_t ConnectionIndex = 0;
  std::int32_t TrackPosition = 0;

  std::array<std::uint8_t, SettingsRecordSize> Encode() const;
  // The leading bytes that Bytes holds replace those of the record and the rest keeps its content,
  // as when a short file is read over it; bytes past the record's size do not count.
  void Decode(std::span<const std::uint8_t> Bytes);
};

// Read once at start, written once at quit. Failures are silent: a missing or unreadable file
// leaves the record as it was, and a save that fails leaves the file as it was.
void LoadSettings(SettingsRecord& Record, const std::string& FileName);
void SaveSettings(const SettingsRecord& Record, const std::string& FileName);

// Ranks a finished round's score into slots 1 to 9: it must beat a stored score to pass it, so on
// a tie it goes below; what falls off slot 9 is gone, and slot 10 is never touched.
void InsertHighScore(SettingsRecord& Record, std::int32_t Score, const std::string& PlayerName);

// All ten slots get the default name and 500, 450, ..., 50 points; nothing else changes.
void ResetHighScores(SettingsRecord& Record);
