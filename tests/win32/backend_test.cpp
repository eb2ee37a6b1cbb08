// The Win32 backend on the real program, under Wine with a display, where
// Wine is more forgiving than Windows: the keys that would put a line into
// the window menu's loop, and who has the keyboard after a box or a dialog.
// One check a process, as the exe runs; the exit code counts the failures.
#include <process.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <utility>
#include <vector>

#include "program.h"
#include "win32_backend.h"

// The import slot through which the backend calls the system's default
// window procedure; a spy takes its place.
extern "C" decltype(&DefWindowProcW) __imp_DefWindowProcW;

namespace plumbmark::testing {
namespace {

int failures = 0;
#define CHECK(holds) \
  if (!(holds)) std::printf("line %d: %s\n", __LINE__, #holds), ++failures

// The program started on the Win32 backend, as the exe starts it, and ended
// as the exe ends it.
struct ProgramRun {
  ProgramRun() {
    backend.Attach(app);
    CHECK(program.Start() && GetActiveWindow() == Tate());
  }
  ~ProgramRun() { app.RaiseClose(program.frmTate); }
  HWND Tate() { return win32::ToHwnd(program.frmTate.hWnd()); }
  HWND Yoko() { return win32::ToHwnd(program.frmYoko.hWnd()); }

  win32::Win32Backend backend{GetModuleHandleW(nullptr)};
  forms::Application app{backend};
  Plumbmark program{app};
};

decltype(&DefWindowProcW) systemDefault = nullptr;
std::vector<WPARAM> defaultCommands;  // each WM_SYSCOMMAND that reached it

LRESULT WINAPI SpyDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND) defaultCommands.push_back(wParam & 0xFFF0);
  return systemDefault(window, message, wParam, lParam);
}

// Windows runs the window menu's modal loop for SC_KEYMENU without a
// character (F10, or Alt pressed and released alone), and the keys typed
// next go to the menu; Wine's default procedure returns at once instead.
// Minimise and maximise from the system menu are refused as well.
void SystemMenuCommands(ProgramRun& run) {
  DWORD protect = 0;
  VirtualProtect(&__imp_DefWindowProcW, sizeof(void*), PAGE_READWRITE, &protect);
  systemDefault = std::exchange(__imp_DefWindowProcW, &SpyDefault);
  for (HWND line : {run.Tate(), run.Yoko()}) {
    for (WPARAM key : {VK_F10, VK_MENU}) {
      SendMessageW(line, WM_SYSKEYDOWN, key, 0);
      SendMessageW(line, WM_SYSKEYUP, key, static_cast<LPARAM>(0xC0000001));
    }
    for (WPARAM command : {SC_KEYMENU, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) {
      SendMessageW(line, WM_SYSCOMMAND, command, 0);  // only SC_RESTORE is passed on
    }
  }
  __imp_DefWindowProcW = systemDefault;
  CHECK((defaultCommands == std::vector<WPARAM>{SC_RESTORE, SC_RESTORE}));
}

// The keyboard goes back to the vertical line after a box over the
// horizontal line (an error while it had the keyboard: Windows gives it back
// to the box's owner, where no key has a command), and when the active dialog
// closes (Windows activates the window next in z-order: here the horizontal
// line, raised above the vertical one).
void KeyboardBack(ProgramRun& run) {
  SetActiveWindow(run.Yoko());
  SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
    PostMessageW(FindWindowW(L"#32770", L"box"), WM_COMMAND, IDOK, 0);
    KillTimer(nullptr, timer);
  });
  run.backend.ShowMessageBox("closed by a timer", 0, "box");
  CHECK(GetActiveWindow() == run.Tate() && GetFocus() == run.Tate());
  run.program.frmSetColor.Show();
  SetWindowPos(run.Yoko(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  CHECK(GetActiveWindow() == win32::ToHwnd(run.program.frmSetColor.hWnd()));
  run.program.frmSetColor.Unload();
  CHECK(GetActiveWindow() == run.Tate() && GetFocus() == run.Tate());
}

}  // namespace
}  // namespace plumbmark::testing

// Runs the check named on the command line; without one, runs each check in
// a process of its own and counts the checks that failed.
int wmain(int argc, wchar_t** argv) {
  using namespace plumbmark::testing;
  const std::pair<const wchar_t*, void (*)(ProgramRun&)> checks[] = {
      {L"SystemMenuCommands", SystemMenuCommands}, {L"KeyboardBack", KeyboardBack}};
  for (const auto& [name, check] : checks) {
    if (argc == 2 && std::wcscmp(argv[1], name) == 0) {
      ProgramRun run;
      check(run);
    } else if (argc == 1) {
      const std::intptr_t code = _wspawnl(_P_WAIT, argv[0], argv[0], name, nullptr);
      std::printf("%ls: %s\n", name, code == 0 ? "ok" : "FAILED");
      failures += code != 0;
    }
  }
  return failures;
}
