// The title runs on its own: the launcher neither waits for it nor closes its handles.
#include "launcher/LaunchTitle.h"

#include "platform/WindowsValues.h"

namespace launcher {

bool LaunchTitle(platform::Platform& platform, LaunchState& state) {
    // The title gets the system's default error mode, not whatever the launcher runs with.
    return platform.CreateProcessA(
        nullptr, "D.EXE", nullptr, nullptr, false,
        platform::CREATE_DEFAULT_ERROR_MODE | platform::NORMAL_PRIORITY_CLASS, nullptr, nullptr,
        &state.startupInfo, &state.processInformation);
}

}  // namespace launcher
