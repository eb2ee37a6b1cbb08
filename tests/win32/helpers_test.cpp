// The Win32 backend's pure rules, run natively: WTF-8 conversion at the API
// boundary, the program folder from the module path, and where a line's
// real window goes.
#include <string>
#include <vector>

#include "check.h"
#include "platform/win32/line_placement.h"
#include "platform/win32/module_path.h"
#include "platform/win32/text.h"

namespace {

using plumbmark::forms::PixelRect;
using plumbmark::win32::FolderOfModule;
using plumbmark::win32::NarrowText;
using plumbmark::win32::PlaceLine;
using plumbmark::win32::WideText;

// Code units as hex, so that a mismatch prints readably.
std::string Units(const std::wstring& text) {
  std::string out;
  for (wchar_t unit : text) out += std::to_string(static_cast<unsigned>(unit)) + " ";
  return out;
}

std::string Rect(const PixelRect& r) {
  return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
         std::to_string(r.height);
}

void TextRoundTrips() {
  struct Case {
    const char* name;
    std::wstring wide;
    std::string narrow;
  };
  const std::vector<Case> cases = {
      {"ASCII", L"Plumbmark.ini", "Plumbmark.ini"},
      {"Japanese", L"\u4fdd\u5b58\u5b8c\u4e86", "\xe4\xbf\x9d\xe5\xad\x98\xe5\xae\x8c\xe4\xba\x86"},
      {"two-byte", L"caf\u00e9", "caf\xc3\xa9"},
      {"surrogate pair", std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}, "\xf0\x9f\x98\x80"},
      {"lone high surrogate", std::wstring{L'a', wchar_t(0xD800), L'b'},
       "a\xed\xa0\x80"
       "b"},
      {"lone low surrogate", std::wstring{wchar_t(0xDC00)}, "\xed\xb0\x80"},
      {"reversed pair", std::wstring{wchar_t(0xDC00), wchar_t(0xD800)}, "\xed\xb0\x80\xed\xa0\x80"},
      {"empty", L"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NarrowText(c.wide), c.narrow, std::string("narrow ") + c.name);
    EXPECT_EQ(Units(WideText(c.narrow)), Units(c.wide), std::string("wide ") + c.name);
  }
}

void MalformedBytesBecomeReplacement() {
  const std::wstring replacement(1, wchar_t(0xFFFD));
  struct Case {
    const char* name;
    std::string narrow;
    std::wstring wide;
  };
  const std::vector<Case> cases = {
      {"stray continuation", "\x80", replacement},
      {"truncated sequence", "a\xe4\xbf", L"a" + replacement + replacement},
      {"overlong slash", "\xc0\xaf", replacement + replacement},
      {"beyond U+10FFFF", "\xf4\x90\x80\x80",
       replacement + replacement + replacement + replacement},
      {"invalid lead",
       "\xff"
       "z",
       replacement + L"z"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Units(WideText(c.narrow)), Units(c.wide), std::string("malformed ") + c.name);
  }
}

void ProgramFolder() {
  struct Case {
    std::wstring module;
    std::wstring folder;
  };
  const std::vector<Case> cases = {
      {L"C:\\Tools\\Plumbmark\\plumbmark.exe", L"C:\\Tools\\Plumbmark"},
      {L"C:\\plumbmark.exe", L"C:\\"},
      {L"\\\\?\\C:\\plumbmark.exe", L"\\\\?\\C:\\"},
      {L"\\\\?\\C:\\very\\long\\plumbmark.exe", L"\\\\?\\C:\\very\\long"},
      {L"\\\\server\\share\\plumbmark.exe", L"\\\\server\\share"},
      {L"D:\\\u30c4\u30fc\u30eb\\plumbmark.exe", L"D:\\\u30c4\u30fc\u30eb"},
      {L"plumbmark.exe", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NarrowText(FolderOfModule(c.module)), NarrowText(c.folder),
              "folder of " + NarrowText(c.module));
  }
}

void LinePlacement() {
  const PixelRect desktop{0, 0, 1280, 800};
  struct Case {
    const char* name;
    PixelRect wanted;
    PixelRect window;
    bool showsNothing;
  };
  const std::vector<Case> cases = {
      {"vertical line", {301, 0, 5, 800}, {301, 0, 5, 800}, false},
      {"horizontal line", {0, 201, 1280, 5}, {0, 201, 1280, 5}, false},
      {"hidden vertical keeps one pixel", {301, 0, 0, 800}, {301, 0, 1, 800}, true},
      {"hidden horizontal keeps one pixel", {0, 201, 1280, 0}, {0, 201, 1280, 1}, true},
      {"past the right edge keeps one pixel on", {1280, 0, 5, 800}, {1279, 0, 5, 800}, true},
      {"past the bottom edge keeps one pixel on", {0, 800, 1280, 5}, {0, 799, 1280, 5}, true},
      {"partly past the right edge is drawn", {1278, 0, 5, 800}, {1278, 0, 5, 800}, false},
      {"far left of the desktop", {-40, 0, 5, 800}, {-4, 0, 5, 800}, true},
      {"hidden and past the edge", {1280, 0, 0, 800}, {1279, 0, 1, 800}, true},
  };
  for (const Case& c : cases) {
    const auto placement = PlaceLine(c.wanted, desktop);
    EXPECT_EQ(Rect(placement.window), Rect(c.window), std::string("window: ") + c.name);
    EXPECT_EQ(placement.showsNothing, c.showsNothing, std::string("shows nothing: ") + c.name);
  }
  // A desktop that starts left of the primary monitor (a second screen there).
  const PixelRect wide{-1920, 0, 3200, 1080};
  EXPECT_EQ(Rect(PlaceLine({-1000, 0, 5, 1080}, wide).window), std::string("-1000,0 5x1080"),
            "line on a monitor left of the primary one");
}

}  // namespace

int main() {
  TextRoundTrips();
  MalformedBytesBecomeReplacement();
  ProgramFolder();
  LinePlacement();
  return plumbmark::wintest::Failures() == 0 ? 0 : 1;
}
