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
#ifndef WDA_EXCLUDEFROMCAPTURE
#define WDA_EXCLUDEFROMCAPTURE 0x00000011
#endif
#ifndef MOD_NOREPEAT
#define MOD_NOREPEAT 0x4000
#endif

namespace plumbmark::win32 {
// The one system-wide combination a window of ours registers.
inline constexpr int kHotKeyId = 1;
}  // namespace plumbmark::win32
