// Arbitrary bytes as "dat.dat": decoded over a fresh record they must encode back to themselves,
// and a score ranked into whatever table they hold must keep that table in order.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <span>

#include "game/rules/SettingsRecord.h"

namespace {

void CheckRoundTrip(std::span<const std::uint8_t> input, const SettingsRecord& record) {
  const auto encoded = record.Encode();
  const std::size_t leading = std::min(input.size(), SettingsRecordSize);
  // A fresh record is all zero, so what the input does not reach must still be zero.
  if (!std::equal(input.begin(), input.begin() + leading, encoded.begin())) std::abort();
  if (std::any_of(encoded.begin() + leading, encoded.end(), [](std::uint8_t b) { return b != 0; })) std::abort();
}

bool RankedSlotsDescend(const SettingsRecord& record) {
  const auto& points = record.HighScorePoints;
  return std::is_sorted(points.begin(), points.begin() + RankedHighScoreSlots, std::greater<>());
}

// The score comes from the input's last bytes, so that it and the table vary independently.
std::int32_t ScoreFrom(std::span<const std::uint8_t> input) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4 && i < input.size(); ++i) bits = bits << 8 | input[input.size() - 1 - i];
  return static_cast<std::int32_t>(bits);
}

// In a ranked table the score enters exactly when it beats slot 9, below every score it does not
// beat; the slots beneath it move down by one. Slot 10 and the rest of the record never change.
void CheckInsertion(std::span<const std::uint8_t> input, SettingsRecord record) {
  const SettingsRecord before = record;
  const std::int32_t score = ScoreFrom(input);
  InsertHighScore(record, score, "Fuzz");
  if (record.HighScorePoints[9] != before.HighScorePoints[9]) std::abort();
  if (record.HighScoreNames[9].Bytes != before.HighScoreNames[9].Bytes) std::abort();
  if (record.LastPlayerName.Bytes != before.LastPlayerName.Bytes || record.Reserved != before.Reserved) std::abort();
  if (!RankedSlotsDescend(before)) return;

  if (!RankedSlotsDescend(record)) std::abort();
  const auto& old = before.HighScorePoints;
  if (score <= old[RankedHighScoreSlots - 1]) {
    if (record.Encode() != before.Encode()) std::abort();
    return;
  }
  const auto slot = static_cast<std::size_t>(
      std::find_if(old.begin(), old.end(), [score](std::int32_t points) { return points < score; }) - old.begin());
  if (record.HighScorePoints[slot] != score || record.HighScoreNames[slot].Get() != "Fuzz") std::abort();
  for (std::size_t i = 0; i < slot; ++i)
    if (record.HighScoreNames[i].Bytes != before.HighScoreNames[i].Bytes || record.HighScorePoints[i] != old[i])
      std::abort();
  for (std::size_t i = slot + 1; i < RankedHighScoreSlots; ++i)
    if (record.HighScoreNames[i].Bytes != before.HighScoreNames[i - 1].Bytes || record.HighScorePoints[i] != old[i - 1])
      std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  SettingsRecord record;
  record.Decode(input);
  CheckRoundTrip(input, record);
  CheckInsertion(input, record);
  return 0;
}
