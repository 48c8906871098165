#include "ColorCodec.h"

#include <bit>

namespace platform::gdi {

ColorCodec::Channel::Channel(DWORD mask) {
  if (mask == 0) return;
  const int lowest = std::countr_zero(mask);
  const int highest = 31 - std::countl_zero(mask);
  shift_ = static_cast<std::uint32_t>(highest - lowest >= 8 ? highest - 7 : lowest);
  field_ = mask >> shift_ & 0xFF;
  const std::uint32_t top = field_;
  for (std::uint32_t value = 0; value <= field_; ++value)
    to8_[value] = static_cast<std::uint8_t>((value * 255 + top / 2) / top);
  for (std::uint32_t eight = 0; eight < 256; ++eight)
    from8_[eight] = ((eight * top + 127) / 255 & field_) << shift_ & mask;
}

}  // namespace platform::gdi
