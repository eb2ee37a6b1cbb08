#include "harness/x_client.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace plumbmark::e2e {
namespace {

// Windows come and go under the harness (a dialog closes while its title is
// read); such an error is no failure, the read just comes back empty.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

KeySym Unshifted(KeySym key) {
  if (key >= XK_A && key <= XK_Z) return key - XK_A + XK_a;
  return key;
}

}  // namespace

XClient::XClient(const std::string& display) {
  display_ = XOpenDisplay(display.c_str());
  if (display_ == nullptr) throw std::runtime_error("cannot open display " + display);
  XSetErrorHandler(&IgnoreError);
  root_ = DefaultRootWindow(display_);
  int event = 0, error = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
    throw std::runtime_error("the X server has no XTest extension");
  }
}

XClient::~XClient() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

Atom XClient::AtomOf(const char* name) { return XInternAtom(display_, name, False); }

void XClient::MovePointer(int x, int y) {
  XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
  XSync(display_, False);
}

void XClient::PressKey(KeySym key) {
  const KeyCode code = XKeysymToKeycode(display_, Unshifted(key));
  if (code == 0) throw std::runtime_error("no key for keysym " + std::to_string(key));
  // The release is always sent: a key left down would repeat into the next step.
  XTestFakeKeyEvent(display_, code, True, CurrentTime);
  XTestFakeKeyEvent(display_, code, False, CurrentTime);
  XSync(display_, False);
}

void XClient::PressChord(KeySym modifier, KeySym key) {
  const KeyCode held = XKeysymToKeycode(display_, modifier);
  const KeyCode code = XKeysymToKeycode(display_, Unshifted(key));
  if (held == 0 || code == 0) throw std::runtime_error("no key for chord");
  XTestFakeKeyEvent(display_, held, True, CurrentTime);
  XTestFakeKeyEvent(display_, code, True, CurrentTime);
  XTestFakeKeyEvent(display_, code, False, CurrentTime);
  XTestFakeKeyEvent(display_, held, False, CurrentTime);
  XSync(display_, False);
}

void XClient::Click(int x, int y) {
  MovePointer(x, y);
  XTestFakeButtonEvent(display_, 1, True, CurrentTime);
  XTestFakeButtonEvent(display_, 1, False, CurrentTime);
  XSync(display_, False);
}

Image XClient::Capture(const Rect& area) {
  XImage* picture = XGetImage(display_, root_, area.x, area.y, static_cast<unsigned>(area.width),
                              static_cast<unsigned>(area.height), AllPlanes, ZPixmap);
  if (picture == nullptr) throw std::runtime_error("XGetImage failed");
  std::vector<Rgb> pixels(static_cast<std::size_t>(area.width) *
                          static_cast<std::size_t>(area.height));
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      pixels[static_cast<std::size_t>(y * area.width + x)] =
          static_cast<Rgb>(XGetPixel(picture, x, y)) & 0xFFFFFFu;
    }
  }
  XDestroyImage(picture);
  return Image(area, std::move(pixels));
}

Image XClient::CaptureScreen() {
  return Capture(Rect{0, 0, DisplayWidth(display_, DefaultScreen(display_)),
                      DisplayHeight(display_, DefaultScreen(display_))});
}

std::vector<unsigned long> XClient::CardinalList(Window window, const char* property, Atom type) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> values;
  if (XGetWindowProperty(display_, window, AtomOf(property), 0, 4096, False, type, &actualType,
                         &format, &count, &remaining, &data) == Success &&
      data != nullptr && format == 32) {
    const auto* items = reinterpret_cast<const unsigned long*>(data);
    values.assign(items, items + count);
  }
  if (data != nullptr) XFree(data);
  return values;
}

std::vector<Window> XClient::ClientWindows() {
  if (WindowManagerRunning()) {
    const auto ids = CardinalList(root_, "_NET_CLIENT_LIST", XA_WINDOW);
    return {ids.begin(), ids.end()};
  }
  // Without a window manager: the mapped top-level windows that name their process.
  Window rootReturn = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> windows;
  if (XQueryTree(display_, root_, &rootReturn, &parent, &children, &count) != 0) {
    for (unsigned int i = 0; i < count; ++i) {
      XWindowAttributes attributes{};
      if (XGetWindowAttributes(display_, children[i], &attributes) &&
          attributes.map_state == IsViewable && Pid(children[i])) {
        windows.push_back(children[i]);
      }
    }
  }
  if (children != nullptr) XFree(children);
  return windows;
}

std::vector<Window> XClient::StackingOrder() {
  const auto ids = CardinalList(root_, "_NET_CLIENT_LIST_STACKING", XA_WINDOW);
  return {ids.begin(), ids.end()};
}

std::string XClient::Title(Window window) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display_, window, AtomOf("_NET_WM_NAME"), 0, 4096, False,
                         AtomOf("UTF8_STRING"), &actualType, &format, &count, &remaining,
                         &data) == Success &&
      data != nullptr && format == 8) {
    title.assign(reinterpret_cast<const char*>(data), count);
  }
  if (data != nullptr) XFree(data);
  return title;
}

std::optional<long> XClient::Pid(Window window) {
  const auto values = CardinalList(window, "_NET_WM_PID", XA_CARDINAL);
  if (values.empty()) return std::nullopt;
  return static_cast<long>(values.front());
}

std::vector<std::string> XClient::States(Window window) {
  std::vector<std::string> names;
  for (unsigned long atom : CardinalList(window, "_NET_WM_STATE", XA_ATOM)) {
    if (char* name = XGetAtomName(display_, atom)) {
      names.emplace_back(name);
      XFree(name);
    }
  }
  return names;
}

bool XClient::HasState(Window window, const std::string& state) {
  const auto names = States(window);
  return std::find(names.begin(), names.end(), state) != names.end();
}

bool XClient::HasProperty(Window window, const char* name) {
  int count = 0;
  Atom* atoms = XListProperties(display_, window, &count);
  const Atom wanted = AtomOf(name);
  const bool found = atoms != nullptr && std::find(atoms, atoms + count, wanted) != atoms + count;
  if (atoms != nullptr) XFree(atoms);
  return found;
}

std::optional<Window> XClient::TransientFor(Window window) {
  Window owner = 0;
  if (XGetTransientForHint(display_, window, &owner) && owner != 0) return owner;
  return std::nullopt;
}

std::optional<Rect> XClient::Geometry(Window window) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display_, window, &attributes)) return std::nullopt;
  int x = 0, y = 0;
  Window child = 0;
  if (!XTranslateCoordinates(display_, window, root_, 0, 0, &x, &y, &child)) return std::nullopt;
  return Rect{x, y, attributes.width, attributes.height};
}

std::optional<Window> XClient::ActiveWindow() {
  const auto ids = CardinalList(root_, "_NET_ACTIVE_WINDOW", XA_WINDOW);
  if (ids.empty() || ids.front() == 0) return std::nullopt;
  return static_cast<Window>(ids.front());
}

Window XClient::KeyboardFocus() {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  return focus;
}

bool XClient::WindowManagerRunning() {
  const auto ids = CardinalList(root_, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
  return !ids.empty() && ids.front() != 0;
}

void XClient::Activate(Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = AtomOf("_NET_ACTIVE_WINDOW");
  event.xclient.format = 32;
  event.xclient.data.l[0] = 2;  // the request comes from a pager or taskbar
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XSync(display_, False);
}

Window XClient::CreateBackdrop(const Rect& area, Rgb color) {
  Window window =
      XCreateSimpleWindow(display_, root_, area.x, area.y, static_cast<unsigned>(area.width),
                          static_cast<unsigned>(area.height), 0, 0, color);
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = area.x;
  hints.y = area.y;
  hints.width = area.width;
  hints.height = area.height;
  XSetWMNormalHints(display_, window, &hints);
  // _MOTIF_WM_HINTS: flags = decorations, decorations = none.
  const long motif[5] = {2, 0, 0, 0, 0};
  const Atom motifAtom = AtomOf("_MOTIF_WM_HINTS");
  XChangeProperty(display_, window, motifAtom, motifAtom, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(motif), 5);
  const std::string title = "Backdrop";
  XChangeProperty(display_, window, AtomOf("_NET_WM_NAME"), AtomOf("UTF8_STRING"), 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()),
                  static_cast<int>(title.size()));
  XMapWindow(display_, window);
  XSync(display_, False);
  return window;
}

void XClient::DestroyWindow(Window window) {
  XDestroyWindow(display_, window);
  XSync(display_, False);
}

}  // namespace plumbmark::e2e
