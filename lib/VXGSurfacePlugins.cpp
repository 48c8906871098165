#include "VXGSurfacePlugins.h"

#include "VXG.h"

std::string SurfacePluginName(const std::string& Type) {
  return std::string(PluginDirectory) + "Surf" + Type + PluginExtension;
}

FARPROC GetSurfacePluginProc(const std::string& LibraryName, const std::string& ProcName) {
  return GetPluginProc(LibraryName, ProcName, SurfacePluginVersion, SurfacePluginVersion);
}
