/* A configurable stand-in for the runtime's installer, installed as QT_F\QT32.EXE; the tests
   also run it to set up or clear the registry. It runs the steps in $E2E_INSTALLER (or in
   its arguments), separated by ";", then exits:
     wait=MS                  sleep
     register=PATH|PATH...    create each file (path written with "/") and list it under the
                              runtime's SharedFiles key, as a real installer would
     list=PATH|PATH...        list each path under the SharedFiles key and create nothing
     unregister               delete the SharedFiles key and everything under it
     player=MS                start player.exe (from $E2E_HELPERS) for MS and do not wait
     exit=CODE                the exit code (default 0)
   Records its start, startup settings and end in $E2E_INSTALLER_RECORD. */
#include <string.h>

#include "record.h"

static const char kSharedFiles[] = "Software\\APPLE\\QuickTime32\\CurrentVersion\\SharedFiles";

static void Register(char* paths, BOOL createFiles) {
    HKEY sharedFiles, file;
    char* path;
    RegCreateKeyA(HKEY_LOCAL_MACHINE, kSharedFiles, &sharedFiles);
    for (path = strtok(paths, "|"); path != NULL; path = strtok(NULL, "|")) {
        char onDisk[MAX_PATH];
        char* c;
        HANDLE created;
        RegCreateKeyA(sharedFiles, path, &file);
        RegCloseKey(file);
        if (!createFiles) continue;
        lstrcpynA(onDisk, path, sizeof onDisk);
        for (c = onDisk; *c != '\0'; ++c) {
            if (*c == '/') *c = '\\';
        }
        created = CreateFileA(onDisk, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (created != INVALID_HANDLE_VALUE) CloseHandle(created);
    }
    RegCloseKey(sharedFiles);
}

static void StartPlayer(const char* milliseconds) {
    char helpers[MAX_PATH], commandLine[2 * MAX_PATH];
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    if (GetEnvironmentVariableA("E2E_HELPERS", helpers, sizeof helpers) == 0)
        lstrcpyA(helpers, ".");
    wsprintfA(commandLine, "\"%s\\player.exe\" %s", helpers, milliseconds);
    if (CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

int main(int argc, char** argv) {
    static char steps[8192];
    FILE* record = OpenRecord("E2E_INSTALLER_RECORD");
    STARTUPINFOA startup;
    UINT exitCode = 0;
    char* step;
    char* next;

    RecordTime(record, "started");
    GetStartupInfoA(&startup);
    if (record != NULL) {
        fprintf(record, "startup_flags=%lu\nstartup_show=%u\n", startup.dwFlags,
                startup.wShowWindow);
        fflush(record);
    }
    if (argc > 1) {
        lstrcpynA(steps, argv[1], sizeof steps);
    } else {
        GetEnvironmentVariableA("E2E_INSTALLER", steps, sizeof steps);
    }
    for (step = steps; step != NULL && *step != '\0'; step = next) {
        next = strchr(step, ';');
        if (next != NULL) *next++ = '\0';
        if (strncmp(step, "wait=", 5) == 0) {
            Sleep(strtoul(step + 5, NULL, 10));
        } else if (strncmp(step, "register=", 9) == 0) {
            Register(step + 9, TRUE);
        } else if (strncmp(step, "list=", 5) == 0) {
            Register(step + 5, FALSE);
        } else if (strcmp(step, "unregister") == 0) {
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSharedFiles);
        } else if (strncmp(step, "player=", 7) == 0) {
            StartPlayer(step + 7);
        } else if (strncmp(step, "exit=", 5) == 0) {
            exitCode = strtoul(step + 5, NULL, 10);
        } else {
            fprintf(stderr, "installer: unknown step %s\n", step);
            return 100;
        }
    }
    RecordTime(record, "ended");
    if (record != NULL) fclose(record);
    return (int)exitCode;
}
