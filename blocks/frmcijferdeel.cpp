#include "blocks/frmcijferdeel.h"

namespace blocks {

frmcijferdeel::frmcijferdeel(kit::Hub& hub)
    : kit::ExerciseScreen(hub, QStringLiteral("delen"), 11865, 7935, kit::colours::kBoardGrey),
      cmdstart(kit::FrameButton(*this, kit::FrameButtonKind::Start, {6840, 7080, 1815, 855})),
      cmdstop2(kit::FrameButton(*this, kit::FrameButtonKind::Stop, {9000, 7080, 1815, 855})) {
  cmdstop2.onClick = [this] {
    hub_.ShowMenu();
    Hide();
  };
}

}  // namespace blocks
