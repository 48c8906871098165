#pragma once
// A top-level window: on screen through SDL2 when there is a display, otherwise a window in memory
// only, which behaves the same but shows nothing. A window handle (HWND) is a pointer to one.

#include <memory>
#include <string>

#include "WinTypes.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace platform {

class Window {
 public:
  enum class Display { OnScreen, Hidden };

  // Bounds are in screen coordinates; the whole window is client area (the game's have no border).
  Window(const std::string& title, const RECT& bounds, Display display);
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window();

  RECT Bounds() const { return bounds_; }
  void SetBounds(const RECT& bounds);

  // The SDL window and its renderer; both null for a window that is not on screen.
  SDL_Window* Sdl() const { return window_; }
  SDL_Renderer* Renderer();
  bool RendererHasVsync();
  // A 32-bit streaming texture of the given size for the picture the window shows; null off screen.
  SDL_Texture* PictureTexture(int width, int height);

  // Desktop full screen, or a window whose size is a whole multiple of the picture it shows.
  void SetFullscreen(bool fullscreen);
  bool Fullscreen() const { return fullscreen_; }
  void SetPictureSize(int width, int height);

  // Handles what the platform does for every window (Alt+Enter); true when the event is used up.
  bool HandleEvent(const SDL_Event& event);
  // The window an event is meant for; null when it is none of ours.
  static Window* FromEvent(const SDL_Event& event);

 private:
  void FitWindowToPicture();

  RECT bounds_;
  std::unique_ptr<struct VideoSubsystem> video_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  bool fullscreen_ = false;
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
};

}  // namespace platform

using HWND = platform::Window*;

BOOL GetClientRect(HWND window, RECT* rect);
BOOL ClientToScreen(HWND window, POINT* point);
