// Veltranzik: the program.

#include "Program.h"
#include "lib/LibraryCache.h"
#include "platform/forms/Application.h"

int main() {
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
