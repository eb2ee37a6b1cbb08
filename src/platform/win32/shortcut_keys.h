// The keyboard shortcuts of the accessibility features: five Shifts turn on
// Sticky Keys, a right Shift held for eight seconds Filter Keys, Num Lock
// held for five seconds Toggle Keys. The line commands are single presses of
// Shift and Ctrl, so while the program has the keyboard the shortcuts are
// held off, as Microsoft's "Disabling Shortcut Keys in Games" describes.
#pragma once

#include "windows_api.h"

namespace plumbmark::win32 {

class ShortcutKeys {
 public:
  ShortcutKeys() = default;
  ~ShortcutKeys() { Guard(false); }
  ShortcutKeys(const ShortcutKeys&) = delete;
  ShortcutKeys& operator=(const ShortcutKeys&) = delete;

  // Guarded: each feature that is off gets its shortcut flags cleared, for
  // this session only (nothing is written to the user's profile); a feature
  // the user has switched on is left alone. Unguarded: each feature changed
  // gets back exactly the state it was read with.
  void Guard(bool guarded);

 private:
  // One feature: its SPI_GET/SPI_SET pair, its "on" flag, and its state as
  // read before the change, while it is changed.
  template <typename Info>
  struct Feature {
    UINT get, set;
    DWORD on;
    Info saved{};
    bool changed = false;
    void HoldOff();
    void Restore();
  };

  Feature<STICKYKEYS> sticky_{SPI_GETSTICKYKEYS, SPI_SETSTICKYKEYS, SKF_STICKYKEYSON};
  Feature<FILTERKEYS> filter_{SPI_GETFILTERKEYS, SPI_SETFILTERKEYS, FKF_FILTERKEYSON};
  Feature<TOGGLEKEYS> toggle_{SPI_GETTOGGLEKEYS, SPI_SETTOGGLEKEYS, TKF_TOGGLEKEYSON};
};

}  // namespace plumbmark::win32
