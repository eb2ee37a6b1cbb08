#include "win32_backend.h"

#include <exception>

#include "dialog_window.h"
#include "form_window.h"
#include "keyboard_focus.h"
#include "line_window.h"
#include "message_box.h"
#include "message_loop.h"
#include "newer_functions.h"
#include "profile_access.h"
#include "program_path.h"
#include "system_error.h"

namespace plumbmark::win32 {

static_assert(forms::kSwpNoSize == SWP_NOSIZE && forms::kSwpNoMove == SWP_NOMOVE &&
                  forms::kSwpNoActivate == SWP_NOACTIVATE &&
                  forms::kSwpShowWindow == SWP_SHOWWINDOW,
              "the forms layer numbers SetWindowPos flags as the system does");
static_assert(forms::kModAlt == MOD_ALT && forms::kModControl == MOD_CONTROL &&
                  forms::kModShift == MOD_SHIFT && forms::kModWin == MOD_WIN &&
                  forms::kCursorShowing == CURSOR_SHOWING,
              "the forms layer numbers hot-key modifiers and cursor flags as the system does");

namespace {

// A form with a border is a dialog; a borderless one is a line.
bool IsDialog(const forms::Form& form) {
  return form.design().border == forms::BorderStyle::kFixedToolWindow;
}

}  // namespace

Win32Backend::Win32Backend(HINSTANCE instance)
    : instance_(instance), windowClass_(instance, &FormWindow::WindowProc) {
  // The standard controls the dialogs are made of.
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

std::unique_ptr<forms::FormPeer> Win32Backend::CreatePeer(forms::Form& form) {
  if (IsDialog(form)) return std::make_unique<DialogWindow>(*this, form);
  return std::make_unique<LineWindow>(*this, form);
}

int Win32Backend::RunMessageLoop() {
  int exitCode = 0;
  try {
    exitCode = win32::RunMessageLoop(windowClass_);
  } catch (const std::exception& error) {
    Fail(error.what());
  }
  return failed_ ? kFailureExitCode : exitCode;
}

void Win32Backend::Quit() { PostQuitMessage(0); }

void Win32Backend::Fail(std::string_view what) noexcept {
  if (failed_) return;
  failed_ = true;
  ReportFatal(what);
  PostQuitMessage(kFailureExitCode);
}

HWND Win32Backend::StartupWindow() const {
  forms::Form* startup = app_ != nullptr ? app_->startupForm() : nullptr;
  if (startup == nullptr || !startup->loaded() || startup->peer() == nullptr) return nullptr;
  return ToHwnd(startup->peer()->Handle());
}

void Win32Backend::HandKeyboardBack(HWND preferred, HWND closing) {
  if (app_ == nullptr || app_->ended() || failed_) return;
  HWND startup = StartupWindow();
  HandKeyboardTo({preferred, startup}, closing, windowClass_, startup);
}

// A modal box owned by the active form (the start-up form otherwise, or none
// while no window of ours is shown); while it is open the timer keeps
// ticking, and afterwards the keyboard goes back.
void Win32Backend::ShowMessageBox(const std::string& text, std::int32_t style,
                                  const std::string& title) {
  HWND active = GetActiveWindow();
  HWND owner = windowClass_.IsOurs(active) ? active : StartupWindow();
  if (owner != nullptr && !IsWindowVisible(owner)) owner = nullptr;
  const int result = ShowModalMessageBox(owner, windowClass_, text, style, title);
  // NOTE: ending the program while the box is open destroys its owner and
  // with it the box, which then reports failure; that is no error.
  if (result == 0 && !app_->ended()) throw SystemError("MessageBoxW");
  // Back to the owner when it takes keys, or else to the start-up form: the
  // horizontal line takes none, so the next key would need a click first.
  // NOTE: Wine does not always give the keyboard back to the owner itself.
  HandKeyboardBack(TakesKeys(owner) ? owner : nullptr);
}

bool Win32Backend::TakesKeys(HWND window) const {
  const forms::Form* form = app_->FindForm(FromHwnd(window));
  return form != nullptr && (form == app_->startupForm() || IsDialog(*form));
}

std::string Win32Backend::AppPath() { return ProgramFolder(); }

void Win32Backend::NoteDisplayChange() {
  if (screen_.Refresh() && app_ != nullptr) app_->RaiseDisplayChange();
}

bool Win32Backend::GetCursorPos(std::int32_t& x, std::int32_t& y) {
  POINT point{};
  if (!::GetCursorPos(&point)) return false;
  x = point.x;
  y = point.y;
  return true;
}

// A window made never to take the keyboard is not activated by this call
// either: Windows documents WS_EX_NOACTIVATE against clicks and keyboard
// navigation, not against a program's own SetWindowPos.
bool Win32Backend::GetCursorInfo(std::int32_t& x, std::int32_t& y, std::int32_t& flags,
                                 std::int32_t& cursor) {
  CURSORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetCursorInfo(&info)) return false;
  x = info.ptScreenPos.x;
  y = info.ptScreenPos.y;
  flags = static_cast<std::int32_t>(info.flags);
  cursor = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(info.hCursor));
  return true;
}

// MOD_NOREPEAT (Windows 7 on): a held combination acts once.
bool Win32Backend::RegisterHotKey(std::int32_t hWnd, std::int32_t modifiers, std::int32_t key) {
  return ::RegisterHotKey(ToHwnd(hWnd), kHotKeyId, static_cast<UINT>(modifiers) | MOD_NOREPEAT,
                          static_cast<UINT>(key)) != FALSE;
}

forms::CaptureExclusion Win32Backend::ExcludeFromCapture(std::int32_t hWnd) {
  const auto setAffinity = Newer().SetWindowDisplayAffinity;
  if (setAffinity == nullptr) return forms::CaptureExclusion::kUnavailable;
  return setAffinity(ToHwnd(hWnd), WDA_EXCLUDEFROMCAPTURE) ? forms::CaptureExclusion::kExcluded
                                                           : forms::CaptureExclusion::kRefused;
}

bool Win32Backend::SetWindowPos(std::int32_t hWnd, std::int32_t insertAfter, std::int32_t x,
                                std::int32_t y, std::int32_t cx, std::int32_t cy,
                                std::int32_t flags) {
  HWND window = ToHwnd(hWnd);
  auto swp = static_cast<UINT>(flags);
  if (NeverActivated(window)) swp |= SWP_NOACTIVATE;
  return ::SetWindowPos(window, ToHwnd(insertAfter), x, y, cx, cy, swp) != FALSE;
}

std::int32_t Win32Backend::ReadProfileInt(const std::string& section, const std::string& key,
                                          std::int32_t fallback, const std::string& file) {
  return win32::ReadProfileInt(section, key, fallback, file);
}

std::string Win32Backend::ReadProfileText(const std::string& section, const std::string& key,
                                          const std::string& fallback, const std::string& file) {
  return win32::ReadProfileText(section, key, fallback, file);
}

bool Win32Backend::WriteProfileValue(const std::string& section, const std::string& key,
                                     const std::string& value, const std::string& file) {
  return win32::WriteProfileValue(section, key, value, file);
}

}  // namespace plumbmark::win32
