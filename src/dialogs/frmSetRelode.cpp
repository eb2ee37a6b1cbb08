#include "dialogs/frmSetRelode.h"

#include <limits>
#include <string>

#include "dialogs/dialog_design.h"
#include "program.h"

namespace plumbmark {
namespace {

constexpr int kEntries = 10;
constexpr std::int32_t kStep = 50;  // ms; entry N stands for 50 * (N + 1)

}  // namespace

FrmSetRelode::FrmSetRelode(Plumbmark& program)
    : Form(program.app, "frmSetRelode", DialogDesign("線の更新時間変更", 1590, 975)),
      cmbTime(*this, "cmbTime", {120, 120, 975, 300, 0}, ""),
      Label1(*this, "Label1", {1080, 240, 375, 255, 1}, "/ms"),
      cmbSet(*this, "cmbSet", {120, 480, 1335, 375, 2}, "更新時間変更"),
      program_(program) {
  cmbSet.Click = [this] { cmbSet_Click(); };
}

void FrmSetRelode::Form_Load() {
  cmbTime.Clear();
  for (int n = 0; n < kEntries; ++n) cmbTime.AddItem(std::to_string(kStep * (n + 1)));
  // An interval beyond 16 bits (only a hand-edited file gives one) matches no
  // entry; it must not stop the dialog from opening.
  const std::int32_t interval = program_.frmTate.getMousePos.Interval();
  if (interval < std::numeric_limits<std::int16_t>::min() ||
      interval > std::numeric_limits<std::int16_t>::max()) {
    return;
  }
  for (int n = 0; n < kEntries; ++n) {
    if (interval == kStep * (n + 1)) {
      cmbTime.SetText(std::to_string(interval));
      return;
    }
  }
}

void FrmSetRelode::cmbSet_Click() {
  const std::int16_t index = cmbTime.ListIndex();
  if (index >= 0 && index < kEntries) program_.frmTate.getMousePos.SetInterval(kStep * (index + 1));
  Unload();
}

}  // namespace plumbmark
