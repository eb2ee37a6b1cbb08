#include "platform/numeric.h"
#include "platform/system_calls.h"
#include "program.h"
#include "settings/settings_file.h"

namespace plumbmark {
namespace {

const char* FlagText(std::int16_t flag) { return flag == num::kTrue ? "1" : "0"; }

}  // namespace

bool SaveSettings(Plumbmark& program) {
  FrmTate& frmTate = program.frmTate;
  forms::Application& app = program.app;
  bool saved = true;
  auto write = [&](const char* key, const std::string& value) {
    const bool written = Call_API_ini::WritePrivateProfileString(app, settings::kSection, key,
                                                                 value, frmTate.IniPath) != 0;
    saved = saved && written;
  };
  const std::string vertical = FlagText(frmTate.VerticalHidden);
  write(settings::kSize, std::to_string(frmTate.LineSize));
  write(settings::kColor, std::to_string(frmTate.BackColor()));
  write(settings::kVertical, vertical);
  write(settings::kInterval, std::to_string(frmTate.getMousePos.Interval()));
  write(settings::kHorizon, FlagText(frmTate.HorizontalHidden));
  if (!saved) {
    app.MsgBox("線のスタイルを保存できませんでした。\n\n" + frmTate.IniPath, forms::kMsgBoxCritical,
               "エラー");
  }
  return saved;
}

}  // namespace plumbmark
