// The Win32 backend: real windows, the message loop and the system calls.
// The forms layer keeps the state; this backend mirrors it onto windows and
// feeds window messages back in as the forms layer's events. Each job has a
// part of its own; this class only wires them to the Backend interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "backend.h"
#include "forms.h"
#include "instance_lock.h"
#include "screen_cache.h"
#include "shortcut_keys.h"
#include "window_class.h"
#include "windows_api.h"

namespace plumbmark::win32 {

class Win32Backend final : public forms::Backend {
 public:
  explicit Win32Backend(HINSTANCE instance);
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  void Attach(forms::Application& app) { app_ = &app; }
  forms::Application& app() const { return *app_; }
  HINSTANCE instance() const { return instance_; }
  const WindowClass& windowClass() const { return windowClass_; }

  // Runs the message loop until the program ends; returns the exit code.
  int RunMessageLoop();
  // Ends the program after a failure that nothing else handled: tells the
  // user once and leaves the message loop with a non-zero exit code.
  void Fail(std::string_view what) noexcept;
  bool failed() const { return failed_; }

  // The DPI of the primary monitor, the one the screen metrics describe.
  UINT ScreenDpi() const { return screen_.primaryDpi(); }
  // Reads the monitors again, then raises the display change when they
  // differ from what the program last heard: once per change, however many
  // of our windows are told of it.
  void NoteDisplayChange();
  // Gives the keyboard to `preferred` when it is still one of our usable
  // windows, otherwise to the start-up form's window; never to `closing`.
  void HandKeyboardBack(HWND preferred, HWND closing = nullptr);
  // The start-up form's window, which has the taskbar button; null before
  // it exists and after it closed.
  HWND StartupWindow() const;

  // forms::Backend
  std::unique_ptr<forms::FormPeer> CreatePeer(forms::Form& form) override;
  void ShowMessageBox(const std::string& text, std::int32_t style,
                      const std::string& title) override;
  bool PrevInstance() override { return instanceLock_.AnotherCopyRuns(); }
  std::string AppPath() override;
  char PathSeparator() const override { return '\\'; }
  forms::ScreenMetrics Screen() override { return screen_.metrics(); }
  bool GetCursorPos(std::int32_t& x, std::int32_t& y) override;
  bool GetCursorInfo(std::int32_t& x, std::int32_t& y, std::int32_t& flags,
                     std::int32_t& cursor) override;
  bool SetWindowPos(std::int32_t hWnd, std::int32_t insertAfter, std::int32_t x, std::int32_t y,
                    std::int32_t cx, std::int32_t cy, std::int32_t flags) override;
  std::int32_t ReadProfileInt(const std::string& section, const std::string& key,
                              std::int32_t fallback, const std::string& file) override;
  bool WriteProfileValue(const std::string& section, const std::string& key,
                         const std::string& value, const std::string& file) override;
  std::string ReadProfileText(const std::string& section, const std::string& key,
                              const std::string& fallback, const std::string& file) override;
  bool RegisterHotKey(std::int32_t hWnd, std::int32_t modifiers, std::int32_t key) override;
  forms::CaptureExclusion ExcludeFromCapture(std::int32_t hWnd) override;
  void GuardShortcutKeys(bool guarded) override { shortcutKeys_.Guard(guarded); }
  void Quit() override;

 private:
  // True for a dialog and the start-up form; a line window else takes no keys.
  bool TakesKeys(HWND window) const;

  HINSTANCE instance_;
  forms::Application* app_ = nullptr;
  ScreenCache screen_;
  WindowClass windowClass_;
  InstanceLock instanceLock_;
  ShortcutKeys shortcutKeys_;  // given back when the backend goes, however the program ends
  bool failed_ = false;
};

// The window handle behind a forms-layer handle value, and back. Window
// handles are 32-bit values on 64-bit Windows too (sign-extended).
inline HWND ToHwnd(std::int32_t handle) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(handle));
}
inline std::int32_t FromHwnd(HWND window) {
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window));
}

}  // namespace plumbmark::win32
