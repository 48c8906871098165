#pragma once
// The runtime's exceptions: a base class with a message that handlers may amend, and the
// runtime's own errors with the texts of the German runtime the game was made with.

#include <exception>
#include <string>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}

  const std::string& Message() const { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// An index outside a list.
class EListError : public Exception {
 public:
  using Exception::Exception;
  static EListError IndexOutOfBounds(int index);
};

// An interface that the object does not have.
class EIntfCastError : public Exception {
 public:
  EIntfCastError() : Exception("Interface nicht unterst\xFCtzt") {}
};

// A call to the operating system that failed.
class EOSError : public Exception {
 public:
  EOSError() : Exception("Aufruf einer Betriebssystemfunktion fehlgeschlagen") {}
};
