// The program's message pump.
#pragma once

namespace zentab {

// Runs until WM_QUIT arrives; returns its exit code.
int RunMessageLoop();

// Handles the messages already waiting, then returns. A WM_QUIT met on the way is left for
// RunMessageLoop.
void DispatchPendingMessages();

}  // namespace zentab
