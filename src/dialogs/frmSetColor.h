// The colour dialog: lists the palette by name, preselects the current line
// colour and applies the chosen one to both lines.
#pragma once

#include "forms.h"

namespace plumbmark {

class FrmTate;

class FrmSetColor : public forms::Form {
 public:
  explicit FrmSetColor(FrmTate& frmTate);

  forms::ComboBox selColor;
  forms::CommandButton cmdSetColor;

 protected:
  void Form_Load() override;

 private:
  void cmdSetColor_Click();

  FrmTate& frmTate_;
};

}  // namespace plumbmark
