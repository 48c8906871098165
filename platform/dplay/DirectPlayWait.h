#pragma once
// An interface of ours beside DirectPlay's own: waiting for traffic instead of polling Receive in
// a loop. A program that waits for another player's answer sleeps until a message may be there.

#include "DPlay.h"

inline constexpr IID IID_IDirectPlayWait = {
    0x7A2C94E1, 0x3B5D, 0x4C8F, {0x9E, 0x16, 0x5D, 0x0B, 0x83, 0x47, 0xA2, 0x6C}};

class IDirectPlayWait : public IUnknown {
 public:
  // Returns as soon as a message arrives that was not yet waiting for Receive when the call began,
  // at the latest after Timeout milliseconds; a program that leaves messages waiting does not spin.
  // The time spent waiting is real time also for a program whose clock is scripted.
  virtual HRESULT WaitForMessage(DWORD timeout) = 0;

 protected:
  IDirectPlayWait() = default;
  ~IDirectPlayWait() = default;
};
