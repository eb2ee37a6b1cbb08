// The whole program as handed to the forms layer: its four forms, each one
// global instance, created with the program and loaded on first use.
#pragma once

#include "dialogs/frmSetColor.h"
#include "dialogs/frmSetRelode.h"
#include "overlay/frmTate.h"
#include "overlay/frmYoko.h"
#include "platform/forms.h"

namespace plumbmark {

class Plumbmark {
 public:
  explicit Plumbmark(forms::Application& application)
      : app(application), frmTate(*this), frmYoko(application), frmSetColor(*this),
        frmSetRelode(*this) {}

  // Loads frmTate (its Form_Load sets everything up) and shows it. Returns
  // false when the program ended during start-up.
  bool Start() { return app.Start(frmTate); }

  forms::Application& app;
  FrmTate frmTate;
  FrmYoko frmYoko;
  FrmSetColor frmSetColor;
  FrmSetRelode frmSetRelode;
};

// Sets the line colour: frmTate first, then frmYoko.
void SetLineColor(Plumbmark& program, std::int32_t color);

}  // namespace plumbmark
