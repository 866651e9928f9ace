/* Starts a program the way a shortcut set to "minimised" does (STARTF_USESHOWWINDOW with
   SW_SHOWMINNOACTIVE), waits for it and exits with its exit code.
   usage: spawn.exe COMMAND_LINE */
#include <windows.h>

int main(int argc, char** argv) {
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;
    DWORD exitCode = 0;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    if (argc != 2) return 100;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
    if (!CreateProcessA(NULL, argv[1], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        return 101;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    return (int)exitCode;
}
