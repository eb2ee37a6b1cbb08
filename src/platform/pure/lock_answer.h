// What the system's answer to creating the single-instance lock means.
#pragma once

#include <cstdint>

namespace plumbmark::win32 {

enum class LockAnswer { kOurs, kAnotherCopy, kFailed };

// The system's error codes that decide it.
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorAlreadyExists = 183;

// A lock we opened is ours unless it existed before. One we may not open at
// all is held by a copy running elevated or as another user of the session:
// another copy too. Any other error means the lock could not be made.
LockAnswer ReadLockAnswer(bool opened, std::uint32_t error);

}  // namespace plumbmark::win32
