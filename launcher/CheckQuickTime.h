// The presence check: the runtime counts as installed when every shared file that its
// registry key lists exists on disk.
#pragma once

#include "launcher/LaunchState.h"
#include "platform/Platform.h"

namespace launcher {

// Sets state.verdict anew (every call starts from absent) and returns it.
bool CheckQuickTime(platform::Platform& platform, LaunchState& state);

}  // namespace launcher
