#include "estimate/frmschat.h"

namespace estimate {

EstimationScreen::EstimationScreen(kit::Hub& hub, const QString& caption)
    : kit::ScoringScreen(hub, caption, 11880, 7935, kit::colours::kLightYellow),
      cmdcontrole(kit::FrameButton(*this, kit::FrameButtonKind::Controle, {4080, 6960, 1815, 855})),
      cmdstart(kit::FrameButton(*this, kit::FrameButtonKind::Start, {6120, 6960, 1815, 855})),
      cmdstop2(kit::FrameButton(*this, kit::FrameButtonKind::Stop, {8160, 6960, 1815, 855})) {
  cmdcontrole.SetVisible(false);
  cmdstop2.onClick = [this] {
    WriteBackTotal();
    hub_.ShowMenu();
    Hide();
  };
}

}  // namespace estimate
