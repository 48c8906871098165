#pragma once
// The COM base interface and a holder that releases what it holds.

#include <atomic>
#include <utility>

#include "WinTypes.h"

inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

class IUnknown {
 public:
  virtual HRESULT QueryInterface(REFIID riid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  IUnknown() = default;
  IUnknown(const IUnknown&) = delete;
  IUnknown& operator=(const IUnknown&) = delete;
  ~IUnknown() = default;  // objects die through Release
};

// Holds one reference to an interface and releases it when it goes.
template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes over a reference the caller already owns.
  static ComPtr Attach(Interface* owned) {
    ComPtr p;
    p.pointer_ = owned;
    return p;
  }
  // Takes a reference of its own to an interface someone else holds.
  static ComPtr Share(Interface* held) {
    if (held) held->AddRef();
    return Attach(held);
  }
  ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
    if (pointer_) pointer_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  void Reset() {
    if (Interface* p = std::exchange(pointer_, nullptr)) p->Release();
  }
  Interface* Get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For out parameters: drops what is held and hands out the slot.
  Interface** Put() {
    Reset();
    return &pointer_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

 private:
  Interface* pointer_ = nullptr;
};

namespace platform {

// Reference counting for the objects behind the interfaces; the object is deleted at zero.
template <class Derived>
class RefCounted {
 public:
  ULONG AddRefImpl() { return ++count_; }
  ULONG ReleaseImpl() {
    const ULONG left = --count_;
    if (left == 0) delete static_cast<Derived*>(this);
    return left;
  }

 private:
  std::atomic<ULONG> count_{1};
};

}  // namespace platform
