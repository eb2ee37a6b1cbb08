// The Windows headers for this backend: every file here includes them
// through this one, <windows.h> first as the others require.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <imm.h>
#include <sddl.h>
#include <shellscalingapi.h>
// clang-format on
