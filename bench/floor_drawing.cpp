// The drawing floor: the least a full-screen crosshair that polls the pointer
// can cost. Two borderless topmost line windows, 5 pixels thick, spanning the
// screen; a 100 ms timer reads the pointer once and moves a line only when
// its coordinate changed.
#include <windows.h>

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTickMs = 100;
constexpr int kThickness = 5;

struct Screen {
  int left, top, width, height;
};

Screen g_screen{};
HWND g_vertical = nullptr;
HWND g_horizontal = nullptr;
LONG g_lineX = LONG_MIN;  // where each line was last put
LONG g_lineY = LONG_MIN;

// Moves each line to the pointer (one pixel right of and below it) when it is not there yet.
void FollowPointer() {
  POINT pointer{};
  if (!GetCursorPos(&pointer)) return;
  constexpr UINT kMoveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (pointer.x + 1 != g_lineX) {
    g_lineX = pointer.x + 1;
    SetWindowPos(g_vertical, nullptr, g_lineX, g_screen.top, 0, 0, kMoveOnly);
  }
  if (pointer.y + 1 != g_lineY) {
    g_lineY = pointer.y + 1;
    SetWindowPos(g_horizontal, nullptr, g_screen.left, g_lineY, 0, 0, kMoveOnly);
  }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      FollowPointer();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

HWND CreateLine(HINSTANCE instance, DWORD exStyle, const wchar_t* title, int width, int height) {
  return CreateWindowExW(exStyle, L"FloorDrawing", title, WS_POPUP, g_screen.left, g_screen.top,
                         width, height, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  g_screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
              GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"FloorDrawing";
  windowClass.hbrBackground = CreateSolidBrush(RGB(0, 0, 255));
  if (RegisterClassW(&windowClass) == 0) return 1;
  g_vertical = CreateLine(instance, WS_EX_TOPMOST, L"floor_drawing", kThickness, g_screen.height);
  g_horizontal = CreateLine(instance, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"floor_drawing_h",
                            g_screen.width, kThickness);
  if (g_vertical == nullptr || g_horizontal == nullptr) return 1;
  FollowPointer();
  ShowWindow(g_horizontal, SW_SHOWNOACTIVATE);
  ShowWindow(g_vertical, SW_SHOW);
  if (SetTimer(g_vertical, kTimerId, kTickMs, nullptr) == 0) return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
