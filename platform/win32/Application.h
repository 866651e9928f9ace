// Windows only. The application object: the launcher's zero-size application window (its
// taskbar entry for the whole run), the dispatch of pending messages, and the orderly exit.
#pragma once

#include "platform/win32/Win32.h"

namespace win32 {

class Application {
public:
    // Registers the window class "TApplication", then creates the window and shows it.
    void Create(HINSTANCE instance);

    // Handles every message waiting for the thread and returns once none is left.
    void DispatchPendingMessages();

    // Destroys the window and ends the process.
    [[noreturn]] void Exit(int exitCode);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnEndSession(WPARAM ending);
    void OnPaint();
    void OnSetFocus();

    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    // Set by a quit message; nothing in this program stops for it.
    bool terminated_ = false;
};

// The executable's full path. GetModuleFileNameA leaves a path it had to cut without its
// NUL, so this always ends the text.
void GetExecutablePath(char (&path)[MAX_PATH]);

}  // namespace win32
