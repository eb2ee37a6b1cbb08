// The layers beneath the program: the numeric rules, the forms layer's own
// semantics on a small form of the test's own, and its error policy on the
// program.
#include <cmath>
#include <functional>

#include "numeric.h"
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

using forms::ErrorNumber;

// The run-time error a step raises, if any.
inline std::optional<forms::ErrorNumber> ErrorOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const forms::RuntimeError& error) {
    return error.number();
  }
  return std::nullopt;
}

// Halves round to the even neighbour within sixteen bits; overflow and
// division faults are raised, never wrapped.
TEST(Numeric, RoundsHalvesToEvenAndRaisesFaultsNeverWrapping) {
  const std::pair<double, int> rounded[] = {{0.5, 0},   {1.5, 2},         {2.5, 2},
                                            {-1.5, -2}, {-2.5, -2},       {2.5001, 3},
                                            {-0.5, 0},  {32767.4, 32767}, {-32768.5, -32768}};
  for (const auto& [value, even] : rounded) EXPECT_EQ(num::RoundToInt16(value), even) << value;
  const std::pair<std::function<void()>, ErrorNumber> faults[] = {
      {[] { num::RoundToInt16(32767.5); }, ErrorNumber::kOverflow},
      {[] { num::RoundToInt16(NAN); }, ErrorNumber::kOverflow},
      {[] { num::ToInt16(-32769); }, ErrorNumber::kOverflow},
      {[] { num::Increment(32767); }, ErrorNumber::kOverflow},
      {[] { num::Decrement(-32768); }, ErrorNumber::kOverflow},
      {[] { num::ToSingle(1e39); }, ErrorNumber::kOverflow},
      {[] { num::MultiplySingle(3e38f, 2.0f); }, ErrorNumber::kOverflow},
      {[] { num::Divide(5, 0); }, ErrorNumber::kDivisionByZero},
      {[] { num::Divide(0, 0); }, ErrorNumber::kOverflow}};
  for (const auto& [step, error] : faults) EXPECT_EQ(ErrorOf(step), error);
  EXPECT_EQ(num::Increment(32766), 32767);
  EXPECT_EQ(num::Decrement(-32767), -32768);
}

// Counts its loads and runs `onLoad` in Form_Load.
struct ProbeForm : forms::Form {
  explicit ProbeForm(forms::Application& app)
      : Form(app, "probe",
             {.caption = "probe", .width = 300, .height = 150, .backColor = 0x123456}) {}
  void Form_Load() override {
    ++loads;
    if (onLoad) onLoad(*this);
  }
  forms::ComboBox combo{*this, "combo", {}, "design text"};
  int loads = 0;
  std::function<void(ProbeForm&)> onLoad;
};

class FormsTest : public ::testing::Test {
 protected:
  FormsTest() { backend.Attach(app); }
  forms::headless::HeadlessBackend backend;
  forms::Application app{backend};
  ProbeForm form{app};
};

TEST_F(FormsTest, FirstUseLoadsOnceAndUnloadDiscards) {
  EXPECT_FALSE(form.loaded());
  form.SetWidth(0);  // zero thickness is allowed
  EXPECT_EQ(form.loads, 1);
  form.combo.AddItem("x");
  form.Show();
  form.Show();
  EXPECT_EQ(form.loads, 1);
  EXPECT_TRUE(backend.window(form)->shown);
  form.Unload();
  EXPECT_FALSE(form.loaded());
  EXPECT_EQ(backend.window(form), nullptr);
  EXPECT_EQ(form.geometry().width, 300);  // back to design
  EXPECT_EQ(form.combo.text(), "design text");
  EXPECT_TRUE(form.combo.items().empty());
  EXPECT_EQ(form.BackColor(), 0x123456);  // the next use loads afresh
  EXPECT_EQ(form.loads, 2);
}

TEST_F(FormsTest, ComboSelectionFollowsTextAndIndex) {
  forms::ComboBox& combo = form.combo;
  combo.Clear();
  EXPECT_EQ(combo.Text(), "");
  for (const char* item : {"50", "100", "150"}) combo.AddItem(item);
  combo.SetText("100");
  EXPECT_EQ(combo.ListIndex(), 1);
  combo.SetText("10");
  EXPECT_EQ(combo.ListIndex(), -1);
  EXPECT_EQ(combo.Text(), "10");
  combo.SetListIndex(2);
  EXPECT_EQ(combo.Text(), "150");
  combo.SetListIndex(-1);
  EXPECT_EQ(combo.Text(), "");
  for (std::int16_t bad : {std::int16_t{3}, std::int16_t{-2}}) {
    EXPECT_EQ(ErrorOf([&] { combo.SetListIndex(bad); }), ErrorNumber::kInvalidPropertyValue);
  }
}

TEST_F(FormsTest, AFailedLoadLeavesTheFormUnloadedAndAtStartUpEnds) {
  form.onLoad = [](ProbeForm& f) {
    f.SetWidth(1);
    throw forms::RuntimeError::InvalidPropertyValue();
  };
  EXPECT_EQ(ErrorOf([&] { form.Show(); }), ErrorNumber::kInvalidPropertyValue);
  EXPECT_FALSE(form.loaded());
  EXPECT_EQ(backend.window(form), nullptr);
  EXPECT_FALSE(app.Start(form));
  EXPECT_EQ(backend.messageBoxes,
            (Boxes{{"実行時エラー '380':\n\nプロパティの値が不正です。", kCritical, "Plumbmark"}}));
  EXPECT_TRUE(app.ended());
  EXPECT_TRUE(backend.quit());
}

TEST_F(FormsTest, DisplayRulesRoundAndClamp) {
  const forms::ScreenMetrics screen{1024, 768, 1440.0f / 168.0f, 12.0f, {}};
  form.SetLeft(screen.twipsPerPixelX * 11.0f);
  form.SetTop(-18);  // -1.5 pixels: halves to even
  form.SetWidth(-10);
  form.SetHeight(30);  // 2.5 pixels
  EXPECT_EQ(DisplayRect(form, screen), (PixelRect{11, -2, 0, 2}));
  form.SetLeft(3e38f);
  EXPECT_EQ(DisplayRect(form, screen).x, 1 << 30);
  EXPECT_EQ(forms::TwipsToPixels(100, 0), 0);
  const std::pair<std::uint32_t, forms::ShownColor> colors[] = {
      {0xFFFFFFFF, {false, 0xFFFFFF}}, {0x00FF0000, {false, 0xFF0000}},
      {0x8000000F, {true, 15}},        {0x80000000, {true, 0}},
      {0x8000001E, {true, 30}},        {0x8000001F, {false, 0x00001F}},
      {0x81000005, {false, 0x000005}}, {0x01000000, {false, 0}}};
  for (const auto& [color, shown] : colors) {
    EXPECT_EQ(forms::DisplayColor(static_cast<std::int32_t>(color)), shown) << std::hex << color;
  }
}

// Run-time errors: reported in a message box, what the handler did before
// the error kept, the program going on (an error in start-up ends it: see
// StartupTest).
using ErrorPolicyTest = ProgramTest;

TEST_F(ErrorPolicyTest, AnErrorInACommandIsReportedAndTheNextOneRuns) {
  ASSERT_TRUE(Start());
  SetFactor(0);
  Press(kControl);
  EXPECT_EQ(backend.messageBoxes,
            (Boxes{{"実行時エラー '11':\n\n0 で除算しました。", kCritical, "Plumbmark"}}));
  EXPECT_EQ(tate.verticalHidden(), 0);  // stopped before the width and the flag changed
  EXPECT_FALSE(backend.quit());
  SetFactor(15);
  Press(kControl);
  EXPECT_EQ(Vertical().width, 0);
}

// Ticks go on while a box is open: a failure that persists is reported in
// one box, never in a box inside it, and again after it closed. The failing
// tick keeps its first step, and once the cause is gone the next tick runs.
TEST_F(ErrorPolicyTest, AFailingTickKeepsItsFirstStepAndOpensOneErrorBoxAtATime) {
  ASSERT_TRUE(Start());
  MoveAndTick(10, 3);
  int depth = 0, deepest = 0;
  backend.onMessageBox = [&](const auto&) {
    deepest = std::max(deepest, ++depth);
    if (depth < 3) backend.AdvanceTime(1000);  // bounded, should boxes nest
    --depth;
  };
  SetFactor(3e38f);  // (y + 1) pixels overflow a single at every tick
  MoveAndTick(0, 10);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(backend.messageBoxes, (Boxes{{kOverflow, kCritical, "Plumbmark"}}));
  EXPECT_EQ(tate.Left(), 3e38f);  // (x + 1) pixels still fit
  EXPECT_EQ(yoko.Top(), 4 * 15.0f);
  backend.AdvanceTime(100);
  EXPECT_EQ(backend.messageBoxes.size(), 2u);
  SetFactor(15);
  backend.AdvanceTime(100);
  EXPECT_EQ(yoko.Top(), 11 * 15.0f);
}

TEST_F(ErrorPolicyTest, TrackingGoesOnWhileAMessageBoxHoldsTheKeys) {
  ASSERT_TRUE(Start());
  backend.onMessageBox = [&](const auto&) {
    backend.SetPointer(70, 80);
    backend.AdvanceTime(200);
    backend.PressKey(kUp);
  };
  Press(kS);
  EXPECT_EQ(Vertical(), (PixelRect{71, 0, 5, 1080}));
  EXPECT_EQ(Horizontal().y, 81);
}

}  // namespace
}  // namespace plumbmark::testing
