// The whole program as handed to the forms layer: its four forms, each one
// global instance, created with the program and loaded on first use.
#pragma once

#include "forms.h"
#include "frmSetColor.h"
#include "frmSetRelode.h"
#include "frmTate.h"
#include "frmYoko.h"

namespace plumbmark {

class Plumbmark {
 public:
  // frmTate is registered first: it is the start-up form. It only keeps
  // references to the forms declared after it.
  explicit Plumbmark(forms::Application& app)
      : frmTate(app, frmYoko, frmSetColor, frmSetRelode),
        frmYoko(app),
        frmSetColor(frmTate),
        frmSetRelode(frmTate) {}

  // Loads frmTate (its Form_Load sets everything up) and shows it. Returns
  // false when the program ended during start-up.
  bool Start() { return frmTate.app().Start(frmTate); }

  FrmTate frmTate;
  FrmYoko frmYoko;
  FrmSetColor frmSetColor;
  FrmSetRelode frmSetRelode;
};

}  // namespace plumbmark
