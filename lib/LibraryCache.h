#pragma once
// The process-wide cache of loaded libraries. A library is loaded once by name, whatever the
// letter case, and stays loaded until FreeLibraries releases all of them, last loaded first.

#include <string>

#include "platform/win/DynamicLibrary.h"

// The entry point ProcName of the library LibraryName, loading the library on first use.
FARPROC GetLibraryProc(const std::string& LibraryName, const std::string& ProcName);

// Releases every cached library in the reverse of their load order; run at program end.
void FreeLibraries();
