// The real window of a dialog: a fixed tool window with child controls, laid
// out from the twips of its design at the scaling of the monitor it is on,
// whose Tab moves between the controls.
#pragma once

#include "dialog_controls.h"
#include "form_window.h"

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
  // The outer rectangle around the design's client size at `dpi`.
  RECT OuterRect(DWORD style, DWORD exStyle, UINT dpi) const;
  RECT OuterRect(HWND window, UINT dpi) const;
  void SizeToDesign();
  void OnDpiChanged(HWND window, UINT dpi, const RECT& suggested);
  void OnGetDpiScaledSize(HWND window, UINT dpi, SIZE& size) const;
  void OnGetMinMaxInfo(HWND window, MINMAXINFO& limits) const;
  void OnActivate(HWND window, WPARAM wParam);
  void FocusLastControl();
  LRESULT OnControlColor(HDC dc) const;

  forms::FormGeometry placed_;  // the form's geometry last mirrored, in twips
  UINT dpi_;                    // the DPI the dialog is laid out for
  DialogControls controls_;
  HWND lastFocus_ = nullptr;
};

}  // namespace plumbmark::win32
