#pragma once
// A division screen whose exercise is still to be built: it has its caption,
// its place in the menu and the frame's buttons, follows the frame's rules and
// makes up no exercise. Goes when the last such screen is built.

#include "kit/exercise.h"

namespace written {

class PendingScreen : public kit::SeriesScreen {
 public:
  using kit::SeriesScreen::SeriesScreen;

 protected:
  void cmdstart_Click() override { StartRules(); }
  void cmdcontrole_Click() override {}
  void ClearBoard() override { ClearFrame(); }
};

}  // namespace written
