#pragma once
// Written division of a five-digit number by a one-digit divisor, with
// remainder, in five steps on the shared subtraction-row scheme.

#include <cstdint>

#include "written/scheme.h"

namespace written {

class frmcijferdelen4 final : public DivisionScheme {
 public:
  explicit frmcijferdelen4(kit::Hub& hub);

  std::int16_t deler = 0;
  std::int32_t deeltal = 0;
  std::int32_t deeltalTD = 0;
  std::int16_t deeltalD = 0;
  std::int16_t deeltalH = 0;
  std::int16_t deeltalT = 0;
  std::int16_t deeltalE = 0;
  std::int32_t quotient = 0;
  std::int16_t rest = 0;
  std::int32_t uitkomst = 0;

 protected:
  void cmdstart_Click() override;
  void cmdcontrole_Click() override { Controle(rest); }
  long long DividendDigit(int digit) const override;
  bool LeadingDigitHoldsDivisor() const override { return deeltalTD >= deler; }
  void TakeUitkomst(double digits) override;

 private:
  void MakeUp();
  void SplitDividend();
};

}  // namespace written
