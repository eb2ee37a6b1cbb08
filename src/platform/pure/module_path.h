// The program folder as the forms layer reports it, worked out from the full
// path of the program file.
#pragma once

#include <string>
#include <string_view>

namespace plumbmark::win32 {

// The folder part of a module path, without a trailing backslash except for
// a drive's root ("C:\", "\\?\C:\"), where "C:" alone would name the drive's
// current folder instead.
std::wstring FolderOfModule(std::wstring_view modulePath);

}  // namespace plumbmark::win32
