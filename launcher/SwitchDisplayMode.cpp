// Tests each candidate depth before applying one, so that a display which refuses deep
// colour still gets 640x480 at the best depth it offers.
#include "launcher/SwitchDisplayMode.h"

#include "platform/WindowsValues.h"

namespace launcher {

const std::uint32_t DepthCandidates[5] = {32, 24, 16, 15, 8};

void SwitchDisplayMode(platform::Platform& platform, LaunchState& state) {
    // The client width of a full-screen window, not the screen width: only this is compared.
    if (platform.GetSystemMetrics(platform::SM_CXFULLSCREEN) == 640) return;

    // The record stays zero but for these fields: no refresh rate is asked for.
    state.mode.dmSize = sizeof(platform::DEVMODEA);
    state.mode.dmFields =
        platform::DM_BITSPERPEL | platform::DM_PELSWIDTH | platform::DM_PELSHEIGHT;
    state.mode.dmPelsWidth = 640;
    state.mode.dmPelsHeight = 480;
    for (const std::uint32_t depth : DepthCandidates) {
        state.mode.dmBitsPerPel = depth;
        if (platform.ChangeDisplaySettingsA(&state.mode, platform::CDS_TEST) ==
            platform::DISP_CHANGE_SUCCESSFUL) {
            state.modeFound = true;
            break;
        }
    }
    // Flags 0: change the mode now without storing it as the user's setting.
    if (state.modeFound) platform.ChangeDisplaySettingsA(&state.mode, 0);
}

}  // namespace launcher
