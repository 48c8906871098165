#include "Object.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

std::string ClassNameOf(const std::type_info& type) {
  int status = 0;
  const std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
  std::string name = status == 0 && demangled ? demangled.get() : type.name();
  // Drop namespaces, but not the "::" inside template arguments.
  const std::string::size_type arguments = name.find('<');
  const std::string::size_type scope = name.rfind("::", arguments);
  if (scope != std::string::npos) name.erase(0, scope + 2);
  return name;
}
