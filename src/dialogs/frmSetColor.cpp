#include "frmSetColor.h"

#include "dialog_design.h"
#include "frmTate.h"
#include "palette.h"

namespace plumbmark {

using FunctionModule::LinePalette;

FrmSetColor::FrmSetColor(FrmTate& frmTate)
    : Form(frmTate.app(), "frmSetColor", DialogDesign("色変更", 2175, 990)),
      selColor(*this, "selColor", {120, 120, 1935, 300, 0}, "Combo1"),
      cmdSetColor(*this, "cmdSetColor", {120, 480, 1935, 375, 1}, "色変更"),
      frmTate_(frmTate) {
  cmdSetColor.Click = [this] { cmdSetColor_Click(); };
}

void FrmSetColor::Form_Load() {
  selColor.Clear();
  for (const auto& entry : LinePalette) selColor.AddItem(entry.name);
  for (const auto& entry : LinePalette) {
    if (frmTate_.BackColor() == entry.color) {
      selColor.SetText(entry.name);
      return;
    }
  }
}

void FrmSetColor::cmdSetColor_Click() {
  for (std::size_t position = 0; position < LinePalette.size(); ++position) {
    if (selColor.ListIndex() == static_cast<std::int16_t>(position)) {
      frmTate_.SetLineColor(LinePalette[position].color);
      break;
    }
  }
  Unload();
}

}  // namespace plumbmark
