// The system functions newer than Windows 7 that the backend uses where they
// exist: looked up once at run time from the system's own DLLs, never
// imported, so that the exe starts on Windows 7 SP1 too.
#pragma once

#include "windows_api.h"

namespace plumbmark::win32 {

struct NewerFunctions {
  // user32, Windows 10 version 1607 on.
  UINT(WINAPI* GetDpiForWindow)(HWND) = nullptr;
  int(WINAPI* GetSystemMetricsForDpi)(int, UINT) = nullptr;
  BOOL(WINAPI* AdjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
  BOOL(WINAPI* SystemParametersInfoForDpi)(UINT, UINT, void*, UINT, UINT) = nullptr;
  // shcore, Windows 8.1 on; the type 0 is the effective DPI.
  HRESULT(WINAPI* GetDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
};

// The functions this system has, looked up on the first call; a null one is
// missing. A test build of the exe finds none, so that the fallbacks run.
const NewerFunctions& Newer();

}  // namespace plumbmark::win32
