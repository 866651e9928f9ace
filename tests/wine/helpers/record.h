/* Shared by the end-to-end helper programs: appends "key=value" lines to the file named by
   an environment variable, so that the test runner can read what a helper saw; and opens
   the plain window that some helpers show. */
#pragma once

#include <stdio.h>
#include <windows.h>

/* Opens the record file for appending; null when the variable is not set. */
static inline FILE* OpenRecord(const char* variable) {
    char path[MAX_PATH];
    if (GetEnvironmentVariableA(variable, path, sizeof path) == 0) return NULL;
    return fopen(path, "ab");
}

/* The wall clock in milliseconds since 1601, the same in every process. */
static inline unsigned long long NowMilliseconds(void) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (((unsigned long long)now.dwHighDateTime << 32) | now.dwLowDateTime) / 10000;
}

/* Writes the wall clock under KEY and Wine's tick count under KEY_tick: the tick count is the
   clock of Wine's +timestamp traces, so a trace of another process can be set against it. */
static inline void RecordTime(FILE* record, const char* key) {
    if (record == NULL) return;
    fprintf(record, "%s=%llu\n%s_tick=%lu\n", key, NowMilliseconds(), key, GetTickCount());
    fflush(record);
}

/* Registers a class for PROCEDURE and opens a visible, overlapped window of it. */
static inline HWND OpenWindow(const char* className, const char* title, WNDPROC procedure, int x,
                              int y, int width, int height) {
    WNDCLASSA windowClass = {0};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowA(className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width, height,
                         NULL, NULL, windowClass.hInstance, NULL);
}
