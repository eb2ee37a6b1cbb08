// Where the program's DLLs come from: the system folder only.
#pragma once

namespace plumbmark::win32 {

// Limits the DLL search to the system folder before anything else runs, so
// that a DLL planted beside the exe (a Downloads folder) is never loaded.
void HardenDllSearch() noexcept;

}  // namespace plumbmark::win32
