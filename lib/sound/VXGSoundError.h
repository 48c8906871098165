#pragma once
// The sound unit's error class and the sentences for DirectSound's result codes.

#include <cstdint>
#include <string>

#include "lib/VXG.h"

// The English sentence for a DirectSound result code; "Unrecognized Error" for any other code.
std::string DirectSoundErrorText(std::int32_t Code);

class EVXGSoundError : public EVXGError {
 public:
  EVXGSoundError(const std::string& Operation, std::int32_t ErrorCode)
      : EVXGError(Operation, ErrorCode, DirectSoundErrorText(ErrorCode)) {}
  explicit EVXGSoundError(std::string Message) : EVXGError(std::move(Message)) {}
};
