#include "Font.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <unordered_map>

#include "platform/win/CodePage.h"

namespace platform::gdi {
namespace {

constexpr LONG BoldFrom = 600;

std::string FaceNameOf(const LOGFONTA& description) {
  const char* name = description.lfFaceName;
  const std::size_t length = std::find(name, name + sizeof description.lfFaceName, '\0') - name;
  return Cp1252ToUtf8(std::string_view(name, length));
}

// Faces by what decides them; fontconfig and FreeType are asked once for each.
class FaceCache {
 public:
  std::shared_ptr<FontFace> FaceFor(const FaceRequest& request, std::int32_t height) {
    const Key key{request.name, request.bold, request.italic, height};
    const auto found = faces_.find(key);
    if (found != faces_.end()) return found->second;
    std::shared_ptr<FontFace> face;
    for (const FaceFile& file : LocateFaces(request))
      if ((face = FontFace::Open(file, height))) break;
    faces_.emplace(key, face);
    return face;
  }

 private:
  using Key = std::tuple<std::string, bool, bool, std::int32_t>;
  std::map<Key, std::shared_ptr<FontFace>> faces_;
};

FaceCache& Faces() {
  static FaceCache cache;
  return cache;
}

std::unordered_map<const Font*, std::shared_ptr<Font>>& Handles() {
  static std::unordered_map<const Font*, std::shared_ptr<Font>> handles;
  return handles;
}

}  // namespace

Font::Font(const LOGFONTA& description) {
  const FaceRequest request{FaceNameOf(description), description.lfWeight >= BoldFrom, description.lfItalic != 0};
  face_ = Faces().FaceFor(request, description.lfHeight);
}

const Font& Font::System() {
  static const Font system(LOGFONTA{});
  return system;
}

HFONT RegisterFont(std::shared_ptr<Font> font) {
  Font* handle = font.get();
  Handles().emplace(handle, std::move(font));
  return handle;
}

std::shared_ptr<Font> FontOfHandle(HFONT handle) {
  const auto found = Handles().find(handle);
  return found == Handles().end() ? nullptr : found->second;
}

bool UnregisterFont(HFONT handle) { return Handles().erase(handle) > 0; }

}  // namespace platform::gdi
