#include "HeadlessPlatform.h"

#include <iostream>

#include "platform/win/CodePage.h"

namespace platform {
namespace {

class MessageBoxesToStandardError final : public MessageBoxRecorder {
 public:
  void Record(Box box) override { std::cerr << Cp1252ToUtf8(box.Caption) << ": " << Cp1252ToUtf8(box.Text) << '\n'; }
};

}  // namespace

HeadlessPlatform::HeadlessPlatform(MessageBoxes messageBoxes) {
  if (messageBoxes == MessageBoxes::ToStandardError) messageBoxes_ = std::make_unique<MessageBoxesToStandardError>();
}

}  // namespace platform
