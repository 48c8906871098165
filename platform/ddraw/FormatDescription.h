#pragma once
// Between DirectDraw's pixel format records and the layouts the service stores.

#include <optional>

#include "DDraw.h"
#include "platform/pixels/PixelLayout.h"

namespace platform::ddraw {

DDPIXELFORMAT DescribeLayout(const pixels::PixelLayout& layout);

// The layout a record asks for; none when the service cannot make such surfaces.
std::optional<pixels::PixelLayout> LayoutOfFormat(const DDPIXELFORMAT& format);

}  // namespace platform::ddraw
