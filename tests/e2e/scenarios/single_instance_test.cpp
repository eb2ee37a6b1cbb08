// A second copy refuses to start and leaves the first one alone.
#include "harness/plumbmark_test.h"

namespace plumbmark::e2e {
namespace {

using SecondCopy = PlumbmarkTest;

TEST_F(SecondCopy, IsRefusedWithAMessageAndTheFirstRunsOn) {
  Look look{.pointerX = 256, .pointerY = 192};
  Program& first = StartProgram(look);
  Program& second = session().Launch();
  ASSERT_TRUE(second.WaitForWindow(kErrorTitle, kStartDeadline)) << "no refusal";

  const ProbeReport seen = session().Probe();
  const ProbeWindow* box = seen.Find(kErrorTitle);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->StaticText(), kSecondCopyText);
  EXPECT_EQ(second.Windows().size(), 1u) << "the second copy showed more than its message";
  EXPECT_EQ(first.Windows().size(), 2u);

  ASSERT_TRUE(AnswerMessageBox(second, kErrorTitle));
  ASSERT_TRUE(second.WaitForExit()) << "the second copy did not end";
  EXPECT_TRUE(second.Windows().empty());

  ASSERT_TRUE(first.Running());
  ASSERT_TRUE(MovePointer(look, 600, 300)) << "the first copy stopped following the pointer";
  ASSERT_TRUE(ActivateLines());
  look.color = ScreenColor(65280);
  ASSERT_TRUE(PressAndExpect(XK_Tab, look)) << "the first copy stopped taking keys";
  EXPECT_FALSE(session().ReadSettings());
}

}  // namespace
}  // namespace plumbmark::e2e
