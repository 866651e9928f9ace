/* Stands in for the runtime's player: a top-level window titled "Movie Player" that stays
   open for the given number of milliseconds, or until it is closed. Records when its window
   opened and closed in $E2E_PLAYER_RECORD.
   usage: player.exe MILLISECONDS */
#include "record.h"

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int main(int argc, char** argv) {
    FILE* record = OpenRecord("E2E_PLAYER_RECORD");
    MSG message;
    HWND window = OpenWindow("E2EPlayer", "Movie Player", WindowProc, 200, 120, 320, 240);
    RecordTime(record, "opened");
    SetTimer(window, 1, argc > 1 ? strtoul(argv[1], NULL, 10) : 1000, NULL);
    while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
    RecordTime(record, "closed");
    if (record != NULL) fclose(record);
    return 0;
}
