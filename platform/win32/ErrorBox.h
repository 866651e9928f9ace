// Windows only. The last resort for a fault that nothing handled: a box naming it, then
// the end of the process with exit code 1.
#pragma once

#include "platform/win32/Application.h"

namespace win32 {

// From now on any unhandled structured exception (an access violation, say) shows the error
// box and ends the process through the application's orderly exit with code 1.
void InstallErrorBox(Application& application);

}  // namespace win32
