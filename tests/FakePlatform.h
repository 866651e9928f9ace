// A scripted stand-in for Windows. A test states the world (registry subkeys, files on disk,
// accepted display depths, the user's answer, how long the installer and the player window
// last), runs the launcher, and reads back every call that reached the platform, rendered
// with the arguments that matter, in order. A call nobody scripted fails the test.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/WindowsValues.h"

namespace fake {

// Handles the fake hands out, rendered by name in the call log.
inline const platform::HKEY kSharedFilesKeyHandle = reinterpret_cast<platform::HKEY>(0x3001);
inline const platform::HANDLE kInstallerProcess = reinterpret_cast<platform::HANDLE>(0x1001);
inline const platform::HANDLE kInstallerThread = reinterpret_cast<platform::HANDLE>(0x1002);
inline const platform::HANDLE kTitleProcess = reinterpret_cast<platform::HANDLE>(0x2001);
inline const platform::HANDLE kTitleThread = reinterpret_cast<platform::HANDLE>(0x2002);
inline const platform::HANDLE kElevatedInstallerProcess =
    reinterpret_cast<platform::HANDLE>(0x1101);
inline const platform::HWND kPlayerWindow = reinterpret_cast<platform::HWND>(0x4001);

struct Registry {
    bool keyExists = false;
    std::vector<std::string> subkeys;
    // What enumeration answers past the last subkey.
    std::int32_t endCode = platform::ERROR_NO_MORE_ITEMS;
};

// Renders a string as a C literal, so that every byte shows ("\r" stays visible).
std::string Quote(const char* text);

class FakePlatform : public platform::Platform {
public:
    // The world.
    Registry registry;
    std::set<std::string> files;
    int fullScreenWidth = 1024;
    std::set<std::uint32_t> acceptedDepths;
    int promptAnswer = platform::IDNO;
    bool titleExists = true;
    bool installerExists = true;
    // The installer needs administrator rights: starting it directly fails with 740.
    bool installerNeedsElevation = false;
    // What the user answers to Windows' consent prompt for such an installer.
    enum class Consent { Given, GivenButNoHandle, Declined };
    Consent consent = Consent::Given;
    // Messages that wake the installer wait while the installer runs. The installer ends
    // while the last of them is being handled, or, when there are none, during the first
    // wait.
    int installerWakes = 0;
    std::uint32_t installerExitCode = 0;
    // What the installer leaves behind when it ends.
    std::function<void()> onInstallerExit;
    // Looks for the player window that still find one.
    int playerWindowLooks = 0;
    platform::STARTUPINFOA ownStartupInfo{};

    // What reached the platform.
    std::vector<std::string> calls;
    std::vector<std::string> startupBlocks;  // the bytes passed to each CreateProcessA
    std::vector<platform::DEVMODEA> modes;   // as passed to each mode change

    std::int32_t RegOpenKeyA(platform::HKEY key, const char* subKey,
                             platform::HKEY* result) override;
    std::int32_t RegEnumKeyExA(platform::HKEY key, std::uint32_t index, char* name,
                               std::uint32_t* nameLength, std::uint32_t* reserved, char* className,
                               std::uint32_t* classLength,
                               platform::FILETIME* lastWriteTime) override;
    std::int32_t RegCloseKey(platform::HKEY key) override;
    bool IsExistingFile(const char* name) override;
    int GetSystemMetrics(int index) override;
    std::int32_t ChangeDisplaySettingsA(platform::DEVMODEA* mode, std::uint32_t flags) override;
    bool CreateProcessA(const char* applicationName, const char* commandLine,
                        void* processAttributes, void* threadAttributes, bool inheritHandles,
                        std::uint32_t creationFlags, void* environment,
                        const char* currentDirectory, platform::STARTUPINFOA* startupInfo,
                        platform::PROCESS_INFORMATION* processInformation) override;
    void GetStartupInfoA(platform::STARTUPINFOA* startupInfo) override;
    std::uint32_t GetLastError() override;
    bool ShellExecuteExA(platform::SHELLEXECUTEINFOA* info) override;
    bool GetExitCodeProcess(platform::HANDLE process, std::uint32_t* exitCode) override;
    void Sleep(std::uint32_t milliseconds) override;
    bool MessageBeep(std::uint32_t type) override;
    int MessageBoxA(platform::HWND owner, const char* text, const char* caption,
                    std::uint32_t type) override;
    platform::HWND FindWindowA(const char* className, const char* windowName) override;
    void DispatchPendingMessages() override;
    std::uint32_t MsgWaitForMultipleObjects(std::uint32_t count, const platform::HANDLE* handles,
                                            bool waitAll, std::uint32_t milliseconds,
                                            std::uint32_t wakeMask) override;

private:
    void Record(std::string call);
    void EndInstaller();

    // The installer's process while it runs, null before and after.
    platform::HANDLE runningInstaller_ = nullptr;
    platform::HANDLE endedInstaller_ = nullptr;
    std::uint32_t lastError_ = 0;
};

}  // namespace fake
