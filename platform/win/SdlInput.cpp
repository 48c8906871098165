#include "SdlInput.h"

#include <SDL.h>

#include <chrono>
#include <thread>

#include "CodePage.h"

namespace platform {
namespace {

TShiftState ShiftStateOf(Uint16 mod) {
  TShiftState state = 0;
  if (mod & KMOD_SHIFT) state |= Only(ShiftKey::Shift);
  if (mod & KMOD_ALT) state |= Only(ShiftKey::Alt);
  if (mod & KMOD_CTRL) state |= Only(ShiftKey::Ctrl);
  return state;
}

MouseButton ButtonOf(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_RIGHT:
      return MouseButton::Right;
    case SDL_BUTTON_MIDDLE:
      return MouseButton::Middle;
    default:
      return MouseButton::Left;
  }
}

POINT ScreenPoint(Window& window, POINT picturePoint) {
  return {window.Bounds().left + picturePoint.x, window.Bounds().top + picturePoint.y};
}

}  // namespace

WORD VirtualKeyOf(int sdlKey) {
  if (sdlKey >= SDLK_a && sdlKey <= SDLK_z) return static_cast<WORD>('A' + (sdlKey - SDLK_a));
  if (sdlKey >= SDLK_0 && sdlKey <= SDLK_9) return static_cast<WORD>('0' + (sdlKey - SDLK_0));
  if (sdlKey >= SDLK_F1 && sdlKey <= SDLK_F12) return static_cast<WORD>(VK_F1 + (sdlKey - SDLK_F1));
  switch (sdlKey) {
    case SDLK_BACKSPACE:
      return VK_BACK;
    case SDLK_TAB:
      return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return VK_RETURN;
    case SDLK_ESCAPE:
      return VK_ESCAPE;
    case SDLK_SPACE:
      return VK_SPACE;
    case SDLK_PAGEUP:
      return VK_PRIOR;
    case SDLK_PAGEDOWN:
      return VK_NEXT;
    case SDLK_END:
      return VK_END;
    case SDLK_HOME:
      return VK_HOME;
    case SDLK_LEFT:
      return VK_LEFT;
    case SDLK_UP:
      return VK_UP;
    case SDLK_RIGHT:
      return VK_RIGHT;
    case SDLK_DOWN:
      return VK_DOWN;
    case SDLK_INSERT:
      return VK_INSERT;
    case SDLK_DELETE:
      return VK_DELETE;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
      return VK_MENU;
    default:
      return 0;
  }
}

std::vector<InputEvent> SdlInput::TakePending() {
  std::vector<InputEvent> events;
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return events;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (std::optional<InputEvent> translated = Translate(event)) events.push_back(std::move(*translated));
  }
  return events;
}

std::optional<InputEvent> SdlInput::Translate(const SDL_Event& event) {
  // The system asks the program to end (a signal, the session closing): as if its window were closed.
  if (event.type == SDL_QUIT) {
    InputEvent in;
    in.kind = InputKind::Close;
    return in;
  }
  Window* window = Window::FromEvent(event);
  if (!window || window->HandleEvent(event)) return std::nullopt;
  InputEvent in;
  in.window = window;
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      in.kind = event.type == SDL_KEYDOWN ? InputKind::KeyDown : InputKind::KeyUp;
      in.key = VirtualKeyOf(event.key.keysym.sym);
      in.shift = ShiftStateOf(event.key.keysym.mod);
      in.repeat = event.key.repeat != 0;
      if (in.key == 0) return std::nullopt;
      return in;
    case SDL_TEXTINPUT:
      // Alt and Ctrl with a letter are commands, not typing; AltGr (right Alt) types characters.
      if (SDL_GetModState() & (KMOD_LALT | KMOD_CTRL)) return std::nullopt;
      in.kind = InputKind::Text;
      in.text = Utf8ToCp1252(event.text.text);
      if (in.text.empty()) return std::nullopt;
      return in;
    case SDL_MOUSEMOTION:
      in.kind = InputKind::MouseMove;
      in.position = window->PicturePoint(event.motion.x, event.motion.y);
      in.shift = ShiftStateOf(static_cast<Uint16>(SDL_GetModState()));
      lastPosition_ = ScreenPoint(*window, in.position);
      return in;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      in.kind = event.type == SDL_MOUSEBUTTONDOWN ? InputKind::MouseDown : InputKind::MouseUp;
      in.button = ButtonOf(event.button.button);
      in.position = window->PicturePoint(event.button.x, event.button.y);
      in.shift = ShiftStateOf(static_cast<Uint16>(SDL_GetModState()));
      lastPosition_ = ScreenPoint(*window, in.position);
      return in;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE)
        in.kind = InputKind::Close;
      else if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
        in.kind = InputKind::FocusGained;
      else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
        in.kind = InputKind::FocusLost;
      else
        return std::nullopt;
      return in;
    default:
      return std::nullopt;
  }
}

void SdlInput::Wait() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) {
    SDL_WaitEvent(nullptr);
    return;
  }
  // Without a screen nothing can arrive; waiting a little keeps a waiting loop from spinning.
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

POINT SdlInput::CursorPosition() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return lastPosition_;
  if (Window* window = Window::FromSdl(SDL_GetMouseFocus())) {
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    lastPosition_ = ScreenPoint(*window, window->PicturePoint(x, y));
  }
  return lastPosition_;
}

}  // namespace platform
