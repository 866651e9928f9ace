// The Windows build's one gateway to the Windows API: every file under platform/win32
// includes the API through this header, so the macros that trim it are set in one place.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// Left out by WIN32_LEAN_AND_MEAN; only its types are used (shell32 is loaded on demand).
#include <shellapi.h>
