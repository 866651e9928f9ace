// The Windows API values that the launcher passes and compares, under the platform's own
// names. <windows.h> defines the same names as macros, so this header is for the launcher and
// its tests only and never stands next to a Windows header.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace platform {

inline const HKEY HKEY_LOCAL_MACHINE =
    reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000002u)));

constexpr std::int32_t ERROR_SUCCESS = 0;
constexpr std::int32_t ERROR_MORE_DATA = 234;
constexpr std::int32_t ERROR_NO_MORE_ITEMS = 259;
constexpr std::uint32_t ERROR_ELEVATION_REQUIRED = 740;

constexpr int SM_CXFULLSCREEN = 16;

constexpr std::uint32_t DM_BITSPERPEL = 0x00040000;
constexpr std::uint32_t DM_PELSWIDTH = 0x00080000;
constexpr std::uint32_t DM_PELSHEIGHT = 0x00100000;
constexpr std::uint32_t CDS_TEST = 2;
constexpr std::int32_t DISP_CHANGE_SUCCESSFUL = 0;
constexpr std::int32_t DISP_CHANGE_BADMODE = -2;

constexpr std::uint32_t CREATE_NEW_PROCESS_GROUP = 0x00000200;
constexpr std::uint32_t NORMAL_PRIORITY_CLASS = 0x00000020;
constexpr std::uint32_t CREATE_DEFAULT_ERROR_MODE = 0x04000000;
constexpr std::uint32_t STILL_ACTIVE = 259;
constexpr std::uint32_t STARTF_USESHOWWINDOW = 0x00000001;
constexpr std::int32_t SW_SHOWNORMAL = 1;
constexpr std::uint32_t SEE_MASK_NOCLOSEPROCESS = 0x00000040;

constexpr std::uint32_t MB_YESNO = 0x04;
constexpr std::uint32_t MB_ICONHAND = 0x10;
constexpr std::uint32_t MB_ICONERROR = MB_ICONHAND;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

constexpr std::uint32_t INFINITE = 0xFFFFFFFF;
constexpr std::uint32_t WAIT_OBJECT_0 = 0;
constexpr std::uint32_t WAIT_TIMEOUT = 258;
constexpr std::uint32_t WAIT_FAILED = 0xFFFFFFFF;
constexpr std::uint32_t QS_ALLINPUT = 0x04FF;

}  // namespace platform
