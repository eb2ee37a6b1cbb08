#include "system_calls.h"

namespace plumbmark::API_GetCursorPos {

std::int32_t GetCursorPos(forms::Application& app, POINTAPI& point) {
  std::int32_t x = point.x;
  std::int32_t y = point.y;
  if (!app.backend().GetCursorPos(x, y)) return 0;
  point = {x, y};
  return 1;
}

}  // namespace plumbmark::API_GetCursorPos

namespace plumbmark::API_GetCursorInfo {

std::int32_t GetCursorInfo(forms::Application& app, CURSORINFO& info) {
  CURSORINFO read = info;
  if (!app.backend().GetCursorInfo(read.ptScreenPos.x, read.ptScreenPos.y, read.flags,
                                   read.hCursor)) {
    return 0;
  }
  info = read;
  return 1;
}

}  // namespace plumbmark::API_GetCursorInfo

namespace plumbmark::API_RegisterHotKey {

std::int32_t RegisterHotKey(forms::Application& app, std::int32_t hWnd, std::int32_t fsModifiers,
                            std::int32_t vk) {
  return app.backend().RegisterHotKey(hWnd, fsModifiers, vk) ? 1 : 0;
}

}  // namespace plumbmark::API_RegisterHotKey

namespace plumbmark::API_SetWindowDisplayAffinity {

forms::CaptureExclusion ExcludeFromCapture(forms::Application& app, std::int32_t hWnd) {
  return app.backend().ExcludeFromCapture(hWnd);
}

}  // namespace plumbmark::API_SetWindowDisplayAffinity

namespace plumbmark::API_SetWindowPos {

std::int32_t SetWindowPos(forms::Application& app, std::int32_t hWnd, std::int32_t hWndInsertAfter,
                          std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                          std::int32_t wFlags) {
  return app.backend().SetWindowPos(hWnd, hWndInsertAfter, x, y, cx, cy, wFlags) ? 1 : 0;
}

}  // namespace plumbmark::API_SetWindowPos

namespace plumbmark::Call_API_ini {

std::int32_t GetPrivateProfileInt(forms::Application& app, const std::string& section,
                                  const std::string& key, std::int32_t fallback,
                                  const std::string& file) {
  return app.backend().ReadProfileInt(section, key, fallback, file);
}

std::string GetPrivateProfileString(forms::Application& app, const std::string& section,
                                    const std::string& key, const std::string& fallback,
                                    const std::string& file) {
  return app.backend().ReadProfileText(section, key, fallback, file);
}

std::int32_t WritePrivateProfileString(forms::Application& app, const std::string& section,
                                       const std::string& key, const std::string& value,
                                       const std::string& file) {
  return app.backend().WriteProfileValue(section, key, value, file) ? 1 : 0;
}

}  // namespace plumbmark::Call_API_ini
