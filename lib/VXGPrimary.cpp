#include "VXGPrimary.h"

#include "VXTools.h"

TVXGPrimary::TVXGPrimary(TVXGGraphics& Graphics, bool BackBuffer)
    : TVXGSurface(Descendant{}, Graphics),
      backBufferRequested_(BackBuffer),
      hasFlipChain_(BackBuffer && Graphics.CooperativeMode() != TVXGCooperativeMode::Normal) {
  DDSURFACEDESC description;
  ClearSized(description);
  description.dwFlags = DDSD_CAPS;
  description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  if (hasFlipChain_) {
    description.dwFlags |= DDSD_BACKBUFFERCOUNT;
    description.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    description.dwBackBufferCount = 1;
  }
  ComPtr<IDirectDrawSurface> surface;
  Check("Create (CreateSurface)", Graphics.DirectDraw()->CreateSurface(&description, surface.Put(), nullptr));
  if (surface->QueryInterface(IID_IDirectDrawSurface3, ddSurface_.PutVoid()) != S_OK) throw EIntfCastError();
  UpdateDescription();
}

TVXGBackBuffer::TVXGBackBuffer(TVXGPrimary& Primary) : TVXGSurface(Descendant{}, Primary.Graphics()), primary_(Primary) {
  if (Primary.HasFlipChain()) {
    DDSCAPS caps{DDSCAPS_BACKBUFFER};
    IDirectDrawSurface3* attached = nullptr;
    Check("Create (GetAttachedSurface)", Primary.GetSurface()->GetAttachedSurface(&caps, &attached));
    ddSurface_ = ComPtr<IDirectDrawSurface3>::Attach(attached);
    UpdateDescription();
    return;
  }
  RECT client{};
  if (!GetClientRect(Graphics().Window(), &client)) throw EOSError();
  CreateSurface(Max(client.right, 1), Max(client.bottom, 1), TVXGPixelFormat::NoPixelFormat);
}

void TVXGBackBuffer::Restore() {
  primary_.Restore();
  TVXGSurface::Restore();
}

void TVXGBackBuffer::Flip() {
  if (primary_.HasFlipChain()) {
    Check("Flip", primary_.GetSurface()->Flip(nullptr, DDFLIP_WAIT));
    return;
  }
  POINT origin{0, 0};
  if (!ClientToScreen(Graphics().Window(), &origin)) throw EOSError();
  primary_.CopyFast(origin.x, origin.y, *this, nullptr, false);
}
