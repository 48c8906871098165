#include "VXTools.h"

#include <cstring>

std::string ExtractFileType(std::string_view FileName) {
  const std::string_view::size_type dot = FileName.find_last_of(".\\:");
  if (dot == std::string_view::npos || FileName[dot] != '.') return {};
  return std::string(FileName.substr(dot + 1));
}

bool SameGUID(const GUID& A, const GUID& B) { return std::memcmp(&A, &B, sizeof(GUID)) == 0; }
