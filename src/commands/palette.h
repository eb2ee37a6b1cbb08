// The eight line colours and the colour cycle that steps through them.
#pragma once

#include <array>
#include <cstdint>

namespace plumbmark {
class FrmTate;
}

namespace plumbmark::FunctionModule {

struct PaletteEntry {
  std::int32_t color;  // 0x00BBGGRR
  const char* name;    // as the colour dialog lists it
};

// In cycle order; the position is also the colour dialog's list index.
inline constexpr std::array<PaletteEntry, 8> LinePalette{{
    {65535, "黄色"},      // yellow
    {16711680, "青"},     // blue
    {65280, "緑"},        // green
    {255, "赤"},          // red
    {33023, "オレンジ"},  // orange
    {16776960, "水色"},   // light blue
    {16711935, "紫"},     // purple
    {13421772, "灰色"},   // grey
}};

// Steps both lines to the palette colour after frmTate's; a colour outside
// the palette is left as it is.
void NextLineColor(FrmTate& frmTate);

}  // namespace plumbmark::FunctionModule
