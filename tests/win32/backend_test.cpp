// The Win32 backend on the real program, under Wine with a display, where
// Wine is more forgiving than Windows: the keys that would put a line into
// the window menu's loop, and who has the keyboard after a box or a dialog.
#include <cstdio>
#include <cwchar>
#include <functional>
#include <utility>
#include <vector>

#include "program.h"
#include "win32_backend.h"

// The import slot through which the backend calls the system's default
// window procedure; the spy below takes its place.
extern "C" decltype(&DefWindowProcW) __imp_DefWindowProcW;

namespace plumbmark::testing {
namespace {

decltype(&DefWindowProcW) systemDefault = nullptr;
std::vector<WPARAM> defaultCommands;  // each WM_SYSCOMMAND that reached it

LRESULT WINAPI SpyDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND) defaultCommands.push_back(wParam & 0xFFF0);
  return systemDefault(window, message, wParam, lParam);
}

int failures = 0;

// Counts and prints a check that does not hold.
void Check(bool holds, const char* what, int line) {
  if (holds) return;
  std::printf("line %d: %s\n", line, what);
  ++failures;
}
#define CHECK(condition) Check((condition), #condition, __LINE__)

// The program started on the Win32 backend, as the exe starts it.
struct ProgramRun {
  ProgramRun() {
    backend.Attach(app);
    CHECK(program.Start());
    CHECK(GetActiveWindow() == Window(program.frmTate));
  }
  ~ProgramRun() {
    // Ends as the program ends, through a line's close box, and drops the
    // quit message that ending posts: the next check's loops must not see it.
    Pump();
    app.RaiseClose(program.frmTate);
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  static HWND Window(forms::Form& form) { return win32::ToHwnd(form.hWnd()); }
  // Handles what is queued, as the message loop would.
  static void Pump() {
    const DWORD until = GetTickCount() + 300;
    while (GetTickCount() < until) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
        DispatchMessageW(&message);
      }
    }
  }

  win32::Win32Backend backend{GetModuleHandleW(nullptr)};
  forms::Application app{backend};
  Plumbmark program{app};
};

// Windows runs the window menu's modal loop for SC_KEYMENU without a
// character (F10, or Alt pressed and released alone), and the keys typed
// next go to the menu; Wine's default procedure returns at once instead.
void F10AndALoneAltNeverReachTheSystemsMenuLoop(ProgramRun& run) {
  DWORD protect = 0;
  VirtualProtect(&__imp_DefWindowProcW, sizeof(void*), PAGE_READWRITE, &protect);
  systemDefault = std::exchange(__imp_DefWindowProcW, &SpyDefault);
  for (HWND line : {run.Window(run.program.frmTate), run.Window(run.program.frmYoko)}) {
    for (WPARAM key : {VK_F10, VK_MENU}) {
      SendMessageW(line, WM_SYSKEYDOWN, key, 0);
      SendMessageW(line, WM_SYSKEYUP, key, static_cast<LPARAM>(0xC0000001));
    }
    SendMessageW(line, WM_SYSCOMMAND, SC_KEYMENU, 0);
    SendMessageW(line, WM_SYSCOMMAND, SC_RESTORE, 0);  // passed on: the spy sees it
  }
  __imp_DefWindowProcW = systemDefault;
  CHECK((defaultCommands == std::vector<WPARAM>{SC_RESTORE, SC_RESTORE}));
}

// A box over the horizontal line (an error while it had the keyboard) gives
// the keyboard to the vertical line afterwards; Windows would give it back
// to the box's owner, where no key has a command.
void AfterABoxOverTheHorizontalLineTheVerticalLineHasTheKeyboard(ProgramRun& run) {
  SetActiveWindow(run.Window(run.program.frmYoko));
  SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND box = FindWindowW(L"#32770", L"box")) PostMessageW(box, WM_COMMAND, IDOK, 0);
    KillTimer(nullptr, timer);
  });
  run.backend.ShowMessageBox("closed by a timer", 0, "box");
  CHECK(GetActiveWindow() == run.Window(run.program.frmTate));
  CHECK(GetFocus() == run.Window(run.program.frmTate));
}

// When a dialog closes, Windows activates the window next in z-order: here
// the horizontal line, raised above the vertical one.
void WhenADialogClosesTheVerticalLineHasTheKeyboard(ProgramRun& run) {
  run.program.frmSetColor.Show();
  SetWindowPos(run.Window(run.program.frmYoko), HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  CHECK(GetActiveWindow() == run.Window(run.program.frmSetColor));
  run.program.frmSetColor.Unload();
  CHECK(GetActiveWindow() == run.Window(run.program.frmTate));
  CHECK(GetFocus() == run.Window(run.program.frmTate));
}

}  // namespace
}  // namespace plumbmark::testing

// Runs the check named on the command line on a program of its own (one a
// process, as the exe runs); without one, lists the checks. The exit code
// counts the failures.
int wmain(int argc, wchar_t** argv) {
  using namespace plumbmark::testing;
  const std::pair<const wchar_t*, void (*)(ProgramRun&)> checks[] = {
      {L"F10AndALoneAlt", F10AndALoneAltNeverReachTheSystemsMenuLoop},
      {L"BoxOverTheHorizontalLine", AfterABoxOverTheHorizontalLineTheVerticalLineHasTheKeyboard},
      {L"DialogCloses", WhenADialogClosesTheVerticalLineHasTheKeyboard}};
  for (const auto& [name, check] : checks) {
    if (argc < 2) {
      std::printf("%ls\n", name);
    } else if (std::wcscmp(argv[1], name) == 0) {
      ProgramRun run;
      check(run);
    }
  }
  return failures;
}
