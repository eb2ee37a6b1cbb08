// The Win32 backend's pure helpers: the screen from any arrangement of
// monitors, where a line's real window goes, the single-instance lock's
// answer, the settings file's path guard, UTF-8/UTF-16 text and the
// program's folder from its path.
#include "desktop.h"
#include "line_placement.h"
#include "lock_answer.h"
#include "module_path.h"
#include "profile_guard.h"
#include "program_fixture.h"
#include "wide_text.h"

namespace plumbmark::testing {
namespace {

using win32::MonitorState;

// The primary's size and scaling, and a desktop from the leftmost to the
// rightmost and the topmost to the lowest monitor edge.
TEST(Desktop, SpansEveryMonitorWhereverEachLies) {
  const std::tuple<const char*, std::vector<MonitorState>, forms::ScreenMetrics> cases[] = {
      {"one", {{{0, 0, 1920, 1080}, 96, true}}, {1920, 1080, 15, 15, {0, 0, 1920, 1080}}},
      {"left of the primary",
       {{{0, 0, 1920, 1080}, 144, true}, {{-1280, 100, 1280, 1024}, 96, false}},
       {1920, 1080, 10, 10, {-1280, 0, 3200, 1124}}},
      {"above, primary listed last",
       {{{-200, -900, 1600, 900}, 120, false}, {{0, 0, 1024, 768}, 120, true}},
       {1024, 768, 12, 12, {-200, -900, 1600, 1668}}},
      {"stacked below and right",
       {{{0, 0, 800, 600}, 0, true}, {{300, 600, 1024, 768}, 96, false}},
       {800, 600, 15, 15, {0, 0, 1324, 1368}}},
      {"none marked primary",
       {{{10, 20, 640, 480}, 168, false}},
       {640, 480, 1440.0f / 168, 1440.0f / 168, {10, 20, 640, 480}}},
  };
  for (const auto& [name, monitors, screen] : cases) {
    EXPECT_EQ(win32::ScreenOf(monitors), screen) << name;
  }
}

TEST(LinePlacement, KeepsOneRealPixelOnTheDesktopAndShowsNothingThere) {
  const PixelRect desktop{0, 0, 1280, 800};
  const std::tuple<const char*, PixelRect, PixelRect, bool> cases[] = {
      {"vertical line", {301, 0, 5, 800}, {301, 0, 5, 800}, false},
      {"horizontal line", {0, 201, 1280, 5}, {0, 201, 1280, 5}, false},
      {"hidden vertical", {301, 0, 0, 800}, {301, 0, 1, 800}, true},
      {"hidden horizontal", {0, 201, 1280, 0}, {0, 201, 1280, 1}, true},
      {"past the right edge", {1280, 0, 5, 800}, {1279, 0, 5, 800}, true},
      {"past the bottom edge", {0, 800, 1280, 5}, {0, 799, 1280, 5}, true},
      {"partly past the right edge", {1278, 0, 5, 800}, {1278, 0, 5, 800}, false},
      {"far left", {-40, 0, 5, 800}, {-4, 0, 5, 800}, true},
      {"hidden and past the edge", {1280, 0, 0, 800}, {1279, 0, 1, 800}, true},
  };
  for (const auto& [name, wanted, window, showsNothing] : cases) {
    EXPECT_EQ(win32::PlaceLine(wanted, desktop), (win32::LinePlacement{window, showsNothing}))
        << name;
  }
  const PixelRect leftOfPrimary{-1920, 0, 3200, 1080};
  EXPECT_EQ(win32::PlaceLine({-1000, 0, 5, 1080}, leftOfPrimary),
            (win32::LinePlacement{{-1000, 0, 5, 1080}, false}));
}

// A lock that existed, or that we may not open (a copy running elevated or
// as another user made it), is another copy; another error is a failure.
TEST(LockAnswer, AnExistingOrForbiddenLockIsAnotherCopy) {
  using win32::LockAnswer;
  const std::tuple<bool, std::uint32_t, LockAnswer> cases[] = {
      {true, 0, LockAnswer::kOurs},
      {true, win32::kErrorAlreadyExists, LockAnswer::kAnotherCopy},
      {false, win32::kErrorAccessDenied, LockAnswer::kAnotherCopy},
      {false, 6, LockAnswer::kFailed},  // the name taken by another kind of object
      {false, 0, LockAnswer::kFailed}};
  for (const auto& [opened, error, answer] : cases) {
    EXPECT_EQ(win32::ReadLockAnswer(opened, error), answer) << opened << " " << error;
  }
}

// Stands for the system's profile functions and counts the calls that reach them.
struct CountingProfile {
  std::size_t fullPathLength;  // what GetFullPathNameW reports, with the NUL
  int calls = 0;
  std::size_t FullPathLength(const std::wstring&) const { return fullPathLength; }
  std::int32_t ReadInt(const auto&...) { return ++calls, 7; }
  bool Write(const auto&...) { return ++calls, true; }
};

// A path whose full form does not fit MAX_PATH, given long or made long from
// a relative one, is neither read nor written: Windows' profile functions
// cannot take it, and Wine's take it wrongly.
TEST(ProfileGuard, APathTooLongForTheProfileFunctionsIsNeitherReadNorWritten) {
  const std::tuple<std::string, std::size_t, bool> cases[] = {
      {"C:\\Tools\\Plumbmark.ini", 23, true},
      {std::string(259, 'd'), 260, true},
      {std::string(260, 'd'), 261, false},
      {"Plumbmark.ini", 261, false},
      {"C:\\x.ini", 0, false}};
  for (const auto& [file, full, fits] : cases) {
    CountingProfile system{full};
    win32::GuardedProfile profile(system);
    EXPECT_EQ(profile.ReadInt("Plumbmark", "Size", 5, file), fits ? 7 : 5) << file.size();
    EXPECT_EQ(profile.Write("Plumbmark", "Size", "6", file), fits) << file.size();
    EXPECT_EQ(system.calls, fits ? 2 : 0) << file.size();
  }
}

// UTF-16 code units (as the system's wide strings hold them) and WTF-8.
TEST(WideText, KeepsEveryCodePointAndEvenALoneSurrogate) {
  const std::pair<std::wstring, std::string> cases[] = {
      {L"C:\\Tools", "C:\\Tools"},
      {{0x7DDA, L' ', 0x3A9}, "線 Ω"},
      {{0xD83D, 0xDE00}, "\xF0\x9F\x98\x80"},         // an emoji, outside the first plane
      {{0xD842, 0xDFB7, L'x'}, "\xF0\xA0\xAE\xB7x"},  // a rare CJK character
      {{0xD800, L'a'}, "\xED\xA0\x80\x61"},           // a lone high surrogate, then "a"
      {{0xDC00}, "\xED\xB0\x80"},                     // a lone low surrogate
  };
  for (const auto& [wide, narrow] : cases) {
    EXPECT_EQ(win32::NarrowText(wide), narrow);
    EXPECT_EQ(win32::WideText(narrow), wide);
  }
  // Malformed, overlong and out-of-range forms each become U+FFFD.
  const std::pair<std::string, std::wstring> malformed[] = {
      {"\x80", {0xFFFD}},
      {"\xC0\xAF", {0xFFFD, 0xFFFD}},
      {"\xE7\xB7", {0xFFFD, 0xFFFD}},
      {"\xF4\x90\x80\x80", {0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}}};
  for (const auto& [narrow, wide] : malformed) EXPECT_EQ(win32::WideText(narrow), wide);
}

TEST(ModulePath, TheFolderKeepsItsBackslashOnlyAtADrivesRoot) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"C:\\Tools\\plumbmark.exe", L"C:\\Tools"},
      {L"C:\\plumbmark.exe", L"C:\\"},
      {L"\\\\?\\C:\\plumbmark.exe", L"\\\\?\\C:\\"},
      {L"\\\\server\\share\\p.exe", L"\\\\server\\share"},
      {L"plumbmark.exe", L""}};
  for (const auto& [module, folder] : cases) EXPECT_EQ(win32::FolderOfModule(module), folder);
}

}  // namespace
}  // namespace plumbmark::testing
