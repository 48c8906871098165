// The two entry points of the BMP surface plug-in; everything else in it stays hidden.

#include <cstdint>

#include "BmpDecoder.h"
#include "lib/VXGSurfacePlugins.h"

extern "C" {

__attribute__((visibility("default"))) std::uint32_t GetVersion() { return SurfacePluginVersion; }

__attribute__((visibility("default"))) void Load(TStream* Stream, TVXGSurface* Surface) { LoadBmp(*Stream, *Surface); }
}
