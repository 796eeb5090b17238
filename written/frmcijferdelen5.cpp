#include "written/frmcijferdelen5.h"

namespace written {

frmcijferdelen5::frmcijferdelen5(kit::Hub& hub)
    : PendingScreen(hub, QStringLiteral("cijferen : delen met komma"), 11880, 7935, kit::colours::kBoardGrey,
                    Layout{{6480, 6000, 1815, 855}, {10320, 6000, 1575, 855}, {5160, 4320, 4335, 735}, 10800, 2640},
                    Verdicts{3, 3, 2}) {}

}  // namespace written
