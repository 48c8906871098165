#pragma once
// The COM calls that create the network service: the calling thread initialises COM, then asks for
// an object by class and interface. Tests may register a class of their own in place of a real one.

#include <functional>

#include "platform/win/Unknown.h"

inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
inline constexpr HRESULT REGDB_E_CLASSNOTREG = MakeResult(0x80040154);

HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();
HRESULT CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId, LPVOID* object);

namespace platform::dplay {

// Makes CoCreateInstance build objects of ClassId with Create while it lives, as
// CoRegisterClassObject does; the latest registration of a class wins.
class ClassRegistration {
 public:
  using Creator = std::function<HRESULT(REFIID interfaceId, LPVOID* object)>;
  ClassRegistration(const GUID& classId, Creator create);
  ~ClassRegistration();
  ClassRegistration(const ClassRegistration&) = delete;
  ClassRegistration& operator=(const ClassRegistration&) = delete;
};

}  // namespace platform::dplay
