#pragma once
// Written division of a number with five digits and three decimals by a
// one-digit divisor, to a remainder in thousandths, in eight steps on the
// shared subtraction-row scheme. Every amount is counted in thousandths, so
// the arithmetic stays in whole numbers; only the texts show a comma.

#include <cstdint>

#include "written/scheme.h"

namespace written {

class frmcijferdelen5 final : public DivisionScheme {
 public:
  explicit frmcijferdelen5(kit::Hub& hub);

  std::int16_t deler = 0;
  std::int32_t deeltal = 0;      // thousandths: 10000001 to 99999999
  std::int64_t quotient = 0;     // thousandths
  std::int16_t rest = 0;         // thousandths, 0 to deler - 1
  std::int64_t uitkomst = 0;     // the pupil's quotient in thousandths
  std::int32_t deeltalTD = 0;
  std::int32_t deeltalD = 0;
  std::int32_t deeltalH = 0;
  std::int32_t deeltalT = 0;
  std::int32_t deeltalE = 0;
  std::int32_t deeltalTiende = 0;
  std::int32_t deeltalHonderdste = 0;
  std::int32_t deeltalDuizendste = 0;

 protected:
  void cmdstart_Click() override;
  void cmdcontrole_Click() override { Controle(rest); }
  void ClearBoard() override;
  void AfterNieuw() override { HideAfterClearing(); }
  void AfterNogEens() override { HideAfterClearing(); }
  long long DividendDigit(int digit) const override;
  bool LeadingDigitHoldsDivisor() const override { return deeltalTD >= deler; }
  QString PupilsQuotientText(double digits) const override;
  void TakeUitkomst(double digits) override;
  bool QuotientStaysInView() const override { return true; }
  // The dividend is held in thousandths; the pupil reads it with its comma.
  QString Task() const override;

 private:
  void MakeUp();
  void SplitDividend();
  void HideAfterClearing();
};

}  // namespace written
