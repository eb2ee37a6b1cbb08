// A small Win32 inspector run on the same Wine server as the program under
// test. With no argument it prints the screen's DPI, the foreground window's
// title and every visible top-level window of other processes with its state
// and child controls; "version EXE" prints the exe's version block and icon
// groups; "mode WIDTH HEIGHT" sets the primary display's mode as the system's
// display settings do and prints the DISP_CHANGE_* result. A window named by
// its title can be sent a message ("send TITLE MESSAGE WPARAM LPARAM"), shown
// ("show TITLE SW_*") or placed ("move TITLE X Y WIDTH HEIGHT") as another
// program would. One tab-separated record a line, UTF-8.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

// Keeps a record on one line: backslashes, tabs and line breaks are escaped.
std::string Field(const std::wstring& text) {
  std::string out;
  for (char c : Utf8(text)) {
    if (c == '\\' || c == '\t' || c == '\n' || c == '\r') out += '\\';
    out += c == '\t' ? 't' : c == '\n' ? 'n' : c == '\r' ? 'r' : c;
  }
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

std::string ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return Field(name);
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
         " " + std::to_string(r.bottom);
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
  RECT rect{};
  GetWindowRect(child, &rect);
  const std::string className = ClassOf(child);
  Print("child\t" + className + "\t" + Field(TextOf(child)) + "\t" + RectText(rect) +
        (className == "ComboBox" ? "\t" + ComboFields(child) : ""));
  return TRUE;
}

std::string StateOf(HWND window) {
  return IsIconic(window) ? "minimized" : IsZoomed(window) ? "maximized" : "normal";
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  Print("window\t" + ClassOf(window) + "\t" + Field(TextOf(window)) + "\t" + RectText(outer) +
        "\t" + std::to_string(client.right) + " " + std::to_string(client.bottom) + "\t" +
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

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The version block as Windows reads it, and the number of icon groups.
void PrintVersion(const wchar_t* exe) {
  DWORD ignored = 0;
  std::string block(GetFileVersionInfoSizeW(exe, &ignored), '\0');
  if (block.empty() ||
      !GetFileVersionInfoW(exe, 0, static_cast<DWORD>(block.size()), block.data())) {
    Print("fixed\tno version block");
    return;
  }
  void* value = nullptr;
  UINT size = 0;
  if (VerQueryValueW(block.data(), L"\\", &value, &size)) {
    const auto* fixed = static_cast<VS_FIXEDFILEINFO*>(value);
    Print("fixed\t" + std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
          std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
          std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
          std::to_string(LOWORD(fixed->dwFileVersionLS)));
  }
  if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &size)) {
    Print("language\t" + std::to_string(*static_cast<WORD*>(value)));
  }
  for (const wchar_t* key : {L"ProductName", L"FileVersion"}) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041104b0\\") + key;
    if (VerQueryValueW(block.data(), path.c_str(), &value, &size)) {
      Print(Field(key) + "\t" + Field(static_cast<wchar_t*>(value)));
    }
  }
  int icons = 0;
  HMODULE module = LoadLibraryExW(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  EnumResourceNamesW(module, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, &CountName,
                     reinterpret_cast<LONG_PTR>(&icons));
  Print("icon groups\t" + std::to_string(icons));
}

// Sets the primary display to width x height pixels; the DISP_CHANGE_* result.
LONG SetPrimaryDisplayMode(DWORD width, DWORD height) {
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return DISP_CHANGE_FAILED;
  mode.dmPelsWidth = width;
  mode.dmPelsHeight = height;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  return ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr);
}

// Sends a message and waits up to two seconds: a window in a modal loop (a
// menu) does not answer in time, and is then sent Esc to end it. Prints
// whether it answered and the window's state right after.
void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  const bool answered =
      SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result) != 0;
  if (!answered) PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
  Print("answered\t" + std::to_string(answered));
  Print("state\t" + StateOf(window));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"version") {
    PrintVersion(argv[2]);
  } else if (argc == 6 && std::wstring(argv[1]) == L"send") {
    Send(FindWindowW(nullptr, argv[2]), static_cast<UINT>(_wtoi(argv[3])),
         static_cast<WPARAM>(_wtoi(argv[4])), static_cast<LPARAM>(_wtoi(argv[5])));
  } else if (argc == 4 && std::wstring(argv[1]) == L"show") {
    ShowWindow(FindWindowW(nullptr, argv[2]), _wtoi(argv[3]));
  } else if (argc == 7 && std::wstring(argv[1]) == L"move") {
    const BOOL moved =
        SetWindowPos(FindWindowW(nullptr, argv[2]), nullptr, _wtoi(argv[3]), _wtoi(argv[4]),
                     _wtoi(argv[5]), _wtoi(argv[6]), SWP_NOZORDER | SWP_NOACTIVATE);
    Print("moved\t" + std::to_string(moved));
  } else if (argc == 4 && std::wstring(argv[1]) == L"mode") {
    const LONG result = SetPrimaryDisplayMode(static_cast<DWORD>(_wtoi(argv[2])),
                                              static_cast<DWORD>(_wtoi(argv[3])));
    Print("mode\t" + std::to_string(result));
  } else {
    PrintWindows();
  }
  Print("end");
  return 0;
}
