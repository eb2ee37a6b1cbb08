// The eight line colours in cycle order, with the names the colour dialog
// lists them by: the tests' own statement of what the user must see.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace plumbmark::e2e {

struct ExpectedColor {
  std::int32_t value;  // 0x00BBGGRR, as the settings file stores it
  const char* name;
};

inline constexpr std::array<ExpectedColor, 8> kExpectedPalette{{
    {65535, "黄色"},
    {16711680, "青"},
    {65280, "緑"},
    {255, "赤"},
    {33023, "オレンジ"},
    {16776960, "水色"},
    {16711935, "紫"},
    {13421772, "灰色"},
}};

inline constexpr std::size_t kBlueIndex = 1;

}  // namespace plumbmark::e2e
