#include "palette.h"

#include "frmTate.h"

namespace plumbmark::FunctionModule {

void NextLineColor(FrmTate& frmTate) {
  const std::int32_t current = frmTate.BackColor();
  for (std::size_t position = 0; position < LinePalette.size(); ++position) {
    if (LinePalette[position].color == current) {
      frmTate.SetLineColor(LinePalette[(position + 1) % LinePalette.size()].color);
      return;
    }
  }
}

}  // namespace plumbmark::FunctionModule
