#pragma once
// A device context: what GDI draws on. Here it is always the pixels of one display-service
// surface, with the colours that give its palette indices meaning, and the drawing state GDI keeps
// per context: font, text colour, background colour and mode.

#include <memory>

#include "platform/pixels/PixelLayout.h"
#include "platform/win/WinTypes.h"

namespace platform::gdi {

class Font;

class DrawingTarget {
 public:
  virtual pixels::PixelBuffer Pixels() = 0;
  // The 256 colours of an indexed surface: its own palette, or the screen's when it has none.
  virtual const PALETTEENTRY* Colors() = 0;

 protected:
  ~DrawingTarget() = default;
};

enum class BackgroundMode { Transparent = 1, Opaque = 2 };

class DeviceContext {
 public:
  explicit DeviceContext(DrawingTarget& target) : target_(target) {}
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  DrawingTarget& Target() const { return target_; }

  // The selected font; null stands for the system font. A font stays alive while a context holds
  // it, even after its handle was deleted.
  const std::shared_ptr<Font>& SelectedFont() const { return font_; }
  std::shared_ptr<Font> SelectFont(std::shared_ptr<Font> font);
  // The selected font, or the system font when none is.
  const Font& FontInUse() const;

  // Colours as 0x00BBGGRR.
  DWORD TextColor() const { return textColor_; }
  DWORD SetTextColor(DWORD color);
  DWORD BackgroundColor() const { return backgroundColor_; }
  DWORD SetBackgroundColor(DWORD color);
  BackgroundMode Background() const { return backgroundMode_; }
  BackgroundMode SetBackground(BackgroundMode mode);

 private:
  DrawingTarget& target_;
  std::shared_ptr<Font> font_;
  DWORD textColor_ = 0x000000;
  DWORD backgroundColor_ = 0xFFFFFF;
  BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
};

}  // namespace platform::gdi

using HDC = platform::gdi::DeviceContext*;
