// Written division of five digits with a remainder: every box of the board has
// one right digit, worked out here from the dividend and the divisor as a
// pupil works it on paper, step by step down the dividend's digits.

#include <QLineEdit>
#include <array>

#include "kit/numbers.h"
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

Worked Work(int deeltal, int deler) {
  const int digits[] = {deeltal / 10000, deeltal / 1000 % 10, deeltal / 100 % 10, deeltal / 10 % 10, deeltal % 10};
  Worked w;
  int left = 0;  // what the previous step leaves
  for (int k = 1; k <= 5; ++k) {
    const int partial = 10 * left + digits[k - 1];
    const int q = partial / deler, product = q * deler;
    left = partial - product;
    w.quotient[std::size_t(k - 1)] = q;
    if (k == 1) {
      w.aftrek[written::ProductUnits(1)] = product;
    } else {
      w.aftrek[std::size_t(written::ProductTens(k))] = product / 10;
      w.aftrek[std::size_t(written::ProductUnits(k))] = product % 10;
    }
    w.aftrek[std::size_t(written::DifferenceBox(k))] = left;
    if (k < 5) w.aftrek[std::size_t(written::BroughtDownBox(k))] = digits[k];
  }
  w.rest = left;
  return w;
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
