// The Win32 backend on the real program, under Wine with a display, where
// Wine is more forgiving than Windows or shows nothing: what the backend asks
// of the system, seen by spies put into the exe's import slots, and who has
// the keyboard after a box or a dialog. One check a process, as the exe
// runs; the exit code counts the failures.
#include <process.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <string_view>
#include <utility>
#include <vector>

#include "program.h"
#include "win32_backend.h"

// The import slots through which the backend calls these system functions.
extern "C" {
extern decltype(&DefWindowProcW) __imp_DefWindowProcW;
extern decltype(&GetForegroundWindow) __imp_GetForegroundWindow;
extern decltype(&SetForegroundWindow) __imp_SetForegroundWindow;
extern decltype(&FlashWindowEx) __imp_FlashWindowEx;
extern decltype(&SystemParametersInfoW) __imp_SystemParametersInfoW;
extern decltype(&MessageBoxW) __imp_MessageBoxW;
extern decltype(&GetProcAddress) __imp_GetProcAddress;
}

namespace plumbmark::testing {
namespace {

int failures = 0;
#define CHECK(holds) \
  if (!(holds)) std::printf("line %d: %s\n", __LINE__, #holds), ++failures

// Puts `spy` into an import slot for the rest of the check's process;
// returns the system's function.
template <typename Function>
Function Spy(Function& slot, Function spy) {
  DWORD protect = 0;
  VirtualProtect(&slot, sizeof(slot), PAGE_READWRITE, &protect);
  return std::exchange(slot, spy);
}

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
  HWND Window(forms::Form& form) { return win32::ToHwnd(form.hWnd()); }
  void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }

  win32::Win32Backend backend{GetModuleHandleW(nullptr)};
  forms::Application app{backend};
  Plumbmark program{app};
};

decltype(&DefWindowProcW) systemDefault = nullptr;
std::vector<WPARAM> defaultCommands;  // each WM_SYSCOMMAND that reached it

// Records the system commands; the window menu's own loop is not entered.
LRESULT WINAPI SpyDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND) defaultCommands.push_back(wParam & 0xFFF0);
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) return 0;
  return systemDefault(window, message, wParam, lParam);
}

// Windows runs the window menu's modal loop for SC_KEYMENU without a
// character (F10, or Alt pressed and released alone), and the keys typed
// next go to the menu; Wine's default procedure returns at once instead.
// Minimise and maximise from the system menu are refused as well; Alt+Space
// still opens the menu, and Alt+F4 closes the vertical line and the program.
void SystemMenu() {
  ProgramRun run;
  systemDefault = Spy(__imp_DefWindowProcW, &SpyDefault);
  for (HWND line : {run.Tate(), run.Yoko()}) {
    for (WPARAM key : {VK_F10, VK_MENU}) {
      SendMessageW(line, WM_SYSKEYDOWN, key, 0);
      SendMessageW(line, WM_SYSKEYUP, key, static_cast<LPARAM>(0xC0000001));
    }
    for (WPARAM command : {SC_KEYMENU, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) {
      SendMessageW(line, WM_SYSCOMMAND, command, 0);  // only SC_RESTORE is passed on
    }
  }
  constexpr LPARAM kAltDown = LPARAM{1} << 29;
  SendMessageW(run.Tate(), WM_SYSCHAR, VK_SPACE, kAltDown);
  SendMessageW(run.Tate(), WM_SYSKEYDOWN, VK_F4, kAltDown);
  run.Pump();
  CHECK((defaultCommands == std::vector<WPARAM>{SC_RESTORE, SC_RESTORE, SC_KEYMENU, SC_CLOSE}));
  CHECK(run.app.ended());
  CHECK(!std::filesystem::exists(run.program.frmTate.iniPath()));  // ended unsaved
}

const wchar_t* exePath = nullptr;
std::vector<std::pair<HWND, UINT>> boxes;  // each box's owner and type

// A second copy started while this one runs: its box, shown before any of its
// windows is, has no owner (a taskbar button of its own, no hidden owner) and
// stays above the first copy's topmost lines.
void SecondCopyBox() {
  ProgramRun first;
  CHECK(_wspawnl(_P_WAIT, exePath, exePath, L"SecondCopy", nullptr) == 0);
}

// Records a box and closes it at once.
int WINAPI RecordBox(HWND owner, LPCWSTR, LPCWSTR, UINT type) {
  boxes.emplace_back(owner, type);
  return IDOK;
}

void SecondCopy() {
  Spy(__imp_MessageBoxW, &RecordBox);
  win32::Win32Backend backend{GetModuleHandleW(nullptr)};
  forms::Application app{backend};
  backend.Attach(app);
  Plumbmark program{app};
  CHECK(!program.Start());
  const std::pair<HWND, UINT> box{nullptr, MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST};
  CHECK(boxes == std::vector{box});
}

decltype(&GetProcAddress) systemLookUp = nullptr;
DWORD systemBuild = 0;                           // the build RtlGetVersion reports
std::vector<std::pair<HWND, DWORD>> affinities;  // each SetWindowDisplayAffinity asked for

// A function as GetProcAddress hands it out.
template <typename Function>
FARPROC AsFound(Function function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

// The system as a given build of Windows 10 that refuses every affinity.
FARPROC WINAPI LookUpOnBuild(HMODULE module, LPCSTR name) {
  if (std::string_view(name) == "RtlGetVersion") {
    return AsFound(+[](OSVERSIONINFOW* version) -> LONG {
      version->dwMajorVersion = 10;
      version->dwBuildNumber = systemBuild;
      return 0;
    });
  }
  if (std::string_view(name) == "SetWindowDisplayAffinity") {
    return AsFound(+[](HWND window, DWORD affinity) -> BOOL {
      affinities.emplace_back(window, affinity);
      return FALSE;
    });
  }
  return systemLookUp(module, name);
}

// HideFromCapture=1 on a system of the given build; a refusal is told once.
void CaptureOnBuild(DWORD build, bool asked) {
  systemBuild = build;
  systemLookUp = Spy(__imp_GetProcAddress, &LookUpOnBuild);
  Spy(__imp_MessageBoxW, &RecordBox);
  const auto ini = std::filesystem::path(exePath).replace_filename("Plumbmark.ini");
  WritePrivateProfileStringW(L"Plumbmark", L"HideFromCapture", L"1", ini.c_str());
  {
    ProgramRun run;
    if (asked) {
      CHECK((affinities == std::vector<std::pair<HWND, DWORD>>{{run.Tate(), 0x11}}));
      CHECK(boxes.size() == 1 && boxes[0].first == run.Tate());
    } else {
      CHECK(affinities.empty() && boxes.empty());
    }
  }
  std::filesystem::remove(ini);
}

// From Windows 10 version 2004 on, WDA_EXCLUDEFROMCAPTURE (never WDA_MONITOR,
// which blacks the window out in captures); before, nothing is asked.
void CaptureExcludedFromVersion2004() { CaptureOnBuild(19041, true); }
void NoCaptureExclusionBefore() { CaptureOnBuild(18363, false); }

std::vector<HWND> foregroundAsked;
std::vector<HWND> flashed;

// Each form shown asks for the foreground (Windows may refuse it: then the
// taskbar button flashes), start-up's vertical line, then C's and I's dialogs.
void ForegroundAsked() {
  Spy(
      __imp_GetForegroundWindow, +[]() -> HWND { return nullptr; });
  Spy(
      __imp_SetForegroundWindow, +[](HWND window) -> BOOL {
        foregroundAsked.push_back(window);
        return foregroundAsked.size() < 3;  // the third ask is refused
      });
  Spy(
      __imp_FlashWindowEx, +[](PFLASHWINFO flash) -> BOOL {
        flashed.push_back(flash->hwnd);
        return TRUE;
      });
  ProgramRun run;
  for (WPARAM key : {'C', 'I'}) SendMessageW(run.Tate(), WM_KEYDOWN, key, 0);
  CHECK((foregroundAsked == std::vector<HWND>{run.Tate(), run.Window(run.program.frmSetColor),
                                              run.Window(run.program.frmSetRelode)}));
  CHECK(flashed == std::vector<HWND>{run.Tate()});
}

// Sticky Keys off with its shortcut on, Filter Keys switched on, Toggle Keys
// off with its shortcut and its prompt on: the dwFlags of each, as the system
// holds them, and whether a change was ever persisted.
DWORD features[] = {SKF_AVAILABLE | SKF_HOTKEYACTIVE,
                    FKF_AVAILABLE | FKF_FILTERKEYSON | FKF_HOTKEYACTIVE,
                    TKF_AVAILABLE | TKF_HOTKEYACTIVE | TKF_CONFIRMHOTKEY};
decltype(&SystemParametersInfoW) systemParameters = nullptr;
bool persisted = false;

BOOL WINAPI SpyParameters(UINT action, UINT size, void* info, UINT winIni) {
  const UINT gets[] = {SPI_GETSTICKYKEYS, SPI_GETFILTERKEYS, SPI_GETTOGGLEKEYS};
  const UINT sets[] = {SPI_SETSTICKYKEYS, SPI_SETFILTERKEYS, SPI_SETTOGGLEKEYS};
  for (int i = 0; i < 3; ++i) {
    auto& flags = reinterpret_cast<STICKYKEYS*>(info)->dwFlags;  // the same place in all three
    if (action == gets[i]) flags = features[i];
    if (action == sets[i]) features[i] = flags, persisted |= winIni != 0;
    if (action == gets[i] || action == sets[i]) return TRUE;
  }
  return systemParameters(action, size, info, winIni);
}

// Only the shortcut flags of a feature that is off change while the program
// has the keyboard, for the session only; they come back as they were when
// it loses the keyboard and when it ends.
void ShortcutKeysHeldOff() {
  systemParameters = Spy(__imp_SystemParametersInfoW, &SpyParameters);
  const std::vector<DWORD> before(std::begin(features), std::end(features));
  const std::vector<DWORD> guarded{SKF_AVAILABLE, before[1], TKF_AVAILABLE};
  ProgramRun run;
  const auto now = [] { return std::vector<DWORD>(std::begin(features), std::end(features)); };
  SendMessageW(run.Tate(), WM_ACTIVATEAPP, TRUE, 0);
  CHECK(now() == guarded);
  SendMessageW(run.Yoko(), WM_ACTIVATEAPP, FALSE, 0);
  CHECK(now() == before);
  SendMessageW(run.Tate(), WM_ACTIVATEAPP, TRUE, 0);
  SendMessageW(run.Yoko(), WM_ACTIVATEAPP, TRUE, 0);
  CHECK(now() == guarded);
  run.app.RaiseClose(run.program.frmTate);
  CHECK(now() == before && !persisted);
}

// The keyboard goes back to the vertical line after a box over the
// horizontal line (an error while it had the keyboard: Windows gives it back
// to the box's owner, where no key has a command), and when the active dialog
// closes (Windows activates the window next in z-order: here the horizontal
// line, raised above the vertical one).
void KeyboardBack() {
  ProgramRun run;
  SetActiveWindow(run.Yoko());
  SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
    PostMessageW(FindWindowW(L"#32770", L"box"), WM_COMMAND, IDOK, 0);
    KillTimer(nullptr, timer);
  });
  run.backend.ShowMessageBox("closed by a timer", 0, "box");
  CHECK(GetActiveWindow() == run.Tate() && GetFocus() == run.Tate());
  run.program.frmSetColor.Show();
  SetWindowPos(run.Yoko(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  CHECK(GetActiveWindow() == run.Window(run.program.frmSetColor));
  run.program.frmSetColor.Unload();
  CHECK(GetActiveWindow() == run.Tate() && GetFocus() == run.Tate());
}

}  // namespace
}  // namespace plumbmark::testing

// Runs the check named on the command line; without one, runs each check in
// a process of its own and counts the checks that failed.
int wmain(int argc, wchar_t** argv) {
  using namespace plumbmark::testing;
  const std::pair<const wchar_t*, void (*)()> checks[] = {
      {L"SystemMenu", SystemMenu},
      {L"ForegroundAsked", ForegroundAsked},
      {L"ShortcutKeysHeldOff", ShortcutKeysHeldOff},
      {L"KeyboardBack", KeyboardBack},
      {L"SecondCopyBox", SecondCopyBox},
      {L"CaptureExcludedFromVersion2004", CaptureExcludedFromVersion2004},
      {L"NoCaptureExclusionBefore", NoCaptureExclusionBefore}};
  exePath = argv[0];
  if (argc == 2 && std::wcscmp(argv[1], L"SecondCopy") == 0) SecondCopy();  // for SecondCopyBox
  for (const auto& [name, check] : checks) {
    if (argc == 2 && std::wcscmp(argv[1], name) == 0) {
      check();
    } else if (argc == 1) {
      const std::intptr_t code = _wspawnl(_P_WAIT, argv[0], argv[0], name, nullptr);
      std::printf("%ls: %s\n", name, code == 0 ? "ok" : "FAILED");
      failures += code != 0;
    }
  }
  return failures;
}
