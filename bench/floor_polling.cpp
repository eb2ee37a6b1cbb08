// The polling floor: the least a program that polls the pointer can cost.
// One one-pixel window whose 100 ms timer reads the pointer and does nothing
// else with it.
#include <windows.h>

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTickMs = 100;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER: {
      POINT pointer{};
      GetCursorPos(&pointer);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"FloorPolling";
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  if (RegisterClassW(&windowClass) == 0) return 1;
  HWND hwnd = CreateWindowExW(0, windowClass.lpszClassName, L"floor_polling", WS_POPUP, 0, 0, 1, 1,
                              nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr) return 1;
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  if (SetTimer(hwnd, kTimerId, kTickMs, nullptr) == 0) return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
