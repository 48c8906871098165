#include "Window.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "PictureScaler.h"

namespace platform {
namespace {

constexpr const char* WindowDataName = "platform::Window";

Window::Display& DefaultDisplaySetting() {
  static Window::Display display = Window::Display::OnScreen;
  return display;
}

std::int32_t WidthOf(const RECT& r) { return std::max(1, r.right - r.left); }
std::int32_t HeightOf(const RECT& r) { return std::max(1, r.bottom - r.top); }

// Mesa draws in software where there is no graphics card (a virtual machine, a remote desktop, a
// basic driver), and SDL still reports its OpenGL as accelerated: scaling a frame through a 3-D
// pipeline in software costs far more than copying its pixels.
bool DrawsInSoftware(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
  if ((info.flags & SDL_RENDERER_SOFTWARE) != 0) return true;
  if (!std::string_view(info.name).starts_with("opengl")) return false;
  using GetString = const unsigned char* (*)(unsigned);
  constexpr unsigned GlRenderer = 0x1F01;
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString ? getString(GlRenderer) : nullptr;
  if (!name) return false;
  const std::string_view glRenderer(reinterpret_cast<const char*>(name));
  for (const std::string_view software : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
    if (glRenderer.find(software) != std::string_view::npos) return true;
  return false;
}

// The window's own pixels, where the scaler writes: 32 bits with red, green and blue in the order
// of the game's pictures.
bool TakesPicturesAsTheyAre(const SDL_Surface* surface) {
  return surface && surface->format->BytesPerPixel == 4 && surface->format->Rmask == 0x00FF0000 &&
         surface->format->Gmask == 0x0000FF00 && surface->format->Bmask == 0x000000FF;
}

// With SDL's video started or not, as it is.
std::optional<std::string> WhyNotSeen(bool videoRunning) {
  if (!videoRunning) return std::string(SDL_GetError());
  const std::string_view driver = SDL_GetCurrentVideoDriver();
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  if (driver == "offscreen" && !(asked && driver == asked))
    return std::string("weder X11 noch Wayland erreichbar (DISPLAY, WAYLAND_DISPLAY)");
  return std::nullopt;
}

bool ADisplayIsNamed() { return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY"); }

}  // namespace

// Keeps SDL's video running for as long as a window, or the program, needs it.
struct VideoSubsystem {
  VideoSubsystem() : running(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {}
  VideoSubsystem(const VideoSubsystem&) = delete;
  VideoSubsystem& operator=(const VideoSubsystem&) = delete;
  ~VideoSubsystem() {
    if (running) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  const bool running;
};

// An X server whose last client has just left starts afresh and turns away whoever connects in
// that moment, and SDL connects, leaves and connects again as it starts: a display that is named
// but turned us away is tried again.
DisplayConnection::DisplayConnection() {
  constexpr int Attempts = 3;
  constexpr std::chrono::milliseconds BetweenAttempts{100};
  for (int attempt = 1;; ++attempt) {
    video_ = std::make_unique<VideoSubsystem>();
    whyNotSeen_ = WhyNotSeen(video_->running);
    if (!whyNotSeen_ || !ADisplayIsNamed() || attempt == Attempts) return;
    video_.reset();
    std::this_thread::sleep_for(BetweenAttempts);
  }
}

DisplayConnection::~DisplayConnection() = default;

Window::Display Window::DefaultDisplay() { return DefaultDisplaySetting(); }

ScopedHiddenWindows::ScopedHiddenWindows() : display_(DefaultDisplaySetting(), Window::Display::Hidden) {}

Window::Window(const std::string& title, const RECT& bounds, Display display, Frame frame) : bounds_(bounds) {
  if (display != Display::OnScreen) return;
  video_ = std::make_unique<VideoSubsystem>();
  if (!video_->running) return;
  const Uint32 flags =
      SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI | (frame == Frame::Borderless ? SDL_WINDOW_BORDERLESS : 0);
  window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, WidthOf(bounds),
                             HeightOf(bounds), flags);
  if (!window_) return;
  SDL_SetWindowData(window_, WindowDataName, this);
  SetBounds(bounds);
  // For an OpenGL renderer SDL puts a new system window in place of the first one. The window is
  // shown only once that is settled, so that it appears once, and keys sent to it as it appears
  // are not sent to a window about to go.
  Renderer();
  SDL_ShowWindow(window_);
}

Window::~Window() {
  if (window_ && !cursorVisible_) SDL_ShowCursor(SDL_ENABLE);
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

SIZE Window::DesktopSize() const {
  SDL_DisplayMode mode;
  if (window_ && SDL_GetDesktopDisplayMode(std::max(0, SDL_GetWindowDisplayIndex(window_)), &mode) == 0)
    return {mode.w, mode.h};
  return HiddenDesktopSize;
}

// A small window on a large desktop is shown at a whole multiple, so that it stays readable on a
// modern screen without taking more than half of it.
std::int32_t Window::WindowScale() const {
  SDL_Rect usable{0, 0, HiddenDesktopSize.cx, HiddenDesktopSize.cy};
  if (window_) SDL_GetDisplayUsableBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &usable);
  return std::max(1, std::min(usable.w / WidthOf(bounds_), usable.h / HeightOf(bounds_)) / 2);
}

void Window::SetBounds(const RECT& bounds) {
  bounds_ = bounds;
  if (!window_ || fullscreen_ || exclusive_) return;
  const std::int32_t scale = WindowScale();
  SDL_SetWindowSize(window_, WidthOf(bounds) * scale, HeightOf(bounds) * scale);
  SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

SDL_Renderer* Window::Renderer() {
  if (renderer_ || !window_ || framebuffer_) return renderer_;
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  if (renderer_ && !DrawsInSoftware(renderer_)) return renderer_;
  if (renderer_) SDL_DestroyRenderer(renderer_);
  renderer_ = nullptr;
  if (UseFramebuffer()) return nullptr;
  // A window without pixels of its own (SDL 2 on Wayland) is still best served by a renderer.
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  return renderer_;
}

// Without a graphics card the picture goes straight into the window's own pixels, scaled by our
// whole-factor copy; SDL must then not put a renderer of its own behind the window's pixels.
bool Window::UseFramebuffer() {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  framebuffer_ = TakesPicturesAsTheyAre(SDL_GetWindowSurface(window_));
  if (!framebuffer_) SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
  return framebuffer_;
}

bool Window::RendererHasVsync() {
  SDL_RendererInfo info;
  return Renderer() && SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC);
}

SDL_Texture* Window::PictureTexture(std::int32_t width, std::int32_t height) {
  int textureWidth = 0;
  int textureHeight = 0;
  if (texture_ && SDL_QueryTexture(texture_, nullptr, nullptr, &textureWidth, &textureHeight) == 0 &&
      textureWidth == width && textureHeight == height)
    return texture_;
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
  if (!Renderer()) return nullptr;
  // The pictures' fourth byte is no alpha (what the toolkit draws leaves it 0): a texture with alpha
  // would blend those pixels away.
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height);
  if (texture_) SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
  return texture_;
}

void Window::ShowPicture(std::int32_t width, std::int32_t height, const PictureWriter& draw) {
  const bool resized = width != pictureWidth_ || height != pictureHeight_;
  pictureWidth_ = width;
  pictureHeight_ = height;
  if (!window_) {
    KeepPicture(draw);
    return;
  }
  if (resized && exclusive_ && !fullscreen_) FitWindowToPicture();
  Renderer();  // decides how pictures are shown
  if (framebuffer_) {
    KeepPicture(draw);
    PresentFramebuffer();
    return;
  }
  SDL_Texture* texture = PictureTexture(width, height);
  void* pixels = nullptr;
  int pitch = 0;
  if (!texture || SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0) return;
  draw(static_cast<std::uint8_t*>(pixels), pitch);
  SDL_UnlockTexture(texture);
  PresentTexture();
}

void Window::KeepPicture(const PictureWriter& draw) {
  picture_.resize(static_cast<std::size_t>(pictureWidth_) * static_cast<std::size_t>(pictureHeight_));
  draw(reinterpret_cast<std::uint8_t*>(picture_.data()), pictureWidth_ * 4);
}

// Only the picture's place is sent to the screen, unless the window's pixels are new (the window
// changed its size) or the place moved: then the black round it goes too.
void Window::PresentFramebuffer() {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface || picture_.empty()) return;
  const RECT place = ScaledPictureRect(surface->w, surface->h, pictureWidth_, pictureHeight_);
  const PixelRows output{static_cast<std::uint8_t*>(surface->pixels), surface->pitch, surface->w, surface->h};
  const PixelRows picture{reinterpret_cast<std::uint8_t*>(picture_.data()), pictureWidth_ * 4, pictureWidth_,
                          pictureHeight_};
  const bool whole = surface != shownSurface_ || surface->w != shownSize_.cx || surface->h != shownSize_.cy ||
                     place.left != shownPlace_.left || place.top != shownPlace_.top;
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  if (whole) BlackenBorder(output, place);
  if (!ScalePicture(picture, output, place)) ShrinkPicture(surface, place);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  const SDL_Rect changed{place.left, place.top, place.right - place.left, place.bottom - place.top};
  if (whole)
    SDL_UpdateWindowSurface(window_);
  else
    SDL_UpdateWindowSurfaceRects(window_, &changed, 1);
  shownSurface_ = surface;
  shownSize_ = {surface->w, surface->h};
  shownPlace_ = place;
}

// A window smaller than the picture shows it shrunk; SDL's own scaling does for that rare case.
void Window::ShrinkPicture(SDL_Surface* surface, const RECT& place) {
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(picture_.data(), pictureWidth_, pictureHeight_, 32,
                                                            pictureWidth_ * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!picture) return;
  SDL_Rect target{place.left, place.top, place.right - place.left, place.bottom - place.top};
  SDL_BlitScaled(picture, nullptr, surface, &target);
  SDL_FreeSurface(picture);
}

SIZE Window::OutputSize() {
  if (framebuffer_) {
    const SDL_Surface* surface = SDL_GetWindowSurface(window_);
    return surface ? SIZE{surface->w, surface->h} : SIZE{1, 1};
  }
  int width = 1;
  int height = 1;
  if (Renderer()) SDL_GetRendererOutputSize(renderer_, &width, &height);
  return {width, height};
}

void Window::PresentTexture() {
  if (framebuffer_) {
    PresentFramebuffer();
    return;
  }
  if (!texture_ || !renderer_) return;
  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
  const RECT place = ScaledPictureRect(outputWidth, outputHeight, pictureWidth_, pictureHeight_);
  const SDL_Rect target{place.left, place.top, place.right - place.left, place.bottom - place.top};
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, &target);
  SDL_RenderPresent(renderer_);
}

POINT Window::PicturePoint(std::int32_t windowX, std::int32_t windowY) {
  const std::int32_t width = pictureWidth_ > 0 ? pictureWidth_ : WidthOf(bounds_);
  const std::int32_t height = pictureHeight_ > 0 ? pictureHeight_ : HeightOf(bounds_);
  POINT point{windowX, windowY};
  if (window_ && (Renderer() || framebuffer_)) {
    int windowWidth = 1;
    int windowHeight = 1;
    SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
    const SIZE output = OutputSize();
    const std::int32_t outputWidth = output.cx;
    const std::int32_t outputHeight = output.cy;
    const RECT place = ScaledPictureRect(outputWidth, outputHeight, width, height);
    // High-density screens have more output pixels than window coordinates.
    const std::int64_t outX = std::int64_t{windowX} * outputWidth / std::max(1, windowWidth);
    const std::int64_t outY = std::int64_t{windowY} * outputHeight / std::max(1, windowHeight);
    point.x = static_cast<LONG>((outX - place.left) * width / std::max(1, place.right - place.left));
    point.y = static_cast<LONG>((outY - place.top) * height / std::max(1, place.bottom - place.top));
  }
  return {std::clamp(point.x, 0, width - 1), std::clamp(point.y, 0, height - 1)};
}

void Window::SetExclusive(bool exclusive) {
  exclusive_ = exclusive;
  if (window_) {
    SDL_SetWindowResizable(window_, exclusive ? SDL_TRUE : SDL_FALSE);
    // SDL lets the mouse go while another window has the focus and takes it back on return.
    SDL_SetWindowGrab(window_, exclusive ? SDL_TRUE : SDL_FALSE);
  }
  SetFullscreen(exclusive);
}

void Window::SetFullscreen(bool fullscreen) {
  fullscreen_ = fullscreen;
  if (!window_) return;
  if (fullscreen) CoverDisplay();
  SDL_SetWindowFullscreen(window_, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (fullscreen) return;
  if (!exclusive_)
    SetBounds(bounds_);
  else if (PlacedOnlyByCompositor())
    SDL_MaximizeWindow(window_);
  else
    FitWindowToPicture();
}

// A Wayland window cannot place itself: grown where it was, it would run off the screen, and
// without a frame the player could not move it back. Maximised, the compositor fits it into the
// desktop's free area, and the picture is shown there at the largest whole factor.
bool Window::PlacedOnlyByCompositor() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::string_view(driver) == "wayland";
}

void Window::SetCursorVisible(bool visible) {
  cursorVisible_ = visible;
  if (window_ && (SDL_GetMouseFocus() == window_ || SDL_GetKeyboardFocus() == window_))
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

// Only a window manager grants the full-screen request; on an X server without one the window would
// stay as it was, so it first covers the whole screen by itself.
void Window::CoverDisplay() {
  SDL_Rect display;
  if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &display) != 0) return;
  SDL_SetWindowPosition(window_, display.x, display.y);
  SDL_SetWindowSize(window_, display.w, display.h);
}

// The largest whole multiple of the picture that fits on the desktop, so pixels stay square and sharp.
void Window::FitWindowToPicture() {
  if (!window_ || pictureWidth_ <= 0 || pictureHeight_ <= 0) return;
  SDL_Rect usable{0, 0, pictureWidth_, pictureHeight_};
  SDL_GetDisplayUsableBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &usable);
  const int factor = std::max(1, std::min(usable.w / pictureWidth_, usable.h / pictureHeight_));
  SDL_SetWindowSize(window_, pictureWidth_ * factor, pictureHeight_ * factor);
  SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

bool Window::HandleEvent(const SDL_Event& event) {
  if (event.type == SDL_WINDOWEVENT) {
    switch (event.window.event) {
      case SDL_WINDOWEVENT_EXPOSED:
      case SDL_WINDOWEVENT_SIZE_CHANGED:
        PresentTexture();
        break;
      case SDL_WINDOWEVENT_ENTER:
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        SDL_ShowCursor(cursorVisible_ ? SDL_ENABLE : SDL_DISABLE);
        break;
      case SDL_WINDOWEVENT_LEAVE:
        SDL_ShowCursor(SDL_ENABLE);
        break;
      default:
        break;
    }
    return false;
  }
  const bool altEnter = exclusive_ && event.type == SDL_KEYDOWN && !event.key.repeat &&
                        (event.key.keysym.sym == SDLK_RETURN || event.key.keysym.sym == SDLK_KP_ENTER) &&
                        (event.key.keysym.mod & KMOD_ALT);
  if (altEnter) SetFullscreen(!fullscreen_);
  return altEnter;
}

Window* Window::FromEvent(const SDL_Event& event) {
  if (event.type != SDL_WINDOWEVENT && event.type != SDL_KEYDOWN && event.type != SDL_KEYUP &&
      event.type != SDL_MOUSEBUTTONDOWN && event.type != SDL_MOUSEBUTTONUP && event.type != SDL_MOUSEMOTION &&
      event.type != SDL_TEXTINPUT)
    return nullptr;
  // Every one of these events keeps its window identifier in the same place.
  return FromSdl(SDL_GetWindowFromID(event.window.windowID));
}

Window* Window::FromSdl(SDL_Window* window) {
  return window ? static_cast<Window*>(SDL_GetWindowData(window, WindowDataName)) : nullptr;
}

RECT ScaledPictureRect(std::int32_t outputWidth, std::int32_t outputHeight, std::int32_t pictureWidth,
                       std::int32_t pictureHeight) {
  std::int32_t width = pictureWidth;
  std::int32_t height = pictureHeight;
  const std::int32_t factor = std::min(outputWidth / pictureWidth, outputHeight / pictureHeight);
  if (factor >= 1) {
    width *= factor;
    height *= factor;
  } else if (outputWidth * pictureHeight < outputHeight * pictureWidth) {
    width = outputWidth;
    height = outputWidth * pictureHeight / pictureWidth;
  } else {
    height = outputHeight;
    width = outputHeight * pictureWidth / pictureHeight;
  }
  const std::int32_t left = (outputWidth - width) / 2;
  const std::int32_t top = (outputHeight - height) / 2;
  return {left, top, left + width, top + height};
}

}  // namespace platform

BOOL GetClientRect(HWND window, RECT* rect) {
  if (!window || !rect) return FALSE;
  const RECT bounds = window->Bounds();
  *rect = {0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
  return TRUE;
}

BOOL ClientToScreen(HWND window, POINT* point) {
  if (!window || !point) return FALSE;
  point->x += window->Bounds().left;
  point->y += window->Bounds().top;
  return TRUE;
}
