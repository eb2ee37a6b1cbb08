// The one error helper of the Win32 backend: a failed system call becomes the
// forms layer's run-time error, carrying the system's own description.
#pragma once

#include <string>

#include "platform/errors.h"
#include "platform/win32/windows_api.h"

namespace plumbmark::win32 {

// The system's text for an error code (FormatMessageW), e.g. "Access is denied.".
std::string SystemMessage(DWORD code);

// The run-time error for a call that just failed, from GetLastError().
forms::RuntimeError SystemError(const char* call);

}  // namespace plumbmark::win32
