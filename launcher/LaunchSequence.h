// The launcher's whole control flow, from the first presence check to the title's start.
#pragma once

#include "launcher/LaunchState.h"
#include "platform/Platform.h"

namespace launcher {

// Exit codes. 1 is the platform's, for an error that escapes the sequence.
constexpr int kExitTitleStarted = 0;
constexpr int kExitTitleNotStarted = 2;

// Runs once per process over a zero-initialised state and returns the exit code.
int RunLaunchSequence(platform::Platform& platform, LaunchState& state);

}  // namespace launcher
