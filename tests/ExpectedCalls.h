// The calls the presence check makes, as the fake renders them; shared by the tests of the
// check and of the whole sequence.
#pragma once

#include <string>

namespace expected {

inline const std::string kOpen =
    R"(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\APPLE\\QuickTime32\\CurrentVersion\\SharedFiles"))";
inline const std::string kClose = "RegCloseKey(key)";

// Every step asks with a full 260-character buffer and nulls for what it does not read.
inline std::string Enum(int index) {
    return "RegEnumKeyExA(key, " + std::to_string(index) + ", 260, null, null, null, null)";
}

}  // namespace expected
