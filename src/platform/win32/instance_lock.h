// The single-instance lock: a named object the first copy of the program
// holds for its whole run, so that a copy started later sees it.
#pragma once

#include "handles.h"

namespace plumbmark::win32 {

class InstanceLock {
 public:
  // Takes the lock now, or notes that another copy holds it.
  InstanceLock();

  // True when another copy held the lock first; a lock that could not be
  // made at all raises the system's error.
  bool AnotherCopyRuns() const;

 private:
  UniqueHandle mutex_;
  const char* call_ = "CreateMutexExW";  // the call whose error decides
  DWORD error_ = ERROR_SUCCESS;
};

}  // namespace plumbmark::win32
