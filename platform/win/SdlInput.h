#pragma once
// The machine's own input: SDL's events, turned into the application's.

#include <optional>

#include "Input.h"

namespace platform {

class SdlInput final : public InputSource {
 public:
  std::vector<InputEvent> TakePending() override;
  void Wait() override;
  POINT CursorPosition() override;

 private:
  std::optional<InputEvent> Translate(const union SDL_Event& event);

  POINT lastPosition_{};
};

// The virtual key of an SDL key, 0 for keys the game has no code for.
WORD VirtualKeyOf(int sdlKey);

}  // namespace platform
