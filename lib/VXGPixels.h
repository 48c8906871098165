#pragma once
// A lock on a rectangle of a surface, for reading or writing its pixels directly. While it lives
// the surface takes no blits; it is held for one read or one fill only.

#include <cstdint>
#include <exception>

#include "VXGSurface.h"

enum class TVXGLockType : std::uint8_t { ReadWrite, ReadOnly, WriteOnly };

class TVXGPixels final : public TVXGGraphicsObject {
 public:
  // Locks Rect, or the whole surface.
  TVXGPixels(TVXGSurface& Surface, const RECT* Rect, TVXGLockType LockType);
  TVXGPixels(const TVXGPixels&) = delete;
  TVXGPixels& operator=(const TVXGPixels&) = delete;
  // Unlocks, and raises when the platform refuses; silent while another exception unwinds the stack.
  ~TVXGPixels() noexcept(false) override;

  const DDSURFACEDESC& Description() const { return description_; }
  // The locked rectangle's top-left pixel; rows lie Pitch bytes apart.
  void* Bits() const { return description_.lpSurface; }
  std::int32_t Pitch() const { return description_.lPitch; }
  std::uint32_t BitCount() const { return description_.ddpfPixelFormat.dwRGBBitCount; }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }

 private:
  DDSURFACEDESC description_;
  TVXGSurface* surface_ = nullptr;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  int uncaughtAtCreation_ = std::uncaught_exceptions();
};
