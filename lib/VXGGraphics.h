#pragma once
// The graphics device: one DirectDraw device with its cooperative level and display mode.

#include <cstdint>

#include "VXGGraphicsObject.h"
#include "platform/ddraw/DDraw.h"

enum class TVXGCooperativeMode : std::uint8_t { Normal, Exclusive, ExclusiveModeX };
enum class TVXGMemoryPlacement : std::uint8_t { AnyMemory, VideoMemory, SystemMemory };
// The pixel whose value becomes a loaded or cleared surface's colour key.
enum class TVXGColorKeyCorner : std::uint8_t { NoCorner, TopLeft, TopRight, BottomLeft, BottomRight };

// DirectDraw's level flags for a mode: 0x0E for Normal without window changes, 0x17 for Exclusive.
DWORD CooperativeLevelFlags(TVXGCooperativeMode Mode, bool AllowWindowChanges);
// The surface capability an off-screen surface gets for a placement.
DWORD MemoryPlacementCaps(TVXGMemoryPlacement Placement);

class TVXGGraphics final : public TVXGGraphicsObject {
 public:
  // The device of a driver; the all-zero GUID means the primary display.
  explicit TVXGGraphics(const GUID& DriverGUID);
  ~TVXGGraphics() noexcept override = default;

  void SetCooperativeLevel(HWND Window, TVXGCooperativeMode Mode, bool AllowWindowChanges);
  void SetDisplayMode(std::int32_t Width, std::int32_t Height, std::int32_t BitsPerPixel);

  TVXGCooperativeMode CooperativeMode() const { return cooperativeMode_; }
  IDirectDraw2* DirectDraw() const { return directDraw_.Get(); }
  HWND Window() const { return window_; }
  TVXGMemoryPlacement MemoryPlacement() const { return memoryPlacement_; }
  TVXGColorKeyCorner ColorKeyCorner() const { return colorKeyCorner_; }
  void SetColorKeyCorner(TVXGColorKeyCorner Corner) { colorKeyCorner_ = Corner; }

 private:
  TVXGCooperativeMode cooperativeMode_ = TVXGCooperativeMode::Normal;
  ComPtr<IDirectDraw2> directDraw_;
  HWND window_ = nullptr;
  const TVXGMemoryPlacement memoryPlacement_ = TVXGMemoryPlacement::AnyMemory;
  TVXGColorKeyCorner colorKeyCorner_ = TVXGColorKeyCorner::BottomLeft;
};
