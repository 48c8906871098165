#pragma once
// The graphics unit's error class and the sentences for DirectDraw's result codes.

#include <cstdint>
#include <string>

#include "VXG.h"

// The English sentence for a DirectDraw result code; "Unrecognized Error" for any other code.
std::string DirectDrawErrorText(std::int32_t Code);

class EVXGGraphicsError : public EVXGError {
 public:
  EVXGGraphicsError(const std::string& Operation, std::int32_t ErrorCode)
      : EVXGError(Operation, ErrorCode, DirectDrawErrorText(ErrorCode)) {}
  explicit EVXGGraphicsError(std::string Message) : EVXGError(std::move(Message)) {}
};
