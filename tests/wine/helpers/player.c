/* Stands in for the runtime's player: a top-level window titled "Movie Player" that stays
   open for the given number of milliseconds, or until it is closed. Records in
   $E2E_PLAYER_RECORD when its window opened and when it began to close, which is before any
   other program can see it gone.
   usage: player.exe MILLISECONDS */
#include "record.h"

static FILE* record;

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        /* The window can still be found by its title until this handler has returned. */
        RecordTime(record, "closed");
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int main(int argc, char** argv) {
    MSG message;
    HWND window;
    record = OpenRecord("E2E_PLAYER_RECORD");
    window = OpenWindow("E2EPlayer", "Movie Player", WindowProc, 200, 120, 320, 240);
    RecordTime(record, "opened");
    SetTimer(window, 1, argc > 1 ? strtoul(argv[1], NULL, 10) : 1000, NULL);
    while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
    if (record != NULL) fclose(record);
    return 0;
}
