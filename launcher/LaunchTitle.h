// Starts the title program, once per run.
#pragma once

#include "launcher/LaunchState.h"
#include "platform/Platform.h"

namespace launcher {

// Starts "D.EXE" with the startup block as it stands. Returns whether the title started.
bool LaunchTitle(platform::Platform& platform, LaunchState& state);

}  // namespace launcher
