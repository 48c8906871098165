#include "Com.h"

#include <mutex>
#include <vector>

#include "DirectPlay.h"

namespace {

// COM is initialised per thread; each CoInitialize needs its CoUninitialize.
thread_local int initialisations = 0;

struct Registered {
  GUID classId;
  platform::dplay::ClassRegistration::Creator create;
  const platform::dplay::ClassRegistration* owner;
};

std::mutex& RegistryMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<Registered>& Registry() {
  static std::vector<Registered> registry;
  return registry;
}

// The creator registered last for ClassId, if any.
platform::dplay::ClassRegistration::Creator RegisteredCreator(const GUID& classId) {
  const std::lock_guard lock(RegistryMutex());
  const auto& registry = Registry();
  for (auto it = registry.rbegin(); it != registry.rend(); ++it)
    if (it->classId == classId) return it->create;
  return nullptr;
}

}  // namespace

HRESULT CoInitialize(LPVOID) { return initialisations++ == 0 ? S_OK : S_FALSE; }

void CoUninitialize() {
  if (initialisations > 0) --initialisations;
}

HRESULT CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (initialisations == 0) return CO_E_NOTINITIALIZED;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  if ((context & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
  if (const auto create = RegisteredCreator(classId)) return create(interfaceId, object);
  if (classId == CLSID_DirectPlay) return platform::dplay::CreateDirectPlay(interfaceId, object);
  return REGDB_E_CLASSNOTREG;
}

namespace platform::dplay {

ClassRegistration::ClassRegistration(const GUID& classId, Creator create) {
  const std::lock_guard lock(RegistryMutex());
  Registry().push_back({classId, std::move(create), this});
}

ClassRegistration::~ClassRegistration() {
  const std::lock_guard lock(RegistryMutex());
  std::erase_if(Registry(), [this](const Registered& entry) { return entry.owner == this; });
}

}  // namespace platform::dplay
