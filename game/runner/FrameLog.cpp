#include "FrameLog.h"

namespace {

const char* WhatRan(const FrameMark& Before, const FrameMark& Now) {
  if (Now.Round != Before.Round || !Now.Playing) return "handshake";
  if (Now.Transfers != Before.Transfers) return "record";
  return "play";
}

}  // namespace

// A round set up but not yet shown says nothing: its first frame comes after its opening.
void FrameLog::Pass(const FrameMark& Mark, Clock::time_point Now) {
  if (Mark.Frames == 0) return;
  if (last_ && Mark.Round == last_->Round && Mark.Frames == last_->Frames) return;
  using std::chrono::microseconds;
  if (last_)
    out_ << std::chrono::duration_cast<microseconds>(Now - lastShown_).count() << ' ' << WhatRan(*last_, Mark) << ' '
         << std::chrono::duration_cast<microseconds>(Now.time_since_epoch()).count() << '\n';
  last_ = Mark;
  lastShown_ = Now;
}
