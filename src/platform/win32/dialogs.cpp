// The dialogs: fixed tool windows with a combo box, a button and a label,
// laid out from the twips of their design.
#include <algorithm>
#include <utility>

#include "platform/win32/system_error.h"
#include "platform/win32/text.h"
#include "platform/win32/window.h"

namespace plumbmark::win32 {
namespace {

// Child ids start above IDOK and IDCANCEL, which the dialog manager sends
// for Enter and Esc: neither button is the default or the cancel button.
constexpr int kFirstControlId = 100;
constexpr int kComboListRows = 10;

// The system's message font at `dpi`: what dialogs are written in.
UniqueFont CreateMessageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
    throw SystemError("SystemParametersInfoForDpi");
  }
  UniqueFont font(CreateFontIndirectW(&metrics.lfMessageFont));
  if (!font) throw SystemError("CreateFontIndirectW");
  return font;
}

std::wstring WindowTextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Sets the flag for the lifetime of the scope, then restores it.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), saved_(std::exchange(flag, true)) {}
  ~FlagScope() { flag_ = saved_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

}  // namespace

// The outer rectangle of a dialog whose client area has the design's size.
RECT WindowPeer::DialogWindowRect(DWORD style, DWORD exStyle) const {
  RECT rect{0, 0, dialogRect_.width, dialogRect_.height};
  if (!AdjustWindowRectExForDpi(&rect, style, FALSE, exStyle, backend_.ScreenDpi())) {
    throw SystemError("AdjustWindowRectExForDpi");
  }
  return rect;
}

// A dialog is exactly as large as its design: never widened to the system's
// minimum tracking size for captioned windows.
void WindowPeer::OnGetMinMaxInfo(HWND window, MINMAXINFO& limits) const {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  const RECT outer = DialogWindowRect(style, exStyle);
  limits.ptMinTrackSize = {outer.right - outer.left, outer.bottom - outer.top};
}

// Mirrors a change of the form's geometry: a new position moves the window,
// a new client size resizes it; the default position stays until then.
void WindowPeer::PlaceDialog() {
  HWND window = window_.get();
  const forms::PixelRect wanted = forms::DisplayRect(form_, backend_.Screen());
  const bool move = wanted.x != dialogRect_.x || wanted.y != dialogRect_.y;
  const bool size = wanted.width != dialogRect_.width || wanted.height != dialogRect_.height;
  if (!move && !size) return;
  dialogRect_ = wanted;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  const RECT outer = DialogWindowRect(style, exStyle);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (!move) flags |= SWP_NOMOVE;
  if (!size) flags |= SWP_NOSIZE;
  if (!::SetWindowPos(window, nullptr, wanted.x + outer.left, wanted.y + outer.top,
                      outer.right - outer.left, outer.bottom - outer.top, flags)) {
    throw SystemError("SetWindowPos");
  }
}

// Creates the child controls in tab order, which is also their z-order.
void WindowPeer::CreateControls() {
  font_ = CreateMessageFont(backend_.ScreenDpi());
  std::vector<forms::Control*> ordered;
  for (forms::Control* control : form_.controls()) {
    if (control->kind() != forms::ControlKind::kTimer) ordered.push_back(control);
  }
  std::stable_sort(ordered.begin(), ordered.end(), [](const auto* a, const auto* b) {
    return a->layout().tabIndex < b->layout().tabIndex;
  });
  int id = kFirstControlId;
  for (forms::Control* control : ordered) {
    children_.push_back(ChildControl{control, CreateChild(*control, id), id, {}});
    ++id;
  }
  for (ChildControl& child : children_) {
    if (child.control->kind() == forms::ControlKind::kComboBox) MirrorCombo(child);
  }
}

// One native control at its design position, in the message font.
HWND WindowPeer::CreateChild(const forms::Control& control, int id) {
  const forms::ScreenMetrics screen = backend_.Screen();
  const forms::ControlLayout& layout = control.layout();
  const int x = forms::TwipsToPixels(layout.left, screen.twipsPerPixelX);
  const int y = forms::TwipsToPixels(layout.top, screen.twipsPerPixelY);
  const int width = forms::TwipsToPixels(layout.width, screen.twipsPerPixelX);
  int height = forms::TwipsToPixels(layout.height, screen.twipsPerPixelY);
  const wchar_t* className = WC_STATICW;
  DWORD style = WS_CHILD | WS_VISIBLE;
  std::wstring text;
  switch (control.kind()) {
    case forms::ControlKind::kComboBox:
      className = WC_COMBOBOXW;
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
      // The height of a drop-down combo includes its open list; the edit
      // field itself takes the height of the font.
      height *= 1 + kComboListRows;
      break;
    case forms::ControlKind::kCommandButton:
      className = WC_BUTTONW;
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      text = WideText(static_cast<const forms::CommandButton&>(control).caption());
      break;
    default:
      style |= SS_LEFT;
      text = WideText(static_cast<const forms::Label&>(control).caption());
      break;
  }
  HWND child = CreateWindowExW(0, className, text.c_str(), style, x, y, width, height,
                               window_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               backend_.instance(), nullptr);
  if (child == nullptr) throw SystemError("CreateWindowExW");
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return child;
}

// Mirrors a combo box's list, text and selection into the native control;
// an appended item is only appended, so filling the list stays linear.
void WindowPeer::MirrorCombo(ChildControl& child) {
  const FlagScope mirroring(mirroring_);
  const auto& combo = static_cast<const forms::ComboBox&>(*child.control);
  const std::vector<std::string>& items = combo.items();
  std::vector<std::string>& shown = child.shownItems;
  if (shown.size() > items.size() || !std::equal(shown.begin(), shown.end(), items.begin())) {
    SendMessageW(child.window, CB_RESETCONTENT, 0, 0);
    shown.clear();
  }
  for (std::size_t i = shown.size(); i < items.size(); ++i) {
    const std::wstring item = WideText(items[i]);
    const LRESULT at =
        SendMessageW(child.window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (at == CB_ERR || at == CB_ERRSPACE)
      throw forms::RuntimeError::PlatformFailure("CB_ADDSTRING");
    shown.push_back(items[i]);
  }
  const std::int16_t index = combo.listIndex();
  SendMessageW(child.window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  const std::wstring text = WideText(combo.text());
  if (index < 0 && WindowTextOf(child.window) != text) SetWindowTextW(child.window, text.c_str());
}

WindowPeer::ChildControl* WindowPeer::FindChild(int id) {
  for (ChildControl& child : children_) {
    if (child.id == id) return &child;
  }
  return nullptr;
}

WindowPeer::ChildControl* WindowPeer::FindChild(const forms::Control& control) {
  for (ChildControl& child : children_) {
    if (child.control == &control) return &child;
  }
  return nullptr;
}

// The user's own changes: a pick from the list, typing, a button press.
void WindowPeer::OnCommand(WPARAM wParam, LPARAM /*lParam*/) {
  ChildControl* child = FindChild(LOWORD(wParam));
  if (child == nullptr || mirroring_ || !form_.loaded()) return;
  const WORD code = HIWORD(wParam);
  if (child->control->kind() == forms::ControlKind::kCommandButton) {
    if (code != BN_CLICKED) return;
    forms::Application& app = backend_.app();
    app.RaiseClick(static_cast<forms::CommandButton&>(*child->control));  // may unload us
    return;
  }
  if (child->control->kind() != forms::ControlKind::kComboBox) return;
  auto& combo = static_cast<forms::ComboBox&>(*child->control);
  if (code == CBN_SELCHANGE) {
    const LRESULT index = SendMessageW(child->window, CB_GETCURSEL, 0, 0);
    combo.UserPick(static_cast<std::int16_t>(index));
  } else if (code == CBN_EDITCHANGE) {
    combo.UserType(NarrowText(WindowTextOf(child->window)));
  }
}

// Remembers which control had the keyboard when the dialog is left.
void WindowPeer::OnActivate(HWND window, WPARAM wParam) {
  if (!IsDialog() || LOWORD(wParam) != WA_INACTIVE) return;
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window, focus)) lastFocus_ = focus;
}

// Gives the keyboard to the control that last had it, or the first in tab order.
void WindowPeer::FocusFirstControl() {
  HWND window = window_.get();
  HWND target = lastFocus_ != nullptr && IsChild(window, lastFocus_)
                    ? lastFocus_
                    : GetNextDlgTabItem(window, nullptr, FALSE);
  if (target != nullptr) SetFocus(target);
}

// Labels and buttons are drawn on the dialog's own background.
LRESULT WindowPeer::OnControlColor(HDC dc) const {
  SetBkColor(dc, BackgroundColor());
  return reinterpret_cast<LRESULT>(BackgroundBrush());
}

}  // namespace plumbmark::win32
