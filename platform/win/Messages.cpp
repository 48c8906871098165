#include "Messages.h"

#include <SDL.h>

#include "Window.h"

namespace platform {

void ProcessMessages() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (Window* window = Window::FromEvent(event)) window->HandleEvent(event);
  }
}

}  // namespace platform
