// Windows only. The platform interface on the real Windows API: each operation is the
// Windows function of the same name, with the project's records passed as the real ones.
#pragma once

#include "platform/Platform.h"
#include "platform/win32/Application.h"

namespace win32 {

class Win32Platform : public platform::Platform {
public:
    explicit Win32Platform(Application& application) : application_(application) {}

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
    Application& application_;
};

}  // namespace win32
