#include "module_path.h"

namespace plumbmark::win32 {

std::wstring FolderOfModule(std::wstring_view modulePath) {
  const std::size_t slash = modulePath.find_last_of(L"\\/");
  if (slash == std::wstring_view::npos) return std::wstring();
  std::wstring_view folder = modulePath.substr(0, slash);
  if (folder.empty() || folder.back() == L':') folder = modulePath.substr(0, slash + 1);
  return std::wstring(folder);
}

}  // namespace plumbmark::win32
