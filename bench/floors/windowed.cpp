// The floor for a program with an application window: registers a class, shows one
// zero-size popup window as the launcher does, handles what is pending and exits. Whatever
// the launcher costs beyond this is its own work.
#include <windows.h>

int main() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "Floor";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "Floor", "floor",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE,
                                  GetSystemMetrics(SM_CXSCREEN) / 2,
                                  GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr,
                                  instance, nullptr);
    ShowWindow(window, SW_RESTORE);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DestroyWindow(window);
    ExitProcess(0);
}
