#include "system_library.h"

#include "windows_api.h"

namespace plumbmark::win32 {

// SetDefaultDllDirectories is looked up: Windows 7 has it only with its
// update KB2533623. Without it, SetDllDirectoryW(L"") takes at least the
// current folder out of the search.
void HardenDllSearch() noexcept {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const FARPROC found =
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  const auto setDefault =
      reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(found));
  if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

}  // namespace plumbmark::win32
