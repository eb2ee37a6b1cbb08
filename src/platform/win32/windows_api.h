// The Windows headers for this backend: every file here includes them
// through this one, <windows.h> first as the others require.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <imm.h>
#include <shellscalingapi.h>
// clang-format on

// NOTE: <windows.h> maps these names to their A or W variants with macros,
// which would rename the forms layer's Backend methods of the same names in
// every file that sees both. The backend calls the W functions by full name.
#undef MessageBox
#undef GetPrivateProfileInt
#undef WritePrivateProfileString
