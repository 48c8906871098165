#pragma once
// A surface interface that passes every call on to a real one; tests override the calls whose
// answers they need to choose.

#include "platform/ddraw/DDraw.h"

class ForwardingSurface : public IDirectDrawSurface3, public platform::RefCounted<ForwardingSurface> {
 public:
  explicit ForwardingSurface(IDirectDrawSurface3* real) : real_(real) { real->AddRef(); }
  virtual ~ForwardingSurface() { real_->Release(); }

  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return AddRefImpl(); }
  ULONG Release() override { return ReleaseImpl(); }
  HRESULT Blt(RECT* d, IDirectDrawSurface3* s, RECT* r, DWORD f, DDBLTFX* fx) override { return real_->Blt(d, s, r, f, fx); }
  HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface3* s, RECT* r, DWORD f) override {
    return real_->BltFast(x, y, s, r, f);
  }
  HRESULT Flip(IDirectDrawSurface3* t, DWORD f) override { return real_->Flip(t, f); }
  HRESULT GetAttachedSurface(DDSCAPS* c, IDirectDrawSurface3** a) override { return real_->GetAttachedSurface(c, a); }
  HRESULT GetColorKey(DWORD f, DDCOLORKEY* k) override { return real_->GetColorKey(f, k); }
  HRESULT GetDC(HDC* dc) override { return real_->GetDC(dc); }
  HRESULT GetSurfaceDesc(DDSURFACEDESC* d) override { return real_->GetSurfaceDesc(d); }
  HRESULT IsLost() override { return real_->IsLost(); }
  HRESULT Lock(RECT* r, DDSURFACEDESC* d, DWORD f, HANDLE e) override { return real_->Lock(r, d, f, e); }
  HRESULT ReleaseDC(HDC dc) override { return real_->ReleaseDC(dc); }
  HRESULT Restore() override { return real_->Restore(); }
  HRESULT SetColorKey(DWORD f, DDCOLORKEY* k) override { return real_->SetColorKey(f, k); }
  HRESULT SetPalette(IDirectDrawPalette* p) override { return real_->SetPalette(p); }
  HRESULT Unlock(LPVOID s) override { return real_->Unlock(s); }

 protected:
  IDirectDrawSurface3* real_;
};
