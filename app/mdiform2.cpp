#include "app/mdiform2.h"

#include "app/frminfo.h"
#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "app/program.h"

namespace app {

MDIForm2::MDIForm2(Program& program)
    : kit::FrameWindow(QStringLiteral(" Alle kinderen moeten alle kansen krijgen."), 9930, 6825,
                       kit::RGB(234, 226, 138)),
      aftrek2(AddMenu(QStringLiteral("OPENEN "), QStringLiteral("&Basis"))),
      program_(program) {
  aftrek2.onClick = [this] { aftrek2_Click(); };
  onClose = [this] { program_.End(0); };
}

void MDIForm2::Form_Load() {
  CentreOnDisplay();
  program_.frmmecenaat1().Show();
  // At start the info screen is never loaded; asking would load it.
  if (program_.InfoLoaded()) program_.frminfo().Hide();
}

void MDIForm2::Form_Activate() { CentreOnDisplay(); }

void MDIForm2::aftrek2_Click() {
  // The info screen closes the run; opening the menu beside it would put two
  // screens in use at once and let the pupil start work that the end then cuts off.
  if (program_.InfoLoaded() && program_.frminfo().Visible()) return;
  program_.frmmecenaat1().Hide();
  program_.frmkiesbasis().Show();
  SetAvailable(false);
}

}  // namespace app
