#pragma once
// One installed face at one size, rendered by FreeType: its cell metrics as GDI reports them and
// its glyphs for the bytes of the Windows Western code page, each rendered once per kind and kept.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FaceLocator.h"

struct FT_FaceRec_;
struct FT_LibraryRec_;

namespace platform::gdi {

enum class Rendering { Smooth, Monochrome };

struct Glyph {
  std::uint32_t index = 0;  // in the face; 0 is its missing-character shape
  std::int32_t advance = 0;
  std::int32_t left = 0;  // from the pen to the first column
  std::int32_t top = 0;   // from the baseline up to the first row
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> coverage;  // width × height, 0 to 255, top row first
};

class FontFace {
 public:
  // `height` as GDI's: negative the em in pixels, positive the cell (ascent + descent), 0 a 16-pixel
  // cell; at most 1024 pixels per em. Null when FreeType cannot use the file.
  static std::shared_ptr<FontFace> Open(const FaceFile& file, std::int32_t height);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  std::int32_t Ascent() const { return ascent_; }
  std::int32_t CellHeight() const { return ascent_ + descent_; }
  // Family and style, as the file names them.
  std::string Name() const;

  const Glyph& GlyphFor(unsigned char character, Rendering rendering);

  // Calls place(glyph, pen) for each character, the pen starting at 0 and moving by advances and
  // kerning; returns where the pen ends.
  template <class Place>
  std::int64_t Layout(std::string_view text, Rendering rendering, Place&& place) {
    std::int64_t pen = 0;
    const Glyph* previous = nullptr;
    for (const char c : text) {
      const Glyph& glyph = GlyphFor(static_cast<unsigned char>(c), rendering);
      if (previous) pen += Kerning(previous->index, glyph.index);
      place(glyph, pen);
      pen += glyph.advance;
      previous = &glyph;
    }
    return pen;
  }

 private:
  FontFace(std::shared_ptr<FT_LibraryRec_> library, FT_FaceRec_* face, const FaceFile& file);
  void SetHeight(std::int32_t height);
  Glyph Render(unsigned char character, Rendering rendering) const;
  std::int32_t Kerning(std::uint32_t left, std::uint32_t right) const;

  std::shared_ptr<FT_LibraryRec_> library_;  // outlives the face
  FT_FaceRec_* face_;
  bool embolden_;
  bool oblique_;
  bool kerning_;
  std::int32_t ascent_ = 0;
  std::int32_t descent_ = 0;
  std::array<std::array<std::optional<Glyph>, 256>, 2> glyphs_;
};

}  // namespace platform::gdi
