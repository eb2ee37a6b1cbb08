// The Win32 backend's errors: a failed system call becomes the forms layer's
// run-time error, carrying the system's own description; a failure that
// nothing else handled is reported to the user before the program ends.
#pragma once

#include <string>
#include <string_view>

#include "errors.h"
#include "windows_api.h"

namespace plumbmark::win32 {

// The system's text for an error code (FormatMessageW), e.g. "Access is denied.".
std::string SystemMessage(DWORD code);

// The run-time error for a call that just failed, from GetLastError().
forms::RuntimeError SystemError(const char* call);

// The exit code of a program ended by a failure.
inline constexpr int kFailureExitCode = 1;

// Tells the user, in a message box, that the program ends because of `what`.
void ReportFatal(std::string_view what) noexcept;

}  // namespace plumbmark::win32
