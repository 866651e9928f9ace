/* Tells the launcher that the Windows session is ending, as Windows does at log-off: waits
   for the window of class "TApplication", then sends it WM_QUERYENDSESSION and
   WM_ENDSESSION with a non-zero flag.
   usage: endsession.exe TIMEOUT_MS
   Exit code 0 once sent, 1 when no such window appeared in time. */
#include <stdlib.h>
#include <windows.h>

int main(int argc, char** argv) {
    DWORD deadline = GetTickCount() + (argc > 1 ? strtoul(argv[1], NULL, 10) : 5000);
    DWORD_PTR result;
    HWND window;
    while ((window = FindWindowA("TApplication", NULL)) == NULL) {
        if ((LONG)(GetTickCount() - deadline) >= 0) return 1;
        Sleep(50);
    }
    SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 2000,
                        &result);
    /* The launcher ends inside its handler, so this send may come back without an answer. */
    SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 2000,
                        &result);
    return 0;
}
