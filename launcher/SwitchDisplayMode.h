// The display switch: 640x480 at the deepest colour depth the display accepts, unless a
// full-screen window is already 640 pixels wide. The change is never undone.
#pragma once

#include <cstdint>

#include "launcher/LaunchState.h"
#include "platform/Platform.h"

namespace launcher {

// Bits per pixel, deepest first; the first depth the display accepts is applied.
extern const std::uint32_t DepthCandidates[5];

void SwitchDisplayMode(platform::Platform& platform, LaunchState& state);

}  // namespace launcher
