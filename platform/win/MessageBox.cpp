#include "MessageBox.h"

#include <SDL.h>

#include <cstdio>

#include "CodePage.h"

namespace {

// The recorder that currently stands in for the screen; the system's own state, not the game's.
platform::MessageBoxRecorder* activeRecorder = nullptr;

Uint32 SdlKind(std::uint32_t type) {
  switch (type & 0xF0) {
    case MB_ICONERROR:
      return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING:
      return SDL_MESSAGEBOX_WARNING;
    default:
      return SDL_MESSAGEBOX_INFORMATION;
  }
}

}  // namespace

int MessageBoxA(HWND owner, const char* text, const char* caption, std::uint32_t type) {
  const std::string body = text != nullptr ? text : "";
  const std::string title = caption != nullptr ? caption : "Error";
  if (activeRecorder != nullptr) {
    activeRecorder->Record({body, title, type});
    return IDOK;
  }
  const std::string utf8Body = Cp1252ToUtf8(body);
  const std::string utf8Title = Cp1252ToUtf8(title);
  if (SDL_ShowSimpleMessageBox(SdlKind(type), utf8Title.c_str(), utf8Body.c_str(),
                               owner != nullptr ? owner->Sdl() : nullptr) != 0)
    std::fprintf(stderr, "%s: %s\n", utf8Title.c_str(), utf8Body.c_str());
  return IDOK;
}

namespace platform {

MessageBoxRecorder::MessageBoxRecorder() : active_(activeRecorder, this) {}

}  // namespace platform
