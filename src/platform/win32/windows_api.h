// The Windows headers for this backend: every file here includes them
// through this one, <windows.h> first as the others require. They declare
// what Windows 7 has, so that nothing newer is imported by mistake.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <imm.h>
#include <sddl.h>
// clang-format on

// Newer than the Windows 7 headers this backend is built against.
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif
