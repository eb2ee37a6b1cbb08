// The key commands of frmTate: one command per key-down, chosen by the
// virtual-key code alone (modifiers are never read).
#include "FunctionModule.h"
#include "frmTate.h"
#include "numeric.h"
#include "palette.h"
#include "settings_file.h"

namespace plumbmark {
namespace {

enum KeyCode : std::int16_t {
  kTab = 9,
  kShift = 16,
  kControl = 17,
  kEscape = 27,
  kUp = 38,
  kDown = 40,
  kC = 67,
  kI = 73,
  kS = 83,
  kF1 = 112,
};

constexpr std::int16_t kOnePixel = 1;
constexpr std::int16_t kThickestLine = 20;

// The keys whose command goes on while the key is held: thicker, thinner and
// the next colour. Any other held key acts once, at its first key-down: a
// held toggle would blink, a held C or I would type into the open dialog.
bool ActsWhileHeld(std::int16_t keyCode) {
  return keyCode == kUp || keyCode == kDown || keyCode == kTab;
}

}  // namespace

void FrmTate::Form_KeyDown(std::int16_t& KeyCode, std::int16_t /*Shift*/, bool AutoRepeat) {
  if (AutoRepeat && !ActsWhileHeld(KeyCode)) return;
  switch (KeyCode) {
    case kTab:
      FunctionModule::NextLineColor(*this);
      break;
    case kShift:
      ToggleHorizontalLine();
      break;
    case kControl:
      ToggleVerticalLine();
      break;
    case kEscape:
      SaveAndQuit();
      break;
    case kUp:
      ThickerLines();
      break;
    case kDown:
      ThinnerLines();
      break;
    case kC:
      frmSetColor_.SetVisible(true);
      break;
    case kI:
      frmSetRelode_.Show();
      break;
    case kS:
      SaveAndConfirm();
      break;
    case kF1:
      ToggleBothLines();
      break;
    default:
      break;
  }
}

// The window's own thickness decides, not the flag.
void FrmTate::ToggleHorizontalLine() {
  if (frmYoko_.Height() > 0) {
    HideHorizontalLine();
    HorizontalHidden = num::kTrue;
  } else {
    ShowHorizontalLine();
    HorizontalHidden = num::kFalse;
  }
}

void FrmTate::ToggleVerticalLine() {
  if (Width() > 0) {
    HideVerticalLine();
    VerticalHidden = num::kTrue;
  } else {
    ShowVerticalLine();
    VerticalHidden = num::kFalse;
  }
}

// Only the vertical line's width decides. Hiding keeps the hidden flags, so
// that the next start shows the lines as last saved; showing clears them, so
// that a save writes the style the user sees.
void FrmTate::ToggleBothLines() {
  if (Width() != 0) {
    HideVerticalLine();
    frmYoko_.SetHeight(0);
  } else {
    ShowVerticalLine();
    ShowHorizontalLine();
    VerticalHidden = num::kFalse;
    HorizontalHidden = num::kFalse;
  }
}

void FrmTate::ThickerLines() {
  forms::Application& app = this->app();
  FrmYoko& frmYoko = frmYoko_;
  if (Width() < FunctionModule::PixelsToTwips(app, kThickestLine)) {
    SetWidth(StepThickness(Width(), kOnePixel));
    SizeChanged = num::kTrue;
  }
  if (frmYoko.Height() < FunctionModule::PixelsToTwips(app, kThickestLine)) {
    frmYoko.SetHeight(StepThickness(frmYoko.Height(), kOnePixel));
    SizeChanged = num::kTrue;
  }
  // LineSize stays within 1 to 20: a line hidden at another thickness must
  // not let it drift past 20, or below 1 in ThinnerLines, where a line
  // shown again would be too thick or not show at all.
  if (SizeChanged == num::kTrue) {
    SizeChanged = num::kFalse;
    if (LineSize < kThickestLine) LineSize = num::Increment(LineSize);
  }
}

void FrmTate::ThinnerLines() {
  forms::Application& app = this->app();
  FrmYoko& frmYoko = frmYoko_;
  if (Width() > FunctionModule::PixelsToTwips(app, kOnePixel)) {
    SetWidth(StepThickness(Width(), -kOnePixel));
    SizeChanged = num::kTrue;
  }
  if (frmYoko.Height() > FunctionModule::PixelsToTwips(app, kOnePixel)) {
    frmYoko.SetHeight(StepThickness(frmYoko.Height(), -kOnePixel));
    SizeChanged = num::kTrue;
  }
  if (SizeChanged == num::kTrue) {
    SizeChanged = num::kFalse;
    if (LineSize > kOnePixel) LineSize = num::Decrement(LineSize);
  }
}

// One pixel thicker or thinner, landing on the whole-pixel value. Adding one
// pixel's twips to the thickness instead would drift at factors that are no
// whole number (1440/168 at 175 %): 19 single-precision steps from 1 pixel
// stay just below 20 pixels, and the line grew to 21.
float FrmTate::StepThickness(float twips, std::int16_t pixels) {
  const std::int16_t current = FunctionModule::TwipsToLineSize(app(), twips);
  return FunctionModule::PixelsToTwips(app(), num::ToInt16(std::int32_t{current} + pixels));
}

void FrmTate::SaveAndConfirm() {
  if (SaveSettings(app(), IniPath, SavedStyle())) {
    app().MsgBox("線のスタイルを保存しました。", forms::kMsgBoxOkOnly, "保存完了");
  }
}

void FrmTate::SaveAndQuit() {
  SaveSettings(app(), IniPath, SavedStyle());
  app().End();
}

}  // namespace plumbmark
