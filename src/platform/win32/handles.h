// Move-only owners of Win32 handles: each frees its handle exactly once.
#pragma once

#include <utility>

#include "windows_api.h"

namespace plumbmark::win32 {

// Owns one handle and frees it with Free; a null handle owns nothing.
template <typename Handle, void (*Free)(Handle)>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle handle) : handle_(handle) {}
  Unique(Unique&& other) noexcept : handle_(other.Release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~Unique() { Reset(); }
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  void Reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Free(handle_);
    handle_ = handle;
  }
  // Gives the handle up to a new owner (the system, for a window region).
  Handle Release() { return std::exchange(handle_, Handle{}); }

 private:
  Handle handle_{};
};

// NOTE: the freeing functions are wrapped because the address of an
// imported API function is not a constant expression for every compiler.
// Our windows keep their peer in the user data: detach it first, so that the
// closing messages never reach a peer that is being destroyed.
inline void DestroyWindowHandle(HWND window) {
  ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  ::DestroyWindow(window);
}
inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void DeleteBrush(HBRUSH brush) { DeleteGdiObject(brush); }
inline void DeleteFont(HFONT font) { DeleteGdiObject(font); }
inline void DeleteRegion(HRGN region) { DeleteGdiObject(region); }
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
inline void FreeLocal(HLOCAL memory) { ::LocalFree(memory); }
inline void ReleaseScreenDc(HDC dc) { ::ReleaseDC(nullptr, dc); }

using UniqueWindow = Unique<HWND, DestroyWindowHandle>;
using UniqueBrush = Unique<HBRUSH, DeleteBrush>;
using UniqueFont = Unique<HFONT, DeleteFont>;
using UniqueRegion = Unique<HRGN, DeleteRegion>;
using UniqueIcon = Unique<HICON, DestroyIconHandle>;
using UniqueHandle = Unique<HANDLE, CloseKernelHandle>;
using UniqueLocal = Unique<HLOCAL, FreeLocal>;
using UniqueScreenDc = Unique<HDC, ReleaseScreenDc>;  // from GetDC(nullptr)

}  // namespace plumbmark::win32
