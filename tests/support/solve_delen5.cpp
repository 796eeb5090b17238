// Written division with a decimal comma: a pupil who can divide works every box
// of the board out from the dividend and divisor on the screen, in thousandths,
// as on paper, across the comma.

#include <QLineEdit>
#include <array>

#include "kit/numbers.h"
#include "support/division.h"
#include "support/solve_screens.h"
#include "written/frmcijferdelen5.h"

namespace testing_support {

namespace {

using written::frmcijferdelen5;

struct Worked {
  std::array<int, 8> quotient{};
  std::array<int, 30> aftrek{};
};

// The board's boxes by the box rule: step 1's product and difference one box
// each, step k's product in boxes 4k - 5 and 4k - 4, its difference in 4k - 3
// and the digit brought down beside it in 4k - 2.
Worked Work(std::int32_t deeltal, int deler) {
  const WrittenDivision w = WorkDivision(deeltal, deler, 3, 8);
  Worked out;
  for (int k = 1; k <= 8; ++k) {
    const DivisionStep& s = w.steps[std::size_t(k - 1)];
    out.quotient[std::size_t(k - 1)] = s.digit;
    if (k == 1) {
      out.aftrek[0] = int(s.product);
    } else {
      out.aftrek[std::size_t(4 * k - 5)] = int(s.product / 10);
      out.aftrek[std::size_t(4 * k - 4)] = int(s.product % 10);
    }
    out.aftrek[std::size_t(4 * k - 3)] = int(s.difference);
    if (k < 8) out.aftrek[std::size_t(4 * k - 2)] = s.broughtDown;
  }
  return out;
}

bool Owns(kit::Window& w) { return dynamic_cast<frmcijferdelen5*>(&w) != nullptr; }

NextMove Next(kit::Window& w, QWidget* focused) {
  auto& s = dynamic_cast<frmcijferdelen5&>(w);
  if (s.deler < 2) return {};
  const Worked right = Work(s.deeltal, s.deler);
  for (int i = 0; i < 8; ++i)
    if (focused == s.txtquotient[i].Edit())
      return TowardsText(s.txtquotient[i].Text(), kit::NumText(right.quotient[std::size_t(i)]));
  for (int i = 0; i < 30; ++i)
    if (focused == s.txtaftrek[i].Edit())
      return TowardsText(s.txtaftrek[i].Text(), kit::NumText(right.aftrek[std::size_t(i)]));
  return {};
}

void Boxes(kit::Window& w, std::vector<QLineEdit*>& out) {
  auto& s = dynamic_cast<frmcijferdelen5&>(w);
  for (int i = 0; i < 8; ++i) out.push_back(s.txtquotient[i].Edit());
  for (int i = 0; i < 30; ++i) out.push_back(s.txtaftrek[i].Edit());
}

// Right: the quotient boxes, each read as a number (empty or not a number: 0),
// make the quotient in thousandths, and the final box holds the remainder in
// thousandths exactly as plain text ("2", never "02").
bool Right(kit::Window& w) {
  auto& s = dynamic_cast<frmcijferdelen5&>(w);
  double q = 0;
  for (int i = 0; i < 8; ++i) q = 10 * q + kit::ReadNumber(s.txtquotient[i].Text());
  return q == double(s.deeltal / s.deler) && s.txtaftrek[29].Text() == kit::NumText(s.deeltal % s.deler);
}

}  // namespace

std::vector<ScreenSolver> Delen5Solvers() { return {{"frmcijferdelen5", &Owns, &Next, &Boxes, &Right}}; }

}  // namespace testing_support
