#include "VXG.h"

#include <cstdio>

#include "LibraryCache.h"

namespace {
constexpr char CR = '\r';
}

EVXGError::EVXGError(const std::string& Operation, std::int32_t ErrorCode, const std::string& Text)
    : Exception(Operation + ":" + CR + Text), errorCode_(ErrorCode) {}

void AddErrorContext(const TObject& Object, Exception& E, std::string_view Context) {
  E.SetMessage(Object.ClassName() + "." + std::string(Context) + ":" + CR + E.Message());
}

std::string VersionToText(std::uint32_t Version) {
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", Version & 0xFF, (Version >> 8) & 0xFF, (Version >> 16) & 0xFF,
                Version >> 24);
  return text;
}

FARPROC GetPluginProc(const std::string& LibraryName, const std::string& ProcName, std::uint32_t MinVersion,
                      std::uint32_t MaxVersion) {
  using GetVersionProc = std::uint32_t (*)();
  const auto getVersion = reinterpret_cast<GetVersionProc>(GetLibraryProc(LibraryName, "GetVersion"));
  const std::uint32_t version = getVersion();
  if (version < MinVersion || version > MaxVersion)
    throw Exception("PlugIn Version (" + VersionToText(version) + ") inkompatibel (must be between " +
                    VersionToText(MinVersion) + " and " + VersionToText(MaxVersion) + ")");
  return GetLibraryProc(LibraryName, ProcName);
}
