#include "program_path.h"

#include "module_path.h"
#include "system_error.h"
#include "wide_text.h"

namespace plumbmark::win32 {
namespace {

// GetModuleFileNameW cannot report a path longer than this.
constexpr std::size_t kLongestPath = 32768;

}  // namespace

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) throw SystemError("GetModuleFileNameW");
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    // NOTE: a path that does not fit is cut off to fill the buffer exactly
    // (with or without ERROR_INSUFFICIENT_BUFFER, depending on the version).
    if (path.size() > kLongestPath) throw SystemError("GetModuleFileNameW");
    path.resize(path.size() * 2);
  }
  return NarrowText(FolderOfModule(path));
}

}  // namespace plumbmark::win32
