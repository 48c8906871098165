#pragma once
// The modal message box. Like the system's, it is process-wide: while a MessageBoxRecorder lives,
// boxes are recorded instead of shown, so that tests can see what the user would have read.

#include <cstdint>
#include <string>
#include <vector>

#include "ScopedOverride.h"
#include "Window.h"

inline constexpr std::uint32_t MB_OK = 0x00000000;
inline constexpr std::uint32_t MB_ICONERROR = 0x00000010;
inline constexpr std::uint32_t MB_ICONWARNING = 0x00000030;
inline constexpr std::uint32_t MB_ICONINFORMATION = 0x00000040;
inline constexpr int IDOK = 1;

// Shows Text under Caption (Windows-1252 bytes; no caption reads "Error") until the user closes
// it, and answers IDOK; the box stands over Owner's window where there is one on screen. Where no
// box can be shown (no display), the message goes to the standard error stream instead.
int MessageBoxA(HWND owner, const char* text, const char* caption, std::uint32_t type);

namespace platform {

class MessageBoxRecorder {
 public:
  struct Box {
    std::string Text;
    std::string Caption;
    std::uint32_t Type;
  };

  MessageBoxRecorder();
  virtual ~MessageBoxRecorder() = default;

  const std::vector<Box>& Boxes() const { return boxes_; }
  virtual void Record(Box box) { boxes_.push_back(std::move(box)); }

 private:
  std::vector<Box> boxes_;
  ScopedOverride<MessageBoxRecorder*> active_;
};

}  // namespace platform
