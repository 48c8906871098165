#include "LibraryCache.h"

#include <strings.h>

#include <memory>
#include <vector>

#include "lib/runtime/Exception.h"

namespace {

struct CachedLibrary {
  std::string name;
  HMODULE module;
};

class LibraryList {
 public:
  LibraryList() = default;
  LibraryList(const LibraryList&) = delete;
  LibraryList& operator=(const LibraryList&) = delete;
  ~LibraryList() {
    for (auto it = libraries_.rbegin(); it != libraries_.rend(); ++it) FreeLibrary(it->module);
  }

  HMODULE Find(const std::string& name) const {
    for (const CachedLibrary& library : libraries_)
      if (strcasecmp(library.name.c_str(), name.c_str()) == 0) return library.module;
    return nullptr;
  }
  void Add(std::string name, HMODULE module) { libraries_.push_back({std::move(name), module}); }

 private:
  std::vector<CachedLibrary> libraries_;
};

// Absent until the first lookup; what is still cached when the program ends is released then.
std::unique_ptr<LibraryList>& Cache() {
  static std::unique_ptr<LibraryList> cache;
  return cache;
}

}  // namespace

FARPROC GetLibraryProc(const std::string& LibraryName, const std::string& ProcName) {
  std::unique_ptr<LibraryList>& cache = Cache();
  if (!cache) cache = std::make_unique<LibraryList>();
  HMODULE module = cache->Find(LibraryName);
  if (!module) {
    module = LoadLibraryA(LibraryName.c_str());
    if (!module) throw Exception("Error while loading Library: " + LibraryName);
    cache->Add(LibraryName, module);
  }
  FARPROC proc = GetProcAddress(module, ProcName.c_str());
  if (!proc) throw Exception("Procedure not found in Library (" + LibraryName + "): " + ProcName);
  return proc;
}

void FreeLibraries() { Cache().reset(); }
