#pragma once
// A top-level window: on screen through SDL2 when there is a display, otherwise a window in memory
// only, which behaves the same and keeps the picture it shows where a test can read it. A window
// handle (HWND) is a pointer to one.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ScopedOverride.h"
#include "WinTypes.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;
union SDL_Event;

namespace platform {

// The desktop of a process whose windows are not on screen.
inline constexpr SIZE HiddenDesktopSize{1920, 1080};

// SDL's video for as long as the program runs, so that the windows it makes one after another
// share one connection to the display instead of each making its own.
class DisplayConnection {
 public:
  DisplayConnection();
  DisplayConnection(const DisplayConnection&) = delete;
  DisplayConnection& operator=(const DisplayConnection&) = delete;
  ~DisplayConnection();

  // Why no window of this process could be seen, if none could: SDL finds no display, or only the
  // driver it falls back on by itself where there is none, which draws in memory.
  const std::optional<std::string>& WhyWindowsCannotBeSeen() const { return whyNotSeen_; }

 private:
  std::unique_ptr<struct VideoSubsystem> video_;
  std::optional<std::string> whyNotSeen_;
};

class Window {
 public:
  enum class Display { OnScreen, Hidden };
  enum class Frame { Bordered, Borderless };

  // Windows that do not say where they go follow this: on screen, unless a ScopedHiddenWindows lives.
  static Display DefaultDisplay();

  // Bounds are in screen coordinates; the whole window is client area.
  Window(const std::string& title, const RECT& bounds, Display display, Frame frame = Frame::Borderless);
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window();

  RECT Bounds() const { return bounds_; }
  // A new size makes the window on screen that size times its scale, centred.
  void SetBounds(const RECT& bounds);
  bool OnScreen() const { return window_ != nullptr; }
  // The desktop the window stands on, in screen pixels.
  SIZE DesktopSize() const;

  // The SDL window and its renderer; both null for a window that is not on screen.
  SDL_Window* Sdl() const { return window_; }
  SDL_Renderer* Renderer();
  bool RendererHasVsync();

  // Shows a picture: `draw` writes its rows as 0xAARRGGBB into the memory it is given. On screen
  // the picture is scaled by a whole factor, centred on black; off screen it is kept in memory.
  using PictureWriter = std::function<void(std::uint8_t* pixels, std::int32_t pitch)>;
  void ShowPicture(std::int32_t width, std::int32_t height, const PictureWriter& draw);
  // What a window off screen shows now, 0xAARRGGBB row by row; empty before the first picture.
  // (Also on screen where the window's pixels are written directly, without a graphics card.)
  const std::vector<std::uint32_t>& Picture() const { return picture_; }
  SIZE PictureSize() const { return {pictureWidth_, pictureHeight_}; }
  // The picture pixel under a point of the window (in SDL's window coordinates), clamped to the picture.
  POINT PicturePoint(std::int32_t windowX, std::int32_t windowY);

  // A window that shows the display of a full-screen game: desktop full screen, mouse kept inside,
  // Alt+Enter switching to a window that is a whole multiple of the picture and back.
  void SetExclusive(bool exclusive);
  bool Exclusive() const { return exclusive_; }
  void SetFullscreen(bool fullscreen);
  bool Fullscreen() const { return fullscreen_; }
  // Whether the mouse pointer shows over the window.
  void SetCursorVisible(bool visible);
  bool CursorVisible() const { return cursorVisible_; }

  // Handles what the platform does for every window (Alt+Enter, showing the picture again when it
  // was uncovered, the pointer on entering); true when the event is used up.
  bool HandleEvent(const SDL_Event& event);
  // The window an event is meant for; null when it is none of ours.
  static Window* FromEvent(const SDL_Event& event);
  static Window* FromSdl(SDL_Window* window);

 private:
  void FitWindowToPicture();
  void CoverDisplay();
  static bool PlacedOnlyByCompositor();
  void PresentTexture();
  SDL_Texture* PictureTexture(std::int32_t width, std::int32_t height);
  bool UseFramebuffer();
  void KeepPicture(const PictureWriter& draw);
  void PresentFramebuffer();
  void ShrinkPicture(SDL_Surface* surface, const RECT& place);
  // The window's size in pixels as pictures are shown in it.
  SIZE OutputSize();
  // The factor a picture of the window's own size is shown at while it is not full screen.
  std::int32_t WindowScale() const;

  RECT bounds_;
  std::unique_ptr<struct VideoSubsystem> video_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  // Off screen, and where pictures go straight into the window's pixels, the picture is kept here.
  std::vector<std::uint32_t> picture_;
  bool framebuffer_ = false;  // no renderer: pictures go straight into the window's pixels
  // What the window's pixels hold, so that an unchanged border is not sent again.
  const SDL_Surface* shownSurface_ = nullptr;
  SIZE shownSize_{0, 0};
  RECT shownPlace_{0, 0, 0, 0};
  bool exclusive_ = false;
  bool fullscreen_ = false;
  bool cursorVisible_ = true;
  std::int32_t pictureWidth_ = 0;
  std::int32_t pictureHeight_ = 0;
};

// Keeps every window that does not say otherwise off screen for as long as it lives (tests, the
// scripted runner).
class ScopedHiddenWindows {
 public:
  ScopedHiddenWindows();

 private:
  ScopedOverride<Window::Display> display_;
};

// Where a picture goes in an output of the given size: the largest whole multiple that fits,
// centred; shrunk to fit, keeping its shape, when not even one whole copy fits.
RECT ScaledPictureRect(std::int32_t outputWidth, std::int32_t outputHeight, std::int32_t pictureWidth,
                       std::int32_t pictureHeight);

}  // namespace platform

using HWND = platform::Window*;

BOOL GetClientRect(HWND window, RECT* rect);
BOOL ClientToScreen(HWND window, POINT* point);
