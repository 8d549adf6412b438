// The program's message pump.
#pragma once

#include <functional>

namespace zentab {

// Runs until WM_QUIT arrives; returns its exit code.
int RunMessageLoop();

// Runs the messages, as RunMessageLoop does, until `done` holds. Returns false when WM_QUIT came
// first; it is posted again for the loop outside.
bool RunMessagesUntil(const std::function<bool()>& done);

// Handles the messages already waiting, then returns. A WM_QUIT met on the way is left for
// RunMessageLoop.
void DispatchPendingMessages();

}  // namespace zentab
