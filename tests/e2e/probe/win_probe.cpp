// A small Win32 inspector started next to the program under test: prints the
// screen's DPI and every visible top-level window of other processes with its
// child controls (class, text, rectangle, combo box list and selection), one
// record per line, UTF-8, fields separated by tabs.
#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kReplyTimeoutMs = 3000;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

// Keeps every record on one line: tabs, newlines and backslashes are escaped.
std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\t')
      out += "\\t";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out;
}

void Write(const std::string& line) {
  DWORD written = 0;
  const std::string text = line + "\n";
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
}

// The text of a window in another process: asked for by message, since the
// text of an edit or combo box is not the window's stored caption.
std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                           &length)) {
    return L"";
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, kReplyTimeoutMs, &copied);
  text.resize(copied);
  return text;
}

std::string ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return Utf8(name);
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
         " " + std::to_string(r.bottom);
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = static_cast<DWORD_PTR>(-1);
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

// The selection and the list of a combo box, items separated by U+001F.
std::string ComboFields(HWND combo) {
  const LRESULT selected = Ask(combo, CB_GETCURSEL);
  const LRESULT count = Ask(combo, CB_GETCOUNT);
  std::string items;
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = Ask(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i));
    if (length < 0) break;
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    Ask(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length));
    if (i > 0) items += '\x1f';
    items += Utf8(item);
  }
  return std::to_string(selected) + "\t" + Escaped(items);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM parent) {
  if (GetParent(child) != reinterpret_cast<HWND>(parent)) return TRUE;  // direct children only
  RECT rect{};
  GetWindowRect(child, &rect);
  const std::string className = ClassOf(child);
  std::string line = "child\t" + std::to_string(reinterpret_cast<std::uintptr_t>(child)) + "\t" +
                     std::to_string(GetDlgCtrlID(child)) + "\t" + className + "\t" +
                     Escaped(Utf8(TextOf(child))) + "\t" + RectText(rect) + "\t" +
                     (IsWindowVisible(child) ? "1" : "0");
  if (className == "ComboBox") {
    line += "\t" + ComboFields(child);
  }
  Write(line);
  return TRUE;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  Write("window\t" + std::to_string(reinterpret_cast<std::uintptr_t>(window)) + "\t" +
        ClassOf(window) + "\t" + Escaped(Utf8(TextOf(window))) + "\t" + RectText(outer) + "\t" +
        RectText(client) + "\t" + (IsWindowEnabled(window) ? "1" : "0"));
  EnumChildWindows(window, &PrintChild, reinterpret_cast<LPARAM>(window));
  return TRUE;
}

// Where the keyboard goes: the foreground window and, inside its thread,
// the window with the focus.
void PrintFocus() {
  HWND foreground = GetForegroundWindow();
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  std::string focusClass;
  if (foreground != nullptr &&
      GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &thread) &&
      thread.hwndFocus != nullptr) {
    focusClass = ClassOf(thread.hwndFocus);
  }
  Write("focus\t" + (foreground != nullptr ? Escaped(Utf8(TextOf(foreground))) : std::string()) +
        "\t" + focusClass);
}

}  // namespace

int main() {
  SetProcessDPIAware();
  HDC screen = GetDC(nullptr);
  Write("dpi\t" + std::to_string(GetDeviceCaps(screen, LOGPIXELSX)) + "\t" +
        std::to_string(GetDeviceCaps(screen, LOGPIXELSY)));
  ReleaseDC(nullptr, screen);
  Write("metrics\t" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "\t" +
        std::to_string(GetSystemMetrics(SM_CYSCREEN)));
  PrintFocus();
  EnumWindows(&PrintWindow, 0);
  Write("end");
  return 0;
}
