#pragma once
// The network unit's error class and the sentences for DirectPlay's result codes.

#include <cstdint>
#include <string>

#include "lib/VXG.h"

// The English sentence for a DirectPlay result code; "Unrecognized Error" for any other code.
std::string DirectPlayErrorText(std::int32_t Code);

class EVXGNetworkError : public EVXGError {
 public:
  EVXGNetworkError(const std::string& Operation, std::int32_t ErrorCode)
      : EVXGError(Operation, ErrorCode, DirectPlayErrorText(ErrorCode)) {}
  explicit EVXGNetworkError(std::string Message) : EVXGError(std::move(Message)) {}
};
