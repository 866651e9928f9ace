// The launcher's entry point: the platform's start-up, the launch sequence, the exit.
#include "launcher/LaunchSequence.h"
#include "platform/Application.h"

namespace {

// Static storage: zero when the process starts, as the sequence requires.
launcher::LaunchState state;

int Launch(platform::Platform& platform) { return launcher::RunLaunchSequence(platform, state); }

}  // namespace

int main() { platform::RunApplication(Launch); }
