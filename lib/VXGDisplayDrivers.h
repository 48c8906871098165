#pragma once
// The display drivers DirectDraw reports, and the process-wide list of them.

#include <string>

#include "VXGGraphicsError.h"
#include "lib/runtime/List.h"

struct TVXGDisplayDriver {
  std::string Name;
  std::string Description;
  GUID Guid{};  // all zero for the primary display, which the platform reports without GUID
};

template <class Item>
class TVXGGraphicsList : public TList<Item> {};

class TVXGDisplayDriverList final : public TVXGGraphicsList<TVXGDisplayDriver> {
 public:
  // Enumerates the drivers.
  TVXGDisplayDriverList();

  void GetDriver(int Index, TVXGDisplayDriver& Driver) const { Driver = Get(Index); }

 private:
  void Check(std::string_view Operation, HRESULT Result) const {
    CheckResult<EVXGGraphicsError>(*this, Operation, Result);
  }
};

// The list, enumerated at the first call after program start or after a device was created.
TVXGDisplayDriverList& DisplayDrivers();
// Drops the cached list; the next DisplayDrivers enumerates again.
void ReleaseDisplayDrivers();
