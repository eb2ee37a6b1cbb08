// The real window behind one loaded form: a line window (borderless) or a
// dialog (fixed tool window with child controls). The form holds the state;
// the peer mirrors it and turns window messages into the forms layer's events.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_backend.h"
#include "platform/win32/windows_api.h"

namespace plumbmark::win32 {

class WindowPeer final : public forms::FormPeer {
 public:
  WindowPeer(Win32Backend& backend, forms::Form& form);
  ~WindowPeer() override;
  WindowPeer(const WindowPeer&) = delete;
  WindowPeer& operator=(const WindowPeer&) = delete;

  // forms::FormPeer
  std::int32_t Handle() const override { return FromHwnd(window_.get()); }
  void GeometryChanged() override;
  void ColorChanged() override;
  void VisibleChanged() override;
  void Activate() override;
  void ControlChanged(forms::Control& control) override;

  // The window procedure of every form window.
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // True for one of our dialog windows (whose Tab the dialog manager moves).
  static bool IsDialogWindow(HWND window, ATOM formClass);

 private:
  // One child window of a dialog.
  struct ChildControl {
    forms::Control* control = nullptr;
    HWND window = nullptr;
    int id = 0;
    std::vector<std::string> shownItems;  // combo boxes: the list as last mirrored
  };

  bool IsDialog() const { return form_.design().border == forms::BorderStyle::kFixedToolWindow; }
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // window.cpp: creation, colour, timers, activation.
  void CreateNativeWindow();
  void StartTimers();
  void OnTimer(WPARAM id);
  void ApplyPaint();
  HBRUSH BackgroundBrush() const;
  COLORREF BackgroundColor() const;
  LRESULT OnEraseBackground(HWND window, HDC dc) const;
  void OnClose();

  // line_window.cpp: geometry with the zero-thickness rule, keys, icon.
  void MirrorLineGeometry();
  void SetShowsNothing(bool showsNothing);
  void SetUpLineWindow();
  LRESULT OnKeyDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static bool IsKeyboardMenuCommand(WPARAM wParam, LPARAM lParam);

  // dialogs.cpp: controls, layout, combo mirror, notifications, focus.
  RECT DialogWindowRect(DWORD style, DWORD exStyle) const;
  void PlaceDialog();
  void CreateControls();
  HWND CreateChild(const forms::Control& control, int id);
  void MirrorCombo(ChildControl& child);
  ChildControl* FindChild(int id);
  ChildControl* FindChild(const forms::Control& control);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void OnActivate(HWND window, WPARAM wParam);
  void FocusFirstControl();
  LRESULT OnControlColor(HDC dc) const;
  void OnGetMinMaxInfo(HWND window, MINMAXINFO& limits) const;

  Win32Backend& backend_;
  forms::Form& form_;
  UniqueBrush brush_;
  std::optional<forms::ShownColor> paint_;
  UniqueFont font_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  std::vector<ChildControl> children_;
  std::vector<forms::Timer*> timers_;
  HWND lastFocus_ = nullptr;
  bool showsNothing_ = false;
  bool mirroring_ = false;       // a change we make is not the user's
  forms::PixelRect dialogRect_;  // dialogs: the client rectangle last mirrored
  UniqueWindow window_;          // declared last: destroyed before the brush and font it uses
};

// Makes `window` the foreground window and gives it the keyboard, even when
// the system's foreground rules would refuse it to this process.
void BringToForeground(HWND window);

}  // namespace plumbmark::win32
