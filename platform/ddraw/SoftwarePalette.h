#pragma once
// A palette of 256 colours. Changes act at once: the next presentation or conversion uses them.

#include <array>

#include "DDraw.h"

namespace platform::ddraw {

class SoftwarePalette final : public IDirectDrawPalette, public RefCounted<SoftwarePalette> {
 public:
  explicit SoftwarePalette(const PALETTEENTRY* entries);

  HRESULT QueryInterface(REFIID riid, void** object) override;
  ULONG AddRef() override { return AddRefImpl(); }
  ULONG Release() override { return ReleaseImpl(); }

  HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries) override;
  HRESULT SetEntries(DWORD flags, DWORD start, DWORD count, const PALETTEENTRY* entries) override;

  const PALETTEENTRY* Entries() const { return entries_.data(); }

 private:
  friend class RefCounted<SoftwarePalette>;
  ~SoftwarePalette() = default;

  std::array<PALETTEENTRY, 256> entries_;
};

}  // namespace platform::ddraw
