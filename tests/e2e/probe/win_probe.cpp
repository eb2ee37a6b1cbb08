// A small Win32 inspector run on the same Wine server as the program under
// test. With no argument it prints the screen's DPI, the foreground window's
// title and every visible top-level window of other processes with its state
// and child controls; "mode WIDTH HEIGHT" sets the primary display's mode as
// the system's display settings do and prints the DISP_CHANGE_* result. A window named by
// its title can be sent a message ("send TITLE MESSAGE WPARAM LPARAM"), shown
// ("show TITLE SW_*") or placed ("move TITLE X Y WIDTH HEIGHT", which prints
// where it is then) as another program would. "window TITLE X Y WIDTH HEIGHT
// [MODIFIERS KEY] [nocursor]" shows a white topmost window of its own,
// activated, until it is closed; it holds the hot key given, and with
// "nocursor" it hides the pointer while one types. One tab-separated record a
// line, UTF-8.
#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <string>

namespace {

// UTF-8 kept on one line: backslashes, tabs and line breaks are escaped.
std::string Field(const std::wstring& text) {
  std::string utf8(3 * text.size(), '\0');  // at most 3 bytes a UTF-16 unit
  utf8.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                          static_cast<int>(utf8.size()), nullptr, nullptr)));
  std::string out;
  for (char c : utf8) {
    if (c == '\\' || c == '\t' || c == '\n' || c == '\r') out += '\\';
    out += c == '\t' ? 't' : c == '\n' ? 'n' : c == '\r' ? 'r' : c;
  }
  return out;
}

// Numbers joined by spaces: a rectangle "left top right bottom", a size.
std::string Joined(std::initializer_list<long> numbers) {
  std::string out;
  for (long n : numbers) out += (out.empty() ? "" : " ") + std::to_string(n);
  return out;
}

void Print(const std::string& line) { std::printf("%s\n", line.c_str()); }

// Asks a window of another process; a hung program makes the probe fail, not wait.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = static_cast<DWORD_PTR>(-1);
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 3000, &result);
  return static_cast<LRESULT>(result);
}

// The text by message: an edit or combo box's text is not its stored caption.
std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(Ask(window, WM_GETTEXTLENGTH)) + 1, L'\0');
  const LRESULT copied =
      Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

// The first fields of a window's record: its class, text and screen rectangle.
std::string Describe(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  RECT r{};
  GetWindowRect(window, &r);
  return Field(name) + "\t" + Field(TextOf(window)) + "\t" +
         Joined({r.left, r.top, r.right, r.bottom});
}

// A combo box's selected index, then its items separated by tabs.
std::string ComboFields(HWND combo) {
  std::string fields = std::to_string(Ask(combo, CB_GETCURSEL));
  for (LRESULT i = 0, count = Ask(combo, CB_GETCOUNT); i < count; ++i) {
    std::wstring item(
        static_cast<std::size_t>(Ask(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i))) + 1, L'\0');
    Ask(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
    fields += "\t" + Field(item.c_str());
  }
  return fields;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM parent) {
  if (GetParent(child) != reinterpret_cast<HWND>(parent)) return TRUE;
  const std::string fields = Describe(child);
  Print("child\t" + fields + (fields.starts_with("ComboBox\t") ? "\t" + ComboFields(child) : ""));
  return TRUE;
}

// "normal", "minimized" or "maximized", then "topmost" and "owned" where they hold.
std::string StateOf(HWND window) {
  std::string state = IsIconic(window) ? "minimized" : IsZoomed(window) ? "maximized" : "normal";
  if ((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) state += " topmost";
  return GetWindow(window, GW_OWNER) != nullptr ? state + " owned" : state;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  RECT client{};
  GetClientRect(window, &client);
  Print("window\t" + Describe(window) + "\t" + Joined({client.right, client.bottom}) + "\t" +
        StateOf(window));
  EnumChildWindows(window, &PrintChild, reinterpret_cast<LPARAM>(window));
  return TRUE;
}

void PrintWindows() {
  SetProcessDPIAware();
  HDC screen = GetDC(nullptr);
  Print("dpi\t" + std::to_string(GetDeviceCaps(screen, LOGPIXELSX)));
  ReleaseDC(nullptr, screen);
  HWND foreground = GetForegroundWindow();
  Print("focus\t" + (foreground != nullptr ? Field(TextOf(foreground)) : std::string()));
  EnumWindows(&PrintWindow, 0);
}

// Sets the primary display to width x height pixels; the DISP_CHANGE_* result.
LONG SetPrimaryDisplayMode(int width, int height) {
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return DISP_CHANGE_FAILED;
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  return ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
}

// Hides the pointer over the window from a key press until the mouse moves,
// as many programs do while one types.
LRESULT CALLBACK HidesPointer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static bool typing = false;
  static LPARAM where = -1;
  if (message == WM_KEYDOWN) {
    typing = true;
  } else if (message == WM_MOUSEMOVE && lParam != where) {
    typing = false;
    where = lParam;
  } else if (message != WM_SETCURSOR) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  SetCursor(typing ? nullptr : LoadCursorW(nullptr, IDC_ARROW));
  return message == WM_SETCURSOR;
}

// A white topmost window that takes the keyboard, as another program's would.
void RunWindow(wchar_t** argv, int argc) {
  const bool noCursor = std::wstring(argv[argc - 1]) == L"nocursor";
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = noCursor ? HidesPointer : DefWindowProcW;
  windowClass.hCursor = noCursor ? nullptr : LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = L"probe";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(WS_EX_TOPMOST, L"probe", argv[2],
                                WS_POPUP | WS_CAPTION | WS_VISIBLE, _wtoi(argv[3]), _wtoi(argv[4]),
                                _wtoi(argv[5]), _wtoi(argv[6]), nullptr, nullptr, nullptr, nullptr);
  if (argc - noCursor == 9) RegisterHotKey(window, 1, _wtoi(argv[7]), _wtoi(argv[8]));
  SetForegroundWindow(window);
  MSG message;
  while (IsWindow(window) && GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  const auto named = [&] { return FindWindowW(nullptr, argv[2]); };
  if (command == L"send" && argc == 6) {
    const LRESULT result = Ask(named(), static_cast<UINT>(_wtoi(argv[3])),
                               static_cast<WPARAM>(_wtoi(argv[4])), _wtoi(argv[5]));
    Print("answered\t" + std::to_string(result != -1));
  } else if (command == L"show" && argc == 4) {
    ShowWindow(named(), _wtoi(argv[3]));
  } else if (command == L"move" && argc == 7) {
    SetWindowPos(named(), nullptr, _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]), _wtoi(argv[6]),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT r{};
    GetWindowRect(named(), &r);
    Print("moved\t" + Joined({r.left, r.top, r.right - r.left, r.bottom - r.top}));
  } else if (command == L"window" && argc >= 7) {
    RunWindow(argv, argc);
  } else if (command == L"mode" && argc == 4) {
    Print("mode\t" + std::to_string(SetPrimaryDisplayMode(_wtoi(argv[2]), _wtoi(argv[3]))));
  } else {
    PrintWindows();
  }
  Print("end");
  return 0;
}
