#pragma once
// Division shown with base-ten blocks, shared out over the divisor's frames.

#include "kit/exercise.h"

namespace blocks {

class frmcijferdeel final : public kit::ExerciseScreen {
 public:
  explicit frmcijferdeel(kit::Hub& hub);
  kit::Button cmdstart;
  kit::Button cmdstop2;

 protected:
  kit::Button& StopButton() override { return cmdstop2; }
};

}  // namespace blocks
