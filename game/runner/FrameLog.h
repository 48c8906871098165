#pragma once
// The real time between the frames of a round as a player sees them, one line a frame: the
// interval in microseconds since the frame before, what ran in it besides play ("record" when a
// record transfer with the other player did, "handshake" when the round's opening or ending
// agreement did, no frames of play; else "play"), and when the frame came, in microseconds of
// the system's monotonic clock, which other programs can set beside their own times. A developer
// reads it to see how a round over a slow line feels.

#include <chrono>
#include <cstdint>
#include <optional>
#include <ostream>

// What the game has shown so far, read at a pass of message processing.
struct FrameMark {
  std::int64_t Round = 0;      // which round: the tick it started at
  std::int64_t Frames = 0;     // frames shown in that round
  std::int64_t Transfers = 0;  // record transfers of the match so far
  bool Playing = false;        // the round runs; its last frame belongs to its end
};

class FrameLog {
 public:
  using Clock = std::chrono::steady_clock;

  explicit FrameLog(std::ostream& Out) : out_(Out) {}

  // A pass at Now, once the frame it follows is on the screen: a frame new since the last pass
  // gets its line, the first of them only a start.
  void Pass(const FrameMark& Mark, Clock::time_point Now);

 private:
  std::ostream& out_;
  std::optional<FrameMark> last_;
  Clock::time_point lastShown_{};
};
