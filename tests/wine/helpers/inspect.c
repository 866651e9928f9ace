/* Describes the launcher's application window: waits for the window of class "TApplication",
   writes its properties to OUTFILE as "key=value" lines, then asks it to close, to minimise
   and to restore, and writes what became of it.
   usage: inspect.exe OUTFILE TIMEOUT_MS
   Exit code 0 once written, 1 when no such window appeared in time. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

int main(int argc, char** argv) {
    DWORD deadline, processId;
    HWND window;
    RECT rect;
    DWORD_PTR result;
    char caption[256];
    FILE* out;
    if (argc < 3) return 2;
    deadline = GetTickCount() + strtoul(argv[2], NULL, 10);
    while ((window = FindWindowA("TApplication", NULL)) == NULL) {
        if ((LONG)(GetTickCount() - deadline) >= 0) return 1;
        Sleep(50);
    }
    out = fopen(argv[1], "wb");
    if (out == NULL) return 3;
    GetWindowTextA(window, caption, sizeof caption);
    GetWindowRect(window, &rect);
    GetWindowThreadProcessId(window, &processId);
    fprintf(out, "caption=%s\n", caption);
    fprintf(out, "style=0x%08lx\n", (unsigned long)GetWindowLongA(window, GWL_STYLE));
    fprintf(out, "exstyle=0x%08lx\n", (unsigned long)GetWindowLongA(window, GWL_EXSTYLE));
    fprintf(out, "rect=%ld,%ld,%ld,%ld\n", rect.left, rect.top, rect.right, rect.bottom);
    fprintf(out, "screen=%d,%d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    fprintf(out, "visible=%d\niconic=%d\n", IsWindowVisible(window) != 0, IsIconic(window) != 0);
    fprintf(out, "owner=%d\nparent=%d\n", GetWindow(window, GW_OWNER) != NULL,
            GetParent(window) != NULL);
    SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    fprintf(out, "exists_after_close=%d\n", IsWindow(window) != 0);
    SendMessageTimeoutA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0, SMTO_ABORTIFHUNG, 2000, &result);
    fprintf(out, "iconic_after_minimise=%d\n", IsIconic(window) != 0);
    SendMessageTimeoutA(window, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, 2000, &result);
    fprintf(out, "iconic_after_restore=%d\n", IsIconic(window) != 0);
    fclose(out);
    return 0;
}
