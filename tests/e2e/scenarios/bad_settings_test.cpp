// Settings the program cannot use: a size beyond 16 bits, a folder it cannot
// write to, and text that is no setting at all.
#include <filesystem>

#include "harness/plumbmark_test.h"

namespace plumbmark::e2e {
namespace {

using BadSettings = PlumbmarkTest;

// A message box of the program: Wine's dialog class with the title.
const ProbeWindow* MessageBoxTitled(const ProbeReport& seen, const std::string& title) {
  for (const ProbeWindow& window : seen.windows) {
    if (window.className == "#32770" && window.title == title) return &window;
  }
  return nullptr;
}

TEST_F(BadSettings, OversizedSizeReportsTheOverflowAndEndsWithoutTouchingTheFile) {
  const std::string stored = SettingsFileText({.size = 40000, .color = 255, .horizon = 1});
  session().WriteSettings(stored);
  x().MovePointer(300, 300);
  Program& program = session().Launch();

  ASSERT_TRUE(program.WaitForWindow("Plumbmark", kStartDeadline));
  ProbeReport seen;
  ASSERT_TRUE(PollUntil([&] {
    seen = session().Probe();
    return MessageBoxTitled(seen, "Plumbmark") != nullptr;
  })) << "no error message";
  EXPECT_EQ(MessageBoxTitled(seen, "Plumbmark")->StaticText(),
            "実行時エラー '6':\n\nオーバーフローしました。");
  EXPECT_EQ(program.Windows().size(), 1u) << "a line window was shown";

  ASSERT_TRUE(AnswerMessageBox(program, "Plumbmark"));
  const auto status = program.WaitForExit();
  ASSERT_TRUE(status) << "the program did not end";
  EXPECT_TRUE(WaitForLook(x(), Look{.vertical = 0, .horizontal = 0})) << "lines left on screen";
  EXPECT_TRUE(SettingsAre(stored));
}

// As root Wine writes through any permission bits; a folder in the file's
// place makes every write fail for anyone.
struct UnwritableCase {
  const char* name;
  KeySym key;
  bool ends;
};

// Names the case in test output.
void PrintTo(const UnwritableCase& c, std::ostream* out) { *out << c.name; }

class UnwritableFolder : public PlumbmarkTest,
                         public ::testing::WithParamInterface<UnwritableCase> {};

TEST_P(UnwritableFolder, ReportsTheFailedSave) {
  const UnwritableCase& c = GetParam();
  std::filesystem::create_directory(session().settingsFile());
  Look look{.pointerX = 350, .pointerY = 250};
  Program& program = StartProgram(look);  // a folder reads as no file: the defaults
  x().PressKey(c.key);
  ASSERT_TRUE(program.WaitForWindow(kErrorTitle)) << "no report of the failed save";

  const ProbeReport seen = session().Probe();
  const ProbeWindow* box = MessageBoxTitled(seen, kErrorTitle);
  ASSERT_NE(box, nullptr);
  const std::string text = box->StaticText();
  EXPECT_EQ(text.rfind("線のスタイルを保存できませんでした。", 0), 0u) << text;
  EXPECT_TRUE(text.ends_with("\\Plumbmark.ini")) << text;
  EXPECT_EQ(MessageBoxTitled(seen, kSavedTitle), nullptr) << "a confirmation beside the error";

  ASSERT_TRUE(AnswerMessageBox(program, kErrorTitle));
  if (c.ends) {
    EXPECT_TRUE(program.WaitForExit()) << "Esc did not end the program";
  } else {
    ASSERT_TRUE(WaitForForeground("Plumbmark"));
    look.color = ScreenColor(65280);
    ASSERT_TRUE(PressAndExpect(XK_Tab, look));
    EXPECT_FALSE(program.FindWindow(kSavedTitle)) << "the failed save was confirmed";
  }
  EXPECT_TRUE(std::filesystem::is_directory(session().settingsFile()));
}

INSTANTIATE_TEST_SUITE_P(BadSettings, UnwritableFolder,
                         ::testing::Values(UnwritableCase{"S", XK_s, false},
                                           UnwritableCase{"Esc", XK_Escape, true}),
                         [](const auto& test) { return std::string(test.param.name); });

// Text the platform's profile reader finds no value in gives the defaults;
// what it does read, it reads its own way (any case, spaces trimmed, digits
// up to the first other character).
struct ReaderCase {
  const char* name;
  std::string file;
  Look look;
};

// Names the case in test output.
void PrintTo(const ReaderCase& c, std::ostream* out) { *out << c.name; }

class SettingsReader : public PlumbmarkTest, public ::testing::WithParamInterface<ReaderCase> {};

TEST_P(SettingsReader, StartsWithWhatThePlatformReaderFinds) {
  const ReaderCase& c = GetParam();
  session().WriteSettings(c.file);
  Look look = c.look;
  look.pointerX = 512;
  look.pointerY = 300;
  StartProgram(look);  // waits for exactly this picture
  const auto after = session().ReadSettings();
  ASSERT_TRUE(after);
  EXPECT_EQ(*after, c.file) << "start-up changed the file";
}

INSTANTIATE_TEST_SUITE_P(
    BadSettings, SettingsReader,
    ::testing::Values(
        ReaderCase{
            "BinaryJunk", std::string("\x00\x01\xFF\xFEgarbage\x7F\r\n=5\r\n]]\r\n", 20), {}},
        ReaderCase{"EmptyValues",
                   "[Plumbmark]\r\nSize=\r\nColor=\r\nVertical=\r\nInterval=\r\nHorizon=\r\n",
                   {}},
        ReaderCase{
            "OtherSections", "[Plumbmarks]\r\nSize=9\r\n[Plumbmark.ini]\r\nColor=255\r\n", {}},
        ReaderCase{"NoEqualsSigns", "[Plumbmark]\r\nSize 9\r\nColor:255\r\n", {}},
        ReaderCase{"CaseAndSpaces",
                   "[PLUMBMARK]\r\n  size =  8  \r\nCOLOR=255\r\n",
                   {.color = ScreenColor(255), .vertical = 8, .horizontal = 8}},
        ReaderCase{
            "TrailingLetters", "[Plumbmark]\r\nSize=7px\r\n", {.vertical = 7, .horizontal = 7}}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace plumbmark::e2e
