// The error box's text, built from a fault's class name, module, address and message.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/ErrorText.h"

namespace {

struct FormatCase {
    const char* name;
    std::string modulePath;
    std::uintptr_t address;
    const char* message;
    std::string text;
};

const std::string kLongName = std::string(70, 'n') + ".exe";

const FormatCase kFormatCases[] = {
    {"a final period is added", "C:\\Games\\launcher.exe", 0x004015B2, "Division by zero",
     "Exception DivideByZeroError in module launcher.exe at 004015B2.\nDivision by zero."},
    {"a message that ends in a period keeps one", "C:\\launcher.exe", 0x10, "Stack overflow.",
     "Exception DivideByZeroError in module launcher.exe at 00000010.\nStack overflow."},
    {"an empty message gets none", "C:\\launcher.exe", 0xFFFFFFFF, "",
     "Exception DivideByZeroError in module launcher.exe at FFFFFFFF.\n"},
    {"a path without folders is the file name", "launcher.exe", 0x00400000, "x",
     "Exception DivideByZeroError in module launcher.exe at 00400000.\nx."},
    {"the module name is cut to 63 characters", "D:\\" + kLongName, 0, "x",
     "Exception DivideByZeroError in module " + kLongName.substr(0, 63) + " at 00000000.\nx."},
};

TEST(ErrorText, FillsTheTemplate) {
    for (const FormatCase& c : kFormatCases) {
        SCOPED_TRACE(c.name);
        char text[platform::kErrorTextCapacity];
        platform::FormatErrorText(text, "DivideByZeroError", c.modulePath.c_str(), c.address,
                                  c.message);
        EXPECT_EQ(std::string(text), c.text);
    }
}

TEST(ErrorText, CutsAnOverlongMessageAndStillEndsTheText) {
    const std::string message(2000, 'm');
    char text[platform::kErrorTextCapacity];
    platform::FormatErrorText(text, "ExternalException", "C:\\launcher.exe", 0, message.c_str());
    EXPECT_EQ(std::string(text).size(), platform::kErrorTextCapacity - 1);
}

struct DescribeCase {
    const char* name;
    std::uint32_t code;
    std::uintptr_t information[2];
    std::uint32_t informationCount;
    const char* className;
    const char* message;
};

const DescribeCase kDescribeCases[] = {
    {"read",
     0xC0000005,
     {0, 0x1234},
     2,
     "AccessViolation",
     "Access violation reading address 00001234"},
    {"write",
     0xC0000005,
     {1, 0},
     2,
     "AccessViolation",
     "Access violation writing address 00000000"},
    {"execute",
     0xC0000005,
     {8, 0xDEADBEEF},
     2,
     "AccessViolation",
     "Access violation executing address DEADBEEF"},
    {"access violation without details", 0xC0000005, {}, 0, "AccessViolation", "Access violation"},
    {"integer division", 0xC0000094, {}, 0, "DivideByZeroError", "Division by zero"},
    {"stack overflow", 0xC00000FD, {}, 0, "StackOverflowError", "Stack overflow"},
    {"a code nobody named", 0xE0000001, {}, 0, "ExternalException", "External exception E0000001"},
};

TEST(ErrorText, NamesStructuredExceptions) {
    for (const DescribeCase& c : kDescribeCases) {
        SCOPED_TRACE(c.name);
        char message[platform::kExceptionMessageCapacity];
        EXPECT_STREQ(
            platform::DescribeException(c.code, c.information, c.informationCount, message),
            c.className);
        EXPECT_STREQ(message, c.message);
    }
}

}  // namespace
