#pragma once
// The application's message processing: pending window events are taken from SDL and handed to
// the windows they belong to.

namespace platform {

// Handles every event that is waiting, then returns; never waits for one.
void ProcessMessages();

}  // namespace platform
