// The hand-off when the runtime is missing: warn, offer the bundled installer, and wait for
// the installer and for the runtime's player window before the title starts.
#pragma once

#include "launcher/LaunchState.h"
#include "platform/Platform.h"

namespace launcher {

void OfferInstall(platform::Platform& platform, LaunchState& state);

}  // namespace launcher
