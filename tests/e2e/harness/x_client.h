// The harness's own connection to the X server: it moves the pointer and
// presses keys as a user would (XTest), reads the screen back, and reads the
// window manager's view of the windows (EWMH properties).
#pragma once

#include <gtest/gtest.h>
// NOTE: after GoogleTest, whose headers Xlib's None and Bool macros break.
#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

#include "harness/image.h"

namespace plumbmark::e2e {

class XClient {
 public:
  explicit XClient(const std::string& display);
  ~XClient();
  XClient(const XClient&) = delete;
  XClient& operator=(const XClient&) = delete;

  // Input, delivered to whichever window has the focus, as from a keyboard.
  void MovePointer(int x, int y);
  // Press and release; a letter is sent as its lower-case key, without Shift.
  void PressKey(KeySym key);
  // Holds `modifier` down while pressing `key`.
  void PressChord(KeySym modifier, KeySym key);
  void Click(int x, int y);

  Image Capture(const Rect& area);
  Image CaptureScreen();

  // Top-level client windows the window manager manages (without one: the
  // mapped top-level windows of any process), and their order from bottom
  // to top.
  std::vector<Window> ClientWindows();
  std::vector<Window> StackingOrder();
  std::string Title(Window window);
  std::optional<long> Pid(Window window);
  std::vector<std::string> States(Window window);
  bool HasState(Window window, const std::string& state);
  bool HasProperty(Window window, const char* name);
  std::optional<Window> TransientFor(Window window);
  // The window's rectangle on the screen; nothing once the window is gone.
  std::optional<Rect> Geometry(Window window);
  std::optional<Window> ActiveWindow();
  // The window (or its top-level frame ancestor) that has the keyboard.
  Window KeyboardFocus();
  bool WindowManagerRunning();
  // Asks the window manager to activate the window, as a taskbar does.
  void Activate(Window window);

  // An ordinary undecorated window of one colour.
  Window CreateBackdrop(const Rect& area, Rgb color);
  void DestroyWindow(Window window);

 private:
  Atom AtomOf(const char* name);
  std::vector<unsigned long> CardinalList(Window window, const char* property, Atom type);

  Display* display_ = nullptr;
  Window root_ = 0;
};

}  // namespace plumbmark::e2e
