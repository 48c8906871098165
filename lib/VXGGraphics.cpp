#include "VXGGraphics.h"

#include "VXGDisplayDrivers.h"
#include "VXTools.h"

DWORD CooperativeLevelFlags(TVXGCooperativeMode Mode, bool AllowWindowChanges) {
  DWORD flags = DDSCL_NORMAL;
  if (Mode == TVXGCooperativeMode::Exclusive) flags = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN;
  if (Mode == TVXGCooperativeMode::ExclusiveModeX) flags = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWMODEX;
  return flags | DDSCL_ALLOWREBOOT | (AllowWindowChanges ? 0 : DDSCL_NOWINDOWCHANGES);
}

DWORD MemoryPlacementCaps(TVXGMemoryPlacement Placement) {
  switch (Placement) {
    case TVXGMemoryPlacement::VideoMemory: return DDSCAPS_VIDEOMEMORY;
    case TVXGMemoryPlacement::SystemMemory: return DDSCAPS_SYSTEMMEMORY;
    default: return 0;
  }
}

TVXGGraphics::TVXGGraphics(const GUID& DriverGUID) {
  ReleaseDisplayDrivers();
  GUID driver = DriverGUID;
  ComPtr<IDirectDraw> device;
  Check("Create (DirectDrawCreate)",
        DirectDrawCreate(SameGUID(DriverGUID, GUID{}) ? nullptr : &driver, device.Put(), nullptr));
  if (device->QueryInterface(IID_IDirectDraw2, directDraw_.PutVoid()) != S_OK) throw EIntfCastError();
}

void TVXGGraphics::SetCooperativeLevel(HWND Window, TVXGCooperativeMode Mode, bool AllowWindowChanges) {
  window_ = Window;
  cooperativeMode_ = Mode;
  Check("SetCooperativeLevel", directDraw_->SetCooperativeLevel(Window, CooperativeLevelFlags(Mode, AllowWindowChanges)));
}

void TVXGGraphics::SetDisplayMode(std::int32_t Width, std::int32_t Height, std::int32_t BitsPerPixel) {
  Check("SetDisplayMode", directDraw_->SetDisplayMode(static_cast<DWORD>(Width), static_cast<DWORD>(Height),
                                                      static_cast<DWORD>(BitsPerPixel), 0, 0));
}
