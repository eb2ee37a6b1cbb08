// The program's free functions: unit conversions and pointer positions here,
// the colour palette and cycle in commands/palette.h.
#pragma once

#include <cstdint>

#include "forms.h"
#include "system_calls.h"

namespace plumbmark::FunctionModule {

// A pixel count in twips: the count times the screen's TwipsPerPixelX,
// rounded to single precision.
float PixelsToTwips(forms::Application& app, const std::int16_t& pixels);

// The left edge for the vertical line: one pixel right of the pointer, in
// twips, (x + 1) * TwipsPerPixelX.
double CursorLineLeft(forms::Application& app, const API_GetCursorPos::POINTAPI& pointer);

// The top edge for the horizontal line: one pixel below the pointer, in
// twips, (y + 1) * TwipsPerPixelX (the horizontal factor for both axes).
double CursorLineTop(forms::Application& app, const API_GetCursorPos::POINTAPI& pointer);

// A thickness in twips back to whole pixels: divided by TwipsPerPixelX
// without rounding to single first, then rounded to 16 bits, halves to even.
std::int16_t TwipsToLineSize(forms::Application& app, float twips);
// The same at a given factor.
std::int16_t TwipsToLineSize(float twips, double twipsPerPixel);

}  // namespace plumbmark::FunctionModule
