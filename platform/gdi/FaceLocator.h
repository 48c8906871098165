#pragma once
// Finds the installed font file for a Windows face name through fontconfig. Windows faces that
// Linux lacks are asked for by a metric-compatible stand-in; whatever is not found falls back to
// the default sans.

#include <string>
#include <vector>

namespace platform::gdi {

struct FaceRequest {
  std::string name;  // UTF-8; empty for the default sans
  bool bold = false;
  bool italic = false;
};

struct FaceFile {
  std::string path;
  int index = 0;
  // The file lacks the weight or slant asked for; the renderer makes it up.
  bool embolden = false;
  bool oblique = false;
};

// The best installed file for `request` (first choice) and the default sans, if different (second);
// empty when fontconfig knows no font at all.
std::vector<FaceFile> LocateFaces(const FaceRequest& request);

}  // namespace platform::gdi
