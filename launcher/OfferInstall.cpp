// Both waits keep the application window answering (a log-off must still reach it) and
// block in the platform between passes instead of spinning: an installer runs for minutes
// and should not have to share its processor with the launcher that waits for it.
#include "launcher/OfferInstall.h"

#include "platform/WindowsValues.h"

namespace launcher {

namespace {

const char kPromptText[] = "Our program required Apple QuickTime\r\rInstall now?";
const char kPromptCaption[] = "Sorry...";
const char kPlayerWindowTitle[] = "Movie Player";
constexpr std::uint32_t kSettleMilliseconds = 3000;
// Nothing tells the launcher when another program's window closes, so it looks this often.
constexpr std::uint32_t kPlayerLookMilliseconds = 100;

const char kInstallerCommandLine[] = "QT_F\\QT32.EXE";

void StartInstaller(platform::Platform& platform, LaunchState& state) {
    if (platform.CreateProcessA(
            nullptr, kInstallerCommandLine, nullptr, nullptr, false,
            platform::CREATE_NEW_PROCESS_GROUP | platform::NORMAL_PRIORITY_CLASS, nullptr, nullptr,
            &state.startupInfo, &state.processInformation)) {
        return;
    }
    // An installer that needs administrator rights cannot be started this way; through the
    // shell Windows asks the user's consent instead of failing without a word.
    if (platform.GetLastError() != platform::ERROR_ELEVATION_REQUIRED) return;
    platform::SHELLEXECUTEINFOA elevated{};
    elevated.cbSize = sizeof elevated;
    elevated.fMask = platform::SEE_MASK_NOCLOSEPROCESS;
    elevated.lpVerb = "runas";
    elevated.lpFile = kInstallerCommandLine;
    elevated.nShow = (state.startupInfo.dwFlags & platform::STARTF_USESHOWWINDOW) != 0
                         ? state.startupInfo.wShowWindow
                         : platform::SW_SHOWNORMAL;
    // Declined or failed: no handle, so the installer wait makes its one pass as for an
    // installer that could not be started.
    if (platform.ShellExecuteExA(&elevated)) state.processInformation.hProcess = elevated.hProcess;
}

void WaitForInstaller(platform::Platform& platform, LaunchState& state) {
    // Null when no installer was started: the status read then fails, keeps its 0 and the
    // wait ends after one pass.
    platform::HANDLE installer = state.processInformation.hProcess;
    for (;;) {
        platform.DispatchPendingMessages();
        platform.GetExitCodeProcess(installer, &state.installerStatus);
        if (state.installerStatus != platform::STILL_ACTIVE) return;
        // An installer may itself exit with 259; its handle, once signalled, tells that
        // apart from one still running. Any wake but a message ends the wait, so a handle
        // that cannot be waited on never turns this into a spin.
        if (platform.MsgWaitForMultipleObjects(1, &installer, false, platform::INFINITE,
                                               platform::QS_ALLINPUT) !=
            platform::WAIT_OBJECT_0 + 1) {
            return;
        }
    }
}

void WaitForPlayerWindow(platform::Platform& platform) {
    while (platform.FindWindowA(nullptr, kPlayerWindowTitle) != nullptr) {
        platform.DispatchPendingMessages();
        platform.MsgWaitForMultipleObjects(0, nullptr, false, kPlayerLookMilliseconds,
                                           platform::QS_ALLINPUT);
    }
}

}  // namespace

void OfferInstall(platform::Platform& platform, LaunchState& state) {
    platform.MessageBeep(platform::MB_ICONHAND);
    // From here on both process starts of the run pass on the launcher's own startup
    // settings (a shortcut set to start minimised, for instance).
    platform.GetStartupInfoA(&state.startupInfo);
    if (platform.MessageBoxA(nullptr, kPromptText, kPromptCaption,
                             platform::MB_YESNO | platform::MB_ICONERROR) == platform::IDYES) {
        StartInstaller(platform, state);
    }
    WaitForInstaller(platform, state);
    // Gives an installer that hands over to another process time to open its windows.
    // Nothing is dispatched meanwhile.
    platform.Sleep(kSettleMilliseconds);
    WaitForPlayerWindow(platform);
}

}  // namespace launcher
