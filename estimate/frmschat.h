#pragma once
// The estimation drills: a division with "?" for its quotient, an estimate, and
// a check that accepts an estimate less than 7 away from the quotient.
//
// The three screens are one screen given a row each (caption, dividend range,
// places). Wide is the width of the dividend, the quotient and the bounds: 16
// bits hold every dividend below 500, the screen up to 999 keeps them in 32.

#include <QString>
#include <array>
#include <cstdint>

#include "kit/exercise.h"

namespace estimate {

// What sets one estimation screen apart from the others.
struct EstimationRow {
  QString caption;
  int dividendDraw = 0;    // deeltal = Int(r x dividendDraw) + 1 ...
  int dividendLowest = 0;  // ... drawn again until it reaches this
  std::array<kit::Place, 7> lbldeeltal;
  kit::Place txtschat;
  kit::Place cmdcontrole;
  kit::Place cmdstart;
  kit::Place cmdstop2;
  std::array<kit::Place, 3> shapes;  // Shape1 to Shape3
  kit::Place cmdhulp;  // the help button, and the hint line beside it
  kit::Place lblhulp;
};

template <class Wide>
class EstimationScreen : public kit::ScoringScreen {
 public:
  EstimationScreen(kit::Hub& hub, const EstimationRow& row);

  kit::Shape Shape1;
  kit::Shape Shape2;
  kit::Shape Shape3;
  kit::Picture Image2;
  // 0 dividend, 1 ":", 2 divisor, 3 "=", 4 "?", 5 "ik schat", 6 the result line
  kit::Group<kit::Label> lbldeeltal;
  kit::TextBox txtschat;
  kit::Button cmdcontrole;
  kit::Button cmdstart;
  kit::Button cmdstop2;

  std::int16_t deler = 0;
  Wide deeltal = 0;
  Wide quotient = 0;
  Wide ondergrens = 0;
  Wide bovengrens = 0;
  std::int16_t rest = 0;

  void cmdstart_Click();
  void cmdcontrole_Click();
  void cmdstop2_Click();
  void txtschat_Click();
  void txtschat_KeyPress(int& KeyAscii);
  void txtschat_Change();

 protected:
  kit::Button& StopButton() override { return cmdstop2; }
  Hint HelpPrompt(int level) override;
  QString HelpReason() override;

 private:
  void Reset();
  const EstimationRow& row_;
};

extern template class EstimationScreen<std::int16_t>;
extern template class EstimationScreen<std::int32_t>;

class frmschat100 final : public EstimationScreen<std::int16_t> {
 public:
  explicit frmschat100(kit::Hub& hub);
};

class frmschat final : public EstimationScreen<std::int16_t> {
 public:
  explicit frmschat(kit::Hub& hub);
};

class frmkomma final : public EstimationScreen<std::int32_t> {
 public:
  explicit frmkomma(kit::Hub& hub);
};

}  // namespace estimate
