#include "frmTate.h"

#include "FunctionModule.h"
#include "hot_key.h"
#include "numeric.h"
#include "system_calls.h"

namespace plumbmark {
namespace {

constexpr std::int32_t kTrackingInterval = 100;  // ms, when the window is created
constexpr std::int32_t kKeepOnTopFlags =
    API_SetWindowPos::SWP_NOSIZE | API_SetWindowPos::SWP_NOMOVE | API_SetWindowPos::SWP_SHOWWINDOW;
const char* const kSecondInstanceText =
    "既に同じ処理が実行されています。二重起動は禁止されています。";
const char* const kCaptureRefusedText =
    "線を画面キャプチャから除外できませんでした (HideFromCapture=1)。"
    "線はキャプチャや画面共有にも写ります。";

forms::FormDesign TateDesign() {
  return forms::FormDesign{.caption = "Plumbmark",
                           .border = forms::BorderStyle::kNone,
                           .showInTaskbar = true,
                           .hasIcon = true,
                           .maxButton = false,
                           .minButton = false,
                           .startUpPosition = forms::StartUpPosition::kCenterScreen,
                           .width = 2790,
                           .height = 3195,
                           .backColor = 0x00FF0000,
                           // Closing the start-up window ends the program, unsaved.
                           .closeAction = forms::CloseAction::kEndProgram};
}

void KeepOnTop(forms::Application& app, std::int32_t hWnd) {
  API_SetWindowPos::SetWindowPos(app, hWnd, API_SetWindowPos::HWND_TOPMOST, 0, 0, 0, 0,
                                 kKeepOnTopFlags);
}

}  // namespace

FrmTate::FrmTate(forms::Application& app, FrmYoko& frmYoko, forms::Form& frmSetColor,
                 forms::Form& frmSetRelode)
    : Form(app, "frmTate", TateDesign()),
      getMousePos(*this, "getMousePos", kTrackingInterval),
      frmYoko_(frmYoko),
      frmSetColor_(frmSetColor),
      frmSetRelode_(frmSetRelode) {
  getMousePos.Tick = [this] { getMousePos_Timer(); };
}

std::int32_t FrmTate::ReadSetting(const char* key, std::int32_t fallback) {
  return Call_API_ini::GetPrivateProfileInt(app(), settings::kSection, key, fallback, IniPath);
}

void FrmTate::Form_Load() {
  forms::Application& app = this->app();
  FrmYoko& frmYoko = frmYoko_;
  if (app.App.PrevInstance()) {
    app.MsgBox(kSecondInstanceText, forms::kMsgBoxCritical, "エラー");
    app.End();
  }
  IniPath = settings::SettingsPath(app.App.Path(), app.App.PathSeparator());
  LineSize = num::ToInt16(ReadSetting(settings::kSize, settings::kDefaultSize));
  getMousePos.SetInterval(ReadSetting(settings::kInterval, settings::kDefaultInterval));
  SetWidth(FunctionModule::PixelsToTwips(app, LineSize));
  SpanVerticalLine();
  SetBackColor(ReadSetting(settings::kColor, settings::kDefaultColor));
  frmYoko.SetVisible(true);
  SpanHorizontalLine();
  frmYoko.SetHeight(FunctionModule::PixelsToTwips(app, LineSize));
  frmYoko.SetBackColor(ReadSetting(settings::kColor, settings::kDefaultColor));
  KeepOnTop(app, hWnd());
  KeepOnTop(app, frmYoko.hWnd());
  if (ReadSetting(settings::kVertical, settings::kDefaultVertical) == 1) {
    HideVerticalLine();
    VerticalHidden = num::kTrue;
  }
  if (ReadSetting(settings::kHorizon, settings::kDefaultHorizon) == 1) {
    HideHorizontalLine();
    HorizontalHidden = num::kTrue;
  }
  SizeChanged = num::kFalse;
  ApplyOptions();
}

// Each option is off unless its key holds exactly 1 or names a combination;
// one that cannot be had is told once, and the program runs without it.
void FrmTate::ApplyOptions() {
  hideWithPointer_ = ReadSetting(settings::kHideWithPointer, 0) == 1;
  if (ReadSetting(settings::kHideFromCapture, 0) == 1) ExcludeFromCapture();
  const std::string hotKey = Call_API_ini::GetPrivateProfileString(app(), settings::kSection,
                                                                   settings::kHotKey, "", IniPath);
  if (!hotKey.empty()) RegisterHotKey(hotKey);
}

// Both lines out of screen captures and recordings; nothing happens where
// the system cannot do that without blacking them out.
void FrmTate::ExcludeFromCapture() {
  for (forms::Form* line :
       {static_cast<forms::Form*>(this), static_cast<forms::Form*>(&frmYoko_)}) {
    const auto done = API_SetWindowDisplayAffinity::ExcludeFromCapture(app(), line->hWnd());
    if (done == forms::CaptureExclusion::kRefused) {
      app().MsgBox(kCaptureRefusedText, forms::kMsgBoxExclamation, "エラー");
      return;
    }
  }
}

void FrmTate::RegisterHotKey(const std::string& text) {
  const settings::HotKey hotKey = settings::ReadHotKey(text);
  std::string why = hotKey.problem;
  if (why.empty() &&
      API_RegisterHotKey::RegisterHotKey(app(), hWnd(), hotKey.modifiers, hotKey.key) == 0) {
    why = "ほかのプログラムか Windows がすでに使っています。";
  }
  if (why.empty()) return;
  app().MsgBox("設定ファイルのホットキー「" + text + "」は使えません。" + why +
                   "\n\nホットキーなしで動作します。",
               forms::kMsgBoxExclamation, "エラー");
}

// Pressed in any program: both lines hide or show as with F1, and the
// keyboard stays where it is.
void FrmTate::Form_HotKey() { ToggleBothLines(); }

void FrmTate::SpanVerticalLine() {
  const forms::FormGeometry desktop = app().Screen.Desktop();
  SetHeight(desktop.height);
  SetTop(desktop.top);
}

void FrmTate::SpanHorizontalLine() {
  const forms::FormGeometry desktop = app().Screen.Desktop();
  frmYoko_.SetWidth(desktop.width);
  frmYoko_.SetLeft(desktop.left);
}

// Both lines span the new desktop at once and keep their thickness in pixels
// when the scaling changed; then they are put on the pointer again.
void FrmTate::Form_DisplayChange(float previousTwipsPerPixel) {
  forms::Application& app = this->app();
  if (app.Screen.TwipsPerPixelX() != previousTwipsPerPixel) {
    const std::int16_t vertical = FunctionModule::TwipsToLineSize(Width(), previousTwipsPerPixel);
    const std::int16_t horizontal =
        FunctionModule::TwipsToLineSize(frmYoko_.Height(), previousTwipsPerPixel);
    SetWidth(FunctionModule::PixelsToTwips(app, vertical));
    frmYoko_.SetHeight(FunctionModule::PixelsToTwips(app, horizontal));
  }
  SpanVerticalLine();
  SpanHorizontalLine();
  getMousePos_Timer();
}

// One pointer reading places both lines, so they always cross at one point.
// When the pointer cannot be read (the lock screen or a UAC prompt has the
// input desktop) the lines stay where they are instead of jumping to (0, 0).
// With HideWithPointer, the one reading also tells whether the pointer is
// drawn: while a program hides it (as many do while one types) both lines
// show nothing, with their thickness, flags and LineSize untouched.
void FrmTate::getMousePos_Timer() {
  API_GetCursorInfo::CURSORINFO pointer;
  if (!ReadPointer(pointer)) return;
  SetLeft(num::ToSingle(FunctionModule::CursorLineLeft(app(), pointer.ptScreenPos)));
  frmYoko_.SetTop(num::ToSingle(FunctionModule::CursorLineTop(app(), pointer.ptScreenPos)));
  // Hidden by ShowCursor, or shown without a shape (SetCursor(NULL)).
  const bool hidden =
      (pointer.flags & API_GetCursorInfo::CURSOR_SHOWING) == 0 || pointer.hCursor == 0;
  SetBlank(hidden);
  frmYoko_.SetBlank(hidden);
}

// The pointer's position, and with HideWithPointer whether it is shown.
bool FrmTate::ReadPointer(API_GetCursorInfo::CURSORINFO& pointer) {
  if (hideWithPointer_) return API_GetCursorInfo::GetCursorInfo(app(), pointer) != 0;
  pointer.flags = API_GetCursorInfo::CURSOR_SHOWING;
  pointer.hCursor = -1;  // any shape: the lines show
  return API_GetCursorPos::GetCursorPos(app(), pointer.ptScreenPos) != 0;
}

void FrmTate::HideVerticalLine() {
  LineSize = FunctionModule::TwipsToLineSize(app(), Width());
  SetWidth(0);
}

void FrmTate::HideHorizontalLine() {
  LineSize = FunctionModule::TwipsToLineSize(app(), frmYoko_.Height());
  frmYoko_.SetHeight(0);
}

void FrmTate::ShowVerticalLine() { SetWidth(FunctionModule::PixelsToTwips(app(), LineSize)); }

void FrmTate::ShowHorizontalLine() {
  frmYoko_.SetHeight(FunctionModule::PixelsToTwips(app(), LineSize));
}

void FrmTate::SetLineColor(std::int32_t color) {
  SetBackColor(color);
  frmYoko_.SetBackColor(color);
}

settings::Style FrmTate::SavedStyle() {
  return {LineSize, BackColor(), VerticalHidden, getMousePos.Interval(), HorizontalHidden};
}

}  // namespace plumbmark
