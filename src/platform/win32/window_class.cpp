#include "window_class.h"

#include "system_error.h"

namespace plumbmark::win32 {
namespace {

const wchar_t* const kWindowClassName = L"PlumbmarkForm";

}  // namespace

WindowClass::WindowClass(HINSTANCE instance, WNDPROC procedure) : instance_(instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kWindowClassName;
  atom_ = RegisterClassExW(&windowClass);
  if (atom_ == 0) throw SystemError("RegisterClassExW");
}

WindowClass::~WindowClass() { UnregisterClassW(MAKEINTATOM(atom_), instance_); }

bool WindowClass::IsClassOf(HWND window) const {
  return window != nullptr && static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM)) == atom_;
}

bool WindowClass::IsOurs(HWND window) const {
  return window != nullptr && IsWindow(window) &&
         GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId() && IsClassOf(window);
}

}  // namespace plumbmark::win32
