#pragma once
// The host's side of the surface plug-ins: which library serves a picture type, and the one
// plug-in version the graphics unit accepts.

#include <cstdint>
#include <string>

#include "platform/win/DynamicLibrary.h"

class TStream;
class TVXGSurface;

// A surface plug-in's "Load": reads a picture from the stream's position into the bare surface,
// creating its platform surface; reports a bad picture by raising an exception.
using TVXGSurfaceLoadProc = void (*)(TStream* Stream, TVXGSurface* Surface);

// Prefix and extension of the plug-in library names; this program never changes them.
inline constexpr const char* PluginDirectory = "";
inline constexpr const char* PluginExtension = ".spi";
inline constexpr std::uint32_t SurfacePluginVersion = 0x01010000;

// PluginDirectory + "Surf" + Type + PluginExtension: "Surfbmp.spi" for the type "bmp".
std::string SurfacePluginName(const std::string& Type);

// The entry point ProcName of a surface plug-in of exactly the accepted version.
FARPROC GetSurfacePluginProc(const std::string& LibraryName, const std::string& ProcName);
