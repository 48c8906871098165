// A plug-in that reports a version and, in some builds, an entry point "Load". Each one writes
// its name into the unload log when the loader releases it, so tests see the release order.

#include <cstdint>
#include <string>
#include <vector>

namespace {
std::vector<std::string>* unloadLog = nullptr;

#if defined(TEST_PLUGIN_current)
constexpr std::uint32_t version = 0x01010000;
constexpr const char* name = "current";
#elif defined(TEST_PLUGIN_old)
constexpr std::uint32_t version = 0x01000000;
constexpr const char* name = "old";
#else
constexpr std::uint32_t version = 0x01010000;
constexpr const char* name = "bare";
#endif

__attribute__((destructor)) void Unloaded() {
  if (unloadLog) unloadLog->push_back(name);
}
}  // namespace

extern "C" {
__attribute__((visibility("default"))) std::uint32_t GetVersion() { return version; }
__attribute__((visibility("default"))) void SetUnloadLog(std::vector<std::string>* log) { unloadLog = log; }
#if !defined(TEST_PLUGIN_bare)
__attribute__((visibility("default"))) const char* Load() { return name; }
#endif
}
