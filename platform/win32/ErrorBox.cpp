// Windows only. Installed as the process's top-level exception filter, which Windows calls
// for an exception that no handler on the faulting thread took.
#include "platform/win32/ErrorBox.h"

#include "platform/ErrorText.h"

namespace win32 {

namespace {

Application* application;

LONG WINAPI ShowErrorBox(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    static_assert(sizeof(record.ExceptionInformation[0]) == sizeof(std::uintptr_t));
    char message[platform::kExceptionMessageCapacity];
    const char* className = platform::DescribeException(
        record.ExceptionCode, reinterpret_cast<const std::uintptr_t*>(record.ExceptionInformation),
        record.NumberParameters, message);

    char path[MAX_PATH];
    GetExecutablePath(path);

    char text[platform::kErrorTextCapacity];
    platform::FormatErrorText(text, className, path,
                              reinterpret_cast<std::uintptr_t>(record.ExceptionAddress), message);
    MessageBoxA(nullptr, text, "Application Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    application->Exit(1);
}

}  // namespace

void InstallErrorBox(Application& app) {
    application = &app;
    SetUnhandledExceptionFilter(ShowErrorBox);
}

}  // namespace win32
