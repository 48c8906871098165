#pragma once
// The library's root class, its one error model and the versioned plug-in lookup.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "lib/runtime/Exception.h"
#include "lib/runtime/Object.h"
#include "platform/win/DynamicLibrary.h"

class TVXGObject : public TObject {};

class EVXGError : public Exception {
 public:
  // Message: Operation, ":", CR, Text.
  EVXGError(const std::string& Operation, std::int32_t ErrorCode, const std::string& Text);
  explicit EVXGError(std::string Message) : Exception(std::move(Message)) {}

  // The platform result that caused the error; 0 for the library's own consistency errors.
  std::int32_t ErrorCode() const { return errorCode_; }

 private:
  std::int32_t errorCode_ = 0;
};

// Raises Error for a platform result other than 0, naming the object's actual class and the
// operation: "TVXGFileSprite.ColorFill". Each library class's Check passes its unit's error class.
template <class Error>
void CheckResult(const TObject& Object, std::string_view Operation, HRESULT Result) {
  if (Result != 0) throw Error(Object.ClassName() + "." + std::string(Operation), Result);
}

// Amends the exception in flight: Object's class, ".", Context, ":", CR, the old message.
void AddErrorContext(const TObject& Object, Exception& E, std::string_view Context);

// Zeroes a platform record and stores its size in its first four bytes.
template <class Record>
void ClearSized(Record& record, DWORD size = sizeof(Record)) {
  static_assert(std::is_trivially_copyable_v<Record> && sizeof(Record) >= sizeof(DWORD));
  std::memset(&record, 0, sizeof(Record));
  std::memcpy(&record, &size, sizeof size);
}

// "%d.%d.%d.%d" of the four bytes, lowest first: 0x01010000 reads 0.0.1.1.
std::string VersionToText(std::uint32_t Version);

// The entry point ProcName of a plug-in whose GetVersion lies within [MinVersion, MaxVersion].
FARPROC GetPluginProc(const std::string& LibraryName, const std::string& ProcName, std::uint32_t MinVersion,
                      std::uint32_t MaxVersion);
