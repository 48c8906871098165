#include "SettingsRecord.h"

#include <algorithm>

#include "platform/win/FileStore.h"

namespace {

// Field by field, so that the layout is the file's and never the compiler's.
constexpr std::size_t NameSize = 256;
constexpr std::size_t LastPlayerNameOffset = 0;
constexpr std::size_t HighScoreNamesOffset = 256;
constexpr std::size_t HighScorePointsOffset = 2816;
constexpr std::size_t NetworkCheckedOffset = 2856;
constexpr std::size_t DoubledCheckedOffset = 2857;
constexpr std::size_t ReservedOffset = 2858;
constexpr std::size_t ConnectionIndexOffset = 2868;
constexpr std::size_t TrackPositionOffset = 2872;
static_assert(TrackPositionOffset + 4 == SettingsRecordSize);

constexpr std::string_view DefaultHighScoreName = "Veltranzik-Fan";
static_assert(DefaultHighScoreName.size() == 14);

using RecordBytes = std::array<std::uint8_t, SettingsRecordSize>;

void PutInt32(RecordBytes& Bytes, std::size_t Offset, std::int32_t Value) {
  const auto bits = static_cast<std::uint32_t>(Value);
  for (std::size_t i = 0; i < 4; ++i) Bytes[Offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t GetInt32(const RecordBytes& Bytes, std::size_t Offset) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i) bits |= std::uint32_t{Bytes[Offset + i]} << (8 * i);
  return static_cast<std::int32_t>(bits);
}

void PutName(RecordBytes& Bytes, std::size_t Offset, const StoredName& Name) {
  std::copy(Name.Bytes.begin(), Name.Bytes.end(), Bytes.begin() + Offset);
}

void GetName(const RecordBytes& Bytes, std::size_t Offset, StoredName& Name) {
  std::copy_n(Bytes.begin() + Offset, NameSize, Name.Bytes.begin());
}

}  // namespace

std::string StoredName::Get() const { return std::string(Bytes.begin() + 1, Bytes.begin() + 1 + Bytes[0]); }

void StoredName::Set(std::string_view Name) {
  const std::size_t length = std::min(Name.size(), NameSize - 1);
  Bytes[0] = static_cast<std::uint8_t>(length);
  std::copy_n(Name.begin(), length, Bytes.begin() + 1);
}

std::array<std::uint8_t, SettingsRecordSize> SettingsRecord::Encode() const {
  RecordBytes bytes{};
  PutName(bytes, LastPlayerNameOffset, LastPlayerName);
  for (std::size_t slot = 0; slot < HighScoreSlots; ++slot) {
    PutName(bytes, HighScoreNamesOffset + slot * NameSize, HighScoreNames[slot]);
    PutInt32(bytes, HighScorePointsOffset + slot * 4, HighScorePoints[slot]);
  }
  bytes[NetworkCheckedOffset] = NetworkChecked;
  bytes[DoubledCheckedOffset] = DoubledChecked;
  std::copy(Reserved.begin(), Reserved.end(), bytes.begin() + ReservedOffset);
  PutInt32(bytes, ConnectionIndexOffset, ConnectionIndex);
  PutInt32(bytes, TrackPositionOffset, TrackPosition);
  return bytes;
}

void SettingsRecord::Decode(std::span<const std::uint8_t> Bytes) {
  RecordBytes bytes = Encode();
  std::copy_n(Bytes.begin(), std::min(Bytes.size(), SettingsRecordSize), bytes.begin());
  GetName(bytes, LastPlayerNameOffset, LastPlayerName);
  for (std::size_t slot = 0; slot < HighScoreSlots; ++slot) {
    GetName(bytes, HighScoreNamesOffset + slot * NameSize, HighScoreNames[slot]);
    HighScorePoints[slot] = GetInt32(bytes, HighScorePointsOffset + slot * 4);
  }
  NetworkChecked = bytes[NetworkCheckedOffset];
  DoubledChecked = bytes[DoubledCheckedOffset];
  std::copy_n(bytes.begin() + ReservedOffset, Reserved.size(), Reserved.begin());
  ConnectionIndex = GetInt32(bytes, ConnectionIndexOffset);
  TrackPosition = GetInt32(bytes, TrackPositionOffset);
}

void LoadSettings(SettingsRecord& Record, const std::string& FileName) {
  RecordBytes bytes{};
  std::size_t count = 0;
  if (platform::ReadFileStart(FileName, bytes, count)) Record.Decode(std::span(bytes).first(count));
}

void SaveSettings(const SettingsRecord& Record, const std::string& FileName) {
  platform::ReplaceFile(FileName, Record.Encode());
}

void InsertHighScore(SettingsRecord& Record, std::int32_t Score, const std::string& PlayerName) {
  auto& points = Record.HighScorePoints;
  auto& names = Record.HighScoreNames;
  // Slot n lives at index n - 1: find the first ranked slot that the score beats.
  int slot = 1;
  while (slot < RankedHighScoreSlots && points[slot - 1] >= Score) ++slot;
  if (points[slot - 1] >= Score) return;
  for (int from = RankedHighScoreSlots - 1; from >= slot; --from) {
    points[from] = points[from - 1];
    names[from] = names[from - 1];
  }
  points[slot - 1] = Score;
  names[slot - 1].Set(PlayerName);
}

void ResetHighScores(SettingsRecord& Record) {
  for (int slot = 1; slot <= HighScoreSlots; ++slot) {
    Record.HighScoreNames[slot - 1].Set(DefaultHighScoreName);
    Record.HighScorePoints[slot - 1] = 550 - 50 * slot;
  }
}
