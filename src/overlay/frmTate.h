// The vertical line window: the start-up window, owner of the tracking timer,
// receiver of the key commands and keeper of the program's form-level state.
#pragma once

#include <cstdint>
#include <string>

#include "platform/forms.h"

namespace plumbmark {

class Plumbmark;

class FrmTate : public forms::Form {
 public:
  explicit FrmTate(Plumbmark& program);

  forms::Timer getMousePos;

  // Form-level variables: 0 and empty until Form_Load sets them.
  std::int16_t LineSize = 0;  // thickness in pixels; what a hidden line gets back
  std::string IniPath;        // full path of the settings file
  std::int16_t SizeChanged = 0;
  std::int16_t VerticalHidden = 0;
  std::int16_t HorizontalHidden = 0;

 protected:
  void Form_Load() override;
  void Form_KeyDown(std::int16_t& KeyCode, std::int16_t Shift) override;

 private:
  void getMousePos_Timer();
  std::int32_t ReadSetting(const char* key, std::int32_t fallback);

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

  Plumbmark& program_;
};

}  // namespace plumbmark
