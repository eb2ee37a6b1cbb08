#include "platform/numeric.h"
#include "platform/system_calls.h"
#include "settings/settings_file.h"

namespace plumbmark {
namespace {

const char* FlagText(std::int16_t flag) { return flag == num::kTrue ? "1" : "0"; }

}  // namespace

bool SaveSettings(forms::Application& app, const std::string& iniPath,
                  const settings::Style& style) {
  bool saved = true;
  auto write = [&](const char* key, const std::string& value) {
    const bool written =
        Call_API_ini::WritePrivateProfileString(app, settings::kSection, key, value, iniPath) != 0;
    saved = saved && written;
  };
  write(settings::kSize, std::to_string(style.size));
  write(settings::kColor, std::to_string(style.color));
  write(settings::kVertical, FlagText(style.verticalHidden));
  write(settings::kInterval, std::to_string(style.interval));
  write(settings::kHorizon, FlagText(style.horizontalHidden));
  if (!saved) {
    app.MsgBox("線のスタイルを保存できませんでした。\n\n" + iniPath, forms::kMsgBoxCritical,
               "エラー");
  }
  return saved;
}

}  // namespace plumbmark
