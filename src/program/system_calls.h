// The system functions the program calls, grouped as the program declares
// them. Each goes through the running backend: the real user32/kernel32
// functions on Windows, their equivalents elsewhere.
#pragma once

#include <cstdint>
#include <string>

#include "forms.h"

namespace plumbmark::API_GetCursorPos {

struct POINTAPI {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// Fills `point` with the pointer position in screen pixels; returns 0 and
// leaves `point` as it was when the pointer cannot be read.
std::int32_t GetCursorPos(forms::Application& app, POINTAPI& point);

}  // namespace plumbmark::API_GetCursorPos

namespace plumbmark::API_GetCursorInfo {

inline constexpr std::int32_t CURSOR_SHOWING = forms::kCursorShowing;

struct CURSORINFO {
  std::int32_t flags = 0;
  std::int32_t hCursor = 0;  // the pointer's shape; 0 when it has none
  API_GetCursorPos::POINTAPI ptScreenPos;
};

// Fills `info` with the pointer's flags and position; returns 0 and leaves
// `info` as it was when the pointer cannot be read.
std::int32_t GetCursorInfo(forms::Application& app, CURSORINFO& info);

}  // namespace plumbmark::API_GetCursorInfo

namespace plumbmark::API_RegisterHotKey {

inline constexpr std::int32_t MOD_ALT = forms::kModAlt;
inline constexpr std::int32_t MOD_CONTROL = forms::kModControl;
inline constexpr std::int32_t MOD_SHIFT = forms::kModShift;
inline constexpr std::int32_t MOD_WIN = forms::kModWin;

// Returns nonzero when the combination is now the window's.
std::int32_t RegisterHotKey(forms::Application& app, std::int32_t hWnd, std::int32_t fsModifiers,
                            std::int32_t vk);

}  // namespace plumbmark::API_RegisterHotKey

namespace plumbmark::API_SetWindowDisplayAffinity {

// Keeps the window out of screen captures, where the system can.
forms::CaptureExclusion ExcludeFromCapture(forms::Application& app, std::int32_t hWnd);

}  // namespace plumbmark::API_SetWindowDisplayAffinity

namespace plumbmark::API_SetWindowPos {

inline constexpr std::int32_t HWND_TOPMOST = forms::kHwndTopmost;
inline constexpr std::int32_t SWP_NOSIZE = forms::kSwpNoSize;
inline constexpr std::int32_t SWP_NOMOVE = forms::kSwpNoMove;
inline constexpr std::int32_t SWP_SHOWWINDOW = forms::kSwpShowWindow;

std::int32_t SetWindowPos(forms::Application& app, std::int32_t hWnd, std::int32_t hWndInsertAfter,
                          std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                          std::int32_t wFlags);

}  // namespace plumbmark::API_SetWindowPos

namespace plumbmark::Call_API_ini {

std::int32_t GetPrivateProfileInt(forms::Application& app, const std::string& section,
                                  const std::string& key, std::int32_t fallback,
                                  const std::string& file);
std::string GetPrivateProfileString(forms::Application& app, const std::string& section,
                                    const std::string& key, const std::string& fallback,
                                    const std::string& file);
// Returns nonzero when the value was written.
std::int32_t WritePrivateProfileString(forms::Application& app, const std::string& section,
                                       const std::string& key, const std::string& value,
                                       const std::string& file);

}  // namespace plumbmark::Call_API_ini
