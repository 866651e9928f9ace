// The display switch against displays that accept different depths.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "launcher/SwitchDisplayMode.h"

namespace {

using fake::FakePlatform;
using Calls = std::vector<std::string>;

const std::string kWidth = "GetSystemMetrics(16)";
std::string Test(int depth) {
    return "ChangeDisplaySettingsA(640x480x" + std::to_string(depth) + ", 2)";
}
std::string Apply(int depth) {
    return "ChangeDisplaySettingsA(640x480x" + std::to_string(depth) + ", 0)";
}

struct DisplayCase {
    const char* name;
    int fullScreenWidth;
    std::set<std::uint32_t> acceptedDepths;
    Calls calls;
};

const DisplayCase kDisplayCases[] = {
    {"already 640 wide: no test, no change", 640, {32, 24, 16, 15, 8}, {kWidth}},
    {"all accepted: 32 tested and applied",
     800,
     {32, 24, 16, 15, 8},
     {kWidth, Test(32), Apply(32)}},
    {"only 16 and 8: the first accepted wins",
     1024,
     {16, 8},
     {kWidth, Test(32), Test(24), Test(16), Apply(16)}},
    {"only 8", 1024, {8}, {kWidth, Test(32), Test(24), Test(16), Test(15), Test(8), Apply(8)}},
    {"none accepted: five tests, nothing applied",
     800,
     {},
     {kWidth, Test(32), Test(24), Test(16), Test(15), Test(8)}},
};

TEST(SwitchDisplayMode, TriesDepthsDeepestFirstAndAppliesTheFirstAccepted) {
    for (const DisplayCase& c : kDisplayCases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        platform.fullScreenWidth = c.fullScreenWidth;
        platform.acceptedDepths = c.acceptedDepths;
        launcher::LaunchState state{};

        launcher::SwitchDisplayMode(platform, state);

        EXPECT_EQ(platform.calls, c.calls);
    }
}

TEST(SwitchDisplayMode, PassesARecordThatIsZeroButForFiveFields) {
    FakePlatform platform;
    platform.acceptedDepths = {24};
    launcher::LaunchState state{};

    launcher::SwitchDisplayMode(platform, state);

    ASSERT_EQ(platform.modes.size(), 3u);
    for (const platform::DEVMODEA& passed : platform.modes) {
        platform::DEVMODEA expected;
        std::memset(&expected, 0, sizeof expected);
        expected.dmSize = 148;
        expected.dmFields = 0x001C0000;
        expected.dmPelsWidth = 640;
        expected.dmPelsHeight = 480;
        expected.dmBitsPerPel = passed.dmBitsPerPel;
        EXPECT_EQ(std::memcmp(&passed, &expected, sizeof expected), 0)
            << "record at depth " << passed.dmBitsPerPel << " has other bytes set";
    }
    EXPECT_EQ(platform.modes[0].dmBitsPerPel, 32u);
    EXPECT_EQ(platform.modes[2].dmBitsPerPel, 24u) << "the applied record keeps the accepted depth";
    EXPECT_EQ(platform.modes[2].dmDisplayFrequency, 0u);
}

}  // namespace
