#include "headless_backend.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace plumbmark::forms::headless {

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

ProfileEntry* Find(ProfileFile& file, const std::string& section, const std::string& key) {
  const auto found = std::ranges::find_if(file, [&](const ProfileEntry& entry) {
    return SameName(entry.section, section) && SameName(entry.key, key);
  });
  return found == file.end() ? nullptr : &*found;
}

// Leading blanks, an optional sign, then decimal digits, wrapping at 32 bits.
std::int32_t LeadingInteger(const std::string& text) {
  std::size_t at = text.find_first_not_of(" \t");
  if (at == std::string::npos) return 0;
  const bool negative = text[at] == '-';
  if (text[at] == '-' || text[at] == '+') ++at;
  std::uint32_t value = 0;
  for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
    value = value * 10 + static_cast<std::uint32_t>(text[at] - '0');
  }
  return static_cast<std::int32_t>(negative ? 0u - value : value);
}
}  // namespace

// Mirrors one loaded form into the backend's window table.
class HeadlessPeer : public FormPeer {
 public:
  HeadlessPeer(HeadlessBackend& backend, Form& form, std::int32_t handle)
      : backend_(backend), form_(form), handle_(handle) {}
  ~HeadlessPeer() override { backend_.PeerDestroyed(form_); }

  std::int32_t Handle() const override { return handle_; }
  void GeometryChanged() override {}
  void ColorChanged() override {}
  void VisibleChanged() override { backend_.windows_[&form_].shown = form_.visible(); }
  void BlankChanged() override { ++backend_.windows_[&form_].blankChanges; }
  void Activate() override { backend_.Activate(form_); }
  void ControlChanged(Control& control) override {
    if (control.kind() == ControlKind::kTimer) backend_.Schedule(static_cast<Timer&>(control));
  }

 private:
  HeadlessBackend& backend_;
  Form& form_;
  std::int32_t handle_;
};

HeadlessBackend::HeadlessBackend() = default;
HeadlessBackend::~HeadlessBackend() = default;

Application& HeadlessBackend::app() const {
  if (app_ == nullptr) throw std::logic_error("HeadlessBackend used before Attach");
  return *app_;
}

const WindowState* HeadlessBackend::window(const Form& form) const {
  const auto found = windows_.find(&form);
  return found == windows_.end() ? nullptr : &found->second;
}

std::unique_ptr<FormPeer> HeadlessBackend::CreatePeer(Form& form) {
  const std::int32_t handle = nextHandle_;
  nextHandle_ += 0x10;
  windows_[&form] = WindowState{handle, false, false};
  for (Control* control : form.controls()) {
    if (control->kind() == ControlKind::kTimer) Schedule(static_cast<Timer&>(*control));
  }
  return std::make_unique<HeadlessPeer>(*this, form, handle);
}

void HeadlessBackend::PeerDestroyed(Form& form) {
  windows_.erase(&form);
  Unschedule(form);
  if (active_ != &form) return;
  // A closing window hands the keyboard back to the start-up window.
  Form* startup = app_ != nullptr ? app_->startupForm() : nullptr;
  active_ = startup != nullptr && startup != &form && startup->loaded() ? startup : nullptr;
}

void HeadlessBackend::Schedule(Timer& timer) {
  const std::int64_t due = now_ + Timer::TickPeriod(timer.interval());
  for (TimerSchedule& schedule : timers_) {
    if (schedule.timer == &timer) {
      schedule.due = due;
      return;
    }
  }
  timers_.push_back({&timer, &timer.parent(), due});
}

void HeadlessBackend::Unschedule(const Form& form) {
  std::erase_if(timers_, [&](const TimerSchedule& s) { return s.form == &form; });
}

HeadlessBackend::TimerSchedule* HeadlessBackend::NextDue(std::int64_t until) {
  TimerSchedule* next = nullptr;
  for (TimerSchedule& schedule : timers_) {
    if (schedule.due <= until && (next == nullptr || schedule.due < next->due)) next = &schedule;
  }
  return next;
}

void HeadlessBackend::AdvanceTime(std::int64_t milliseconds) {
  const std::int64_t until = now_ + milliseconds;
  while (!quit_) {
    TimerSchedule* next = NextDue(until);
    if (next == nullptr) break;
    now_ = next->due;
    Timer& timer = *next->timer;
    // The next tick is due one period on; a handler that sets a new
    // interval reschedules from now.
    next->due = now_ + Timer::TickPeriod(timer.interval());
    ++ticks_;
    app().RaiseTick(timer);
  }
  now_ = std::max(now_, until);  // a box opened meanwhile may have moved time on
}

void HeadlessBackend::PressKey(std::int16_t keyCode, std::int16_t shift, int repeats) {
  for (int i = 0; i < repeats; ++i) {
    if (modalDepth_ > 0 || active_ == nullptr || quit_) return;
    app().RaiseKeyDown(*active_, keyCode, shift, /*autoRepeat=*/i > 0);
  }
}

void HeadlessBackend::Activate(Form& form) {
  if (!windows_.contains(&form)) return;
  const bool fromOtherProgram = active_ == nullptr;
  active_ = &form;
  if (fromOtherProgram) app().RaiseAppActivation(true);
}

void HeadlessBackend::SwitchToOtherProgram() {
  if (active_ == nullptr) return;
  active_ = nullptr;
  app().RaiseAppActivation(false);
}

void HeadlessBackend::PickEntry(ComboBox& combo, std::int16_t index) {
  if (modalDepth_ == 0 && combo.parent().loaded()) combo.UserPick(index);
}

void HeadlessBackend::TypeText(ComboBox& combo, const std::string& text) {
  if (modalDepth_ == 0 && combo.parent().loaded()) combo.UserType(text);
}

void HeadlessBackend::PressButton(CommandButton& button) {
  if (modalDepth_ == 0) app().RaiseClick(button);
}

void HeadlessBackend::ClickCloseBox(Form& form) {
  if (modalDepth_ == 0) app().RaiseClose(form);
}

void HeadlessBackend::PressHotKey() {
  if (hotKeys.empty()) return;
  if (Form* form = app().FindForm(hotKeys.back().hWnd)) app().RaiseHotKey(*form);
}

void HeadlessBackend::ChangeDisplay(const ScreenMetrics& metrics) {
  screen = metrics;
  app().RaiseDisplayChange();
}

void HeadlessBackend::ShowMessageBox(const std::string& text, std::int32_t style,
                                     const std::string& title) {
  messageBoxes.push_back({text, style, title});
  ++modalDepth_;
  try {
    if (onMessageBox) onMessageBox(messageBoxes.back());
  } catch (...) {
    --modalDepth_;
    throw;
  }
  --modalDepth_;
}

void HeadlessBackend::SetPointer(std::int32_t x, std::int32_t y) {
  pointerX_ = x;
  pointerY_ = y;
}

bool HeadlessBackend::GetCursorPos(std::int32_t& x, std::int32_t& y) {
  ++pointerReads_;
  if (!pointerReadable_) return false;
  x = pointerX_;
  y = pointerY_;
  return true;
}

bool HeadlessBackend::GetCursorInfo(std::int32_t& x, std::int32_t& y, std::int32_t& flags,
                                    std::int32_t& cursor) {
  if (!GetCursorPos(x, y)) return false;
  flags = pointerShown_ ? kCursorShowing : 0;
  cursor = 0x10003;  // the arrow, whether shown or not
  return true;
}

bool HeadlessBackend::SetWindowPos(std::int32_t hWnd, std::int32_t insertAfter, std::int32_t x,
                                   std::int32_t y, std::int32_t cx, std::int32_t cy,
                                   std::int32_t flags) {
  setWindowPosCalls.push_back({hWnd, insertAfter, x, y, cx, cy, flags});
  Form* form = app().FindForm(hWnd);
  if (form == nullptr) return false;
  WindowState& state = windows_[form];
  if (insertAfter == kHwndTopmost) state.topmost = true;
  if ((flags & kSwpShowWindow) != 0) state.shown = true;
  if ((flags & kSwpNoActivate) == 0) Activate(*form);
  return true;
}

std::int32_t HeadlessBackend::ReadProfileInt(const std::string& section, const std::string& key,
                                             std::int32_t fallback, const std::string& file) {
  const auto found = profiles.find(file);
  if (found == profiles.end()) return fallback;
  const ProfileEntry* entry = Find(found->second, section, key);
  return entry == nullptr ? fallback : LeadingInteger(entry->value);
}

std::string HeadlessBackend::ReadProfileText(const std::string& section, const std::string& key,
                                             const std::string& fallback, const std::string& file) {
  const auto found = profiles.find(file);
  if (found == profiles.end()) return fallback;
  const ProfileEntry* entry = Find(found->second, section, key);
  return entry == nullptr ? fallback : entry->value;
}

bool HeadlessBackend::RegisterHotKey(std::int32_t hWnd, std::int32_t modifiers, std::int32_t key) {
  if (hotKeysTaken || app().FindForm(hWnd) == nullptr) return false;
  hotKeys.push_back({hWnd, modifiers, key});
  return true;
}

CaptureExclusion HeadlessBackend::ExcludeFromCapture(std::int32_t hWnd) {
  ++captureRequests;
  Form* form = app().FindForm(hWnd);
  if (!captureExclusion) return CaptureExclusion::kUnavailable;
  if (captureRefused || form == nullptr) return CaptureExclusion::kRefused;
  windows_[form].excludedFromCapture = true;
  return CaptureExclusion::kExcluded;
}

bool HeadlessBackend::WriteProfileValue(const std::string& section, const std::string& key,
                                        const std::string& value, const std::string& file) {
  const auto fault = writeFaults.find(key);
  if (fault != writeFaults.end()) return fault->second == WriteFault::kLost;
  ProfileFile& contents = profiles[file];
  if (ProfileEntry* entry = Find(contents, section, key)) {
    entry->value = value;
  } else {
    contents.push_back({section, key, value});
  }
  return true;
}

}  // namespace plumbmark::forms::headless
