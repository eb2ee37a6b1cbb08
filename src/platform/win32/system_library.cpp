#include "system_library.h"

#include "newer_functions.h"

namespace plumbmark::win32 {

// SetDefaultDllDirectories is looked up: Windows 7 has it only with its
// update KB2533623. Without it, SetDllDirectoryW(L"") takes at least the
// current folder out of the search.
void HardenDllSearch() noexcept {
  BOOL(WINAPI * setDefault)(DWORD) = nullptr;
  LookUp(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories", setDefault);
  if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

}  // namespace plumbmark::win32
