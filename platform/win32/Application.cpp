// Windows only. The application window is a real top-level popup of zero size, not a
// message-only window: only a top-level window hears that the session is ending.
#include "platform/win32/Application.h"

#include "platform/Application.h"
#include "platform/win32/ErrorBox.h"
#include "platform/win32/Win32Platform.h"

namespace win32 {

namespace {

const char kClassName[] = "TApplication";

// The caption is the executable's name: the part of its path after the last "\", cut at the
// first ".", first character as it is and the rest in lower case ("MyLaunch.v2.EXE" shows
// "Mylaunch").
void MakeCaption(char (&caption)[MAX_PATH]) {
    char path[MAX_PATH];
    GetExecutablePath(path);
    OemToCharA(path, path);
    const char* name = path;
    for (const char* c = path; *c != '\0'; ++c) {
        if (*c == '\\') name = c + 1;
    }
    DWORD size = 0;
    while (name[size] != '\0' && name[size] != '.') {
        caption[size] = name[size];
        ++size;
    }
    caption[size] = '\0';
    if (size > 1) CharLowerBuffA(caption + 1, size - 1);
}

// The launcher's prompt has no owner, so it is found among the thread's own windows.
BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
    char className[8];
    if (IsWindowVisible(window) && IsWindowEnabled(window) &&
        GetClassNameA(window, className, sizeof className) > 0 &&
        lstrcmpA(className, "#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void GetExecutablePath(char (&path)[MAX_PATH]) {
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    path[length < MAX_PATH ? length : MAX_PATH - 1] = '\0';
}

void Application::Create(HINSTANCE instance) {
    icon_ = LoadIconA(instance, "MAINICON");

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon_;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);

    char caption[MAX_PATH];
    MakeCaption(caption);
    CreateWindowExA(0, kClassName, caption,
                    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE,
                    GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                    nullptr, nullptr, instance, this);

    // A zero-size window that can be neither maximised nor sized; from Windows 4.0 on it
    // cannot be moved either.
    HMENU systemMenu = GetSystemMenu(window_, FALSE);
    DeleteMenu(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(systemMenu, SC_SIZE, MF_BYCOMMAND);
    if (LOBYTE(LOWORD(GetVersion())) >= 4) DeleteMenu(systemMenu, SC_MOVE, MF_BYCOMMAND);

    ShowWindow(window_, SW_RESTORE);
    SetForegroundWindow(window_);
}

void Application::DispatchPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void Application::Exit(int exitCode) {
    if (window_ != nullptr) DestroyWindow(window_);
    ExitProcess(static_cast<UINT>(exitCode));
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* application =
            static_cast<Application*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        application->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(application));
    }
    auto* application = reinterpret_cast<Application*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (application == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return application->HandleMessage(message, wParam, lParam);
}

LRESULT Application::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ENDSESSION:
            OnEndSession(wParam);
            return 0;
        case WM_CLOSE:
            // Only the end of the run closes the launcher.
            return 0;
        case WM_PAINT:
            if (!IsIconic(window_)) break;
            OnPaint();
            return 0;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(icon_);
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

// A confirmed log-off or shut-down ends the run at once; the title is not started.
void Application::OnEndSession(WPARAM ending) {
    if (ending) Exit(0);
}

void Application::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    DrawIcon(dc, 0, 0, icon_);
    EndPaint(window_, &paint);
}

// With the prompt open, activating the launcher from the taskbar puts the user in the prompt.
void Application::OnSetFocus() {
    HWND messageBox = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&messageBox));
    if (messageBox != nullptr) SetFocus(messageBox);
}

}  // namespace win32

namespace platform {

void RunApplication(int (*sequence)(Platform& platform)) {
    static win32::Application application;
    win32::InstallErrorBox(application);
    application.Create(GetModuleHandleA(nullptr));
    win32::Win32Platform windows(application);
    application.Exit(sequence(windows));
}

}  // namespace platform
