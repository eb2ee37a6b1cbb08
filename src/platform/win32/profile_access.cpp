#include "profile_access.h"

#include "wide_text.h"
#include "windows_api.h"

namespace plumbmark::win32 {
namespace {

// NOTE: the profile functions take a path shorter than MAX_PATH: they are not
// among the functions that a "\\?\" prefix or a long-path-aware manifest
// extends. Wine resolves the name into a MAX_PATH buffer and, when it does
// not fit, opens whatever that buffer holds: the file is not read, and a
// write reports success while it changes nothing or makes a stray file.
bool FitsProfileFunctions(const std::wstring& file) {
  if (file.size() >= MAX_PATH) return false;
  const DWORD full = GetFullPathNameW(file.c_str(), 0, nullptr, nullptr);  // counts the NUL
  return full != 0 && full <= MAX_PATH;
}

}  // namespace

// NOTE: the wide profile functions write the same bytes as the ANSI ones
// for ASCII content, and they reach a folder whose name the ANSI code page
// cannot spell.
std::int32_t ReadProfileInt(const std::string& section, const std::string& key,
                            std::int32_t fallback, const std::string& file) {
  const std::wstring path = WideText(file);
  if (!FitsProfileFunctions(path)) return fallback;
  const UINT value = GetPrivateProfileIntW(WideText(section).c_str(), WideText(key).c_str(),
                                           fallback, path.c_str());
  return static_cast<std::int32_t>(value);
}

bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& file) {
  const std::wstring path = WideText(file);
  if (!FitsProfileFunctions(path)) return false;
  return WritePrivateProfileStringW(WideText(section).c_str(), WideText(key).c_str(),
                                    WideText(value).c_str(), path.c_str()) != FALSE;
}

}  // namespace plumbmark::win32
