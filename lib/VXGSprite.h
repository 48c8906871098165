#pragma once
// Off-screen surfaces: the plain sprite, and the file sprite that remembers its picture file and
// loads it again when the display took its memory away.

#include <memory>
#include <string>

#include "VXGSurface.h"

class TVXGSprite : public TVXGSurface {
 public:
  TVXGSprite(TVXGGraphics& Graphics, std::int32_t Width, std::int32_t Height, TVXGPixelFormat PixelFormat);

  // Cleared to 0, with 0 as its colour key (unless the device names no corner).
  static std::unique_ptr<TVXGSprite> CreateClear(TVXGGraphics& Graphics, std::int32_t Width, std::int32_t Height,
                                                 TVXGPixelFormat PixelFormat);
  // The picture as the plug-in for Type delivers it, in the picture's own format.
  static std::unique_ptr<TVXGSprite> CreateFromStream(TVXGGraphics& Graphics, TStream& Stream, const std::string& Type);
  // The picture converted into PixelFormat (NoPixelFormat: the display's).
  static std::unique_ptr<TVXGSprite> CreateFromStreamConvert(TVXGGraphics& Graphics, TStream& Stream,
                                                             const std::string& Type, TVXGPixelFormat PixelFormat,
                                                             bool KeepPalette);

 protected:
  TVXGSprite(Descendant, TVXGGraphics& Graphics) : TVXGSurface(Descendant{}, Graphics) {}
};

class TVXGFileSprite : public TVXGSprite {
 public:
  // The picture file converted into PixelFormat; errors name the file.
  static std::unique_ptr<TVXGFileSprite> CreateFromFileConvert(TVXGGraphics& Graphics, const std::string& FileName,
                                                               TVXGPixelFormat PixelFormat, bool KeepPalette);

  // The picture file, empty until a picture was loaded.
  const std::string& FileName() const { return fileName_; }

  void InternalLoadFromFile(const std::string& FileName, bool KeepPalette, bool Reload) override;
  // Restores the memory and loads the picture into it again, keeping palette and colour key.
  void Restore() override;

 private:
  TVXGFileSprite(TVXGGraphics& Graphics, const std::string& FileName, TVXGPixelFormat PixelFormat, bool KeepPalette);

  std::string fileName_;
};
