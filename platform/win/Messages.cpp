#include "Messages.h"

#include "Input.h"

namespace platform {
namespace {

MessagePump*& Installed() {
  static MessagePump* installed = nullptr;
  return installed;
}

}  // namespace

void ProcessMessages() {
  if (MessagePump* pump = Installed()) {
    pump->ProcessMessages();
    return;
  }
  CurrentInput().TakePending();
}

ScopedMessagePump::ScopedMessagePump(MessagePump& pump) : installed_(Installed(), &pump) {}

}  // namespace platform
