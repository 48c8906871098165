#include "StdCtrls.h"

TImage::TImage(std::string Name) : TControl(std::move(Name)) {}

void TImage::LoadPicture(std::span<const std::uint8_t> BmpBytes) {
  picture_ = platform::Bitmap::FromBmp(BmpBytes).value_or(platform::Bitmap());
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  transparent_ = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  center_ = Value;
  Invalidate();
}

void TImage::Paint(platform::Painter& Painter) {
  if (picture_.Empty()) return;
  const std::int32_t x = center_ ? (Width() - picture_.Width()) / 2 : 0;
  const std::int32_t y = center_ ? (Height() - picture_.Height()) / 2 : 0;
  std::optional<std::uint32_t> key;
  if (transparent_) key = picture_.At(0, picture_.Height() - 1);
  Painter.Draw(x, y, picture_, key);
}
