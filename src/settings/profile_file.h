// The project's own profile (INI) file engine: reads integers the way the
// Windows profile reader does and writes values the way the Windows profile
// writer does, but edits in place and leaves every byte it does not own alone.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plumbmark::profile {

// The value text of `key` in the first section named `section`, trimmed as
// the Windows reader trims it (quotes are kept: ParseInt removes them);
// nullopt when the section or key is missing or the key line has no '='.
std::optional<std::string> FindValue(std::string_view content, std::string_view section,
                                     std::string_view key);

// Converts a value text as the Windows integer reader does: blanks trimmed,
// one matching quote pair removed, cut to 29 characters, base-0 conversion
// with unsigned 32-bit wrap-around; `fallback` only for an empty text.
std::int32_t ParseInt(std::string_view value, std::int32_t fallback);

// FindValue + ParseInt; `fallback` for a missing section or key.
std::int32_t ReadInt(std::string_view content, std::string_view section, std::string_view key,
                     std::int32_t fallback);

// The file content after writing `key`=`value` into `section` (names and
// value trimmed), or nullopt when the write changes nothing or is refused
// because it would not read back as written (see profile_edit.h).
std::optional<std::string> WriteValue(std::string_view content, std::string_view section,
                                      std::string_view key, std::string_view value);

// File-level counterparts of GetPrivateProfileInt and
// WritePrivateProfileString. A file that cannot be read gives the default;
// the writer returns false when the file could not be written or the write
// was refused, and replaces the file atomically (temporary file + rename).
std::int32_t GetPrivateProfileInt(std::string_view section, std::string_view key,
                                  std::int32_t fallback, const std::filesystem::path& file);
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::filesystem::path& file);

}  // namespace plumbmark::profile
