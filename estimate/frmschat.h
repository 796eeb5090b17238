#pragma once
// The estimation drills: a division with "?" for its quotient, an estimate, and
// a check that accepts an estimate less than 7 away from the quotient.

#include "kit/exercise.h"

namespace estimate {

class EstimationScreen : public kit::ScoringScreen {
 public:
  EstimationScreen(kit::Hub& hub, const QString& caption);
  kit::Button cmdcontrole;
  kit::Button cmdstart;
  kit::Button cmdstop2;

 protected:
  kit::Button& StopButton() override { return cmdstop2; }
};

class frmschat100 final : public EstimationScreen {
 public:
  explicit frmschat100(kit::Hub& hub) : EstimationScreen(hub, QStringLiteral("schatten < 100")) {}
};
class frmschat final : public EstimationScreen {
 public:
  explicit frmschat(kit::Hub& hub) : EstimationScreen(hub, QStringLiteral("schatten < 500")) {}
};
class frmkomma final : public EstimationScreen {
 public:
  explicit frmkomma(kit::Hub& hub) : EstimationScreen(hub, QStringLiteral("schatten  < 1000")) {}
};

}  // namespace estimate
