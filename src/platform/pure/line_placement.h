// Where the real window of a line (a borderless form) goes, given the pixel
// rectangle the form's properties ask for. Pure, so it is tested directly.
#pragma once

#include "backend.h"

namespace plumbmark::win32 {

struct LinePlacement {
  forms::PixelRect window;    // the real window rectangle
  bool showsNothing = false;  // clip the window to an empty region
  bool operator==(const LinePlacement&) const = default;
};

// A line of zero thickness keeps a real window one pixel thick, because a
// window with an empty rectangle cannot hold the keyboard focus under Wine.
// A line entirely off the desktop (the pointer on the last column or row)
// keeps one pixel on the desktop, because Wine unmaps a window that is all
// off-screen and the keys pressed meanwhile are lost, and a window manager
// may pull such a window back over the pointer. Both show nothing: the
// window is clipped to an empty region.
LinePlacement PlaceLine(const forms::PixelRect& wanted, const forms::PixelRect& desktop);

}  // namespace plumbmark::win32
