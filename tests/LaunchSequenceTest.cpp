// The whole launch sequence against scripted worlds: what reaches the platform, in order,
// with which startup block, and the exit code.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "ExpectedCalls.h"
#include "FakePlatform.h"
#include "launcher/LaunchSequence.h"

namespace {

using fake::FakePlatform;
using Calls = std::vector<std::string>;

using expected::Enum;
using expected::kClose;
using expected::kOpen;

const fake::Registry kInstalledRegistry = {true, {"C:/Windows/System/QuickTime.qts"}};
const char kInstalledFile[] = "C:\\Windows\\System\\QuickTime.qts";

const Calls kPresent = {kOpen, Enum(0), R"(IsExistingFile("C:\\Windows\\System\\QuickTime.qts"))",
                        Enum(1), kClose};
const Calls kAbsent = {kOpen};
const Calls kPrompt = {
    "MessageBeep(0x10)", "GetStartupInfoA()",
    R"(MessageBoxA(null, "Our program required Apple QuickTime\r\rInstall now?", "Sorry...", 0x14))"};
const std::string kInstaller =
    R"(CreateProcessA(null, "QT_F\\QT32.EXE", null, null, 0, 0x220, null, null))";
const std::string kTitle = R"(CreateProcessA(null, "D.EXE", null, null, 0, 0x4000020, null, null))";
const std::string kLastError = "GetLastError()";
std::string Elevate(int show) {
    return R"(ShellExecuteExA(sized, 0x40, null, "runas", "QT_F\\QT32.EXE", null, null, )" +
           std::to_string(show) + ")";
}
const std::string kDispatch = "DispatchPendingMessages()";
const std::string kNoInstallerStatus = "GetExitCodeProcess(null)";
const std::string kInstallerStatus = "GetExitCodeProcess(installer)";
const std::string kInstallerWait = "MsgWaitForMultipleObjects({installer}, 0, 4294967295, 0x4ff)";
const std::string kSettle = "Sleep(3000)";
const std::string kPlayerLook = R"(FindWindowA(null, "Movie Player"))";
const std::string kPlayerWait = "MsgWaitForMultipleObjects({}, 0, 100, 0x4ff)";
const Calls kSwitch32 = {"GetSystemMetrics(16)", "ChangeDisplaySettingsA(640x480x32, 2)",
                         "ChangeDisplaySettingsA(640x480x32, 0)"};
const Calls kNoSwitch = {"GetSystemMetrics(16)"};

Calls Join(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Calls Repeat(int times, const Calls& pass) {
    Calls all;
    for (int i = 0; i < times; ++i) all.insert(all.end(), pass.begin(), pass.end());
    return all;
}

struct World {
    bool installed = false;
    int fullScreenWidth = 1024;
    int answer = platform::IDNO;
    bool installerExists = true;
    bool installerNeedsElevation = false;
    FakePlatform::Consent consent = FakePlatform::Consent::Given;
    bool installerInstalls = false;
    int installerWakes = 0;
    std::uint32_t installerExitCode = 0;
    int playerWindowLooks = 0;
    bool titleExists = true;
    // Started from a shortcut set to "minimised" (STARTF_USESHOWWINDOW, SW_SHOWMINNOACTIVE).
    bool minimisedStart = true;
};

struct SequenceCase {
    const char* name;
    World world;
    Calls calls;
    int exitCode;
};

void Install(FakePlatform& platform) {
    platform.registry = kInstalledRegistry;
    platform.files = {kInstalledFile};
}

void Build(FakePlatform& platform, const World& world) {
    if (world.installed) Install(platform);
    platform.fullScreenWidth = world.fullScreenWidth;
    platform.acceptedDepths = {32, 16, 8};
    platform.promptAnswer = world.answer;
    platform.installerExists = world.installerExists;
    platform.installerNeedsElevation = world.installerNeedsElevation;
    platform.consent = world.consent;
    if (world.installerInstalls) platform.onInstallerExit = [&platform] { Install(platform); };
    platform.installerWakes = world.installerWakes;
    platform.installerExitCode = world.installerExitCode;
    platform.playerWindowLooks = world.playerWindowLooks;
    platform.titleExists = world.titleExists;
    std::memset(&platform.ownStartupInfo, 0, sizeof platform.ownStartupInfo);
    platform.ownStartupInfo.cb = sizeof platform.ownStartupInfo;
    if (world.minimisedStart) {
        platform.ownStartupInfo.dwFlags = 1;      // STARTF_USESHOWWINDOW
        platform.ownStartupInfo.wShowWindow = 7;  // SW_SHOWMINNOACTIVE
    }
}

const SequenceCase kSequenceCases[] = {
    {"present, already 640 wide",
     {.installed = true, .fullScreenWidth = 640},
     Join({kPresent, kNoSwitch, {kTitle}}),
     0},
    {"present, 1024 wide", {.installed = true}, Join({kPresent, kSwitch32, {kTitle}}), 0},
    {"absent, the user says No",
     {},
     Join({kAbsent,
           kPrompt,
           {kDispatch, kNoInstallerStatus, kSettle, kPlayerLook},
           kAbsent,
           {kTitle}}),
     0},
    {"absent, Yes: the installer installs and then shows its player",
     {.answer = platform::IDYES, .installerInstalls = true, .playerWindowLooks = 2},
     Join({kAbsent,
           kPrompt,
           {kInstaller, kDispatch, kInstallerStatus, kInstallerWait, kSettle},
           Repeat(2, {kPlayerLook, kDispatch, kPlayerWait}),
           {kPlayerLook},
           kPresent,
           kSwitch32,
           {kTitle}}),
     0},
    {"absent, Yes, but there is no installer",
     {.answer = platform::IDYES, .installerExists = false},
     Join({kAbsent,
           kPrompt,
           {kInstaller, kLastError, kDispatch, kNoInstallerStatus, kSettle, kPlayerLook},
           kAbsent,
           {kTitle}}),
     0},
    {"an installer that needs administrator rights starts after the user's consent",
     {.answer = platform::IDYES,
      .installerNeedsElevation = true,
      .installerInstalls = true,
      .installerWakes = 2},
     Join({kAbsent,
           kPrompt,
           {kInstaller, kLastError, Elevate(7)},
           Repeat(2, {kDispatch, "GetExitCodeProcess(elevated installer)",
                      "MsgWaitForMultipleObjects({elevated installer}, 0, 4294967295, 0x4ff)"}),
           {kDispatch, "GetExitCodeProcess(elevated installer)", kSettle, kPlayerLook},
           kPresent,
           kSwitch32,
           {kTitle}}),
     0},
    {"the user declines the consent prompt",
     {.answer = platform::IDYES,
      .installerNeedsElevation = true,
      .consent = FakePlatform::Consent::Declined},
     Join(
         {kAbsent,
          kPrompt,
          {kInstaller, kLastError, Elevate(7), kDispatch, kNoInstallerStatus, kSettle, kPlayerLook},
          kAbsent,
          {kTitle}}),
     0},
    {"consent given but no process handle: one pass, as for an installer not started",
     {.answer = platform::IDYES,
      .installerNeedsElevation = true,
      .consent = FakePlatform::Consent::GivenButNoHandle,
      .minimisedStart = false},
     Join(
         {kAbsent,
          kPrompt,
          {kInstaller, kLastError, Elevate(1), kDispatch, kNoInstallerStatus, kSettle, kPlayerLook},
          kAbsent,
          {kTitle}}),
     0},
    {"the installer runs while three messages come and exits with 0",
     {.answer = platform::IDYES, .installerWakes = 3},
     Join({kAbsent,
           kPrompt,
           {kInstaller},
           Repeat(3, {kDispatch, kInstallerStatus, kInstallerWait}),
           {kDispatch, kInstallerStatus, kSettle, kPlayerLook},
           kAbsent,
           {kTitle}}),
     0},
    {"the installer exits with 259: its handle ends the wait",
     {.answer = platform::IDYES, .installerWakes = 2, .installerExitCode = 259},
     Join({kAbsent,
           kPrompt,
           {kInstaller},
           Repeat(3, {kDispatch, kInstallerStatus, kInstallerWait}),
           {kSettle, kPlayerLook},
           kAbsent,
           {kTitle}}),
     0},
    {"a player window opened before the prompt holds the launcher until it closes",
     {.playerWindowLooks = 3},
     Join({kAbsent,
           kPrompt,
           {kDispatch, kNoInstallerStatus, kSettle},
           Repeat(3, {kPlayerLook, kDispatch, kPlayerWait}),
           {kPlayerLook},
           kAbsent,
           {kTitle}}),
     0},
    {"present, but the title cannot start",
     {.installed = true, .titleExists = false},
     Join({kPresent, kSwitch32, {kTitle}}),
     2},
    {"absent, No, and the title cannot start",
     {.titleExists = false},
     Join({kAbsent,
           kPrompt,
           {kDispatch, kNoInstallerStatus, kSettle, kPlayerLook},
           kAbsent,
           {kTitle}}),
     2},
};

TEST(LaunchSequence, CallsThePlatformInOrder) {
    for (const SequenceCase& c : kSequenceCases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        Build(platform, c.world);
        launcher::LaunchState state{};

        EXPECT_EQ(launcher::RunLaunchSequence(platform, state), c.exitCode);
        EXPECT_EQ(platform.calls, c.calls);
    }
}

TEST(LaunchSequence, PassesTheLaunchersStartupSettingsOnlyOnTheAbsentPath) {
    const std::string zero(sizeof(platform::STARTUPINFOA), '\0');
    {
        SCOPED_TRACE("present: an all-zero block, its size field included");
        FakePlatform platform;
        Build(platform, {.installed = true});
        launcher::LaunchState state{};
        launcher::RunLaunchSequence(platform, state);
        ASSERT_EQ(platform.startupBlocks.size(), 1u);
        EXPECT_EQ(platform.startupBlocks[0], zero);
    }
    {
        SCOPED_TRACE("absent: the installer and the title both get the launcher's own block");
        FakePlatform platform;
        Build(platform, {.answer = platform::IDYES, .installerInstalls = true});
        launcher::LaunchState state{};
        launcher::RunLaunchSequence(platform, state);
        const std::string own(reinterpret_cast<const char*>(&platform.ownStartupInfo),
                              sizeof platform.ownStartupInfo);
        ASSERT_EQ(platform.startupBlocks.size(), 2u);
        EXPECT_EQ(platform.startupBlocks[0], own);
        EXPECT_EQ(platform.startupBlocks[1], own);
    }
}

}  // namespace
