#include "lock_answer.h"

namespace plumbmark::win32 {

LockAnswer ReadLockAnswer(bool opened, std::uint32_t error) {
  if (opened) return error == kErrorAlreadyExists ? LockAnswer::kAnotherCopy : LockAnswer::kOurs;
  return error == kErrorAccessDenied ? LockAnswer::kAnotherCopy : LockAnswer::kFailed;
}

}  // namespace plumbmark::win32
