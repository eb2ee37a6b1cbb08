// What a backend (win32, headless, ...) provides to the forms layer. Only the
// forms layer and the backends include this; the program never does. Handles
// cross this interface as plain integers, so no platform header leaks in.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace plumbmark::forms {

class Control;
class Form;

// A rectangle in screen pixels.
struct PixelRect {
  std::int32_t x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

// The pixel geometry of the primary screen, its twips-per-pixel factors and
// the desktop: every monitor together, counted from the primary's top-left
// corner (negative where a monitor lies left of or above it).
struct ScreenMetrics {
  std::int32_t widthPixels = 0;
  std::int32_t heightPixels = 0;
  float twipsPerPixelX = 15;
  float twipsPerPixelY = 15;
  PixelRect desktop;
  bool operator==(const ScreenMetrics&) const = default;
};

// The real window behind one loaded form. The form holds the state; the peer
// reads it back from the form whenever it is told that something changed.
class FormPeer {
 public:
  virtual ~FormPeer() = default;
  virtual std::int32_t Handle() const = 0;
  virtual void GeometryChanged() = 0;
  virtual void ColorChanged() = 0;
  virtual void VisibleChanged() = 0;
  // The form was blanked or unblanked: a blank window shows nothing, where
  // it is, and keeps the keyboard and its taskbar button.
  virtual void BlankChanged() = 0;
  // Brings the window forward and gives it the keyboard.
  virtual void Activate() = 0;
  // A control's state (combo items, text or selection, timer interval) changed.
  virtual void ControlChanged(Control& control) = 0;
};

// The SetWindowPos values the program passes and a backend reads: the
// topmost band and the flags, numbered as the system numbers them.
inline constexpr std::int32_t kHwndTopmost = -1;
inline constexpr std::int32_t kSwpNoSize = 0x0001;
inline constexpr std::int32_t kSwpNoMove = 0x0002;
inline constexpr std::int32_t kSwpNoActivate = 0x0010;
inline constexpr std::int32_t kSwpShowWindow = 0x0040;

// RegisterHotKey's modifiers and GetCursorInfo's "shown" flag, as the system
// numbers them.
inline constexpr std::int32_t kModAlt = 0x0001;
inline constexpr std::int32_t kModControl = 0x0002;
inline constexpr std::int32_t kModShift = 0x0004;
inline constexpr std::int32_t kModWin = 0x0008;
inline constexpr std::int32_t kCursorShowing = 0x0001;

// What became of a request to keep a window out of screen captures.
enum class CaptureExclusion { kExcluded, kUnavailable, kRefused };

class Backend {
 public:
  virtual ~Backend() = default;

  // Creates the window (and its controls) for a form being loaded. The form
  // already holds its design-time state.
  virtual std::unique_ptr<FormPeer> CreatePeer(Form& form) = 0;

  virtual void ShowMessageBox(const std::string& text, std::int32_t style,
                              const std::string& title) = 0;
  virtual bool PrevInstance() = 0;
  virtual std::string AppPath() = 0;
  virtual char PathSeparator() const = 0;
  virtual ScreenMetrics Screen() = 0;

  // The system calls the program makes. GetCursorPos leaves the point alone
  // and returns false when the pointer cannot be read.
  virtual bool GetCursorPos(std::int32_t& x, std::int32_t& y) = 0;
  // The pointer's position, flags (kCursorShowing unless hidden) and shape
  // (0 for none); false, leaving them alone, when it cannot be read.
  virtual bool GetCursorInfo(std::int32_t& x, std::int32_t& y, std::int32_t& flags,
                             std::int32_t& cursor) = 0;
  virtual bool SetWindowPos(std::int32_t hWnd, std::int32_t insertAfter, std::int32_t x,
                            std::int32_t y, std::int32_t cx, std::int32_t cy,
                            std::int32_t flags) = 0;
  virtual std::int32_t ReadProfileInt(const std::string& section, const std::string& key,
                                      std::int32_t fallback, const std::string& file) = 0;
  virtual bool WriteProfileValue(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& file) = 0;
  // The text of a key, or `fallback` when the file, section or key is missing.
  virtual std::string ReadProfileText(const std::string& section, const std::string& key,
                                      const std::string& fallback, const std::string& file) = 0;
  // A system-wide key combination for the window, without auto-repeat; its
  // presses arrive as the form's HotKey event. False when it is taken.
  virtual bool RegisterHotKey(std::int32_t hWnd, std::int32_t modifiers, std::int32_t key) = 0;
  // Keeps the window out of screen captures and recordings where the system
  // can, without blacking it out where it cannot.
  virtual CaptureExclusion ExcludeFromCapture(std::int32_t hWnd) = 0;

  // While guarded, the system's accessibility shortcuts (five Shifts for
  // Sticky Keys and the like) do not fire; unguarded, they are exactly as
  // the user had them. Never persisted.
  virtual void GuardShortcutKeys(bool guarded) = 0;

  // Leaves the message loop: called once when the program ends.
  virtual void Quit() = 0;
};

// How a form's twips geometry and colour are shown in pixels; the same rule
// for every backend so that the model and the real windows cannot drift.
// Twips are divided by the axis' factor and rounded (halves to even); a
// negative thickness shows as zero thickness.
PixelRect DisplayRect(const Form& form, const ScreenMetrics& screen);
// Pixels along one axis for a twips value (rounded, clamped to +-2^30).
std::int32_t TwipsToPixels(double twips, float twipsPerPixel);

// How a colour value shows. 0x800000NN names system colour NN (the forms
// layer's system colours, e.g. 0x8000000F the button face, for NN below
// kSystemColorCount): a backend shows the system's colour for it. Any other
// value outside 0..0xFFFFFF shows its low 24 bits (its RGB part).
struct ShownColor {
  bool system = false;
  std::uint32_t value = 0;  // the system colour's index, or 0x00BBGGRR
  bool operator==(const ShownColor&) const = default;
};
inline constexpr std::uint32_t kSystemColorCount = 31;
ShownColor DisplayColor(std::int32_t color);

}  // namespace plumbmark::forms
