// The forms layer: windows, controls, the timer, message boxes and the
// application and screen objects that the program is written against.
//
// The state lives here, in one shared place: a property stores what was set
// and returns it unchanged. A backend only mirrors that state onto real
// windows (through a FormPeer) and feeds real events in (through the Raise*
// entry points of Application).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "backend.h"
#include "errors.h"

namespace plumbmark::forms {

class Application;
class Form;

// Message box styles the program uses.
inline constexpr std::int32_t kMsgBoxOkOnly = 0;
inline constexpr std::int32_t kMsgBoxCritical = 16;
inline constexpr std::int32_t kMsgBoxExclamation = 48;

// Where a control sits on its form's client area, in twips.
struct ControlLayout {
  float left = 0, top = 0, width = 0, height = 0;
  int tabIndex = 0;
};

enum class ControlKind { kTimer, kComboBox, kCommandButton, kLabel };

class Control {
 public:
  Control(Form& parent, std::string name, ControlKind kind, ControlLayout layout);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Form& parent() const { return parent_; }
  const std::string& name() const { return name_; }
  ControlKind kind() const { return kind_; }
  const ControlLayout& layout() const { return layout_; }

  // Back to the design-time state; called when the form is loaded afresh.
  virtual void ResetToDesign() {}

 protected:
  // Tells the form's peer (if any) that this control's state changed.
  void NotifyChanged();
  // Loads the parent form on first use, as every property access does.
  void EnsureParentLoaded();

 private:
  Form& parent_;
  std::string name_;
  ControlKind kind_;
  ControlLayout layout_;
};

// A timer that ticks every Interval milliseconds while its form is loaded.
class Timer : public Control {
 public:
  Timer(Form& parent, std::string name, std::int32_t designInterval);

  std::int32_t Interval();
  void SetInterval(std::int32_t milliseconds);
  // The interval is stored as set; the tick period is the interval, but never
  // below the platform minimum of 10 ms (an interval of 0 or below included),
  // so tracking never stops for an out-of-range value.
  static std::int32_t TickPeriod(std::int32_t interval);

  std::function<void()> Tick;  // the tick handler, e.g. getMousePos_Timer
  void ResetToDesign() override { interval_ = designInterval_; }
  std::int32_t interval() const { return interval_; }  // for peers: no load

 private:
  std::int32_t designInterval_;
  std::int32_t interval_;
};

// A drop-down combo: an editable text field with an unsorted list.
class ComboBox : public Control {
 public:
  ComboBox(Form& parent, std::string name, ControlLayout layout, std::string designText);

  void Clear();
  void AddItem(const std::string& item);
  const std::string& Text();
  // The combo box selects the entry whose text equals the new text exactly,
  // and selects none otherwise; typing into the field behaves the same.
  void SetText(const std::string& text);
  std::int16_t ListIndex();
  // -1 selects nothing and empties the field; an index outside the list
  // raises the invalid-property-value error.
  void SetListIndex(std::int16_t index);

  // The user's own operations, fed in by a backend; the native control
  // already shows their result, so the peer is not told. A pick outside the
  // list (which no native control sends) is ignored: the result is false.
  bool UserPick(std::int16_t index);
  void UserType(const std::string& text);

  // Read access for peers and tests, without loading the form.
  const std::vector<std::string>& items() const { return items_; }
  const std::string& text() const { return text_; }
  std::int16_t listIndex() const { return listIndex_; }
  void ResetToDesign() override;

 private:
  std::string designText_;
  std::vector<std::string> items_;
  std::string text_;
  std::int16_t listIndex_ = -1;
};

class CommandButton : public Control {
 public:
  CommandButton(Form& parent, std::string name, ControlLayout layout, std::string caption);
  const std::string& caption() const { return caption_; }
  std::function<void()> Click;  // the click handler

 private:
  std::string caption_;
};

class Label : public Control {
 public:
  Label(Form& parent, std::string name, ControlLayout layout, std::string caption);
  const std::string& caption() const { return caption_; }

 private:
  std::string caption_;
};

enum class BorderStyle { kNone, kFixedToolWindow };
enum class StartUpPosition { kCenterScreen, kWindowsDefault };
// What closing the window through the window system does.
enum class CloseAction { kUnload, kEndProgram };

// The design-time properties of a form.
struct FormDesign {
  std::string caption;
  BorderStyle border = BorderStyle::kNone;
  bool showInTaskbar = false;
  bool hasIcon = false;
  bool maxButton = true;
  bool minButton = true;
  StartUpPosition startUpPosition = StartUpPosition::kCenterScreen;
  float width = 0;   // twips; the client area for a window with a border
  float height = 0;  // twips
  std::int32_t backColor = 0;
  CloseAction closeAction = CloseAction::kUnload;
};

// The current geometry of a form in twips.
struct FormGeometry {
  float left = 0, top = 0, width = 0, height = 0;
};

// One form: exists once per run; its first use loads it (creating its window
// and raising Form_Load), Unload discards it so the next use loads it afresh.
class Form {
 public:
  Form(Application& app, std::string name, FormDesign design);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  float Left();
  void SetLeft(float twips);
  float Top();
  void SetTop(float twips);
  float Width();
  void SetWidth(float twips);
  float Height();
  void SetHeight(float twips);
  std::int32_t BackColor();
  void SetBackColor(std::int32_t color);
  bool Visible();
  // True shows the form (loading it first) and brings it forward.
  void SetVisible(bool visible);
  std::int32_t hWnd();
  // A blank form shows nothing and keeps everything else: its place, size
  // and colour, the keyboard and its taskbar button.
  void SetBlank(bool blank);
  // Shows the form modeless and without owner, loading it first if needed.
  void Show();
  void Unload();

  // Read access for peers and tests, without loading the form.
  bool loaded() const { return loaded_; }
  bool visible() const { return visible_; }
  bool blank() const { return blank_; }
  const FormGeometry& geometry() const { return geometry_; }
  std::int32_t backColor() const { return backColor_; }
  const std::string& name() const { return name_; }
  const FormDesign& design() const { return design_; }
  const std::vector<Control*>& controls() const { return controls_; }
  FormPeer* peer() const { return peer_.get(); }
  Application& app() const { return app_; }

 protected:
  virtual void Form_Load() {}
  // AutoRepeat is true for the key-downs a held key repeats after the first.
  virtual void Form_KeyDown(std::int16_t& KeyCode, std::int16_t Shift, bool AutoRepeat);
  // The desktop's size, monitors or scaling changed; the factor in force
  // before the change is given, the screen object reports the new one.
  virtual void Form_DisplayChange(float /*previousTwipsPerPixel*/) {}
  // The form's system-wide key combination was pressed, in any program.
  virtual void Form_HotKey() {}

 private:
  friend class Application;
  friend class Control;

  void EnsureLoaded();
  void Load();
  void ResetToDesign();
  void MarkShown();
  void GeometryChanged();

  Application& app_;
  std::string name_;
  FormDesign design_;
  std::vector<Control*> controls_;
  std::unique_ptr<FormPeer> peer_;
  bool loaded_ = false;
  bool visible_ = false;
  bool blank_ = false;
  FormGeometry geometry_;
  std::int32_t backColor_ = 0;
};

// The screen as the program sees it.
class ScreenObject {
 public:
  explicit ScreenObject(Backend& backend) : backend_(backend) {}
  float Width() const;   // twips
  float Height() const;  // twips
  float TwipsPerPixelX() const;
  // The desktop, every monitor, in twips.
  FormGeometry Desktop() const;

 private:
  Backend& backend_;
};

// The running program as the program sees it.
class AppObject {
 public:
  explicit AppObject(Backend& backend) : backend_(backend) {}
  std::string Path() const;  // the folder of the program file
  bool PrevInstance() const;
  char PathSeparator() const;

 private:
  Backend& backend_;
};

// The forms layer of one run: starts the program, raises its events one at
// a time, reports run-time errors, and ends the program.
class Application {
 public:
  explicit Application(Backend& backend);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  ScreenObject Screen;
  AppObject App;

  // Modal; returns when the user has closed the box.
  void MsgBox(const std::string& text, std::int32_t style, const std::string& title);
  // Ends the program at once: every window closes, no further event is
  // raised, and the running handler does not continue.
  [[noreturn]] void End();

  // Loads the start-up form (raising its Form_Load), then shows and
  // activates it. Returns false when the program ended during start-up.
  bool Start(Form& startup);

  // Event entry points for backends. Each runs one handler under the error
  // policy; after the program has ended they do nothing.
  void RaiseKeyDown(Form& form, std::int16_t keyCode, std::int16_t shift, bool autoRepeat);
  void RaiseTick(Timer& timer);
  void RaiseClick(CommandButton& button);
  void RaiseClose(Form& form);
  void RaiseDisplayChange();
  void RaiseHotKey(Form& form);
  // The program got the keyboard from another program, or lost it to one:
  // the system's accessibility shortcuts are held off only while it has it.
  void RaiseAppActivation(bool active);

  bool ended() const { return ended_; }
  Form* startupForm() const { return startup_; }
  Backend& backend() const { return backend_; }
  Form* FindForm(std::int32_t hWnd) const;
  const std::vector<Form*>& forms() const { return forms_; }

 private:
  friend class Form;
  template <typename Handler>
  void Dispatch(Handler&& handler, bool endOnError);
  void Report(const RuntimeError& error);
  void Shutdown();

  Backend& backend_;
  std::vector<Form*> forms_;
  Form* startup_ = nullptr;
  float twipsPerPixel_ = 0;  // the factor as of start-up or the last display change
  bool ended_ = false;
  bool reporting_ = false;  // an error box is open
};

}  // namespace plumbmark::forms
