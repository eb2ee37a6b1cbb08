#include "dialog_controls.h"

#include <algorithm>
#include <utility>

#include "desktop.h"
#include "dpi.h"
#include "system_error.h"
#include "wide_text.h"

namespace plumbmark::win32 {
namespace {

// Child ids start above IDOK and IDCANCEL, which the dialog manager sends
// for Enter and Esc: neither button is the default or the cancel button.
constexpr int kFirstControlId = 100;
constexpr int kComboListRows = 10;

// The native side of one kind of control.
struct NativeKind {
  const wchar_t* className = WC_STATICW;
  DWORD style = 0;
  std::wstring text;
  int listRows = 0;  // a drop-down list's rows, each as high as the design's height
};

NativeKind NativeKindOf(const forms::Control& control) {
  switch (control.kind()) {
    case forms::ControlKind::kComboBox:
      // The height of a drop-down combo includes its open list; the edit
      // field itself takes the height of the font.
      return {.className = WC_COMBOBOXW,
              .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
              .text = {},
              .listRows = kComboListRows};
    case forms::ControlKind::kCommandButton:
      return {.className = WC_BUTTONW,
              .style = WS_TABSTOP | BS_PUSHBUTTON,
              .text = WideText(static_cast<const forms::CommandButton&>(control).caption())};
    default:
      return {.className = WC_STATICW,
              .style = SS_LEFT,
              .text = WideText(static_cast<const forms::Label&>(control).caption())};
  }
}

// The system's message font at `dpi`: what dialogs are written in.
UniqueFont CreateMessageFont(UINT dpi) {
  LOGFONTW message{};
  if (!MessageFontForDpi(message, dpi)) throw SystemError("SystemParametersInfoW");
  UniqueFont font(CreateFontIndirectW(&message));
  if (!font) throw SystemError("CreateFontIndirectW");
  return font;
}

// Where a control sits at `dpi`: its design's twips in pixels; a drop-down's
// height also holds its open list, `listRows` rows as high as the field.
forms::PixelRect ChildRect(const forms::ControlLayout& layout, int listRows, UINT dpi) {
  const float twipsPerPixel = TwipsPerPixelAt(dpi);
  return {forms::TwipsToPixels(layout.left, twipsPerPixel),
          forms::TwipsToPixels(layout.top, twipsPerPixel),
          forms::TwipsToPixels(layout.width, twipsPerPixel),
          forms::TwipsToPixels(layout.height, twipsPerPixel) * (1 + listRows)};
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

// Creates the child controls in tab order, which is also their z-order.
void DialogControls::Create(HWND dialog, UINT dpi) {
  font_ = CreateMessageFont(dpi);
  std::vector<forms::Control*> ordered;
  for (forms::Control* control : form_.controls()) {
    if (control->kind() != forms::ControlKind::kTimer) ordered.push_back(control);
  }
  std::stable_sort(ordered.begin(), ordered.end(), [](const auto* a, const auto* b) {
    return a->layout().tabIndex < b->layout().tabIndex;
  });
  int id = kFirstControlId;
  for (forms::Control* control : ordered) {
    const int listRows = NativeKindOf(*control).listRows;
    children_.push_back(Child{control, CreateChild(dialog, *control, id, dpi), id, listRows, {}});
    ++id;
  }
  for (Child& child : children_) Mirror(*child.control);
}

// One native control at its design position for `dpi`, in the message font.
HWND DialogControls::CreateChild(HWND dialog, const forms::Control& control, int id, UINT dpi) {
  const NativeKind kind = NativeKindOf(control);
  const forms::PixelRect at = ChildRect(control.layout(), kind.listRows, dpi);
  HWND child = CreateWindowExW(0, kind.className, kind.text.c_str(),
                               WS_CHILD | WS_VISIBLE | kind.style, at.x, at.y, at.width, at.height,
                               dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               backend_.instance(), nullptr);
  if (child == nullptr) throw SystemError("CreateWindowExW");
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return child;
}

// The controls take their new place and font first; the old font goes last.
void DialogControls::Relayout(UINT dpi) {
  UniqueFont font = CreateMessageFont(dpi);
  for (const Child& child : children_) {
    const forms::PixelRect at = ChildRect(child.control->layout(), child.listRows, dpi);
    if (!SetWindowPos(child.window, nullptr, at.x, at.y, at.width, at.height,
                      SWP_NOZORDER | SWP_NOACTIVATE)) {
      throw SystemError("SetWindowPos");
    }
    SendMessageW(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  }
  font_ = std::move(font);
}

void DialogControls::Mirror(const forms::Control& control) {
  if (control.kind() != forms::ControlKind::kComboBox) return;
  for (Child& child : children_) {
    if (child.control == &control) MirrorCombo(child);
  }
}

// Mirrors a combo box's list, text and selection into the native control;
// an appended item is only appended, so filling the list stays linear.
void DialogControls::MirrorCombo(Child& child) {
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

DialogControls::Child* DialogControls::Find(int id) {
  for (Child& child : children_) {
    if (child.id == id) return &child;
  }
  return nullptr;
}

// The user's own changes: a pick from the list, typing, a button press.
void DialogControls::OnCommand(WPARAM wParam) {
  Child* child = Find(LOWORD(wParam));
  if (child == nullptr || mirroring_ || !form_.loaded()) return;
  const WORD code = HIWORD(wParam);
  if (child->control->kind() == forms::ControlKind::kComboBox) {
    OnComboChange(*child, code);
  } else if (child->control->kind() == forms::ControlKind::kCommandButton && code == BN_CLICKED) {
    forms::Application& app = backend_.app();
    app.RaiseClick(static_cast<forms::CommandButton&>(*child->control));  // may unload us
  }
}

// A pick from a combo box's list, or typing in its edit field.
void DialogControls::OnComboChange(Child& child, WORD code) {
  auto& combo = static_cast<forms::ComboBox&>(*child.control);
  if (code == CBN_SELCHANGE) {
    const LRESULT index = SendMessageW(child.window, CB_GETCURSEL, 0, 0);
    combo.UserPick(static_cast<std::int16_t>(index));
  } else if (code == CBN_EDITCHANGE) {
    combo.UserType(NarrowText(WindowTextOf(child.window)));
  }
}

}  // namespace plumbmark::win32
