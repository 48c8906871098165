#pragma once
// The screen surface and the back buffer every frame is drawn into. In full-screen play they form
// a flip chain; in a window the back buffer is an off-screen surface copied to the screen.

#include "VXGSurface.h"

class TVXGPrimary final : public TVXGSurface {
 public:
  // A flip chain with one back buffer when BackBuffer is asked for and the device is not in Normal mode.
  TVXGPrimary(TVXGGraphics& Graphics, bool BackBuffer);

  bool BackBufferRequested() const { return backBufferRequested_; }
  bool HasFlipChain() const { return hasFlipChain_; }

 private:
  const bool backBufferRequested_;
  const bool hasFlipChain_;
};

class TVXGBackBuffer final : public TVXGSurface {
 public:
  explicit TVXGBackBuffer(TVXGPrimary& Primary);

  TVXGPrimary& Primary() const { return primary_; }
  // Restores the primary first.
  void Restore() override;
  // Shows the finished frame.
  void Flip();

 private:
  TVXGPrimary& primary_;
};
