// The presence check against scripted registries and file systems.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ExpectedCalls.h"
#include "FakePlatform.h"
#include "launcher/CheckQuickTime.h"

namespace {

using fake::FakePlatform;
using Calls = std::vector<std::string>;

using expected::Enum;
using expected::kClose;
using expected::kOpen;

struct PresenceCase {
    const char* name;
    fake::Registry registry;
    std::set<std::string> files;
    bool present;
    Calls calls;
};

const std::string kLongName(300, 'x');

const PresenceCase kPresenceCases[] = {
    {"no key", {false, {}}, {}, false, {kOpen}},
    {"empty key", {true, {}}, {}, false, {kOpen, Enum(0), kClose}},
    {"three files, all present",
     {true, {"C:/Windows/QuickTime.qts", "C:/Windows/System/QTIM32.DLL", "QTVR.qtx"}},
     {"C:\\Windows\\QuickTime.qts", "C:\\Windows\\System\\QTIM32.DLL", "QTVR.qtx"},
     true,
     {kOpen, Enum(0), R"(IsExistingFile("C:\\Windows\\QuickTime.qts"))", Enum(1),
      R"(IsExistingFile("C:\\Windows\\System\\QTIM32.DLL"))", Enum(2),
      R"(IsExistingFile("QTVR.qtx"))", Enum(3), kClose}},
    {"the second of three missing: the third is never asked for",
     {true, {"C:/a.dll", "C:/b.dll", "C:/c.dll"}},
     {"C:\\a.dll", "C:\\c.dll"},
     false,
     {kOpen, Enum(0), R"(IsExistingFile("C:\\a.dll"))", Enum(1), R"(IsExistingFile("C:\\b.dll"))",
      kClose}},
    {"a short name after a longer one uses only its own characters",
     {true, {"C:/Program Files/QuickTime/QuickTime.qts", "C:/q.dll"}},
     {"C:\\Program Files\\QuickTime\\QuickTime.qts", "C:\\q.dll"},
     true,
     {kOpen, Enum(0), R"(IsExistingFile("C:\\Program Files\\QuickTime\\QuickTime.qts"))", Enum(1),
      R"(IsExistingFile("C:\\q.dll"))", Enum(2), kClose}},
    {"an enumeration error after good entries leaves files unchecked",
     {true, {"C:/a.dll", "C:/b.dll"}, 5 /* ERROR_ACCESS_DENIED */},
     {"C:\\a.dll", "C:\\b.dll"},
     false,
     {kOpen, Enum(0), R"(IsExistingFile("C:\\a.dll"))", Enum(1), R"(IsExistingFile("C:\\b.dll"))",
      Enum(2), kClose}},
    {"a name too long for the buffer is a file left unchecked",
     {true, {"C:/a.dll", "C:/" + kLongName}},
     {"C:\\a.dll", "C:\\" + kLongName},
     false,
     {kOpen, Enum(0), R"(IsExistingFile("C:\\a.dll"))", Enum(1), kClose}},
};

TEST(CheckQuickTime, AnswersFromTheRegistryAndTheFiles) {
    for (const PresenceCase& c : kPresenceCases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        platform.registry = c.registry;
        platform.files = c.files;
        launcher::LaunchState state{};

        EXPECT_EQ(launcher::CheckQuickTime(platform, state), c.present);
        EXPECT_EQ(state.verdict, c.present);
        EXPECT_EQ(platform.calls, c.calls);
    }
}

TEST(CheckQuickTime, EveryCallStartsFromAbsent) {
    FakePlatform platform;
    platform.registry = {true, {"C:/a.dll"}};
    platform.files = {"C:\\a.dll"};
    launcher::LaunchState state{};

    EXPECT_TRUE(launcher::CheckQuickTime(platform, state));
    EXPECT_TRUE(launcher::CheckQuickTime(platform, state)) << "nothing changed in between";

    platform.registry.keyExists = false;
    EXPECT_FALSE(launcher::CheckQuickTime(platform, state));
    EXPECT_FALSE(state.verdict);

    platform.registry = {true, {}};
    state.verdict = true;
    EXPECT_FALSE(launcher::CheckQuickTime(platform, state)) << "an empty key never sets present";
}

}  // namespace
