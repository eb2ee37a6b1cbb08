// The settings file, read and written through the system's profile
// functions, never with a path those functions cannot take.
#pragma once

#include <cstdint>
#include <string>

namespace plumbmark::win32 {

// The value of `key`, or `fallback` when the file, section or key is missing
// or the path does not fit the profile functions.
std::int32_t ReadProfileInt(const std::string& section, const std::string& key,
                            std::int32_t fallback, const std::string& file);
// The text of `key`, or `fallback` as for ReadProfileInt.
std::string ReadProfileText(const std::string& section, const std::string& key,
                            const std::string& fallback, const std::string& file);
// True when the system reported the value written.
bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& file);

}  // namespace plumbmark::win32
