// Veltranzik: the program.

#include <cstdio>

#include "Program.h"
#include "lib/LibraryCache.h"
#include "platform/forms/Application.h"
#include "platform/win/Window.h"

int main() {
  const platform::DisplayConnection display;
  // Without a screen the game would run on unseen, and never end.
  if (const std::optional<std::string>& reason = display.WhyWindowsCannotBeSeen()) {
    std::fprintf(stderr, "Veltranzik: kein Bildschirm: %s\n", reason->c_str());
    return 1;
  }
  int exitCode = 0;
  {
    TApplication Application;
    RunVeltranzik(Application, GameOptions{});
    exitCode = Application.ExitCode();
  }
  // The plug-ins go last, after every surface they made.
  FreeLibraries();
  return exitCode;
}
