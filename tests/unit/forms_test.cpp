// The forms layer's own semantics, on a small form of the test's own.
#include <gtest/gtest.h>

#include "platform/headless/headless_backend.h"

namespace plumbmark::forms {
namespace {

FormDesign ProbeDesign() {
  FormDesign design;
  design.width = 300;
  design.height = 150;
  design.backColor = 0x123456;
  return design;
}

class ProbeForm : public Form {
 public:
  explicit ProbeForm(Application& app, std::function<void(ProbeForm&)> onLoad = nullptr)
      : Form(app, "probe", ProbeDesign()),
        combo(*this, "combo", {}, "design text"),
        onLoad_(std::move(onLoad)) {}
  ComboBox combo;
  int loads = 0;

 protected:
  void Form_Load() override {
    ++loads;
    if (onLoad_) onLoad_(*this);
  }

 private:
  std::function<void(ProbeForm&)> onLoad_;
};

class FormsTest : public ::testing::Test {
 protected:
  FormsTest() { backend.Attach(app); }
  headless::HeadlessBackend backend;
  Application app{backend};
};

TEST_F(FormsTest, FirstUseLoadsOnceAndUnloadDiscards) {
  ProbeForm form(app);
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
  ProbeForm form(app);
  ComboBox& combo = form.combo;
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
    try {
      combo.SetListIndex(bad);
      ADD_FAILURE() << "index " << bad << " accepted";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), ErrorNumber::kInvalidPropertyValue);
    }
  }
}

TEST_F(FormsTest, AFailedLoadLeavesTheFormUnloadedAndAtStartUpEnds) {
  ProbeForm form(app, [](ProbeForm& f) {
    f.SetWidth(1);
    throw RuntimeError::InvalidPropertyValue();
  });
  EXPECT_THROW(form.Show(), RuntimeError);
  EXPECT_FALSE(form.loaded());
  EXPECT_EQ(backend.window(form), nullptr);
  EXPECT_FALSE(app.Start(form));
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].text, "実行時エラー '380':\n\nプロパティの値が不正です。");
  EXPECT_TRUE(app.ended());
  EXPECT_TRUE(backend.quit());
}

TEST_F(FormsTest, DisplayRulesRoundAndClamp) {
  ProbeForm form(app);
  const ScreenMetrics screen{1024, 768, 1440.0f / 168.0f, 12.0f, {}};
  form.SetLeft(screen.twipsPerPixelX * 11.0f);
  form.SetTop(-18);  // -1.5 pixels: halves to even
  form.SetWidth(-10);
  form.SetHeight(30);  // 2.5 pixels
  EXPECT_EQ(DisplayRect(form, screen), (PixelRect{11, -2, 0, 2}));
  form.SetLeft(3e38f);
  EXPECT_EQ(DisplayRect(form, screen).x, 1 << 30);
  EXPECT_EQ(TwipsToPixels(100, 0), 0);
  const struct {
    std::uint32_t color;
    ShownColor shown;
  } colors[] = {{0xFFFFFFFF, {false, 0xFFFFFF}}, {0x00FF0000, {false, 0xFF0000}},
                {0x8000000F, {true, 15}},        {0x80000000, {true, 0}},
                {0x8000001E, {true, 30}},        {0x8000001F, {false, 0x00001F}},
                {0x81000005, {false, 0x000005}}, {0x01000000, {false, 0}}};
  for (const auto& c : colors) {
    EXPECT_EQ(DisplayColor(static_cast<std::int32_t>(c.color)), c.shown) << std::hex << c.color;
  }
}

}  // namespace
}  // namespace plumbmark::forms
