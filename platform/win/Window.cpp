#include "Window.h"

#include <SDL.h>

#include <algorithm>

namespace platform {
namespace {
constexpr const char* WindowDataName = "platform::Window";
}

// Keeps SDL's video running for as long as a window needs it.
struct VideoSubsystem {
  VideoSubsystem() : running(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {}
  VideoSubsystem(const VideoSubsystem&) = delete;
  VideoSubsystem& operator=(const VideoSubsystem&) = delete;
  ~VideoSubsystem() {
    if (running) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  const bool running;
};

Window::Window(const std::string& title, const RECT& bounds, Display display) : bounds_(bounds) {
  if (display != Display::OnScreen) return;
  video_ = std::make_unique<VideoSubsystem>();
  if (!video_->running) return;
  window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             std::max(1, bounds.right - bounds.left), std::max(1, bounds.bottom - bounds.top),
                             SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE);
  if (window_) SDL_SetWindowData(window_, WindowDataName, this);
}

Window::~Window() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

void Window::SetBounds(const RECT& bounds) {
  bounds_ = bounds;
  if (window_ && !fullscreen_ && pictureWidth_ == 0)
    SDL_SetWindowSize(window_, std::max(1, bounds.right - bounds.left), std::max(1, bounds.bottom - bounds.top));
}

SDL_Renderer* Window::Renderer() {
  if (!renderer_ && window_) {
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  }
  return renderer_;
}

bool Window::RendererHasVsync() {
  SDL_RendererInfo info;
  return Renderer() && SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC);
}

SDL_Texture* Window::PictureTexture(int width, int height) {
  int textureWidth = 0;
  int textureHeight = 0;
  if (texture_ && SDL_QueryTexture(texture_, nullptr, nullptr, &textureWidth, &textureHeight) == 0 &&
      textureWidth == width && textureHeight == height)
    return texture_;
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
  if (!Renderer()) return nullptr;
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
  if (texture_) SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
  SetPictureSize(width, height);
  return texture_;
}

void Window::SetFullscreen(bool fullscreen) {
  fullscreen_ = fullscreen;
  if (!window_) return;
  SDL_SetWindowFullscreen(window_, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (!fullscreen) FitWindowToPicture();
}

void Window::SetPictureSize(int width, int height) {
  pictureWidth_ = width;
  pictureHeight_ = height;
  if (!fullscreen_) FitWindowToPicture();
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
  const bool altEnter = event.type == SDL_KEYDOWN && !event.key.repeat &&
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
  SDL_Window* window = SDL_GetWindowFromID(event.window.windowID);
  return window ? static_cast<Window*>(SDL_GetWindowData(window, WindowDataName)) : nullptr;
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
