#include "placevalue/frmcijferdelen.h"

namespace placevalue {

frmcijferdelen::frmcijferdelen(kit::Hub& hub)
    : PendingScreen(hub, QStringLiteral("cijferen : delen"), 11880, 7935, kit::colours::kBoardGrey,
                    Layout{{5760, 5880, 1815, 855}, {9960, 6120, 1815, 855}, {5400, 4800, 3495, 735}},
                    Verdicts{5, 4, 4}) {}

frmcijferdelen2::frmcijferdelen2(kit::Hub& hub)
    : PendingScreen(hub, QStringLiteral("cijferen : delen"), 11880, 7935, kit::colours::kBoardGrey,
                    Layout{{5880, 6000, 1815, 855}, {9960, 6120, 1815, 855}, {5400, 4680, 3495, 735}},
                    Verdicts{5, 4, 4}) {}

}  // namespace placevalue
