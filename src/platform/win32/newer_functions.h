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
  // user32: Windows 7 has the function, but only from Windows 10 version
  // 2004 (build 19041) does it take WDA_EXCLUDEFROMCAPTURE; before, that value
  // acts as WDA_MONITOR and blacks the window out in captures. Null before.
  BOOL(WINAPI* SetWindowDisplayAffinity)(HWND, DWORD) = nullptr;
};

// The functions this system has, looked up on the first call; a null one is
// missing. A test build of the exe finds none, so that the fallbacks run.
const NewerFunctions& Newer();

// Looks a function of `module` up by name, as the pointer type it is stored
// in; null when the module or the function is missing.
template <typename Function>
void LookUp(HMODULE module, const char* name, Function& function) {
  const FARPROC found = module != nullptr ? GetProcAddress(module, name) : nullptr;
  function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace plumbmark::win32
