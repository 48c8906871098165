#pragma once
// Reads an uncompressed BMP file into a bare surface, in the file's own pixel layout: rows are
// copied byte for byte; converting them is the host's business.

#include "lib/VXGSurface.h"
#include "lib/runtime/Exception.h"
#include "lib/runtime/Stream.h"

// A file this decoder cannot read: "Invalid BMP-File (" + reason + ")".
class EVXGPluginBMP : public Exception {
 public:
  explicit EVXGPluginBMP(const std::string& Reason) : Exception("Invalid BMP-File (" + Reason + ")") {}
};

void LoadBmp(TStream& Stream, TVXGSurface& Surface);
