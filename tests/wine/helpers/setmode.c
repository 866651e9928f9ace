/* Puts the display into a given mode before a test, or back into its registry mode.
   usage: setmode.exe WIDTH HEIGHT BITS | setmode.exe reset
   Exit code: what ChangeDisplaySettingsA returned (0 on success). */
#include <stdlib.h>
#include <string.h>
#include <windows.h>

int main(int argc, char** argv) {
    DEVMODEA mode;
    if (argc == 2 && strcmp(argv[1], "reset") == 0) return ChangeDisplaySettingsA(NULL, 0);
    if (argc != 4) return 100;
    ZeroMemory(&mode, sizeof mode);
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    mode.dmPelsWidth = strtoul(argv[1], NULL, 10);
    mode.dmPelsHeight = strtoul(argv[2], NULL, 10);
    mode.dmBitsPerPel = strtoul(argv[3], NULL, 10);
    return ChangeDisplaySettingsA(&mode, 0);
}
