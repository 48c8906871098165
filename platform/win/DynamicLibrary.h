#pragma once
// Loading shared libraries by name, as LoadLibrary does on Windows.
//
// A name without a folder is looked for beside the running program first, then in the working
// directory, then along the dynamic loader's own path. "\" in a name is a folder separator, and a
// name that is not found as written matches a file whose name differs only in letter case.

#include "WinTypes.h"

using HMODULE = struct HMODULE__*;
using FARPROC = void*;

HMODULE LoadLibraryA(const char* fileName);
FARPROC GetProcAddress(HMODULE module, const char* procName);
BOOL FreeLibrary(HMODULE module);
