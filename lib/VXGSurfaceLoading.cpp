// Loading pictures into surfaces through the surface plug-ins.

#include "VXGSprite.h"
#include "VXGSurface.h"
#include "VXTools.h"

namespace {
bool BothIndexed(const TVXGSurface& a, const TVXGSurface& b) {
  return a.PixelFormat() == TVXGPixelFormat::Pal_8 && b.PixelFormat() == TVXGPixelFormat::Pal_8;
}
}  // namespace

void TVXGSurface::LoadFromStream(TStream& Stream, bool KeepPalette, const std::string& Type, bool Reload) {
  const std::unique_ptr<TVXGSprite> picture = TVXGSprite::CreateFromStream(graphics_, Stream, Type);
  if (!Reload && !KeepPalette && BothIndexed(*picture, *this)) SetPalette(&picture->Palette());
  GdiCopy(0, 0, *picture, nullptr);
  if (!Reload) {
    SetColorKey(picture->GetColorKey());
    SetColorKeyFromCorner();
  }
}

void TVXGSurface::InternalLoadFromFile(const std::string& FileName, bool KeepPalette, bool Reload) {
  try {
    TFileStream stream(FileName);
    LoadFromStream(stream, KeepPalette, ExtractFileType(FileName), Reload);
  } catch (Exception& e) {
    AddErrorContext(*this, e, "InternalLoadFromFile(" + FileName + ")");
    throw;
  }
}

// The plug-in delivers the picture in its own format; a device-context copy converts it into
// this surface. Only between two 8-bit surfaces does the picture's palette come along.
void TVXGSurface::ConvertFromStream(TStream& Stream, const std::string& Type, TVXGPixelFormat PixelFormat,
                                    bool KeepPalette) {
  const std::unique_ptr<TVXGSprite> picture = TVXGSprite::CreateFromStream(graphics_, Stream, Type);
  CreateSurface(picture->Width(), picture->Height(), PixelFormat);
  if (!KeepPalette && BothIndexed(*picture, *this)) SetPalette(&picture->Palette());
  GdiCopy(0, 0, *picture, nullptr);
  SetColorKeyFromCorner();
}
