// The design shared by both dialogs: a small fixed tool window with a close
// box only, at the window system's default position, not in the taskbar.
#pragma once

#include <string>

#include "forms.h"

namespace plumbmark {

// The dialogs paint the system's dialog colour; this is the forms layer's
// "button face" system colour, which line windows never use.
inline constexpr std::int32_t kSystemButtonFace = static_cast<std::int32_t>(0x8000000F);

inline forms::FormDesign DialogDesign(std::string caption, float clientWidth, float clientHeight) {
  return forms::FormDesign{.caption = std::move(caption),
                           .border = forms::BorderStyle::kFixedToolWindow,
                           .showInTaskbar = false,
                           .hasIcon = false,
                           .maxButton = false,
                           .minButton = false,
                           .startUpPosition = forms::StartUpPosition::kWindowsDefault,
                           .width = clientWidth,
                           .height = clientHeight,
                           .backColor = kSystemButtonFace,
                           .closeAction = forms::CloseAction::kUnload};
}

}  // namespace plumbmark
