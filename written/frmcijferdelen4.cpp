#include "written/frmcijferdelen4.h"

namespace written {

frmcijferdelen4::frmcijferdelen4(kit::Hub& hub)
    : PendingScreen(hub, QStringLiteral("cijferen : delen< 100 000"), 11880, 7935, kit::colours::kBoardGrey,
                    Layout{{6480, 6120, 1815, 855}, {10320, 6360, 1575, 855}, {5160, 4560, 4335, 735}},
                    Verdicts{3, 3, 2}) {}

}  // namespace written
