#include "DynamicLibrary.h"

#include <dlfcn.h>
#include <strings.h>

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "CodePage.h"

namespace {

namespace fs = std::filesystem;

fs::path ProgramFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : program.parent_path();
}

fs::path WorkingFolder() {
  std::error_code error;
  fs::path folder = fs::current_path(error);
  return error ? fs::path() : folder;
}

// The file in `folder` named `name`, or named so apart from letter case.
std::optional<fs::path> FindInFolder(const fs::path& folder, const std::string& name) {
  std::error_code error;
  const fs::path exact = folder / name;
  if (fs::is_regular_file(exact, error)) return exact;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string candidate = it->path().filename().string();
    if (strcasecmp(candidate.c_str(), name.c_str()) == 0 && it->is_regular_file(error)) return it->path();
  }
  return std::nullopt;
}

void* Open(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

}  // namespace

HMODULE LoadLibraryA(const char* fileName) {
  if (fileName == nullptr || *fileName == '\0') return nullptr;
  const std::string name = HostPath(fileName);
  void* handle = nullptr;
  if (name.find('/') != std::string::npos) {
    const fs::path path(name);
    const auto found =
        FindInFolder(path.has_parent_path() ? path.parent_path() : fs::path("."), path.filename().string());
    handle = Open(found ? found->string() : name);
  } else {
    for (const fs::path& folder : {ProgramFolder(), WorkingFolder()}) {
      if (folder.empty()) continue;
      if (const auto found = FindInFolder(folder, name)) {
        handle = Open(found->string());
        if (handle) break;
      }
    }
    if (!handle) handle = Open(name);
  }
  return static_cast<HMODULE>(handle);
}

FARPROC GetProcAddress(HMODULE module, const char* procName) {
  if (module == nullptr || procName == nullptr) return nullptr;
  return dlsym(module, procName);
}

BOOL FreeLibrary(HMODULE module) {
  if (module == nullptr) return FALSE;
  return dlclose(module) == 0 ? TRUE : FALSE;
}
