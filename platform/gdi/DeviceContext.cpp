#include "DeviceContext.h"

#include <utility>

#include "Font.h"

namespace platform::gdi {

std::shared_ptr<Font> DeviceContext::SelectFont(std::shared_ptr<Font> font) {
  return std::exchange(font_, std::move(font));
}

const Font& DeviceContext::FontInUse() const { return font_ ? *font_ : Font::System(); }

DWORD DeviceContext::SetTextColor(DWORD color) { return std::exchange(textColor_, color); }

DWORD DeviceContext::SetBackgroundColor(DWORD color) { return std::exchange(backgroundColor_, color); }

BackgroundMode DeviceContext::SetBackground(BackgroundMode mode) { return std::exchange(backgroundMode_, mode); }

}  // namespace platform::gdi
