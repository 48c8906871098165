// Drawing one surface onto another: clipped fast copies, and copies through device contexts.

#include "VXGCanvas.h"
#include "VXGSurface.h"

void TVXGSurface::Draw(std::int32_t X, std::int32_t Y, TVXGSurface& Source, const RECT* SourceRect, bool Transparent) {
  RECT r = SourceRect ? *SourceRect : RECT{0, 0, Source.Width(), Source.Height()};
  if (X <= r.left - r.right || X >= width_ || Y <= r.top - r.bottom || Y >= height_) return;
  if (X < 0) {
    r.left -= X;
    X = 0;
  }
  if (Y < 0) {
    r.top -= Y;
    Y = 0;
  }
  if (width_ - X + r.left < r.right) r.right = width_ - X + r.left;
  if (height_ - Y + r.top < r.bottom) r.bottom = height_ - Y + r.top;
  CopyFast(X, Y, Source, &r, Transparent);
}

// Runs for every picture of every frame: the lost test is paid for only when the blit fails.
void TVXGSurface::CopyFast(std::int32_t X, std::int32_t Y, TVXGSurface& Source, const RECT* SourceRect,
                           bool Transparent) {
  const DWORD flags = DDBLTFAST_WAIT | (Transparent ? DDBLTFAST_SRCCOLORKEY : 0);
  RECT area = SourceRect ? *SourceRect : RECT{};
  RECT* rect = SourceRect ? &area : nullptr;
  const auto x = static_cast<DWORD>(X);
  const auto y = static_cast<DWORD>(Y);
  if (ddSurface_->BltFast(x, y, Source.ddSurface_.Get(), rect, flags) == DD_OK) return;
  IDirectDrawSurface3* source = Source.GetSurface();
  Check("CopyFast", GetSurface()->BltFast(x, y, source, rect, flags));
}

void TVXGSurface::GdiCopy(std::int32_t X, std::int32_t Y, TVXGSurface& Source, const RECT* SourceRect) {
  const RECT r = SourceRect ? *SourceRect : RECT{0, 0, Source.Width(), Source.Height()};
  TVXGCanvas source(&Source);
  GdiCopyFromDC(X, Y, &r, source.Handle());
}

void TVXGSurface::GdiCopyFromDC(std::int32_t X, std::int32_t Y, const RECT* Rect, HDC DC) {
  if (!Rect) return;
  TVXGCanvas target(this);
  BitBlt(target.Handle(), X, Y, Rect->right - Rect->left, Rect->bottom - Rect->top, DC, Rect->left, Rect->top, SRCCOPY);
}
