#include "written/frmcijferdeel0.h"

namespace written {

frmcijferdeel0::frmcijferdeel0(kit::Hub& hub)
    : kit::SeriesScreen(hub, QStringLiteral("cijferend delen zonder rest"), 11880, 7935,
                        kit::colours::kBoardGrey,
                        Layout{{5640, 5880, 1815, 855}, {10200, 6000, 1575, 855}, {4800, 4080, 4335, 735}},
                        Verdicts{5, 4, 4}) {}

}  // namespace written
