// The real window of a line: a borderless form whose geometry follows the
// pointer and which takes the key commands.
#pragma once

#include "form_window.h"
#include "handles.h"
#include "line_placement.h"

namespace plumbmark::win32 {

class LineWindow final : public FormWindow {
 public:
  LineWindow(Win32Backend& backend, forms::Form& form);
  ~LineWindow() override;

  // forms::FormPeer
  void GeometryChanged() override { MirrorGeometry(); }
  void BlankChanged() override { MirrorGeometry(); }

 private:
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  // Where the form's rectangle puts the window on the current desktop.
  LinePlacement Placement() const;
  void MirrorGeometry();
  void MoveTo(const forms::PixelRect& want);
  void OnWindowPosChanged(const WINDOWPOS& pos);
  void SetShowsNothing(bool showsNothing);
  void SetUpInputAndIcon();

  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  forms::PixelRect rect_;  // the window's rectangle as the system last reported it
  bool showsNothing_ = false;
};

}  // namespace plumbmark::win32
