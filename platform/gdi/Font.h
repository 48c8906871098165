#pragma once
// A logical font as CreateFontIndirectA makes it: the installed face at the size and weight that
// stand in for its description. Faces are shared by every font of the same face, size and style, so making
// a font again costs nothing but a look-up.

#include <memory>
#include <string>

#include "FontFace.h"
#include "Gdi.h"

namespace platform::gdi {

class Font {
 public:
  explicit Font(const LOGFONTA& description);

  // What a context uses before a font is selected: the default sans in a 16-pixel cell.
  static const Font& System();

  // Null when no face at all could be loaded: such a font draws nothing.
  FontFace* Face() const { return face_.get(); }

 private:
  std::shared_ptr<FontFace> face_;
};

// Fonts by handle. A handle is valid from CreateFontIndirectA to DeleteObject; contexts that still
// hold a deleted font keep it alive until they let it go.
HFONT RegisterFont(std::shared_ptr<Font> font);
std::shared_ptr<Font> FontOfHandle(HFONT handle);
bool UnregisterFont(HFONT handle);

}  // namespace platform::gdi
