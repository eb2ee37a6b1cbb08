// The first start, with no settings file in the program folder.
#include <filesystem>

#include "harness/plumbmark_test.h"

namespace plumbmark::e2e {
namespace {

using FirstStart = PlumbmarkTest;

TEST_F(FirstStart, ShowsFivePixelBlueLinesOnePixelBesideThePointer) {
  const Look look{.pointerX = 300, .pointerY = 200};
  StartProgram(look);  // waits for exactly this picture, pixel for pixel

  const Image screen = x().CaptureScreen();
  EXPECT_EQ(ColorText(screen.At(300, 200)), ColorText(0x000000)) << "the pointer's own pixel";
  EXPECT_EQ(ColorText(screen.At(301, 200)), ColorText(kDefaultBlue)) << "first vertical column";
  EXPECT_EQ(ColorText(screen.At(305, 0)), ColorText(kDefaultBlue)) << "last vertical column";
  EXPECT_EQ(ColorText(screen.At(306, 0)), ColorText(0x000000));
  EXPECT_EQ(ColorText(screen.At(300, 201)), ColorText(kDefaultBlue)) << "first horizontal row";
  EXPECT_EQ(ColorText(screen.At(0, 205)), ColorText(kDefaultBlue)) << "last horizontal row";
  EXPECT_EQ(ColorText(screen.At(0, 206)), ColorText(0x000000));
}

TEST_F(FirstStart, CreatesNoFile) {
  Look look{.pointerX = 100, .pointerY = 100};
  StartProgram(look);
  // A key handled after start-up shows that start-up is over.
  look.color = ScreenColor(65280);
  ASSERT_TRUE(PressAndExpect(XK_Tab, look));

  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(session().programFolder())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"plumbmark.exe"});
}

}  // namespace
}  // namespace plumbmark::e2e
