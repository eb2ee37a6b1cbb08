#include "system_error.h"

#include "handles.h"
#include "wide_text.h"

namespace plumbmark::win32 {

std::string SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const UniqueLocal owned(buffer);
  std::wstring text = length != 0 ? std::wstring(buffer, length) : std::wstring();
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

void ReportFatal(std::string_view what) noexcept {
  try {
    const std::wstring text = WideText(
        "予期しないエラーが発生したため、Plumbmark を終了します。\n\n" + std::string(what));
    MessageBoxW(nullptr, text.c_str(), L"Plumbmark", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  } catch (...) {
    // Out of memory for the text: end without telling.
  }
}

}  // namespace plumbmark::win32
