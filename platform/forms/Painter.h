#pragma once
// Drawing of the window framework: rectangles, the bevels of the three-dimensional look, the
// dotted focus frame, text through a device context and pictures, all into a bitmap, clipped to a
// control's visible part and in the control's own coordinates.

#include <optional>
#include <string>

#include "Bitmap.h"
#include "platform/gdi/Graphics.h"

namespace platform {

class Painter {
 public:
  // All of the bitmap, with (0, 0) at its top left.
  explicit Painter(Bitmap& target);

  // A painter for a child whose rectangle `r` is given in this painter's coordinates.
  Painter Inner(const RECT& r) const;

  void FillRect(const RECT& r, TColor color);
  // A one-pixel frame: `topLeft` on the top and left edges, `bottomRight` on the others.
  void Frame(const RECT& r, TColor topLeft, TColor bottomRight);
  void Line(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, TColor color);  // straight only
  // The dotted frame round whatever has the keyboard.
  void FocusRect(const RECT& r);

  // Text with its cell's top-left corner at (x, y), on a transparent background.
  void Text(std::int32_t x, std::int32_t y, const std::string& text, const TFont& font, TColor color);
  // The text as a disabled control shows it: white, with grey one pixel up and left of it.
  void GrayText(std::int32_t x, std::int32_t y, const std::string& text, const TFont& font);
  // A caption whose "&"-marked character is underlined, drawn normally or grey.
  void Caption(std::int32_t x, std::int32_t y, const std::string& caption, const TFont& font, bool enabled);

  // A picture at (x, y); pixels of the transparent colour (0xAARRGGBB) are left out.
  void Draw(std::int32_t x, std::int32_t y, const Bitmap& picture, std::optional<std::uint32_t> transparent);

 private:
  Painter(Bitmap& target, const RECT& clip, POINT origin) : target_(target), clip_(clip), origin_(origin) {}
  // A rectangle in bitmap coordinates, cut to the clip.
  RECT Clipped(const RECT& r) const;

  Bitmap& target_;
  RECT clip_;     // in bitmap coordinates
  POINT origin_;  // where (0, 0) lies in the bitmap
};

// The size of a line of text in a font.
SIZE TextExtent(const std::string& text, const TFont& font);
// How far a font's baseline lies below the top of its cell.
std::int32_t TextAscent(const TFont& font);

// An "&" before a character marks it as the key that goes with Alt; "&&" is a plain "&".
struct Accelerator {
  std::string text;          // without the marks
  std::optional<char> key;   // upper case
  std::size_t position = 0;  // of the marked character in `text`
};
Accelerator ParseAccelerator(const std::string& caption);

}  // namespace platform
