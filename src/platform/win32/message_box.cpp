#include "message_box.h"

#include <vector>

#include "wide_text.h"

namespace plumbmark::win32 {
namespace {

// Disables our other top-level windows while a message box is open (the box
// disables only its owner); re-enables exactly those afterwards.
class OtherWindowsDisabled {
 public:
  OtherWindowsDisabled(HWND owner, const WindowClass& formClass)
      : owner_(owner), formClass_(formClass) {
    EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(this));
  }
  ~OtherWindowsDisabled() {
    for (HWND window : disabled_) {
      if (IsWindow(window)) EnableWindow(window, TRUE);
    }
  }
  OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
  OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK DisableOne(HWND window, LPARAM self) {
    auto& scope = *reinterpret_cast<OtherWindowsDisabled*>(self);
    if (window != scope.owner_ && IsWindowEnabled(window) && scope.formClass_.IsClassOf(window)) {
      EnableWindow(window, FALSE);
      scope.disabled_.push_back(window);
    }
    return TRUE;
  }

  HWND owner_;
  const WindowClass& formClass_;
  std::vector<HWND> disabled_;
};

}  // namespace

// A box without an owner (a second copy's, before any window of ours shows)
// gets a taskbar button of its own and stays above the topmost lines of a
// first copy; the user just started us, so Windows lets it take the foreground.
int ShowModalMessageBox(HWND owner, const WindowClass& formClass, const std::string& text,
                        std::int32_t style, const std::string& title) {
  const OtherWindowsDisabled modal(owner, formClass);
  const UINT front = MB_SETFOREGROUND | (owner == nullptr ? MB_TOPMOST : 0);
  return MessageBoxW(owner, WideText(text).c_str(), WideText(title).c_str(),
                     static_cast<UINT>(style) | front);
}

}  // namespace plumbmark::win32
