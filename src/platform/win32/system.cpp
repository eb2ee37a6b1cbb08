// The backend's system services: the window class, the message loop,
// message boxes, the application and screen objects and the system calls
// (those on the settings file are in profile.cpp).
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/dialog_window.h"
#include "platform/win32/line_window.h"
#include "platform/win32/module_path.h"
#include "platform/win32/system_error.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_backend.h"
#include "platform/win32/window.h"

namespace plumbmark::win32 {
namespace {

const wchar_t* const kWindowClassName = L"PlumbmarkForm";
// One per user session: a copy started by another user does not count.
const wchar_t* const kInstanceMutexName =
    L"Local\\Plumbmark.Instance.8E4C2A71-5B0D-4F3A-9C6E-2D7B1F0A3E94";
constexpr UINT kDefaultDpi = 96;
constexpr float kTwipsPerInch = 1440.0f;
// GetModuleFileNameW cannot report a path longer than this.
constexpr std::size_t kLongestPath = 32768;

// Disables our other top-level windows while a message box is open (the box
// disables only its owner), so that no form takes input, as a modal box of
// the forms layer requires; re-enables exactly those afterwards.
class OtherWindowsDisabled {
 public:
  OtherWindowsDisabled(HWND owner, ATOM formClass) : owner_(owner), formClass_(formClass) {
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
    if (window != scope.owner_ && IsWindowEnabled(window) &&
        static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM)) == scope.formClass_) {
      EnableWindow(window, FALSE);
      scope.disabled_.push_back(window);
    }
    return TRUE;
  }

  HWND owner_;
  ATOM formClass_;
  std::vector<HWND> disabled_;
};

}  // namespace

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance), monitors_(CurrentMonitors()) {
  ReadScreen(monitors_);
  // The standard controls the dialogs are made of.
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterWindowClass();
  CreateInstanceMutex();
}

Win32Backend::~Win32Backend() {
  if (windowClass_ != 0) UnregisterClassW(MAKEINTATOM(windowClass_), instance_);
}

void Win32Backend::RegisterWindowClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &FormWindow::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kWindowClassName;
  windowClass_ = RegisterClassExW(&windowClass);
  if (windowClass_ == 0) throw SystemError("RegisterClassExW");
}

// Takes the session's instance object now and holds it until the process
// ends, so that a copy started later sees it.
void Win32Backend::CreateInstanceMutex() {
  SetLastError(ERROR_SUCCESS);
  instanceMutex_.Reset(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
  instanceMutexError_ = GetLastError();
}

bool Win32Backend::PrevInstance() {
  if (!instanceMutex_) {
    SetLastError(instanceMutexError_);
    throw SystemError("CreateMutexW");
  }
  return instanceMutexError_ == ERROR_ALREADY_EXISTS;
}

// A form with a border is a dialog; a borderless one is a line.
std::unique_ptr<forms::FormPeer> Win32Backend::CreatePeer(forms::Form& form) {
  if (form.design().border == forms::BorderStyle::kFixedToolWindow) {
    return std::make_unique<DialogWindow>(*this, form);
  }
  return std::make_unique<LineWindow>(*this, form);
}

int Win32Backend::RunMessageLoop() {
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) break;
    if (got == -1) {
      Fail(SystemMessage(GetLastError()));
      break;
    }
    // Keys only: the dialog manager (Tab moves between a dialog's controls,
    // the line windows get Tab as a key) and translation into characters act
    // on nothing else, so a tick costs neither call.
    if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
      if (FormWindow::PreTranslate(message, windowClass_)) continue;
      TranslateMessage(&message);
    }
    DispatchMessageW(&message);
  }
  return failed_ ? kFailureExitCode : static_cast<int>(message.wParam);
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

bool Win32Backend::IsOurWindow(HWND window) const {
  return window != nullptr && IsWindow(window) &&
         GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId() &&
         static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM)) == windowClass_;
}

void Win32Backend::HandKeyboardBack(HWND preferred, HWND closing) {
  if (app_ == nullptr || app_->ended() || failed_) return;
  for (HWND candidate : {preferred, StartupWindow()}) {
    if (candidate != closing && IsOurWindow(candidate) && IsWindowVisible(candidate) &&
        IsWindowEnabled(candidate)) {
      BringToForeground(candidate);
      return;
    }
  }
}

// A modal box owned by the active form (the start-up form otherwise); while
// it is open the timer keeps ticking, and afterwards the keyboard goes back.
void Win32Backend::ShowMessageBox(const std::string& text, std::int32_t style,
                                  const std::string& title) {
  HWND active = GetActiveWindow();
  HWND owner = IsOurWindow(active) ? active : StartupWindow();
  int result = 0;
  {
    const OtherWindowsDisabled modal(owner, windowClass_);
    result = MessageBoxW(owner, WideText(text).c_str(), WideText(title).c_str(),
                         static_cast<UINT>(style) | MB_SETFOREGROUND);
  }
  // NOTE: ending the program while the box is open destroys its owner and
  // with it the box, which then reports failure; that is no error.
  if (result == 0 && !app_->ended()) throw SystemError("MessageBoxW");
  // NOTE: Wine does not always give the keyboard back to the owner.
  HandKeyboardBack(owner);
}

std::string Win32Backend::AppPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) throw SystemError("GetModuleFileNameW");
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    // NOTE: a path that does not fit is cut off to fill the buffer exactly
    // (with or without ERROR_INSUFFICIENT_BUFFER, depending on the version).
    if (path.size() > kLongestPath) throw SystemError("GetModuleFileNameW");
    path.resize(path.size() * 2);
  }
  return NarrowText(FolderOfModule(path));
}

float TwipsPerPixelAt(UINT dpi) { return kTwipsPerInch / static_cast<float>(dpi); }

UINT WindowDpi(HWND window, UINT fallback) {
  const UINT dpi = GetDpiForWindow(window);
  return dpi != 0 ? dpi : fallback;
}

void Win32Backend::NoteDisplayChange() {
  std::vector<MonitorState> monitors = CurrentMonitors();
  ReadScreen(monitors);  // first: the program's display change reads the new metrics
  if (monitors == monitors_) return;
  monitors_ = std::move(monitors);  // first: the program's moves may report the same change
  if (app_ != nullptr) app_->RaiseDisplayChange();
}

// The primary monitor in pixels and its DPI (from `monitors`), with 1440
// twips to the inch, and the desktop spanning every monitor.
void Win32Backend::ReadScreen(const std::vector<MonitorState>& monitors) {
  const auto primary = std::ranges::find_if(monitors, &MonitorState::primary);
  screenDpi_ = primary != monitors.end() && primary->dpi != 0 ? primary->dpi : kDefaultDpi;
  const float twipsPerPixel = TwipsPerPixelAt(screenDpi_);
  screen_ = forms::ScreenMetrics{
      GetSystemMetrics(SM_CXSCREEN),
      GetSystemMetrics(SM_CYSCREEN),
      twipsPerPixel,
      twipsPerPixel,
      {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
       GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)}};
}

bool Win32Backend::GetCursorPos(std::int32_t& x, std::int32_t& y) {
  POINT point{};
  if (!::GetCursorPos(&point)) return false;
  x = point.x;
  y = point.y;
  return true;
}

bool Win32Backend::SetWindowPos(std::int32_t hWnd, std::int32_t insertAfter, std::int32_t x,
                                std::int32_t y, std::int32_t cx, std::int32_t cy,
                                std::int32_t flags) {
  return ::SetWindowPos(ToHwnd(hWnd), ToHwnd(insertAfter), x, y, cx, cy,
                        static_cast<UINT>(flags)) != FALSE;
}

}  // namespace plumbmark::win32
