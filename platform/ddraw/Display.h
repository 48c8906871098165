#pragma once
// The one screen of the process, shared by every DirectDraw device: its display mode, which device
// holds it exclusively, the window it is shown in, and every surface, which all lose their memory
// when the mode or the exclusive owner changes.

#include <array>
#include <vector>

#include "Presenter.h"
#include "platform/win/Window.h"

namespace platform::ddraw {

class SoftwareSurface;

struct DisplayMode {
  std::int32_t width;
  std::int32_t height;
  std::int32_t bitsPerPixel;
  bool operator==(const DisplayMode&) const = default;
};

// The desktop the program starts on: large enough for any window of the game's to be shown from it.
inline constexpr DisplayMode DesktopMode{1920, 1080, 32};

pixels::PixelLayout LayoutOf(const DisplayMode& mode);
bool IsSupportedMode(const DisplayMode& mode);

class Display {
 public:
  static Display& Instance();

  DisplayMode Mode() const { return mode_; }
  // Changes the mode; a real change loses every surface.
  void SetMode(const DisplayMode& mode);

  // The device (any identity) that holds the screen exclusively, or null.
  const void* ExclusiveOwner() const { return exclusiveOwner_; }
  // Gives or takes exclusive use; a change of owner loses every surface, and giving it up brings
  // the desktop mode back.
  void SetExclusiveOwner(const void* owner);

  // The window frames are shown in.
  HWND PresentationWindow() const { return window_; }
  void SetPresentationWindow(HWND window);
  void ForgetWindow(HWND window);

  // Takes away the memory of every surface, as a mode change does; tests call it on purpose.
  void LoseAllSurfaces();

  void Register(SoftwareSurface* surface);
  void Unregister(SoftwareSurface* surface);

  // The one primary surface there may be at a time.
  SoftwareSurface* Primary() const { return primary_; }
  void SetPrimary(SoftwareSurface* primary) { primary_ = primary; }

  // The colours of an indexed screen without a palette of its own.
  const PALETTEENTRY* SystemColors() const { return systemColors_.data(); }

  // Shows the primary surface in the presentation window and waits for the next refresh.
  void Present(const pixels::PixelBuffer& screen, const PALETTEENTRY* colors);
  // A palette changed: the screen shows it at once, without waiting for a refresh, when it is the
  // primary surface's.
  void PaletteChanged(const PALETTEENTRY* entries);

 private:
  Display();
  void Show(const pixels::PixelBuffer& screen, const PALETTEENTRY* colors, bool paced);

  DisplayMode mode_ = DesktopMode;
  const void* exclusiveOwner_ = nullptr;
  HWND window_ = nullptr;
  SoftwareSurface* primary_ = nullptr;
  std::vector<SoftwareSurface*> surfaces_;
  std::array<PALETTEENTRY, 256> systemColors_;
  Presenter presenter_;
};

}  // namespace platform::ddraw
