// Where the real window of a line (a borderless form) goes, given the pixel
// rectangle the form's properties ask for. Pure, so it is tested directly.
#pragma once

#include "platform/backend.h"

namespace plumbmark::win32 {

struct LinePlacement {
  forms::PixelRect window;  // the real window rectangle
  bool showsNothing = false;  // clip the window to an empty region
  bool operator==(const LinePlacement&) const = default;
};

// A line of zero thickness keeps a real window one pixel thick, because a
// window with an empty rectangle cannot hold the keyboard focus under Wine;
// an empty window region hides that pixel. A line entirely off the desktop
// (the pointer on the last column or row) is clipped the same way, so a
// window manager that pulls it back onto the screen shows nothing.
LinePlacement PlaceLine(const forms::PixelRect& wanted, const forms::PixelRect& desktop);

}  // namespace plumbmark::win32
