#include "VXGSurface.h"

#include "VXGPalette.h"
#include "platform/win/Clock.h"

TVXGSurface::~TVXGSurface() {
  try {
    SetPalette(nullptr);
  } catch (const Exception&) {
    // A destructor must not throw; a palette that could not be detached stays with its other owners.
  }
}

bool TVXGSurface::IsLost() { return ddSurface_->IsLost() == DDERR_SURFACELOST; }

IDirectDrawSurface3* TVXGSurface::GetSurface() {
  if (IsLost()) Restore();
  return ddSurface_.Get();
}

void TVXGSurface::Restore() {
  HRESULT result = ddSurface_->Restore();
  while (result == DDERR_WRONGMODE) {
    Sleep(20);
    result = ddSurface_->Restore();
  }
  Check("Restore", result);
  ColorFill(nullptr, 0);
}

void TVXGSurface::ColorFill(const RECT* Rect, std::uint32_t Color) {
  DDBLTFX effects;
  ClearSized(effects);
  effects.dwFillColor = Color;
  RECT area{};
  if (Rect) area = *Rect;
  Check("ColorFill", GetSurface()->Blt(Rect ? &area : nullptr, nullptr, Rect ? &area : nullptr,
                                       DDBLT_COLORFILL | DDBLT_WAIT, &effects));
}

TVXGPalette& TVXGSurface::Palette() {
  if (!palette_) palette_ = &TVXGPalette::CreateForSurface(*this);
  return *palette_;
}

void TVXGSurface::SetPalette(TVXGPalette* P) {
  if (P == palette_) return;
  if (palette_) {
    TVXGPalette* attached = palette_;
    attached->Detach(*this);
    palette_ = nullptr;
  }
  // Only a palette that is counted is kept: one that failed to attach must not be detached later.
  if (P) P->Attach(*this);
  palette_ = P;
}
