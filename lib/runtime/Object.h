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
  virtual ~TObject() = default;

  // The name of the object's actual class, also when asked through a base class.
  std::string ClassName() const { return ClassNameOf(typeid(*this)); }
};
