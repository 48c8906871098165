#include "Display.h"

#include <algorithm>

#include "SoftwareSurface.h"

namespace platform::ddraw {

pixels::PixelLayout LayoutOf(const DisplayMode& mode) {
  switch (mode.bitsPerPixel) {
    case 8:
      return pixels::PixelLayout::Indexed8();
    case 16:
      return pixels::PixelLayout::Rgb565();
    case 24:
      return pixels::PixelLayout::Rgb888();
    default:
      return pixels::PixelLayout::Xrgb8888();
  }
}

bool IsSupportedMode(const DisplayMode& mode) {
  const bool depth =
      mode.bitsPerPixel == 8 || mode.bitsPerPixel == 16 || mode.bitsPerPixel == 24 || mode.bitsPerPixel == 32;
  return depth && mode.width >= 320 && mode.width <= 4096 && mode.height >= 200 && mode.height <= 4096;
}

Display& Display::Instance() {
  static Display display;
  return display;
}

// Without a palette of its own an indexed screen shows a colour cube: 3 bits red, 3 green, 2 blue.
Display::Display() {
  for (std::size_t i = 0; i < systemColors_.size(); ++i)
    systemColors_[i] = {static_cast<BYTE>((i >> 5) * 255 / 7), static_cast<BYTE>(((i >> 2) & 7) * 255 / 7),
                        static_cast<BYTE>((i & 3) * 255 / 3), 0};
}

void Display::SetMode(const DisplayMode& mode) {
  if (mode == mode_) return;
  mode_ = mode;
  LoseAllSurfaces();
}

void Display::SetExclusiveOwner(const void* owner) {
  if (owner == exclusiveOwner_) return;
  exclusiveOwner_ = owner;
  if (!owner) mode_ = DesktopMode;
  LoseAllSurfaces();
  if (window_) window_->SetExclusive(owner != nullptr);
}

void Display::SetPresentationWindow(HWND window) { window_ = window; }

void Display::ForgetWindow(HWND window) {
  if (window_ == window) window_ = nullptr;
}

void Display::LoseAllSurfaces() {
  for (SoftwareSurface* surface : surfaces_) surface->Lose();
}

void Display::Register(SoftwareSurface* surface) { surfaces_.push_back(surface); }

void Display::Unregister(SoftwareSurface* surface) {
  surfaces_.erase(std::remove(surfaces_.begin(), surfaces_.end(), surface), surfaces_.end());
  if (primary_ == surface) primary_ = nullptr;
}

// Full screen shows the whole screen; on the desktop the window shows the part of it under itself.
void Display::Present(const pixels::PixelBuffer& screen, const PALETTEENTRY* colors) { Show(screen, colors, true); }

void Display::PaletteChanged(const PALETTEENTRY* entries) {
  if (primary_ && primary_->Colors() == entries) Show(primary_->Pixels(), entries, false);
}

void Display::Show(const pixels::PixelBuffer& screen, const PALETTEENTRY* colors, bool paced) {
  pixels::PixelBuffer shown = screen;
  if (!exclusiveOwner_ && window_) {
    const RECT bounds = window_->Bounds();
    const std::int32_t left = std::clamp(bounds.left, 0, screen.width);
    const std::int32_t top = std::clamp(bounds.top, 0, screen.height);
    shown.bits = screen.At(left, top);
    shown.width = std::clamp(bounds.right, left, screen.width) - left;
    shown.height = std::clamp(bounds.bottom, top, screen.height) - top;
  }
  presenter_.Show(window_, shown, colors, paced);
}

}  // namespace platform::ddraw
