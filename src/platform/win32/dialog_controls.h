// The child controls of one dialog: created in tab order in the system's
// message font and laid out for the dialog's DPI, mirrored from the forms
// layer, and the user's picks, typing and clicks turned into the forms
// layer's changes and events.
#pragma once

#include <string>
#include <vector>

#include "forms.h"
#include "handles.h"
#include "win32_backend.h"
#include "windows_api.h"

namespace plumbmark::win32 {

class DialogControls {
 public:
  DialogControls(Win32Backend& backend, forms::Form& form) : backend_(backend), form_(form) {}

  // Creates the native controls inside `dialog`, laid out for `dpi`; they
  // are destroyed with it.
  void Create(HWND dialog, UINT dpi);
  // Moves, sizes and sets the font of every control for `dpi`.
  void Relayout(UINT dpi);
  // Mirrors a change of `control` when it is one of these controls.
  void Mirror(const forms::Control& control);
  // A WM_COMMAND notification from one of the controls.
  void OnCommand(WPARAM wParam);

 private:
  struct Child {
    forms::Control* control = nullptr;
    HWND window = nullptr;
    int id = 0;
    int listRows = 0;                     // combo boxes: the rows of the open list
    std::vector<std::string> shownItems;  // combo boxes: the list as last mirrored
  };

  HWND CreateChild(HWND dialog, const forms::Control& control, int id, UINT dpi);
  void MirrorCombo(Child& child);
  void OnComboChange(Child& child, WORD code);
  Child* Find(int id);

  Win32Backend& backend_;
  forms::Form& form_;
  UniqueFont font_;
  std::vector<Child> children_;
  bool mirroring_ = false;  // a change we make is not the user's
};

}  // namespace plumbmark::win32
