// Written division of five digits with a remainder: every box of the board has
// one right digit, worked out from the dividend and the divisor as a pupil
// works it on paper.

#include <QLineEdit>
#include <array>

#include "kit/numbers.h"
#include "support/division.h"
#include "support/solve_screens.h"
#include "written/frmcijferdelen4.h"

namespace testing_support {

namespace {

using written::frmcijferdelen4;

struct Worked {
  std::array<int, 5> quotient{};
  std::array<int, 18> aftrek{};
  int rest = 0;
};

// The board's boxes by its rule: step k's product in box 0 (k = 1) or in a
// tens and a units box, its difference, and the digit brought down beside it.
Worked Work(int deeltal, int deler) {
  const WrittenDivision w = WorkDivision(deeltal, deler, 0, 5);
  Worked out;
  for (int k = 1; k <= 5; ++k) {
    const DivisionStep& step = w.steps[std::size_t(k - 1)];
    out.quotient[std::size_t(k - 1)] = step.digit;
    if (k == 1) {
      out.aftrek[written::ProductUnits(1)] = int(step.product);
    } else {
      out.aftrek[std::size_t(written::ProductTens(k))] = int(step.product / 10);
      out.aftrek[std::size_t(written::ProductUnits(k))] = int(step.product % 10);
    }
    out.aftrek[std::size_t(written::DifferenceBox(k))] = int(step.difference);
    if (k < 5) out.aftrek[std::size_t(written::BroughtDownBox(k))] = step.broughtDown;
  }
  out.rest = int(w.remainder);
  return out;
}

bool Owns(kit::Window& w) { return dynamic_cast<frmcijferdelen4*>(&w) != nullptr; }

NextMove Next(kit::Window& w, QWidget* focused) {
  auto& s = dynamic_cast<frmcijferdelen4&>(w);
  if (s.deler < 2) return {};
  const Worked right = Work(s.deeltal, s.deler);
  for (int i = 0; i < 5; ++i)
    if (focused == s.txtquotient[i].Edit())
      return TowardsText(s.txtquotient[i].Text(), kit::NumText(right.quotient[std::size_t(i)]));
  for (int i = 0; i < 18; ++i)
    if (focused == s.txtaftrek[i].Edit())
      return TowardsText(s.txtaftrek[i].Text(), kit::NumText(right.aftrek[std::size_t(i)]));
  return {};
}

void Boxes(kit::Window& w, std::vector<QLineEdit*>& out) {
  auto& s = dynamic_cast<frmcijferdelen4&>(w);
  s.txtquotient.ForEach([&](kit::TextBox& b, int) { out.push_back(b.Edit()); });
  s.txtaftrek.ForEach([&](kit::TextBox& b, int) { out.push_back(b.Edit()); });
}

// Right: the five quotient boxes, each read as a number (empty or not a
// number: 0), make the quotient as digits of one number, and the final box
// reads exactly the remainder.
bool Right(kit::Window& w) {
  auto& s = dynamic_cast<frmcijferdelen4&>(w);
  double q = 0;
  for (int i = 0; i < 5; ++i) q = 10 * q + kit::ReadNumber(s.txtquotient[i].Text());
  const Worked right = Work(s.deeltal, s.deler);
  return q == double(s.deeltal / s.deler) && s.txtaftrek[17].Text() == kit::NumText(right.rest);
}

}  // namespace

std::vector<ScreenSolver> Delen4Solvers() { return {{"frmcijferdelen4", &Owns, &Next, &Boxes, &Right}}; }

}  // namespace testing_support
