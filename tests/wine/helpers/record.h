/* Shared by the end-to-end helper programs: appends "key=value" lines to the file named by
   an environment variable, so that the test runner can read what a helper saw. */
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
