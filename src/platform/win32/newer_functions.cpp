#include "newer_functions.h"

#include <string>

namespace plumbmark::win32 {
namespace {

#ifdef PLUMBMARK_RESOLVE_NO_NEWER_FUNCTIONS
constexpr bool kResolve = false;  // the fallbacks' test exe
#else
constexpr bool kResolve = true;
#endif

// A DLL from the system folder only, by its full path; null when the system
// has none of that name.
HMODULE LoadSystemLibrary(const wchar_t* name) {
  std::wstring path(MAX_PATH, L'\0');
  const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  path.resize(length);
  return LoadLibraryW((path + L"\\" + name).c_str());  // kept for the whole run
}

constexpr DWORD kFirstBuildExcludingFromCapture = 19041;

// The system's own version: GetVersionExW answers what the manifest allows.
bool BuildAtLeast(DWORD build) {
  LONG(WINAPI * getVersion)(OSVERSIONINFOW*) = nullptr;
  LookUp(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion", getVersion);
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  return getVersion != nullptr && getVersion(&version) == 0 &&
         (version.dwMajorVersion > 10 ||
          (version.dwMajorVersion == 10 && version.dwBuildNumber >= build));
}

NewerFunctions Resolve() {
  NewerFunctions newer;
  if (!kResolve) return newer;
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  LookUp(user32, "GetDpiForWindow", newer.GetDpiForWindow);
  LookUp(user32, "GetSystemMetricsForDpi", newer.GetSystemMetricsForDpi);
  LookUp(user32, "AdjustWindowRectExForDpi", newer.AdjustWindowRectExForDpi);
  LookUp(user32, "SystemParametersInfoForDpi", newer.SystemParametersInfoForDpi);
  if (BuildAtLeast(kFirstBuildExcludingFromCapture)) {
    LookUp(user32, "SetWindowDisplayAffinity", newer.SetWindowDisplayAffinity);
  }
  LookUp(LoadSystemLibrary(L"shcore.dll"), "GetDpiForMonitor", newer.GetDpiForMonitor);
  return newer;
}

}  // namespace

const NewerFunctions& Newer() {
  static const NewerFunctions newer = Resolve();
  return newer;
}

}  // namespace plumbmark::win32
