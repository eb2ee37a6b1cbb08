// The vertical line window: the start-up window, owner of the tracking timer,
// receiver of the key commands and keeper of the program's form-level state.
#pragma once

#include <cstdint>
#include <string>

#include "forms.h"
#include "frmYoko.h"
#include "settings_file.h"
#include "system_calls.h"

namespace plumbmark {

class FrmTate : public forms::Form {
 public:
  // The dialogs are opened by the key commands; they are not used before.
  FrmTate(forms::Application& app, FrmYoko& frmYoko, forms::Form& frmSetColor,
          forms::Form& frmSetRelode);

  forms::Timer getMousePos;

  // Sets the line colour: frmTate first, then frmYoko.
  void SetLineColor(std::int32_t color);

  // The form-level state, read-only from outside: 0 and empty until Form_Load.
  std::int16_t lineSize() const { return LineSize; }
  std::int16_t verticalHidden() const { return VerticalHidden; }
  std::int16_t horizontalHidden() const { return HorizontalHidden; }
  const std::string& iniPath() const { return IniPath; }
  // What the save commands write.
  settings::Style SavedStyle();

 protected:
  void Form_Load() override;
  void Form_KeyDown(std::int16_t& KeyCode, std::int16_t Shift, bool AutoRepeat) override;
  void Form_DisplayChange(float previousTwipsPerPixel) override;
  void Form_HotKey() override;

 private:
  void getMousePos_Timer();
  bool ReadPointer(API_GetCursorInfo::CURSORINFO& pointer);
  std::int32_t ReadSetting(const char* key, std::int32_t fallback);
  // The options a user adds by hand to the settings file.
  void ApplyOptions();
  void ExcludeFromCapture();
  void RegisterHotKey(const std::string& text);
  // Each line spans the whole desktop along its length, every monitor.
  void SpanVerticalLine();
  void SpanHorizontalLine();

  // The line steps shared by start-up and the key commands: hiding keeps the
  // thickness in LineSize, showing gives it back.
  void HideVerticalLine();
  void HideHorizontalLine();
  void ShowVerticalLine();
  void ShowHorizontalLine();

  // Key commands (commands/key_commands.cpp).
  void ToggleHorizontalLine();
  void ToggleVerticalLine();
  void ToggleBothLines();
  void ThickerLines();
  void ThinnerLines();
  float StepThickness(float twips, std::int16_t pixels);
  void SaveAndConfirm();
  void SaveAndQuit();

  std::int16_t LineSize = 0;  // thickness in pixels; what a hidden line gets back
  std::string IniPath;        // full path of the settings file
  std::int16_t SizeChanged = 0;
  std::int16_t VerticalHidden = 0;
  std::int16_t HorizontalHidden = 0;
  bool hideWithPointer_ = false;  // the lines show nothing while the pointer is hidden

  FrmYoko& frmYoko_;
  forms::Form& frmSetColor_;
  forms::Form& frmSetRelode_;
};

}  // namespace plumbmark
