// A system-wide key combination as a user writes it in the settings file,
// "Ctrl+Shift+F11": any of the modifiers Ctrl, Alt, Shift and Win, then one
// key, joined by "+", in any case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plumbmark::settings {

struct HotKey {
  std::int32_t modifiers = 0;  // RegisterHotKey's MOD_* bits
  std::int32_t key = 0;        // the virtual-key code
  std::string problem;         // why the text names no usable combination; empty when it does
  bool operator==(const HotKey&) const = default;
};

// The combination a text names. The key is a letter, a digit, F1 to F24 or
// one of the named keys (Space, Enter, Tab, Backspace, Insert, Delete, Home,
// End, PageUp, PageDown, Left, Up, Right, Down, Pause, ScrollLock). F12 is
// refused: Windows keeps it for the debugger. A letter, digit or named key
// needs Ctrl, Alt or Win, or every program would lose that key.
HotKey ReadHotKey(std::string_view text);

}  // namespace plumbmark::settings
