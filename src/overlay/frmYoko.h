// The horizontal line window: a plain borderless window with no controls and
// no event handlers; its height is the line thickness.
#pragma once

#include "forms.h"

namespace plumbmark {

class FrmYoko : public forms::Form {
 public:
  explicit FrmYoko(forms::Application& app)
      : Form(app, "frmYoko",
             forms::FormDesign{.caption = "Form1",
                               .border = forms::BorderStyle::kNone,
                               .showInTaskbar = false,
                               .hasIcon = false,
                               .maxButton = true,
                               .minButton = true,
                               .startUpPosition = forms::StartUpPosition::kCenterScreen,
                               .width = 4680,
                               .height = 3195,
                               .backColor = 0x0000FFFF,
                               // Closing a line window ends the whole crosshair.
                               .closeAction = forms::CloseAction::kEndProgram}) {}
};

}  // namespace plumbmark
