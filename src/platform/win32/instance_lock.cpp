#include "instance_lock.h"

#include "system_error.h"

namespace plumbmark::win32 {
namespace {

// One per user session: a copy started by another user does not count.
const wchar_t* const kInstanceMutexName =
    L"Local\\Plumbmark.Instance.8E4C2A71-5B0D-4F3A-9C6E-2D7B1F0A3E94";

}  // namespace

InstanceLock::InstanceLock() {
  SetLastError(ERROR_SUCCESS);
  mutex_.Reset(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
  error_ = GetLastError();
}

bool InstanceLock::AnotherCopyRuns() const {
  if (!mutex_) {
    SetLastError(error_);
    throw SystemError("CreateMutexW");
  }
  return error_ == ERROR_ALREADY_EXISTS;
}

}  // namespace plumbmark::win32
