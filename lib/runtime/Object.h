#pragma once
// The root of the runtime's classes: objects are used by reference and know their class name.

#include <string>
#include <typeinfo>

// The class name as written in the source: "TVXGFileSprite", without namespaces.
std::string ClassNameOf(const std::type_info& type);

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  // Destructors may raise, so that a pixel lock or a canvas can report the platform refusing what it
  // gives back. The classes whose destruction cannot fail say noexcept, which keeps them usable as
  // members of classes that promise it.
  virtual ~TObject() noexcept(false) = default;

  // The name of the object's actual class, also when asked through a base class.
  std::string ClassName() const { return ClassNameOf(typeid(*this)); }
};
