#include "SoftwarePalette.h"

#include <algorithm>

#include "Display.h"

namespace platform::ddraw {
namespace {
bool ValidRange(DWORD start, DWORD count, const void* entries) {
  return entries != nullptr && start <= 256 && count <= 256 - start;
}
}  // namespace

SoftwarePalette::SoftwarePalette(const PALETTEENTRY* entries) { std::copy_n(entries, 256, entries_.begin()); }

HRESULT SoftwarePalette::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (riid != IID_IUnknown && riid != IID_IDirectDrawPalette) return E_NOINTERFACE;
  *object = static_cast<IDirectDrawPalette*>(this);
  AddRef();
  return S_OK;
}

HRESULT SoftwarePalette::GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries) {
  if (flags != 0 || !ValidRange(base, count, entries)) return DDERR_INVALIDPARAMS;
  std::copy_n(entries_.begin() + base, count, entries);
  return DD_OK;
}

HRESULT SoftwarePalette::SetEntries(DWORD flags, DWORD start, DWORD count, const PALETTEENTRY* entries) {
  if (flags != 0 || !ValidRange(start, count, entries)) return DDERR_INVALIDPARAMS;
  std::copy_n(entries, count, entries_.begin() + start);
  Display::Instance().PaletteChanged(entries_.data());
  return DD_OK;
}

}  // namespace platform::ddraw
