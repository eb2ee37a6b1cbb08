#include "forms.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "errors.h"
#include "numeric.h"

namespace plumbmark::forms {
namespace {

// Thrown by End: unwinds the running handler up to the dispatcher.
struct EndRequest {};

constexpr std::int32_t kTimerMinimum = 10;  // ms, as USER_TIMER_MINIMUM
constexpr double kPixelLimit = 1 << 30;
const char* const kErrorTitle = "Plumbmark";

}  // namespace

// ---- display rules shared by every backend --------------------------------

std::int32_t TwipsToPixels(double twips, float twipsPerPixel) {
  if (!(twipsPerPixel > 0) || !std::isfinite(twips)) return 0;
  const double pixels = num::RoundHalfEven(twips / twipsPerPixel);
  return static_cast<std::int32_t>(std::clamp(pixels, -kPixelLimit, kPixelLimit));
}

PixelRect DisplayRect(const Form& form, const ScreenMetrics& screen) {
  const FormGeometry& g = form.geometry();
  return PixelRect{TwipsToPixels(g.left, screen.twipsPerPixelX),
                   TwipsToPixels(g.top, screen.twipsPerPixelY),
                   std::max(0, TwipsToPixels(g.width, screen.twipsPerPixelX)),
                   std::max(0, TwipsToPixels(g.height, screen.twipsPerPixelY))};
}

ShownColor DisplayColor(std::int32_t color) {
  constexpr std::uint32_t kSystemColorFlag = 0x80000000u;
  const auto bits = static_cast<std::uint32_t>(color);
  const std::uint32_t index = bits & ~kSystemColorFlag;
  if ((bits & kSystemColorFlag) != 0 && index < kSystemColorCount) return {true, index};
  return {false, bits & 0xFFFFFFu};
}

// ---- controls ----------------------------------------------------------------

Control::Control(Form& parent, std::string name, ControlKind kind, ControlLayout layout)
    : parent_(parent), name_(std::move(name)), kind_(kind), layout_(layout) {
  parent_.controls_.push_back(this);
}

void Control::NotifyChanged() {
  if (FormPeer* peer = parent_.peer()) peer->ControlChanged(*this);
}

void Control::EnsureParentLoaded() { parent_.EnsureLoaded(); }

Timer::Timer(Form& parent, std::string name, std::int32_t designInterval)
    : Control(parent, std::move(name), ControlKind::kTimer, {}),
      designInterval_(designInterval),
      interval_(designInterval) {}

std::int32_t Timer::Interval() {
  EnsureParentLoaded();
  return interval_;
}

void Timer::SetInterval(std::int32_t milliseconds) {
  EnsureParentLoaded();
  interval_ = milliseconds;
  NotifyChanged();
}

std::int32_t Timer::TickPeriod(std::int32_t interval) { return std::max(interval, kTimerMinimum); }

ComboBox::ComboBox(Form& parent, std::string name, ControlLayout layout, std::string designText)
    : Control(parent, std::move(name), ControlKind::kComboBox, layout),
      designText_(std::move(designText)),
      text_(designText_) {}

void ComboBox::ResetToDesign() {
  items_.clear();
  text_ = designText_;
  listIndex_ = -1;
}

void ComboBox::Clear() {
  EnsureParentLoaded();
  items_.clear();
  text_.clear();
  listIndex_ = -1;
  NotifyChanged();
}

void ComboBox::AddItem(const std::string& item) {
  EnsureParentLoaded();
  if (items_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
    throw RuntimeError::InvalidPropertyValue();
  }
  items_.push_back(item);
  NotifyChanged();
}

const std::string& ComboBox::Text() {
  EnsureParentLoaded();
  return text_;
}

void ComboBox::SetText(const std::string& text) {
  EnsureParentLoaded();
  UserType(text);
  NotifyChanged();
}

std::int16_t ComboBox::ListIndex() {
  EnsureParentLoaded();
  return listIndex_;
}

void ComboBox::SetListIndex(std::int16_t index) {
  EnsureParentLoaded();
  if (!UserPick(index)) throw RuntimeError::InvalidPropertyValue();
  NotifyChanged();
}

bool ComboBox::UserPick(std::int16_t index) {
  if (index < -1 || index >= static_cast<std::int32_t>(items_.size())) return false;
  listIndex_ = index;
  text_ = index < 0 ? std::string() : items_[static_cast<std::size_t>(index)];
  return true;
}

void ComboBox::UserType(const std::string& text) {
  text_ = text;
  const auto found = std::find(items_.begin(), items_.end(), text);
  listIndex_ =
      found == items_.end() ? std::int16_t{-1} : static_cast<std::int16_t>(found - items_.begin());
}

CommandButton::CommandButton(Form& parent, std::string name, ControlLayout layout,
                             std::string caption)
    : Control(parent, std::move(name), ControlKind::kCommandButton, layout),
      caption_(std::move(caption)) {}

Label::Label(Form& parent, std::string name, ControlLayout layout, std::string caption)
    : Control(parent, std::move(name), ControlKind::kLabel, layout), caption_(std::move(caption)) {}

// ---- forms ---------------------------------------------------------------------

Form::Form(Application& app, std::string name, FormDesign design)
    : app_(app), name_(std::move(name)), design_(std::move(design)) {
  app_.forms_.push_back(this);
  ResetToDesign();
}

Form::~Form() {
  auto& forms = app_.forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

void Form::Form_KeyDown(std::int16_t& /*KeyCode*/, std::int16_t /*Shift*/, bool /*AutoRepeat*/) {}

void Form::ResetToDesign() {
  geometry_ = FormGeometry{0, 0, design_.width, design_.height};
  backColor_ = design_.backColor;
  visible_ = false;
  blank_ = false;
  for (Control* control : controls_) control->ResetToDesign();
}

void Form::EnsureLoaded() {
  if (app_.ended_) throw EndRequest{};
  if (!loaded_) Load();
}

void Form::Load() {
  ResetToDesign();
  if (design_.startUpPosition == StartUpPosition::kCenterScreen) {
    geometry_.left = (app_.Screen.Width() - geometry_.width) / 2;
    geometry_.top = (app_.Screen.Height() - geometry_.height) / 2;
  }
  loaded_ = true;
  peer_ = app_.backend_.CreatePeer(*this);
  try {
    Form_Load();
  } catch (const RuntimeError&) {
    Unload();  // a form whose load failed is not left half set up
    throw;
  }
}

void Form::Unload() {
  if (!loaded_) return;
  peer_.reset();
  loaded_ = false;
  ResetToDesign();
}

void Form::GeometryChanged() {
  if (peer_) peer_->GeometryChanged();
}

float Form::Left() {
  EnsureLoaded();
  return geometry_.left;
}

void Form::SetLeft(float twips) {
  EnsureLoaded();
  geometry_.left = twips;
  GeometryChanged();
}

float Form::Top() {
  EnsureLoaded();
  return geometry_.top;
}

void Form::SetTop(float twips) {
  EnsureLoaded();
  geometry_.top = twips;
  GeometryChanged();
}

float Form::Width() {
  EnsureLoaded();
  return geometry_.width;
}

void Form::SetWidth(float twips) {
  EnsureLoaded();
  geometry_.width = twips;
  GeometryChanged();
}

float Form::Height() {
  EnsureLoaded();
  return geometry_.height;
}

void Form::SetHeight(float twips) {
  EnsureLoaded();
  geometry_.height = twips;
  GeometryChanged();
}

std::int32_t Form::BackColor() {
  EnsureLoaded();
  return backColor_;
}

void Form::SetBackColor(std::int32_t color) {
  EnsureLoaded();
  backColor_ = color;
  if (peer_) peer_->ColorChanged();
}

bool Form::Visible() {
  EnsureLoaded();
  return visible_;
}

void Form::SetVisible(bool visible) {
  EnsureLoaded();
  if (!visible) {
    if (visible_) {
      visible_ = false;
      if (peer_) peer_->VisibleChanged();
    }
    return;
  }
  MarkShown();
  if (peer_) peer_->Activate();
}

void Form::Show() { SetVisible(true); }

void Form::SetBlank(bool blank) {
  EnsureLoaded();
  if (blank_ == blank) return;
  blank_ = blank;
  if (peer_) peer_->BlankChanged();
}

void Form::MarkShown() {
  if (visible_) return;
  visible_ = true;
  if (peer_) peer_->VisibleChanged();
}

std::int32_t Form::hWnd() {
  EnsureLoaded();
  return peer_ ? peer_->Handle() : 0;
}

// ---- screen and application objects ------------------------------------------

float ScreenObject::Width() const {
  const ScreenMetrics m = backend_.Screen();
  return static_cast<float>(m.widthPixels) * m.twipsPerPixelX;
}

float ScreenObject::Height() const {
  const ScreenMetrics m = backend_.Screen();
  return static_cast<float>(m.heightPixels) * m.twipsPerPixelY;
}

float ScreenObject::TwipsPerPixelX() const { return backend_.Screen().twipsPerPixelX; }

FormGeometry ScreenObject::Desktop() const {
  const ScreenMetrics m = backend_.Screen();
  const auto twips = [](std::int32_t pixels, float factor) {
    return static_cast<float>(pixels) * factor;
  };
  return {twips(m.desktop.x, m.twipsPerPixelX), twips(m.desktop.y, m.twipsPerPixelY),
          twips(m.desktop.width, m.twipsPerPixelX), twips(m.desktop.height, m.twipsPerPixelY)};
}

std::string AppObject::Path() const { return backend_.AppPath(); }
bool AppObject::PrevInstance() const { return backend_.PrevInstance(); }
char AppObject::PathSeparator() const { return backend_.PathSeparator(); }

// ---- application ----------------------------------------------------------------

Application::Application(Backend& backend) : Screen(backend), App(backend), backend_(backend) {}

Application::~Application() = default;

void Application::MsgBox(const std::string& text, std::int32_t style, const std::string& title) {
  if (ended_) throw EndRequest{};
  backend_.ShowMessageBox(text, style, title);
  // The program may have ended while the box was open (an event handled
  // meanwhile ran End); the handler that opened the box must not go on.
  if (ended_) throw EndRequest{};
}

void Application::End() { throw EndRequest{}; }

Form* Application::FindForm(std::int32_t hWnd) const {
  for (Form* form : forms_) {
    if (form->loaded_ && form->peer_ && form->peer_->Handle() == hWnd) return form;
  }
  return nullptr;
}

template <typename Handler>
void Application::Dispatch(Handler&& handler, bool endOnError) {
  if (ended_) return;
  try {
    try {
      handler();
    } catch (const RuntimeError& error) {
      Report(error);
      if (endOnError) End();
    }
  } catch (const EndRequest&) {
    Shutdown();
  }
}

// At most one error box at a time: the timer keeps ticking while a box is
// open, and a failure that persists would otherwise open one box inside the
// other at every tick until the stack runs out. The open box has told the user.
void Application::Report(const RuntimeError& error) {
  if (reporting_) return;
  reporting_ = true;
  try {
    MsgBox(ReportText(error), kMsgBoxCritical, kErrorTitle);
  } catch (...) {
    reporting_ = false;
    throw;
  }
  reporting_ = false;
}

void Application::Shutdown() {
  if (ended_) return;
  ended_ = true;
  backend_.GuardShortcutKeys(false);
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) (*it)->Unload();
  backend_.Quit();
}

bool Application::Start(Form& startup) {
  startup_ = &startup;
  twipsPerPixel_ = Screen.TwipsPerPixelX();
  Dispatch(
      [&] {
        startup.EnsureLoaded();
        startup.MarkShown();
        if (startup.peer_) startup.peer_->Activate();
      },
      /*endOnError=*/true);
  return !ended_;
}

void Application::RaiseKeyDown(Form& form, std::int16_t keyCode, std::int16_t shift,
                               bool autoRepeat) {
  if (!form.loaded_) return;
  Dispatch([&] { form.Form_KeyDown(keyCode, shift, autoRepeat); }, false);
}

void Application::RaiseTick(Timer& timer) {
  if (!timer.parent().loaded_ || !timer.Tick) return;
  Dispatch([&] { timer.Tick(); }, false);
}

void Application::RaiseClick(CommandButton& button) {
  if (!button.parent().loaded_ || !button.Click) return;
  Dispatch([&] { button.Click(); }, false);
}

void Application::RaiseDisplayChange() {
  const float previous = twipsPerPixel_;
  twipsPerPixel_ = Screen.TwipsPerPixelX();
  for (Form* form : forms_) {
    if (form->loaded_) Dispatch([&] { form->Form_DisplayChange(previous); }, false);
  }
}

void Application::RaiseHotKey(Form& form) {
  if (!form.loaded_) return;
  Dispatch([&] { form.Form_HotKey(); }, false);
}

void Application::RaiseAppActivation(bool active) { backend_.GuardShortcutKeys(active && !ended_); }

void Application::RaiseClose(Form& form) {
  if (!form.loaded_) return;
  Dispatch(
      [&] {
        if (form.design_.closeAction == CloseAction::kEndProgram) End();
        form.Unload();
      },
      false);
}

}  // namespace plumbmark::forms
