#include "numeric.h"
#include "settings_file.h"
#include "system_calls.h"

namespace plumbmark {
namespace {

std::int32_t FlagValue(std::int16_t flag) { return flag == num::kTrue ? 1 : 0; }

}  // namespace

// Writes each value, then reads it back: a write the system reported as done
// but that did not reach the file counts as failed, so the user is never told
// "saved" for a file that does not hold the style.
bool SaveSettings(forms::Application& app, const std::string& iniPath,
                  const settings::Style& style) {
  const std::pair<const char*, std::int32_t> values[] = {
      {settings::kSize, style.size},
      {settings::kColor, style.color},
      {settings::kVertical, FlagValue(style.verticalHidden)},
      {settings::kInterval, style.interval},
      {settings::kHorizon, FlagValue(style.horizontalHidden)}};
  bool saved = true;
  for (const auto& [key, value] : values) {
    const bool written = Call_API_ini::WritePrivateProfileString(
                             app, settings::kSection, key, std::to_string(value), iniPath) != 0;
    saved = saved && written;
  }
  for (const auto& [key, value] : values) {
    // A fallback unlike the value: a key missing from the file never matches.
    const std::int32_t read =
        Call_API_ini::GetPrivateProfileInt(app, settings::kSection, key, ~value, iniPath);
    saved = saved && read == value;
  }
  if (!saved) {
    app.MsgBox("線のスタイルを保存できませんでした。\n\n" + iniPath, forms::kMsgBoxCritical,
               "エラー");
  }
  return saved;
}

}  // namespace plumbmark
