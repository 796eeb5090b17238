#pragma once
// Written division of a number with five digits and three decimals by a one-digit
// divisor, to a remainder in thousandths, in eight steps on the shared subtraction-row scheme.

#include "written/pending.h"

namespace written {

class frmcijferdelen5 final : public PendingScreen {
 public:
  explicit frmcijferdelen5(kit::Hub& hub);
};

}  // namespace written
