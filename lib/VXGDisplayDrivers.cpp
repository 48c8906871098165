#include "VXGDisplayDrivers.h"

#include <memory>

#include "platform/ddraw/DDraw.h"

namespace {

BOOL AddDriver(GUID* guid, char* description, char* name, LPVOID context) {
  auto* list = static_cast<TVXGDisplayDriverList*>(context);
  list->Add({name, description, guid ? *guid : GUID{}});
  return DDENUMRET_OK;
}

std::unique_ptr<TVXGDisplayDriverList>& CachedDrivers() {
  static std::unique_ptr<TVXGDisplayDriverList> drivers;
  return drivers;
}

}  // namespace

TVXGDisplayDriverList::TVXGDisplayDriverList() { Check("Create", DirectDrawEnumerateA(AddDriver, this)); }

TVXGDisplayDriverList& DisplayDrivers() {
  std::unique_ptr<TVXGDisplayDriverList>& drivers = CachedDrivers();
  if (!drivers) drivers = std::make_unique<TVXGDisplayDriverList>();
  return *drivers;
}

void ReleaseDisplayDrivers() { CachedDrivers().reset(); }
