#include "VXGPixels.h"

#include "VXTools.h"

namespace {
DWORD LockFlags(TVXGLockType LockType) {
  switch (LockType) {
    case TVXGLockType::ReadOnly: return DDLOCK_WAIT | DDLOCK_READONLY | DDLOCK_NOSYSLOCK;
    case TVXGLockType::WriteOnly: return DDLOCK_WAIT | DDLOCK_WRITEONLY | DDLOCK_NOSYSLOCK;
    default: return DDLOCK_WAIT | DDLOCK_NOSYSLOCK;
  }
}
}  // namespace

TVXGPixels::TVXGPixels(TVXGSurface& Surface, const RECT* Rect, TVXGLockType LockType) {
  ClearSized(description_);
  RECT area = Rect ? *Rect : RECT{};
  Check("Create", Surface.GetSurface()->Lock(Rect ? &area : nullptr, &description_, LockFlags(LockType), nullptr));
  surface_ = &Surface;
  const SIZE size = Rect ? RectSize(*Rect) : SIZE{Surface.Width(), Surface.Height()};
  width_ = size.cx;
  height_ = size.cy;
}

// The lock goes back to the interface it came from as it is: restoring a surface whose memory is
// held would fail.
TVXGPixels::~TVXGPixels() noexcept(false) {
  if (!surface_) return;
  const HRESULT result = surface_->DDSurface()->Unlock(description_.lpSurface);
  // A second exception in flight would end the program; the first one says more.
  if (std::uncaught_exceptions() <= uncaughtAtCreation_) Check("Destroy", result);
}
