// The settings path: the program folder and the file name joined by exactly
// one separator of the platform's kind.
#include "program_fixture.h"
#include "settings/settings_file.h"

namespace plumbmark::testing {
namespace {

TEST(SettingsPath, ExactlyOneSeparatorBetweenFolderAndName) {
  const struct {
    const char* folder;
    char separator;
    const char* expected;
  } cases[] = {
      {"C:\\Tools\\Plumbmark", '\\', "C:\\Tools\\Plumbmark\\Plumbmark.ini"},
      {"C:\\", '\\', "C:\\Plumbmark.ini"},  // a drive's root ends in a backslash
      {"\\\\server\\share\\", '\\', "\\\\server\\share\\Plumbmark.ini"},
      {"D:\\ツール", '\\', "D:\\ツール\\Plumbmark.ini"},
      {"/opt/plumbmark", '/', "/opt/plumbmark/Plumbmark.ini"},
      {"/", '/', "/Plumbmark.ini"},
      {"", '/', "/Plumbmark.ini"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(settings::SettingsPath(c.folder, c.separator), c.expected) << c.folder;
  }
}

class StartupPathTest : public ProgramTest {};

TEST_F(StartupPathTest, FolderWithAndWithoutTrailingSeparatorFindTheSameFile) {
  WriteSettings(8, 255, 0, 100, 0);
  for (const std::string& folder : {folder_.string(), folder_.string() + "/"}) {
    forms::headless::HeadlessBackend otherBackend;
    forms::Application otherApp(otherBackend);
    otherBackend.Attach(otherApp);
    otherBackend.appPath = folder;
    Plumbmark other(otherApp);
    ASSERT_TRUE(other.Start());
    EXPECT_EQ(other.frmTate.IniPath, (folder_ / "Plumbmark.ini").string());
    EXPECT_EQ(other.frmTate.LineSize, 8);
  }
}

}  // namespace
}  // namespace plumbmark::testing
