// The tracking-interval dialog: lists ten intervals from 50 to 500 ms,
// preselects the current one and applies the chosen one to the timer.
#pragma once

#include "forms.h"

namespace plumbmark {

class FrmTate;

class FrmSetRelode : public forms::Form {
 public:
  explicit FrmSetRelode(FrmTate& frmTate);

  forms::ComboBox cmbTime;
  forms::Label Label1;
  forms::CommandButton cmbSet;

 protected:
  void Form_Load() override;

 private:
  void cmbSet_Click();

  FrmTate& frmTate_;
};

}  // namespace plumbmark
