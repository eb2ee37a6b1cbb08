#include "instance_lock.h"

#include <cstddef>
#include <string>
#include <vector>

#include "lock_answer.h"
#include "system_error.h"

namespace plumbmark::win32 {
namespace {

static_assert(kErrorAccessDenied == ERROR_ACCESS_DENIED &&
                  kErrorAlreadyExists == ERROR_ALREADY_EXISTS,
              "the lock's answers are the system's error codes");

// One lock per user of the session: the user's SID ends the name, so that a
// copy run by another user neither counts nor can be mistaken for ours.
const wchar_t* const kLockNamePrefix =
    L"Local\\Plumbmark.Instance.8E4C2A71-5B0D-4F3A-9C6E-2D7B1F0A3E94.";

// The user's SID as text ("S-1-5-21-..."); empty when it cannot be read.
std::wstring UserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  const UniqueHandle ownedToken(token);
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<std::byte> user(size);
  if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size)) return {};
  wchar_t* text = nullptr;
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &text)) {
    return {};
  }
  const UniqueLocal ownedText(text);
  return text;
}

}  // namespace

InstanceLock::InstanceLock() {
  const std::wstring sid = UserSid();
  if (sid.empty()) {
    call_ = "GetTokenInformation";
    error_ = GetLastError();
    return;
  }
  SetLastError(ERROR_SUCCESS);
  // The least access that holds the lock: a copy started elevated or as
  // another user may have made it, and full access to it would be denied.
  mutex_.Reset(CreateMutexExW(nullptr, (kLockNamePrefix + sid).c_str(), 0, SYNCHRONIZE));
  error_ = GetLastError();
}

bool InstanceLock::AnotherCopyRuns() const {
  const LockAnswer answer = ReadLockAnswer(static_cast<bool>(mutex_), error_);
  if (answer == LockAnswer::kFailed) {
    SetLastError(error_);
    throw SystemError(call_);
  }
  return answer == LockAnswer::kAnotherCopy;
}

}  // namespace plumbmark::win32
