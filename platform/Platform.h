// The one seam between the launcher and Windows. The launcher calls these operations and
// nothing else; the 32-bit Windows build supplies them from the real API, the host tests from
// a scripted fake. No Windows header is included here: the records below are our own plain
// types with the platform's field names, laid out as on 32-bit Windows.
#pragma once

#include <cstdint>

namespace platform {

using HANDLE = void*;
using HKEY = void*;
using HWND = void*;

struct STARTUPINFOA {
    std::uint32_t cb;
    char* lpReserved;
    char* lpDesktop;
    char* lpTitle;
    std::uint32_t dwX;
    std::uint32_t dwY;
    std::uint32_t dwXSize;
    std::uint32_t dwYSize;
    std::uint32_t dwXCountChars;
    std::uint32_t dwYCountChars;
    std::uint32_t dwFillAttribute;
    std::uint32_t dwFlags;
    std::uint16_t wShowWindow;
    std::uint16_t cbReserved2;
    std::uint8_t* lpReserved2;
    HANDLE hStdInput;
    HANDLE hStdOutput;
    HANDLE hStdError;
};

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    std::uint32_t dwProcessId;
    std::uint32_t dwThreadId;
};

// The display-mode record as laid out through dmReserved2 (148 bytes), without the two
// panning fields that later layouts add. Only the display fields are ever set; the printer
// fields stand where the platform keeps a union of both.
struct DEVMODEA {
    char dmDeviceName[32];
    std::uint16_t dmSpecVersion;
    std::uint16_t dmDriverVersion;
    std::uint16_t dmSize;
    std::uint16_t dmDriverExtra;
    std::uint32_t dmFields;
    std::int16_t dmOrientation;
    std::int16_t dmPaperSize;
    std::int16_t dmPaperLength;
    std::int16_t dmPaperWidth;
    std::int16_t dmScale;
    std::int16_t dmCopies;
    std::int16_t dmDefaultSource;
    std::int16_t dmPrintQuality;
    std::int16_t dmColor;
    std::int16_t dmDuplex;
    std::int16_t dmYResolution;
    std::int16_t dmTTOption;
    std::int16_t dmCollate;
    char dmFormName[32];
    std::uint16_t dmLogPixels;
    std::uint32_t dmBitsPerPel;
    std::uint32_t dmPelsWidth;
    std::uint32_t dmPelsHeight;
    std::uint32_t dmDisplayFlags;
    std::uint32_t dmDisplayFrequency;
    std::uint32_t dmICMMethod;
    std::uint32_t dmICMIntent;
    std::uint32_t dmMediaType;
    std::uint32_t dmDitherType;
    std::uint32_t dmReserved1;
    std::uint32_t dmReserved2;
};
static_assert(sizeof(DEVMODEA) == 148, "the mode record is passed with dmSize 148");

struct FILETIME {
    std::uint32_t dwLowDateTime;
    std::uint32_t dwHighDateTime;
};

struct SHELLEXECUTEINFOA {
    std::uint32_t cbSize;
    std::uint32_t fMask;
    HWND hwnd;
    const char* lpVerb;
    const char* lpFile;
    const char* lpParameters;
    const char* lpDirectory;
    std::int32_t nShow;
    HANDLE hInstApp;
    void* lpIDList;
    const char* lpClass;
    HKEY hkeyClass;
    std::uint32_t dwHotKey;
    HANDLE hIcon;
    HANDLE hProcess;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Registry (advapi32). Both return 0 on success. On failure RegOpenKeyA leaves *result
    // as it was; RegEnumKeyExA writes the name, NUL-terminated, only when it returns 0 and
    // answers 259 (ERROR_NO_MORE_ITEMS) once the index is past the last subkey.
    virtual std::int32_t RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) = 0;
    virtual std::int32_t RegEnumKeyExA(HKEY key, std::uint32_t index, char* name,
                                       std::uint32_t* nameLength, std::uint32_t* reserved,
                                       char* className, std::uint32_t* classLength,
                                       FILETIME* lastWriteTime) = 0;
    virtual std::int32_t RegCloseKey(HKEY key) = 0;

    // True when a file-system entry matches the name (wildcards match as patterns, the first
    // match decides) and that entry is not a directory.
    virtual bool IsExistingFile(const char* name) = 0;

    // Display (user32).
    virtual int GetSystemMetrics(int index) = 0;
    virtual std::int32_t ChangeDisplaySettingsA(DEVMODEA* mode, std::uint32_t flags) = 0;

    // Processes (kernel32). CreateProcessA fills *processInformation only on success.
    virtual bool CreateProcessA(const char* applicationName, const char* commandLine,
                                void* processAttributes, void* threadAttributes,
                                bool inheritHandles, std::uint32_t creationFlags, void* environment,
                                const char* currentDirectory, STARTUPINFOA* startupInfo,
                                PROCESS_INFORMATION* processInformation) = 0;
    virtual void GetStartupInfoA(STARTUPINFOA* startupInfo) = 0;
    // Why the last failed call of this thread failed.
    virtual std::uint32_t GetLastError() = 0;
    // Starts a program through the shell (shell32); with the "runas" verb Windows first asks
    // the user's consent to run it with administrator rights. Returns false when the start
    // failed or the user declined. With SEE_MASK_NOCLOSEPROCESS, info->hProcess receives the
    // new process's handle, which may be null even on success.
    virtual bool ShellExecuteExA(SHELLEXECUTEINFOA* info) = 0;
    // Fails for a null handle and then leaves *exitCode as it was.
    virtual bool GetExitCodeProcess(HANDLE process, std::uint32_t* exitCode) = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // The user (user32).
    virtual bool MessageBeep(std::uint32_t type) = 0;
    virtual int MessageBoxA(HWND owner, const char* text, const char* caption,
                            std::uint32_t type) = 0;
    // Non-null while some top-level window has the title.
    virtual HWND FindWindowA(const char* className, const char* windowName) = 0;

    // The application object's message dispatch: handles every message waiting for the
    // thread and returns as soon as none is left. It never waits.
    virtual void DispatchPendingMessages() = 0;
    // Blocks until one of the handles is signalled (result WAIT_OBJECT_0 + its index), input
    // of the kinds in wakeMask arrives for the thread (WAIT_OBJECT_0 + count), or the time
    // passes (WAIT_TIMEOUT).
    virtual std::uint32_t MsgWaitForMultipleObjects(std::uint32_t count, const HANDLE* handles,
                                                    bool waitAll, std::uint32_t milliseconds,
                                                    std::uint32_t wakeMask) = 0;
};

}  // namespace platform
