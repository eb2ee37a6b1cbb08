// What every real window behind a loaded form shares, line or dialog: the
// window handle, the background colour, the timers, keys and closing, and
// the window procedure that hands each message to the form's peer.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "forms.h"
#include "handles.h"
#include "win32_backend.h"
#include "window_class.h"
#include "windows_api.h"

namespace plumbmark::win32 {

// True for a window made never to take the keyboard (WS_EX_NOACTIVATE):
// shown, moved and raised, never activated.
bool NeverActivated(HWND window);

class FormWindow : public forms::FormPeer {
 public:
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // forms::FormPeer
  std::int32_t Handle() const override { return FromHwnd(window_.get()); }
  void ColorChanged() override;
  void VisibleChanged() override;
  void BlankChanged() override {}
  void Activate() override;
  void ControlChanged(forms::Control& control) override;

  // The window procedure of every form window.
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Offers a queued key message to the form window it is for before it is
  // translated and dispatched; true when that window took it.
  static bool PreTranslate(MSG& message, const WindowClass& formClass);

 protected:
  FormWindow(Win32Backend& backend, forms::Form& form);

  // Creates the hidden window; its messages reach this peer from the first.
  void Create(DWORD style, DWORD exStyle, int x, int y, int width, int height);
  // Stops the timers, hands the keyboard on and destroys the window. Each
  // derived destructor calls it first: the window goes before what it uses.
  void Destroy();
  void ApplyPaint();
  // Puts a minimised or maximised window back as it was.
  void KeepRestored();
  void StartTimers();
  HBRUSH BackgroundBrush() const;
  COLORREF BackgroundColor() const;

  HWND hwnd() const { return window_.get(); }
  Win32Backend& backend() const { return backend_; }
  forms::Form& form() const { return form_; }

  // Handles one kind of window's own messages and passes the rest here,
  // which handles the shared ones and leaves others to the system.
  virtual LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Takes a queued message before it is dispatched; none by default.
  virtual bool OnQueuedMessage(MSG& /*message*/) { return false; }

 private:
  static FormWindow* PeerOf(HWND window);
  void StartTimer(std::size_t index);
  void OnTimer(WPARAM id);
  void OnClose();
  LRESULT OnKeyDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnEraseBackground(HWND window, HDC dc) const;

  Win32Backend& backend_;
  forms::Form& form_;
  UniqueBrush brush_;
  std::optional<forms::ShownColor> paint_;
  std::vector<forms::Timer*> timers_;  // timer id i + 1 is timers_[i]
  UniqueWindow window_;                // declared last: destroyed before the brush it uses
};

}  // namespace plumbmark::win32
