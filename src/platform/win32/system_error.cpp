#include "platform/win32/system_error.h"

#include "platform/win32/text.h"

namespace plumbmark::win32 {

std::string SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length != 0 ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) return "error " + std::to_string(code);
  return NarrowText(text);
}

forms::RuntimeError SystemError(const char* call) {
  const DWORD code = GetLastError();
  return forms::RuntimeError::PlatformFailure(std::string("\n\n") + call + ": " +
                                              SystemMessage(code));
}

}  // namespace plumbmark::win32
