#pragma once
// What a window shows, written to a PNG file: the scripted runner's screenshots.

#include <string>

#include "platform/win/Window.h"

namespace platform {

// The picture of a window that is not on screen, as an opaque PNG. False when the window has shown
// nothing yet or the file cannot be written.
bool SavePictureAsPng(const Window& window, const std::string& fileName);

}  // namespace platform
