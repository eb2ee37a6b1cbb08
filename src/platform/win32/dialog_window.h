// The real window of a dialog: a fixed tool window with child controls, laid
// out from the twips of its design, whose Tab moves between the controls.
#pragma once

#include "platform/win32/dialog_controls.h"
#include "platform/win32/window.h"

namespace plumbmark::win32 {

class DialogWindow final : public FormWindow {
 public:
  DialogWindow(Win32Backend& backend, forms::Form& form);
  ~DialogWindow() override;

  // forms::FormPeer
  void GeometryChanged() override;
  void ControlChanged(forms::Control& control) override;

 private:
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnQueuedMessage(MSG& message) override;
  RECT OuterRect(DWORD style, DWORD exStyle) const;
  RECT OuterRect(HWND window) const;
  void OnGetMinMaxInfo(HWND window, MINMAXINFO& limits) const;
  void OnActivate(HWND window, WPARAM wParam);
  void FocusLastControl();
  LRESULT OnControlColor(HDC dc) const;

  forms::PixelRect placed_;  // the client rectangle last mirrored
  DialogControls controls_;
  HWND lastFocus_ = nullptr;
};

}  // namespace plumbmark::win32
