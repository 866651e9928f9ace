#include "FakePlatform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace fake {

using namespace platform;

namespace {

// More calls than any scripted run makes: the launcher is spinning.
constexpr std::size_t kCallLimit = 10000;

std::string Hex(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

std::string Name(const void* handle) {
    if (handle == nullptr) return "null";
    if (handle == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
    if (handle == kSharedFilesKeyHandle) return "key";
    if (handle == kInstallerProcess) return "installer";
    if (handle == kElevatedInstallerProcess) return "elevated installer";
    if (handle == kTitleProcess) return "title";
    return Hex(reinterpret_cast<std::uintptr_t>(handle));
}

std::string Pointer(const void* pointer) { return pointer == nullptr ? "null" : "ptr"; }

}  // namespace

std::string Quote(const char* text) {
    if (text == nullptr) return "null";
    std::string quoted = "\"";
    for (const char* c = text; *c != '\0'; ++c) {
        const unsigned char byte = static_cast<unsigned char>(*c);
        if (byte == '\\' || byte == '"') {
            quoted += '\\';
            quoted += *c;
        } else if (byte == '\r') {
            quoted += "\\r";
        } else if (byte == '\n') {
            quoted += "\\n";
        } else if (byte < 0x20 || byte >= 0x7f) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            quoted += escape;
        } else {
            quoted += *c;
        }
    }
    return quoted + "\"";
}

void FakePlatform::Record(std::string call) {
    calls.push_back(std::move(call));
    if (calls.size() > kCallLimit) {
        ADD_FAILURE() << "more than " << kCallLimit << " platform calls; last: " << calls.back();
        throw std::runtime_error("the launcher does not stop calling the platform");
    }
}

std::int32_t FakePlatform::RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) {
    Record("RegOpenKeyA(" + Name(key) + ", " + Quote(subKey) + ")");
    if (key != HKEY_LOCAL_MACHINE || !registry.keyExists) return 2;  // ERROR_FILE_NOT_FOUND
    *result = kSharedFilesKeyHandle;
    return ERROR_SUCCESS;
}

std::int32_t FakePlatform::RegEnumKeyExA(HKEY key, std::uint32_t index, char* name,
                                         std::uint32_t* nameLength, std::uint32_t* reserved,
                                         char* className, std::uint32_t* classLength,
                                         FILETIME* lastWriteTime) {
    Record("RegEnumKeyExA(" + Name(key) + ", " + std::to_string(index) + ", " +
           std::to_string(*nameLength) + ", " + Pointer(reserved) + ", " + Pointer(className) +
           ", " + Pointer(classLength) + ", " + Pointer(lastWriteTime) + ")");
    if (key != kSharedFilesKeyHandle) return 6;  // ERROR_INVALID_HANDLE
    if (index >= registry.subkeys.size()) return registry.endCode;
    const std::string& subkey = registry.subkeys[index];
    if (subkey.size() + 1 > *nameLength) return ERROR_MORE_DATA;
    std::memcpy(name, subkey.c_str(), subkey.size() + 1);
    *nameLength = static_cast<std::uint32_t>(subkey.size());
    return ERROR_SUCCESS;
}

std::int32_t FakePlatform::RegCloseKey(HKEY key) {
    Record("RegCloseKey(" + Name(key) + ")");
    return ERROR_SUCCESS;
}

bool FakePlatform::IsExistingFile(const char* name) {
    Record("IsExistingFile(" + Quote(name) + ")");
    return files.count(name) != 0;
}

int FakePlatform::GetSystemMetrics(int index) {
    Record("GetSystemMetrics(" + std::to_string(index) + ")");
    if (index != SM_CXFULLSCREEN) {
        ADD_FAILURE() << "unscripted metric " << index;
        return 0;
    }
    return fullScreenWidth;
}

std::int32_t FakePlatform::ChangeDisplaySettingsA(DEVMODEA* mode, std::uint32_t flags) {
    Record("ChangeDisplaySettingsA(" + std::to_string(mode->dmPelsWidth) + "x" +
           std::to_string(mode->dmPelsHeight) + "x" + std::to_string(mode->dmBitsPerPel) + ", " +
           std::to_string(flags) + ")");
    modes.push_back(*mode);
    return acceptedDepths.count(mode->dmBitsPerPel) != 0 ? DISP_CHANGE_SUCCESSFUL
                                                         : DISP_CHANGE_BADMODE;
}

bool FakePlatform::CreateProcessA(const char* applicationName, const char* commandLine,
                                  void* processAttributes, void* threadAttributes,
                                  bool inheritHandles, std::uint32_t creationFlags,
                                  void* environment, const char* currentDirectory,
                                  STARTUPINFOA* startupInfo,
                                  PROCESS_INFORMATION* processInformation) {
    Record("CreateProcessA(" + Quote(applicationName) + ", " + Quote(commandLine) + ", " +
           Pointer(processAttributes) + ", " + Pointer(threadAttributes) + ", " +
           std::to_string(inheritHandles) + ", " + Hex(creationFlags) + ", " +
           Pointer(environment) + ", " + Quote(currentDirectory) + ")");
    startupBlocks.emplace_back(reinterpret_cast<const char*>(startupInfo), sizeof *startupInfo);
    const std::string program = commandLine;
    if (program == "D.EXE") {
        if (!titleExists) {
            lastError_ = 2;  // ERROR_FILE_NOT_FOUND
            return false;
        }
        *processInformation = {kTitleProcess, kTitleThread, 200, 201};
        return true;
    }
    if (program == "QT_F\\QT32.EXE") {
        if (!installerExists) {
            lastError_ = 3;  // ERROR_PATH_NOT_FOUND
            return false;
        }
        if (installerNeedsElevation) {
            lastError_ = ERROR_ELEVATION_REQUIRED;
            return false;
        }
        *processInformation = {kInstallerProcess, kInstallerThread, 100, 101};
        runningInstaller_ = kInstallerProcess;
        return true;
    }
    ADD_FAILURE() << "unscripted program " << Quote(commandLine);
    return false;
}

void FakePlatform::GetStartupInfoA(STARTUPINFOA* startupInfo) {
    Record("GetStartupInfoA()");
    std::memcpy(startupInfo, &ownStartupInfo, sizeof ownStartupInfo);
}

std::uint32_t FakePlatform::GetLastError() {
    Record("GetLastError()");
    return lastError_;
}

bool FakePlatform::ShellExecuteExA(SHELLEXECUTEINFOA* info) {
    Record("ShellExecuteExA(" +
           (info->cbSize == sizeof *info ? std::string("sized") : std::to_string(info->cbSize)) +
           ", " + Hex(info->fMask) + ", " + Name(info->hwnd) + ", " + Quote(info->lpVerb) + ", " +
           Quote(info->lpFile) + ", " + Quote(info->lpParameters) + ", " +
           Quote(info->lpDirectory) + ", " + std::to_string(info->nShow) + ")");
    if (std::string(info->lpFile) != "QT_F\\QT32.EXE" || !installerExists) {
        ADD_FAILURE() << "unscripted shell start of " << Quote(info->lpFile);
        return false;
    }
    switch (consent) {
        case Consent::Declined:
            lastError_ = 1223;  // ERROR_CANCELLED
            return false;
        case Consent::GivenButNoHandle:
            info->hProcess = nullptr;
            return true;
        case Consent::Given:
            info->hProcess = kElevatedInstallerProcess;
            runningInstaller_ = kElevatedInstallerProcess;
            return true;
    }
    return false;
}

bool FakePlatform::GetExitCodeProcess(HANDLE process, std::uint32_t* exitCode) {
    Record("GetExitCodeProcess(" + Name(process) + ")");
    if (process == nullptr) return false;
    if (process == runningInstaller_) {
        *exitCode = STILL_ACTIVE;
    } else if (process == endedInstaller_) {
        *exitCode = installerExitCode;
    } else {
        ADD_FAILURE() << "unscripted process " << Name(process);
        return false;
    }
    return true;
}

void FakePlatform::Sleep(std::uint32_t milliseconds) {
    Record("Sleep(" + std::to_string(milliseconds) + ")");
}

bool FakePlatform::MessageBeep(std::uint32_t type) {
    Record("MessageBeep(" + Hex(type) + ")");
    return true;
}

int FakePlatform::MessageBoxA(HWND owner, const char* text, const char* caption,
                              std::uint32_t type) {
    Record("MessageBoxA(" + Name(owner) + ", " + Quote(text) + ", " + Quote(caption) + ", " +
           Hex(type) + ")");
    return promptAnswer;
}

HWND FakePlatform::FindWindowA(const char* className, const char* windowName) {
    Record("FindWindowA(" + Quote(className) + ", " + Quote(windowName) + ")");
    if (className != nullptr || windowName == nullptr ||
        std::string(windowName) != "Movie Player") {
        ADD_FAILURE() << "unscripted window lookup";
        return nullptr;
    }
    if (playerWindowLooks == 0) return nullptr;
    --playerWindowLooks;
    return kPlayerWindow;
}

void FakePlatform::DispatchPendingMessages() { Record("DispatchPendingMessages()"); }

std::uint32_t FakePlatform::MsgWaitForMultipleObjects(std::uint32_t count, const HANDLE* handles,
                                                      bool waitAll, std::uint32_t milliseconds,
                                                      std::uint32_t wakeMask) {
    std::string handleList;
    for (std::uint32_t i = 0; i < count; ++i) handleList += (i ? ", " : "") + Name(handles[i]);
    Record("MsgWaitForMultipleObjects({" + handleList + "}, " + std::to_string(waitAll) + ", " +
           std::to_string(milliseconds) + ", " + Hex(wakeMask) + ")");
    if (count == 0) return WAIT_TIMEOUT;
    if (count == 1 && handles[0] == endedInstaller_) return WAIT_OBJECT_0;
    if (count != 1 || handles[0] != runningInstaller_) {
        ADD_FAILURE() << "unscripted wait";
        return WAIT_FAILED;
    }
    if (installerWakes == 0) {
        EndInstaller();
        return WAIT_OBJECT_0;
    }
    if (--installerWakes == 0) EndInstaller();
    return WAIT_OBJECT_0 + 1;
}

void FakePlatform::EndInstaller() {
    endedInstaller_ = runningInstaller_;
    runningInstaller_ = nullptr;
    if (onInstallerExit) onInstallerExit();
}

}  // namespace fake
