// A program built on the launcher's platform and resources whose sequence describes its own
// application window: what another process cannot read (the system menu, the class icon)
// is read here, from inside. Writes "key=value" lines to $E2E_PROBE_RECORD.
#include <windows.h>

#include <cstdio>

#include "platform/Application.h"

namespace {

BOOL CALLBACK FindApplicationWindow(HWND window, LPARAM found) {
    char className[16];
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "TApplication") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

int Describe(platform::Platform&) {
    char path[MAX_PATH];
    if (GetEnvironmentVariableA("E2E_PROBE_RECORD", path, sizeof path) == 0) return 10;
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr) return 11;

    HWND window = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindApplicationWindow,
                      reinterpret_cast<LPARAM>(&window));
    std::fprintf(out, "found=%d\n", window != nullptr);
    HMENU menu = GetSystemMenu(window, FALSE);
    std::fprintf(out, "system_menu=");
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT id = GetMenuItemID(menu, i);
        if (id != 0) std::fprintf(out, "%s0x%04x", i ? "," : "", id);
    }
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
    ICONINFO info = {};
    BITMAP bitmap = {};
    if (icon != nullptr && GetIconInfo(icon, &info))
        GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    std::fprintf(out, "\nclass_icon=%ldx%ld\n", bitmap.bmWidth, bitmap.bmHeight);
    std::fprintf(out, "class_icon_is_main=%d\n",
                 icon != nullptr && icon == LoadIconA(GetModuleHandleA(nullptr), "MAINICON"));
    std::fclose(out);
    return 0;
}

}  // namespace

int main() { platform::RunApplication(Describe); }
