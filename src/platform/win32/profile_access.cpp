#include "profile_access.h"

#include "profile_guard.h"
#include "windows_api.h"

namespace plumbmark::win32 {
namespace {

static_assert(kProfilePathLimit == MAX_PATH, "the profile functions' path limit is MAX_PATH");

// The longest value text read, NUL included; a longer one is cut off there.
constexpr DWORD kLongestText = 256;

// The system's own profile functions, wide: they write the same bytes as the
// ANSI ones for ASCII content, and they reach a folder whose name the ANSI
// code page cannot spell.
struct ProfileFunctions {
  std::size_t FullPathLength(const std::wstring& path) {
    return GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  }
  std::int32_t ReadInt(const std::wstring& section, const std::wstring& key, std::int32_t fallback,
                       const std::wstring& path) {
    return static_cast<std::int32_t>(
        GetPrivateProfileIntW(section.c_str(), key.c_str(), fallback, path.c_str()));
  }
  std::wstring ReadText(const std::wstring& section, const std::wstring& key,
                        const std::wstring& fallback, const std::wstring& path) {
    std::wstring text(kLongestText, L'\0');
    text.resize(GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(),
                                         text.data(), kLongestText, path.c_str()));
    return text;
  }
  bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value,
             const std::wstring& path) {
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()) !=
           FALSE;
  }
};

}  // namespace

std::int32_t ReadProfileInt(const std::string& section, const std::string& key,
                            std::int32_t fallback, const std::string& file) {
  ProfileFunctions system;
  return GuardedProfile(system).ReadInt(section, key, fallback, file);
}

std::string ReadProfileText(const std::string& section, const std::string& key,
                            const std::string& fallback, const std::string& file) {
  ProfileFunctions system;
  return GuardedProfile(system).ReadText(section, key, fallback, file);
}

bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& file) {
  ProfileFunctions system;
  return GuardedProfile(system).Write(section, key, value, file);
}

}  // namespace plumbmark::win32
