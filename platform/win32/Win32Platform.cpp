// Windows only. Our records are laid out as the real ones (checked below at compile time),
// so they are passed to Windows as they are.
#include "platform/win32/Win32Platform.h"

#include <cstddef>

namespace win32 {

#define SAME_FIELD(Record, field)                                                   \
    static_assert(offsetof(platform::Record, field) == offsetof(::Record, field) && \
                      sizeof(platform::Record::field) == sizeof(::Record::field),   \
                  #Record "." #field " is laid out as in Windows")

static_assert(sizeof(platform::STARTUPINFOA) == sizeof(::STARTUPINFOA));
SAME_FIELD(STARTUPINFOA, cb);
SAME_FIELD(STARTUPINFOA, lpReserved);
SAME_FIELD(STARTUPINFOA, lpDesktop);
SAME_FIELD(STARTUPINFOA, lpTitle);
SAME_FIELD(STARTUPINFOA, dwX);
SAME_FIELD(STARTUPINFOA, dwY);
SAME_FIELD(STARTUPINFOA, dwXSize);
SAME_FIELD(STARTUPINFOA, dwYSize);
SAME_FIELD(STARTUPINFOA, dwXCountChars);
SAME_FIELD(STARTUPINFOA, dwYCountChars);
SAME_FIELD(STARTUPINFOA, dwFillAttribute);
SAME_FIELD(STARTUPINFOA, dwFlags);
SAME_FIELD(STARTUPINFOA, wShowWindow);
SAME_FIELD(STARTUPINFOA, cbReserved2);
SAME_FIELD(STARTUPINFOA, lpReserved2);
SAME_FIELD(STARTUPINFOA, hStdInput);
SAME_FIELD(STARTUPINFOA, hStdOutput);
SAME_FIELD(STARTUPINFOA, hStdError);

static_assert(sizeof(platform::PROCESS_INFORMATION) == sizeof(::PROCESS_INFORMATION));
SAME_FIELD(PROCESS_INFORMATION, hProcess);
SAME_FIELD(PROCESS_INFORMATION, hThread);
SAME_FIELD(PROCESS_INFORMATION, dwProcessId);
SAME_FIELD(PROCESS_INFORMATION, dwThreadId);

// Ours ends at dmReserved2, where the later layout adds its two panning fields; Windows
// reads only as far as dmSize says.
SAME_FIELD(DEVMODEA, dmDeviceName);
SAME_FIELD(DEVMODEA, dmSpecVersion);
SAME_FIELD(DEVMODEA, dmSize);
SAME_FIELD(DEVMODEA, dmDriverExtra);
SAME_FIELD(DEVMODEA, dmFields);
SAME_FIELD(DEVMODEA, dmFormName);
SAME_FIELD(DEVMODEA, dmBitsPerPel);
SAME_FIELD(DEVMODEA, dmPelsWidth);
SAME_FIELD(DEVMODEA, dmPelsHeight);
SAME_FIELD(DEVMODEA, dmDisplayFlags);
SAME_FIELD(DEVMODEA, dmDisplayFrequency);
SAME_FIELD(DEVMODEA, dmReserved2);
static_assert(offsetof(::DEVMODEA, dmPanningWidth) == sizeof(platform::DEVMODEA));

static_assert(sizeof(platform::SHELLEXECUTEINFOA) == sizeof(::SHELLEXECUTEINFOA));
SAME_FIELD(SHELLEXECUTEINFOA, cbSize);
SAME_FIELD(SHELLEXECUTEINFOA, fMask);
SAME_FIELD(SHELLEXECUTEINFOA, hwnd);
SAME_FIELD(SHELLEXECUTEINFOA, lpVerb);
SAME_FIELD(SHELLEXECUTEINFOA, lpFile);
SAME_FIELD(SHELLEXECUTEINFOA, lpParameters);
SAME_FIELD(SHELLEXECUTEINFOA, lpDirectory);
SAME_FIELD(SHELLEXECUTEINFOA, nShow);
SAME_FIELD(SHELLEXECUTEINFOA, hInstApp);
SAME_FIELD(SHELLEXECUTEINFOA, lpIDList);
SAME_FIELD(SHELLEXECUTEINFOA, lpClass);
SAME_FIELD(SHELLEXECUTEINFOA, hkeyClass);
SAME_FIELD(SHELLEXECUTEINFOA, dwHotKey);
SAME_FIELD(SHELLEXECUTEINFOA, hIcon);
SAME_FIELD(SHELLEXECUTEINFOA, hProcess);

static_assert(sizeof(platform::FILETIME) == sizeof(::FILETIME));
static_assert(sizeof(std::uint32_t) == sizeof(DWORD));

#undef SAME_FIELD

std::int32_t Win32Platform::RegOpenKeyA(platform::HKEY key, const char* subKey,
                                        platform::HKEY* result) {
    return ::RegOpenKeyA(static_cast<::HKEY>(key), subKey, reinterpret_cast<::HKEY*>(result));
}

std::int32_t Win32Platform::RegEnumKeyExA(platform::HKEY key, std::uint32_t index, char* name,
                                          std::uint32_t* nameLength, std::uint32_t* reserved,
                                          char* className, std::uint32_t* classLength,
                                          platform::FILETIME* lastWriteTime) {
    return ::RegEnumKeyExA(static_cast<::HKEY>(key), index, name,
                           reinterpret_cast<DWORD*>(nameLength), reinterpret_cast<DWORD*>(reserved),
                           className, reinterpret_cast<DWORD*>(classLength),
                           reinterpret_cast<::FILETIME*>(lastWriteTime));
}

std::int32_t Win32Platform::RegCloseKey(platform::HKEY key) {
    return ::RegCloseKey(static_cast<::HKEY>(key));
}

// The first entry that matches the name decides, wildcards included; a directory is not a
// file. The entry's dates play no part: an old file is still there.
bool Win32Platform::IsExistingFile(const char* name) {
    WIN32_FIND_DATAA found;
    const ::HANDLE search = FindFirstFileA(name, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

int Win32Platform::GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

std::int32_t Win32Platform::ChangeDisplaySettingsA(platform::DEVMODEA* mode, std::uint32_t flags) {
    return ::ChangeDisplaySettingsA(reinterpret_cast<::DEVMODEA*>(mode), flags);
}

bool Win32Platform::CreateProcessA(const char* applicationName, const char* commandLine,
                                   void* processAttributes, void* threadAttributes,
                                   bool inheritHandles, std::uint32_t creationFlags,
                                   void* environment, const char* currentDirectory,
                                   platform::STARTUPINFOA* startupInfo,
                                   platform::PROCESS_INFORMATION* processInformation) {
    // Only the wide form writes into the command line; the ANSI form works on a copy.
    return ::CreateProcessA(applicationName, const_cast<char*>(commandLine),
                            static_cast<SECURITY_ATTRIBUTES*>(processAttributes),
                            static_cast<SECURITY_ATTRIBUTES*>(threadAttributes), inheritHandles,
                            creationFlags, environment, currentDirectory,
                            reinterpret_cast<::STARTUPINFOA*>(startupInfo),
                            reinterpret_cast<::PROCESS_INFORMATION*>(processInformation)) != FALSE;
}

void Win32Platform::GetStartupInfoA(platform::STARTUPINFOA* startupInfo) {
    ::GetStartupInfoA(reinterpret_cast<::STARTUPINFOA*>(startupInfo));
}

std::uint32_t Win32Platform::GetLastError() { return ::GetLastError(); }

// Loaded only here: the shell's DLL brings many others with it, and only an installer that
// needs administrator rights comes this way.
bool Win32Platform::ShellExecuteExA(platform::SHELLEXECUTEINFOA* info) {
    using ShellExecuteExFunction = BOOL(WINAPI*)(::SHELLEXECUTEINFOA*);
    HMODULE shell = LoadLibraryA("shell32.dll");
    if (shell == nullptr) return false;
    // Through void(*)(), the type that stands for "any function", as GetProcAddress's own
    // result type does not match the real one.
    const auto shellExecuteEx = reinterpret_cast<ShellExecuteExFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(shell, "ShellExecuteExA")));
    return shellExecuteEx != nullptr &&
           shellExecuteEx(reinterpret_cast<::SHELLEXECUTEINFOA*>(info)) != FALSE;
}

bool Win32Platform::GetExitCodeProcess(platform::HANDLE process, std::uint32_t* exitCode) {
    return ::GetExitCodeProcess(process, reinterpret_cast<DWORD*>(exitCode)) != FALSE;
}

void Win32Platform::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

bool Win32Platform::MessageBeep(std::uint32_t type) { return ::MessageBeep(type) != FALSE; }

int Win32Platform::MessageBoxA(platform::HWND owner, const char* text, const char* caption,
                               std::uint32_t type) {
    return ::MessageBoxA(static_cast<::HWND>(owner), text, caption, type);
}

platform::HWND Win32Platform::FindWindowA(const char* className, const char* windowName) {
    return ::FindWindowA(className, windowName);
}

void Win32Platform::DispatchPendingMessages() { application_.DispatchPendingMessages(); }

std::uint32_t Win32Platform::MsgWaitForMultipleObjects(std::uint32_t count,
                                                       const platform::HANDLE* handles,
                                                       bool waitAll, std::uint32_t milliseconds,
                                                       std::uint32_t wakeMask) {
    return ::MsgWaitForMultipleObjects(count, handles, waitAll, milliseconds, wakeMask);
}

}  // namespace win32
