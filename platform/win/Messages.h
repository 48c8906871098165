#pragma once
// The application's message processing, reachable from code below the application (a surface that
// waits for the display to come back lets messages run meanwhile). The toolkit's application puts
// itself in place; without one, pending events get only what the platform does for every window.

#include "ScopedOverride.h"

namespace platform {

class MessagePump {
 public:
  virtual void ProcessMessages() = 0;

 protected:
  ~MessagePump() = default;
};

// Handles every event that is waiting, then returns; never waits for one.
void ProcessMessages();

class ScopedMessagePump {
 public:
  explicit ScopedMessagePump(MessagePump& pump);

 private:
  ScopedOverride<MessagePump*> installed_;
};

}  // namespace platform
