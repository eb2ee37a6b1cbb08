// Move-only owners of Win32 handles: each releases its handle exactly once.
#pragma once

#include <utility>

#include "platform/win32/windows_api.h"

namespace plumbmark::win32 {

// Owns one handle and releases it with Release; a null handle owns nothing.
template <typename Handle, void (*Release)(Handle)>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle handle) : handle_(handle) {}
  Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, Handle{}));
    return *this;
  }
  ~Unique() { Reset(); }
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  void Reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Release(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

// NOTE: the releasing functions are wrapped because the address of an
// imported API function is not a constant expression for every compiler.
// Our windows keep their peer in the user data: detach it first, so that the
// closing messages never reach a peer that is being destroyed.
inline void DestroyWindowHandle(HWND window) {
  ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  ::DestroyWindow(window);
}
inline void DeleteBrush(HBRUSH brush) { ::DeleteObject(brush); }
inline void DeleteFont(HFONT font) { ::DeleteObject(font); }
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }

using UniqueWindow = Unique<HWND, DestroyWindowHandle>;
using UniqueBrush = Unique<HBRUSH, DeleteBrush>;
using UniqueFont = Unique<HFONT, DeleteFont>;
using UniqueIcon = Unique<HICON, DestroyIconHandle>;
using UniqueHandle = Unique<HANDLE, CloseKernelHandle>;

}  // namespace plumbmark::win32
