/* The title program of the end-to-end tests, installed as D.EXE. Records what it was started
   with and the display it found, then optionally shows a window for a while (for the demo's
   screenshot). Record file: $E2E_TITLE_RECORD; window time in ms: $E2E_TITLE_SHOW_MS. */
#include "record.h"

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER || message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        RECT area;
        HDC dc = BeginPaint(window, &paint);
        GetClientRect(window, &area);
        DrawTextA(dc, "The title program is running.", -1, &area,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void ShowFor(DWORD milliseconds) {
    MSG message;
    HWND window = OpenWindow("E2ETitle", "Title program", WindowProc, 40, 40, 400, 200);
    SetTimer(window, 1, milliseconds, NULL);
    while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
}

int main(void) {
    FILE* record = OpenRecord("E2E_TITLE_RECORD");
    STARTUPINFOA startup;
    DEVMODEA mode;
    char directory[MAX_PATH], showFor[16];
    if (record != NULL) {
        RecordTime(record, "started");
        GetStartupInfoA(&startup);
        ZeroMemory(&mode, sizeof mode);
        mode.dmSize = sizeof mode;
        EnumDisplaySettingsA(NULL, ENUM_CURRENT_SETTINGS, &mode);
        GetCurrentDirectoryA(sizeof directory, directory);
        fprintf(record, "command_line=%s\n", GetCommandLineA());
        fprintf(record, "directory=%s\n", directory);
        fprintf(record, "startup_flags=%lu\nstartup_show=%u\n", startup.dwFlags,
                startup.wShowWindow);
        fprintf(record, "mode=%lux%lux%lu\n", mode.dmPelsWidth, mode.dmPelsHeight,
                mode.dmBitsPerPel);
        fprintf(record, "player_window=%d\n", FindWindowA(NULL, "Movie Player") != NULL);
        fclose(record);
    }
    if (GetEnvironmentVariableA("E2E_TITLE_SHOW_MS", showFor, sizeof showFor) > 0) {
        ShowFor(strtoul(showFor, NULL, 10));
    }
    return 0;
}
