#include "commands/palette.h"

#include "program.h"

namespace plumbmark::FunctionModule {

void NextLineColor(Plumbmark& program) {
  const std::int32_t current = program.frmTate.BackColor();
  for (std::size_t position = 0; position < LinePalette.size(); ++position) {
    if (LinePalette[position].color == current) {
      SetLineColor(program, LinePalette[(position + 1) % LinePalette.size()].color);
      return;
    }
  }
}

}  // namespace plumbmark::FunctionModule
