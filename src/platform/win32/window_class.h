// The one window class that every form window is made of, registered for the
// whole run, and the test for "one of our own windows".
#pragma once

#include "windows_api.h"

namespace plumbmark::win32 {

class WindowClass {
 public:
  WindowClass(HINSTANCE instance, WNDPROC procedure);
  ~WindowClass();
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;

  ATOM atom() const { return atom_; }
  // True when `window` is of this class, whoever made it.
  bool IsClassOf(HWND window) const;
  // True for a live window of this class on the calling thread.
  bool IsOurs(HWND window) const;

 private:
  HINSTANCE instance_;
  ATOM atom_ = 0;
};

}  // namespace plumbmark::win32
