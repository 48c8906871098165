#pragma once
// A 256-colour palette shared by the surfaces it is attached to. It counts them and destroys
// itself when the last one lets it go; one that was never attached belongs to whoever made it.

#include <cstdint>

#include "VXGGraphics.h"

class TVXGSurface;

class TVXGPalette final : public TVXGGraphicsObject {
 public:
  // 256 black entries.
  explicit TVXGPalette(TVXGGraphics& Graphics);
  ~TVXGPalette() noexcept override = default;
  // A new palette attached to Surface, which then owns it with any other surface it is attached to.
  static TVXGPalette& CreateForSurface(TVXGSurface& Surface);

  void Attach(TVXGSurface& Surface);
  // May destroy this palette.
  void Detach(TVXGSurface& Surface);
  void AddRef() { ++refCount_; }
  // Destroys this palette when the count was 1.
  void Release();

  void GetEntries(std::int32_t Start, std::int32_t Count, PALETTEENTRY* Entries);
  void SetEntries(std::int32_t Start, std::int32_t Count, const PALETTEENTRY* Entries);
  // Copies all 256 entries of Source, flags included; the change shows at once.
  void Assign(TVXGPalette& Source);

  std::int32_t RefCount() const { return refCount_; }
  IDirectDrawPalette* DDPalette() const { return ddPalette_.Get(); }

 private:
  std::int32_t refCount_ = 0;
  ComPtr<IDirectDrawPalette> ddPalette_;
};
