#include "Painter.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "platform/gdi/Font.h"

namespace platform {
namespace {

// The part of a bitmap that a painter may touch, as a surface of its own for a device context.
class ClipView final : public gdi::DrawingTarget {
 public:
  ClipView(Bitmap& target, const RECT& clip) : buffer_(target.Pixels()) {
    buffer_.bits = buffer_.At(clip.left, clip.top);
    buffer_.width = clip.right - clip.left;
    buffer_.height = clip.bottom - clip.top;
  }
  pixels::PixelBuffer Pixels() override { return buffer_; }
  const PALETTEENTRY* Colors() override { return nullptr; }

 private:
  pixels::PixelBuffer buffer_;
};

// A font handle for as long as it is needed.
class FontHandle {
 public:
  explicit FontHandle(const TFont& font) {
    const LOGFONTA description = FontDescription(font);
    handle_ = CreateFontIndirectA(&description);
  }
  FontHandle(const FontHandle&) = delete;
  FontHandle& operator=(const FontHandle&) = delete;
  ~FontHandle() {
    if (handle_) DeleteObject(handle_);
  }
  HFONT Get() const { return handle_; }

 private:
  HFONT handle_;
};

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

Painter::Painter(Bitmap& target) : target_(target), clip_{0, 0, target.Width(), target.Height()}, origin_{0, 0} {}

Painter Painter::Inner(const RECT& r) const {
  const RECT inBitmap{r.left + origin_.x, r.top + origin_.y, r.right + origin_.x, r.bottom + origin_.y};
  return Painter(target_, Intersect(clip_, inBitmap), POINT{inBitmap.left, inBitmap.top});
}

RECT Painter::Clipped(const RECT& r) const {
  return Intersect(clip_, RECT{r.left + origin_.x, r.top + origin_.y, r.right + origin_.x, r.bottom + origin_.y});
}

void Painter::FillRect(const RECT& r, TColor color) {
  const RECT area = Clipped(r);
  if (IsEmpty(area)) return;
  const std::uint32_t pixel = PixelOf(color);
  for (std::int32_t y = area.top; y < area.bottom; ++y)
    std::fill(target_.Row(y) + area.left, target_.Row(y) + area.right, pixel);
}

void Painter::Frame(const RECT& r, TColor topLeft, TColor bottomRight) {
  if (IsEmpty(r)) return;
  FillRect({r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  FillRect({r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  FillRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  FillRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

void Painter::Line(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, TColor color) {
  FillRect({std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1}, color);
}

// Every other pixel of the frame inverted, in a checkerboard, as the system draws it.
void Painter::FocusRect(const RECT& r) {
  const auto invert = [&](std::int32_t x, std::int32_t y) {
    if ((x + y) % 2 != 0) return;
    const std::int32_t bx = x + origin_.x;
    const std::int32_t by = y + origin_.y;
    if (bx >= clip_.left && bx < clip_.right && by >= clip_.top && by < clip_.bottom)
      target_.Row(by)[bx] ^= 0x00FFFFFFu;
  };
  for (std::int32_t x = r.left; x < r.right; ++x) {
    invert(x, r.top);
    if (r.bottom - 1 > r.top) invert(x, r.bottom - 1);
  }
  for (std::int32_t y = r.top + 1; y < r.bottom - 1; ++y) {
    invert(r.left, y);
    if (r.right - 1 > r.left) invert(r.right - 1, y);
  }
}

void Painter::Text(std::int32_t x, std::int32_t y, const std::string& text, const TFont& font, TColor color) {
  if (IsEmpty(clip_) || text.empty()) return;
  ClipView view(target_, clip_);
  gdi::DeviceContext dc(view);
  const FontHandle handle(font);
  SelectObject(&dc, handle.Get());
  SetTextColor(&dc, color);
  SetBkMode(&dc, TRANSPARENT);
  TextOutA(&dc, x + origin_.x - clip_.left, y + origin_.y - clip_.top, text.data(), static_cast<int>(text.size()));
  SelectObject(&dc, nullptr);
}

SIZE TextExtent(const std::string& text, const TFont& font) {
  Bitmap scratch(1, 1);
  ClipView view(scratch, RECT{0, 0, 1, 1});
  gdi::DeviceContext dc(view);
  const FontHandle handle(font);
  SelectObject(&dc, handle.Get());
  SIZE size{0, 0};
  GetTextExtentPoint32A(&dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(&dc, nullptr);
  return size;
}

void Painter::GrayText(std::int32_t x, std::int32_t y, const std::string& text, const TFont& font) {
  Text(x + 1, y + 1, text, font, clBtnHighlight);
  Text(x, y, text, font, clBtnShadow);
}

std::int32_t TextAscent(const TFont& font) {
  const FontHandle handle(font);
  const std::shared_ptr<gdi::Font> made = gdi::FontOfHandle(handle.Get());
  return made && made->Face() ? made->Face()->Ascent() : 0;
}

void Painter::Caption(std::int32_t x, std::int32_t y, const std::string& caption, const TFont& font, bool enabled) {
  const Accelerator parsed = ParseAccelerator(caption);
  const auto write = [&](std::int32_t atX, std::int32_t atY, TColor color) {
    Text(atX, atY, parsed.text, font, color);
    if (!parsed.key) return;
    const std::int32_t from = atX + TextExtent(parsed.text.substr(0, parsed.position), font).cx;
    const std::int32_t width = TextExtent(parsed.text.substr(parsed.position, 1), font).cx;
    const std::int32_t underline = atY + TextAscent(font) + 1;
    Line(from, underline, from + width - 1, underline, color);
  };
  if (enabled) {
    write(x, y, font.Color);
    return;
  }
  write(x + 1, y + 1, clBtnHighlight);
  write(x, y, clBtnShadow);
}

void Painter::Draw(std::int32_t x, std::int32_t y, const Bitmap& picture, std::optional<std::uint32_t> transparent) {
  const RECT area = Clipped({x, y, x + picture.Width(), y + picture.Height()});
  if (IsEmpty(area)) return;
  const std::int32_t left = x + origin_.x;
  const std::int32_t top = y + origin_.y;
  const std::uint32_t key = transparent.value_or(0) | 0xFF000000u;
  for (std::int32_t by = area.top; by < area.bottom; ++by) {
    const std::uint32_t* from = picture.Row(by - top) + (area.left - left);
    std::uint32_t* to = target_.Row(by) + area.left;
    for (std::int32_t bx = area.left; bx < area.right; ++bx, ++from, ++to)
      if (!transparent || (*from | 0xFF000000u) != key) *to = *from | 0xFF000000u;
  }
}

Accelerator ParseAccelerator(const std::string& caption) {
  Accelerator result;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) {
      ++i;
      if (caption[i] != '&' && !result.key) {
        result.key = static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i])));
        result.position = result.text.size();
      }
    }
    result.text += caption[i];
  }
  return result;
}

}  // namespace platform
