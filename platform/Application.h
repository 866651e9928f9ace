// The process around the launch sequence: start-up, the guard that turns an escaping fault
// into the error box, and the orderly exit. Declared without Windows types so that the entry
// point can live with the launcher.
#pragma once

#include "platform/Platform.h"

namespace platform {

// Creates the application object and its window, runs the sequence against the real
// platform, then destroys the window and ends the process with the sequence's result. A
// fault that escapes the sequence shows the error box and ends the process with code 1.
[[noreturn]] void RunApplication(int (*sequence)(Platform& platform));

}  // namespace platform
