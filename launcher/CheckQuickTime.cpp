// The presence check reads the runtime's list of shared files from the registry (one subkey
// per file, its path written with "/") and looks for each file on disk.
#include "launcher/CheckQuickTime.h"

#include "platform/WindowsValues.h"

namespace launcher {

namespace {
const char kSharedFilesKey[] = "Software\\APPLE\\QuickTime32\\CurrentVersion\\SharedFiles";
}

bool CheckQuickTime(platform::Platform& platform, LaunchState& state) {
    state.verdict = false;
    if (platform.RegOpenKeyA(platform::HKEY_LOCAL_MACHINE, kSharedFilesKey, &state.key) !=
        platform::ERROR_SUCCESS) {
        return state.verdict;
    }
    for (std::uint32_t index = 0;; ++index) {
        state.nameLength = kNameCapacity;
        const std::int32_t result = platform.RegEnumKeyExA(
            state.key, index, state.name, &state.nameLength, nullptr, nullptr, nullptr, nullptr);
        if (result != platform::ERROR_SUCCESS) {
            // Only the end of the list means every file was looked at; any other failure
            // leaves files unchecked, and an unchecked file is not a present one.
            if (result != platform::ERROR_NO_MORE_ITEMS) state.verdict = false;
            break;
        }
        for (char* c = state.name; *c != '\0'; ++c) {
            if (*c == '/') *c = '\\';
        }
        if (!platform.IsExistingFile(state.name)) {
            state.verdict = false;
            break;
        }
        state.verdict = true;
    }
    platform.RegCloseKey(state.key);
    return state.verdict;
}

}  // namespace launcher
