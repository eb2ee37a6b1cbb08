// Saving with S and Esc, the round trip through the next start, and the
// failures a user must hear about.
#include "program_fixture.h"

namespace plumbmark::testing {
namespace {

const char kDefaultFile[] =
    "[Plumbmark]\r\nSize=5\r\nColor=16711680\r\nVertical=0\r\nInterval=100\r\nHorizon=0\r\n";

class SaveTest : public ProgramTest {
 protected:
  // A second run of the program on the same folder, as the next start.
  struct NextRun {
    explicit NextRun(const fs::path& folder) {
      backend.appPath = folder.string();
      backend.Attach(app);
      EXPECT_TRUE(program.Start());
    }
    forms::headless::HeadlessBackend backend;
    forms::Application app{backend};
    Plumbmark program{app};
  };
};

TEST_F(SaveTest, SWritesTheFiveKeysInOrderAndConfirms) {
  ASSERT_TRUE(Start());
  Press(kS);
  EXPECT_EQ(ReadIni(), kDefaultFile);
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].text, "線のスタイルを保存しました。");
  EXPECT_EQ(backend.messageBoxes[0].title, "保存完了");
  EXPECT_EQ(backend.messageBoxes[0].style, 0);
  EXPECT_FALSE(backend.quit());
}

TEST_F(SaveTest, SavingTwiceLeavesTheFileAsItWas) {
  ASSERT_TRUE(Start());
  Press(kS);
  const auto written = fs::last_write_time(IniFile());
  Press(kS);
  EXPECT_EQ(ReadIni(), kDefaultFile);
  EXPECT_EQ(fs::last_write_time(IniFile()), written);
}

TEST_F(SaveTest, EscSavesAndEndsWithEveryWindowClosed) {
  ASSERT_TRUE(Start());
  Press(kUp, 2);
  Press(kTab);
  Press(kEscape);
  EXPECT_TRUE(backend.quit());
  EXPECT_TRUE(backend.messageBoxes.empty());
  EXPECT_FALSE(tate.loaded());
  EXPECT_FALSE(yoko.loaded());
  EXPECT_EQ(ReadIni(),
            "[Plumbmark]\r\nSize=7\r\nColor=65280\r\nVertical=0\r\nInterval=100\r\nHorizon=0\r\n");
  const auto ticks = backend.ticks();
  backend.AdvanceTime(1000);
  EXPECT_EQ(backend.ticks(), ticks);  // no event after the end
}

TEST_F(SaveTest, AStyleComesBackAtTheNextStart) {
  ASSERT_TRUE(Start());
  Press(kDown, 2);
  Press(kTab, 3);
  Press(kShift);
  Press(kI);
  backend.PickEntry(program.frmSetRelode.cmbTime, 6);
  backend.PressButton(program.frmSetRelode.cmbSet);
  Press(kEscape);
  EXPECT_EQ(ReadIni(),
            "[Plumbmark]\r\nSize=3\r\nColor=33023\r\nVertical=0\r\nInterval=350\r\nHorizon=1\r\n");
  NextRun next(folder_);
  FrmTate& again = next.program.frmTate;
  EXPECT_EQ(again.LineSize, 3);
  EXPECT_EQ(again.BackColor(), 33023);
  EXPECT_EQ(again.getMousePos.Interval(), 350);
  EXPECT_EQ(again.VerticalHidden, 0);
  EXPECT_EQ(again.HorizontalHidden, -1);
  EXPECT_FLOAT_EQ(next.program.frmYoko.Height(), 0);
  next.backend.PressKey(kShift);  // the hidden line comes back at its thickness
  EXPECT_FLOAT_EQ(next.program.frmYoko.Height(), 45);
}

TEST_F(SaveTest, HiddenVerticalLineRoundTrips) {
  WriteSettings(9, 255, 1, 100, 0);
  ASSERT_TRUE(Start());
  Press(kS);
  EXPECT_NE(ReadIni().find("Size=9\r\nColor=255\r\nVertical=1\r\n"), std::string::npos);
  NextRun next(folder_);
  EXPECT_EQ(next.program.frmTate.VerticalHidden, -1);
  EXPECT_FLOAT_EQ(next.program.frmTate.Width(), 0);
}

TEST_F(SaveTest, FlagsAreWrittenAsOneOrZeroWhateverWasRead) {
  WriteSettings(5, 0, 2, 75, -1);
  ASSERT_TRUE(Start());
  Press(kS);
  EXPECT_EQ(ReadIni(),
            "[Plumbmark]\r\nSize=5\r\nColor=0\r\nVertical=0\r\nInterval=75\r\nHorizon=0\r\n");
}

TEST_F(SaveTest, F1HiddenLinesSaveAsShown) {
  ASSERT_TRUE(Start());
  Press(kF1);
  Press(kS);
  EXPECT_EQ(ReadIni(), kDefaultFile);
}

TEST_F(SaveTest, OutOfRangeValuesAreWrittenBackAsRead) {
  WriteSettings(-4, -16777216, 0, -100, 0);
  ASSERT_TRUE(Start());
  Press(kS);
  EXPECT_EQ(ReadIni(), "[Plumbmark]\r\nSize=-4\r\nColor=-16777216\r\nVertical=0\r\n"
                       "Interval=-100\r\nHorizon=0\r\n");
}

TEST_F(SaveTest, OtherSectionsKeysAndCommentsSurviveASave) {
  const std::string before =
      "; my crosshair\n[Other]\nkey = value\n\n[Plumbmark]\nSize=8 ; thick\nExtra=1\n"
      "Color=255\n\n[Tail]\nx=1\n";
  WriteIni(before);
  ASSERT_TRUE(Start());
  Press(kS);
  EXPECT_EQ(ReadIni(),
            "; my crosshair\n[Other]\nkey = value\n\n[Plumbmark]\nSize=8\nExtra=1\nColor=255\n"
            "Vertical=0\nInterval=100\nHorizon=0\n\n[Tail]\nx=1\n");
}

TEST_F(SaveTest, AppliedButUnsavedChangesAreLostOnClose) {
  WriteIni(kDefaultFile);
  ASSERT_TRUE(Start());
  Press(kUp);
  Press(kC);
  backend.PickEntry(program.frmSetColor.selColor, 3);
  backend.PressButton(program.frmSetColor.cmdSetColor);
  EXPECT_EQ(ReadIni(), kDefaultFile);  // a dialog saves nothing
  backend.ClickCloseBox(tate);
  EXPECT_TRUE(backend.quit());
  EXPECT_FALSE(yoko.loaded());  // no orphaned horizontal line
  EXPECT_EQ(ReadIni(), kDefaultFile);
}

TEST_F(SaveTest, ClosingTheHorizontalLineEndsTheProgramToo) {
  ASSERT_TRUE(Start());
  backend.ClickCloseBox(yoko);
  EXPECT_TRUE(backend.quit());
  EXPECT_FALSE(tate.loaded());
  EXPECT_FALSE(fs::exists(IniFile()));
}

class UnwritableFolderTest : public SaveTest {
 protected:
  UnwritableFolderTest() { backend.appPath = (folder_ / "no such folder").string(); }
  void ExpectSaveErrorShown(std::size_t index) const {
    ASSERT_GT(backend.messageBoxes.size(), index);
    const auto& box = backend.messageBoxes[index];
    EXPECT_EQ(box.title, "エラー");
    EXPECT_EQ(box.style, 16);
    EXPECT_NE(box.text.find("線のスタイルを保存できませんでした。"), std::string::npos);
    EXPECT_NE(box.text.find((folder_ / "no such folder" / "Plumbmark.ini").string()),
              std::string::npos);
  }
};

TEST_F(UnwritableFolderTest, SReportsTheFailureInsteadOfConfirming) {
  ASSERT_TRUE(Start());
  Press(kS);
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  ExpectSaveErrorShown(0);
  EXPECT_FALSE(backend.quit());
  const std::vector<std::string> writes(backend.profileCalls.begin() + 6,
                                        backend.profileCalls.end());
  EXPECT_EQ(writes, (std::vector<std::string>{"put Size=5", "put Color=16711680", "put Vertical=0",
                                              "put Interval=100", "put Horizon=0"}));
}

TEST_F(UnwritableFolderTest, EscReportsTheFailureThenEnds) {
  ASSERT_TRUE(Start());
  bool endedWhileShown = true;
  backend.onMessageBox = [&](const auto&) { endedWhileShown = backend.quit(); };
  Press(kEscape);
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  ExpectSaveErrorShown(0);
  EXPECT_FALSE(endedWhileShown);
  EXPECT_TRUE(backend.quit());
}

TEST_F(UnwritableFolderTest, ASettingsPathThatIsAFolderFailsToo) {
  backend.appPath = folder_.string();
  fs::create_directory(IniFile());
  ASSERT_TRUE(Start());
  EXPECT_EQ(tate.LineSize, 5);
  Press(kS);
  ASSERT_EQ(backend.messageBoxes.size(), 1u);
  EXPECT_EQ(backend.messageBoxes[0].title, "エラー");
}

}  // namespace
}  // namespace plumbmark::testing
