#include "VXGSprite.h"

#include "VXGSurfacePlugins.h"
#include "VXTools.h"

TVXGSprite::TVXGSprite(TVXGGraphics& Graphics, std::int32_t Width, std::int32_t Height, TVXGPixelFormat PixelFormat)
    : TVXGSprite(Descendant{}, Graphics) {
  CreateSurface(Width, Height, PixelFormat);
}

std::unique_ptr<TVXGSprite> TVXGSprite::CreateClear(TVXGGraphics& Graphics, std::int32_t Width, std::int32_t Height,
                                                    TVXGPixelFormat PixelFormat) {
  auto sprite = std::make_unique<TVXGSprite>(Graphics, Width, Height, PixelFormat);
  sprite->ColorFill(nullptr, 0);
  sprite->SetColorKeyFromCorner();
  return sprite;
}

std::unique_ptr<TVXGSprite> TVXGSprite::CreateFromStream(TVXGGraphics& Graphics, TStream& Stream,
                                                         const std::string& Type) {
  const auto load = reinterpret_cast<TVXGSurfaceLoadProc>(GetSurfacePluginProc(SurfacePluginName(Type), "Load"));
  std::unique_ptr<TVXGSprite> sprite(new TVXGSprite(Descendant{}, Graphics));
  load(&Stream, sprite.get());
  sprite->SetColorKeyFromCorner();
  return sprite;
}

std::unique_ptr<TVXGSprite> TVXGSprite::CreateFromStreamConvert(TVXGGraphics& Graphics, TStream& Stream,
                                                                const std::string& Type, TVXGPixelFormat PixelFormat,
                                                                bool KeepPalette) {
  std::unique_ptr<TVXGSprite> sprite(new TVXGSprite(Descendant{}, Graphics));
  sprite->ConvertFromStream(Stream, Type, PixelFormat, KeepPalette);
  return sprite;
}

std::unique_ptr<TVXGFileSprite> TVXGFileSprite::CreateFromFileConvert(TVXGGraphics& Graphics,
                                                                      const std::string& FileName,
                                                                      TVXGPixelFormat PixelFormat, bool KeepPalette) {
  return std::unique_ptr<TVXGFileSprite>(new TVXGFileSprite(Graphics, FileName, PixelFormat, KeepPalette));
}

// The work is done here, in the file sprite's own constructor, so that errors name its class.
TVXGFileSprite::TVXGFileSprite(TVXGGraphics& Graphics, const std::string& FileName, TVXGPixelFormat PixelFormat,
                               bool KeepPalette)
    : TVXGSprite(Descendant{}, Graphics) {
  try {
    TFileStream stream(FileName);
    ConvertFromStream(stream, ExtractFileType(FileName), PixelFormat, KeepPalette);
    fileName_ = FileName;
  } catch (Exception& e) {
    AddErrorContext(*this, e, "CreateFromFileConvert(" + FileName + ")");
    throw;
  }
}

void TVXGFileSprite::InternalLoadFromFile(const std::string& FileName, bool KeepPalette, bool Reload) {
  TVXGSurface::InternalLoadFromFile(FileName, KeepPalette, Reload);
  fileName_ = FileName;
}

void TVXGFileSprite::Restore() {
  TVXGSprite::Restore();
  if (!fileName_.empty()) InternalLoadFromFile(fileName_, true, true);
}
