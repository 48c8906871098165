#include "Input.h"

#include "SdlInput.h"

namespace platform {
namespace {

InputSource*& Installed() {
  static SdlInput machine;
  static InputSource* installed = &machine;
  return installed;
}

}  // namespace

InputSource& CurrentInput() { return *Installed(); }

ScopedInput::ScopedInput(InputSource& source) : installed_(Installed(), &source) {}

}  // namespace platform

BOOL GetCursorPos(POINT* point) {
  if (!point) return FALSE;
  *point = platform::CurrentInput().CursorPosition();
  return TRUE;
}
