#include "frmSetRelode.h"

#include <string>

#include "dialog_design.h"
#include "frmTate.h"

namespace plumbmark {
namespace {

constexpr int kEntries = 10;

// The interval that list entry `n` stands for: 50 to 500 ms in steps of 50.
constexpr std::int32_t IntervalOfEntry(int n) { return 50 * (n + 1); }

}  // namespace

FrmSetRelode::FrmSetRelode(FrmTate& frmTate)
    : Form(frmTate.app(), "frmSetRelode", DialogDesign("線の更新時間変更", 1590, 975)),
      cmbTime(*this, "cmbTime", {120, 120, 975, 300, 0}, ""),
      Label1(*this, "Label1", {1080, 240, 375, 255, 1}, "/ms"),
      cmbSet(*this, "cmbSet", {120, 480, 1335, 375, 2}, "更新時間変更"),
      frmTate_(frmTate) {
  cmbSet.Click = [this] { cmbSet_Click(); };
}

void FrmSetRelode::Form_Load() {
  cmbTime.Clear();
  for (int n = 0; n < kEntries; ++n) cmbTime.AddItem(std::to_string(IntervalOfEntry(n)));
  // Compared in 32 bits: an interval beyond 16 bits from a hand-edited file
  // matches no entry and does not stop the dialog from opening.
  const std::int32_t interval = frmTate_.getMousePos.Interval();
  for (int n = 0; n < kEntries; ++n) {
    if (interval == IntervalOfEntry(n)) {
      cmbTime.SetText(std::to_string(interval));
      return;
    }
  }
}

void FrmSetRelode::cmbSet_Click() {
  const std::int16_t index = cmbTime.ListIndex();
  if (index >= 0 && index < kEntries) frmTate_.getMousePos.SetInterval(IntervalOfEntry(index));
  Unload();
}

}  // namespace plumbmark
