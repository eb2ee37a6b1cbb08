// Conversions between the program's UTF-8 strings and the wide strings of the
// Windows API. The byte form is WTF-8: a UTF-16 string that is not valid
// Unicode (a file name with a lone surrogate) survives the round trip, so a
// program folder with any name still reaches the profile functions intact.
#pragma once

#include <string>
#include <string_view>

namespace plumbmark::win32 {

// UTF-16 code units (one per wchar_t) to WTF-8.
std::string NarrowText(std::wstring_view wide);
// WTF-8 to UTF-16 code units; a malformed byte sequence becomes U+FFFD.
std::wstring WideText(std::string_view narrow);

}  // namespace plumbmark::win32
