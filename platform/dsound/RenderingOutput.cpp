#include "RenderingOutput.h"

#include <algorithm>

namespace platform::dsound {

bool RenderingOutput::Start(Mixer& mixer) {
  if (mixer_ != nullptr) return false;
  mixer_ = &mixer;
  return true;
}

void RenderingOutput::Render(std::int16_t* stereo, std::size_t frames) {
  if (mixer_ != nullptr)
    mixer_->Mix(stereo, frames);
  else
    std::fill_n(stereo, 2 * frames, std::int16_t{0});
}

}  // namespace platform::dsound
