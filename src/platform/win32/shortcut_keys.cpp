#include "shortcut_keys.h"

namespace plumbmark::win32 {
namespace {

// The shortcut itself and its confirmation prompt: the same bits for all three.
constexpr DWORD kShortcutFlags = SKF_HOTKEYACTIVE | SKF_CONFIRMHOTKEY;
static_assert(kShortcutFlags == (FKF_HOTKEYACTIVE | FKF_CONFIRMHOTKEY) &&
                  kShortcutFlags == (TKF_HOTKEYACTIVE | TKF_CONFIRMHOTKEY),
              "the three features number their shortcut flags alike");

}  // namespace

template <typename Info>
void ShortcutKeys::Feature<Info>::HoldOff() {
  if (changed) return;
  Info info{};
  info.cbSize = sizeof(info);
  if (!SystemParametersInfoW(get, sizeof(info), &info, 0)) return;
  if ((info.dwFlags & on) != 0 || (info.dwFlags & kShortcutFlags) == 0) return;
  saved = info;
  info.dwFlags &= ~kShortcutFlags;
  changed = SystemParametersInfoW(set, sizeof(info), &info, 0) != FALSE;
}

template <typename Info>
void ShortcutKeys::Feature<Info>::Restore() {
  if (!changed) return;
  SystemParametersInfoW(set, sizeof(saved), &saved, 0);
  changed = false;
}

void ShortcutKeys::Guard(bool guarded) {
  if (guarded) {
    sticky_.HoldOff();
    filter_.HoldOff();
    toggle_.HoldOff();
  } else {
    sticky_.Restore();
    filter_.Restore();
    toggle_.Restore();
  }
}

}  // namespace plumbmark::win32
