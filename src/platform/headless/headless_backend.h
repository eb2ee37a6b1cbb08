// The in-memory backend: a virtual clock, a scripted pointer, injected keys,
// recorded message boxes and dialog controls operated as a user would. It is
// deterministic: nothing happens until the test advances time or acts.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "backend.h"
#include "forms.h"

namespace plumbmark::forms::headless {

struct MessageBoxRecord {
  std::string text;
  std::int32_t style = 0;
  std::string title;
  bool operator==(const MessageBoxRecord&) const = default;
};

// One key of a settings file, in the order it was first written.
struct ProfileEntry {
  std::string section, key, value;
  bool operator==(const ProfileEntry&) const = default;
};
using ProfileFile = std::vector<ProfileEntry>;

// How a write to one key goes wrong: refused (reported as failed), or lost
// (reported as done, yet the file keeps what it had).
enum class WriteFault { kRefused, kLost };

struct SetWindowPosCall {
  std::int32_t hWnd, insertAfter, x, y, cx, cy, flags;
};

// What the window system shows of one loaded form.
struct WindowState {
  std::int32_t handle = 0;
  bool shown = false;
  bool topmost = false;
  int blankChanges = 0;  // how often the peer was told to blank or unblank it
  bool excludedFromCapture = false;
};

struct HotKeyRegistration {
  std::int32_t hWnd, modifiers, key;
  bool operator==(const HotKeyRegistration&) const = default;
};

class HeadlessBackend : public Backend {
 public:
  HeadlessBackend();
  ~HeadlessBackend() override;

  // Set up before the program starts (and changeable at any time).
  ScreenMetrics screen{1920, 1080, 15.0f, 15.0f, {0, 0, 1920, 1080}};
  std::string appPath;
  char separator = '/';
  bool prevInstance = false;
  // Settings files by path. Reading matches section and key in any case and
  // takes a leading decimal integer (no digits read as 0), as Windows does.
  std::map<std::string, ProfileFile> profiles;
  std::map<std::string, WriteFault> writeFaults;  // by key
  bool hotKeysTaken = false;                      // every combination is another program's
  bool captureExclusion = true;                   // the system can keep windows out of captures
  bool captureRefused = false;                    // ... but refuses to for these
  // Runs while a message box is open (the box is modal: keys are not
  // delivered meanwhile); returning closes the box with OK.
  std::function<void(const MessageBoxRecord&)> onMessageBox;

  void Attach(Application& app) { app_ = &app; }
  void SetPointer(std::int32_t x, std::int32_t y);
  void SetPointerReadable(bool readable) { pointerReadable_ = readable; }
  void SetPointerShown(bool shown) { pointerShown_ = shown; }

  // Driving the program as the window system and the user would.
  void AdvanceTime(std::int64_t milliseconds);
  // A key held down on the active window for `repeats` key-downs: the first,
  // then its auto-repeats.
  void PressKey(std::int16_t keyCode, std::int16_t shift = 0, int repeats = 1);
  // One of our windows gets the keyboard, from another program if it had it.
  void Activate(Form& form);
  // Another program takes the keyboard.
  void SwitchToOtherProgram();
  void PickEntry(ComboBox& combo, std::int16_t index);
  void TypeText(ComboBox& combo, const std::string& text);
  void PressButton(CommandButton& button);
  void ClickCloseBox(Form& form);
  // The registered combination is pressed, in whatever program.
  void PressHotKey();
  // The system reports new screen metrics (resolution, monitors, scaling).
  void ChangeDisplay(const ScreenMetrics& metrics);

  // What happened.
  std::vector<MessageBoxRecord> messageBoxes;
  std::vector<SetWindowPosCall> setWindowPosCalls;
  std::vector<HotKeyRegistration> hotKeys;
  int captureRequests = 0;
  std::int64_t now() const { return now_; }
  bool quit() const { return quit_; }
  Form* activeForm() const { return active_; }
  bool shortcutKeysGuarded() const { return shortcutKeysGuarded_; }
  const WindowState* window(const Form& form) const;
  std::int64_t ticks() const { return ticks_; }
  std::int64_t pointerReads() const { return pointerReads_; }

  // Backend.
  std::unique_ptr<FormPeer> CreatePeer(Form& form) override;
  void ShowMessageBox(const std::string& text, std::int32_t style,
                      const std::string& title) override;
  bool PrevInstance() override { return prevInstance; }
  std::string AppPath() override { return appPath; }
  char PathSeparator() const override { return separator; }
  ScreenMetrics Screen() override { return screen; }
  bool GetCursorPos(std::int32_t& x, std::int32_t& y) override;
  bool GetCursorInfo(std::int32_t& x, std::int32_t& y, std::int32_t& flags,
                     std::int32_t& cursor) override;
  bool SetWindowPos(std::int32_t hWnd, std::int32_t insertAfter, std::int32_t x, std::int32_t y,
                    std::int32_t cx, std::int32_t cy, std::int32_t flags) override;
  std::int32_t ReadProfileInt(const std::string& section, const std::string& key,
                              std::int32_t fallback, const std::string& file) override;
  bool WriteProfileValue(const std::string& section, const std::string& key,
                         const std::string& value, const std::string& file) override;
  std::string ReadProfileText(const std::string& section, const std::string& key,
                              const std::string& fallback, const std::string& file) override;
  bool RegisterHotKey(std::int32_t hWnd, std::int32_t modifiers, std::int32_t key) override;
  CaptureExclusion ExcludeFromCapture(std::int32_t hWnd) override;
  void GuardShortcutKeys(bool guarded) override { shortcutKeysGuarded_ = guarded; }
  void Quit() override { quit_ = true; }

 private:
  friend class HeadlessPeer;
  struct TimerSchedule {
    Timer* timer;
    const Form* form;  // kept apart: a form being destroyed has lost its timers
    std::int64_t due;
  };

  Application& app() const;
  void Schedule(Timer& timer);
  void Unschedule(const Form& form);
  void PeerDestroyed(Form& form);
  TimerSchedule* NextDue(std::int64_t until);

  Application* app_ = nullptr;
  std::map<const Form*, WindowState> windows_;
  std::vector<TimerSchedule> timers_;
  std::int32_t pointerX_ = 0;
  std::int32_t pointerY_ = 0;
  bool pointerReadable_ = true;
  bool pointerShown_ = true;
  std::int64_t now_ = 0;
  std::int64_t ticks_ = 0;
  std::int64_t pointerReads_ = 0;
  std::int32_t nextHandle_ = 0x10010;
  Form* active_ = nullptr;
  bool shortcutKeysGuarded_ = false;
  int modalDepth_ = 0;
  bool quit_ = false;
};

}  // namespace plumbmark::forms::headless
