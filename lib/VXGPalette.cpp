#include "VXGPalette.h"

#include <array>
#include <memory>

#include "VXGSurface.h"

TVXGPalette::TVXGPalette(TVXGGraphics& Graphics) {
  std::array<PALETTEENTRY, 256> black{};
  Check("Create (CreatePalette)", Graphics.DirectDraw()->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, black.data(),
                                                                       ddPalette_.Put(), nullptr));
}

TVXGPalette& TVXGPalette::CreateForSurface(TVXGSurface& Surface) {
  auto palette = std::make_unique<TVXGPalette>(Surface.Graphics());
  palette->Attach(Surface);
  return *palette.release();
}

void TVXGPalette::Attach(TVXGSurface& Surface) {
  Check("Attach (SetPalette)", Surface.GetSurface()->SetPalette(ddPalette_.Get()));
  AddRef();
}

void TVXGPalette::Detach(TVXGSurface& Surface) {
  Check("Free (SetPalette)", Surface.GetSurface()->SetPalette(nullptr));
  Release();
}

void TVXGPalette::Release() {
  if (refCount_-- == 1) delete this;
}

void TVXGPalette::GetEntries(std::int32_t Start, std::int32_t Count, PALETTEENTRY* Entries) {
  Check("GetEntries", ddPalette_->GetEntries(0, static_cast<DWORD>(Start), static_cast<DWORD>(Count), Entries));
}

void TVXGPalette::SetEntries(std::int32_t Start, std::int32_t Count, const PALETTEENTRY* Entries) {
  Check("SetEntries", ddPalette_->SetEntries(0, static_cast<DWORD>(Start), static_cast<DWORD>(Count), Entries));
}

void TVXGPalette::Assign(TVXGPalette& Source) {
  std::array<PALETTEENTRY, 256> entries;
  Source.GetEntries(0, 256, entries.data());
  SetEntries(0, 256, entries.data());
}
