// Present: switch the display and start the title. Absent: offer the installer, check
// again, and start the title whatever the second check says; only the display switch
// depends on it.
#include "launcher/LaunchSequence.h"

#include "launcher/CheckQuickTime.h"
#include "launcher/LaunchTitle.h"
#include "launcher/OfferInstall.h"
#include "launcher/SwitchDisplayMode.h"

namespace launcher {

int RunLaunchSequence(platform::Platform& platform, LaunchState& state) {
    if (CheckQuickTime(platform, state)) {
        SwitchDisplayMode(platform, state);
    } else {
        OfferInstall(platform, state);
        if (CheckQuickTime(platform, state)) SwitchDisplayMode(platform, state);
    }
    // Nothing is shown when the title cannot start, but whoever started the launcher can
    // tell from the exit code.
    return LaunchTitle(platform, state) ? kExitTitleStarted : kExitTitleNotStarted;
}

}  // namespace launcher
