#include "FaceLocator.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>

namespace platform::gdi {
namespace {

struct Substitute {
  const char* windowsName;  // lower case
  const char* family;
  bool heaviest;
};

// "Arial" itself is mapped by fontconfig's own metric aliases (Liberation Sans, Arimo).
constexpr Substitute Substitutes[] = {
    {"ms sans serif", "Arial", false}, {"microsoft sans serif", "Arial", false},
    {"ms shell dlg", "Arial", false},  {"ms shell dlg 2", "Arial", false},
    {"system", "Arial", false},        {"arial black", "Arial", true},
};

constexpr const char* DefaultSans = "sans-serif";

std::string LowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

const Substitute* SubstituteFor(const std::string& name) {
  const std::string lower = LowerCase(name);
  for (const Substitute& substitute : Substitutes)
    if (lower == substitute.windowsName) return &substitute;
  return nullptr;
}

struct ConfigDeleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// Loading fontconfig's configuration and font list takes a while: once per process.
FcConfig* Config() {
  static const std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
  return config.get();
}

std::optional<FaceFile> Match(const std::vector<std::string>& families, int weight, bool italic) {
  FcConfig* config = Config();
  if (!config) return std::nullopt;
  const Pattern pattern(FcPatternCreate());
  for (const std::string& family : families)
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, weight);
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  const Pattern match(FcFontMatch(config, pattern.get(), &result));
  FcChar8* file = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
  FaceFile face{reinterpret_cast<const char*>(file)};
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &face.index);
  FcBool embolden = FcFalse;
  if (FcPatternGetBool(match.get(), FC_EMBOLDEN, 0, &embolden) == FcResultMatch) face.embolden = embolden;
  FcMatrix* matrix = nullptr;
  if (FcPatternGetMatrix(match.get(), FC_MATRIX, 0, &matrix) == FcResultMatch) face.oblique = matrix->xy != 0;
  return face;
}

// In order of preference, ending with the default sans.
std::vector<std::string> FamiliesFor(const std::string& name) {
  std::vector<std::string> families;
  if (!name.empty()) families.push_back(name);
  if (const Substitute* substitute = SubstituteFor(name)) families.push_back(substitute->family);
  families.push_back(DefaultSans);
  return families;
}

}  // namespace

std::vector<FaceFile> LocateFaces(const FaceRequest& request) {
  const Substitute* substitute = SubstituteFor(request.name);
  const int weight = substitute && substitute->heaviest ? FC_WEIGHT_BLACK
                     : request.bold                     ? FC_WEIGHT_BOLD
                                                        : FC_WEIGHT_REGULAR;
  std::vector<FaceFile> faces;
  if (const auto best = Match(FamiliesFor(request.name), weight, request.italic)) faces.push_back(*best);
  const auto fallback = Match({DefaultSans}, weight, request.italic);
  if (fallback && (faces.empty() || fallback->path != faces.front().path)) faces.push_back(*fallback);
  return faces;
}

}  // namespace platform::gdi
