#pragma once
// Written division of a five-digit number by a one-digit divisor, with
// remainder, in five steps on the shared subtraction-row scheme.

#include "written/pending.h"

namespace written {

class frmcijferdelen4 final : public PendingScreen {
 public:
  explicit frmcijferdelen4(kit::Hub& hub);
};

}  // namespace written
