// Everything one run of the launcher works on. A run starts from a zero-initialised record
// (`LaunchState state{};`) and the launcher relies on that: the title gets an all-zero
// startup block on the present path, the mode record is zero but for the fields the display
// switch writes, and the installer status reads 0 when no installer was started.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace launcher {

constexpr std::uint32_t kNameCapacity = 260;

struct LaunchState {
    // Presence check.
    bool verdict;
    platform::HKEY key;
    char name[kNameCapacity];
    std::uint32_t nameLength;

    // Launch sequence.
    platform::PROCESS_INFORMATION processInformation;
    platform::STARTUPINFOA startupInfo;
    std::uint32_t installerStatus;

    // Display switch.
    platform::DEVMODEA mode;
    bool modeFound;
};

}  // namespace launcher
