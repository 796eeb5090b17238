// Written division of three digits: every box of the board has one right digit,
// worked out here from the dividend and the divisor as a pupil works it on paper.

#include <QLineEdit>
#include <array>

#include "kit/numbers.h"
#include "support/division.h"
#include "support/solve_screens.h"
#include "written/frmcijferdeel0.h"

namespace testing_support {

namespace {

using written::frmcijferdeel0;

struct Worked {
  std::array<int, 3> quotient;
  std::array<int, 10> aftrek;
};

// The board's boxes, step by step: the first product and difference are one
// digit each, the later products a tens and a units box.
Worked Work(int deeltal, int deler) {
  const WrittenDivision w = WorkDivision(deeltal, deler, 0, 3);
  const DivisionStep &s1 = w.steps[0], &s2 = w.steps[1], &s3 = w.steps[2];
  return {{s1.digit, s2.digit, s3.digit},
          {int(s1.product), int(s1.difference), s1.broughtDown, int(s2.product / 10), int(s2.product % 10),
           int(s2.difference), s2.broughtDown, int(s3.product / 10), int(s3.product % 10), int(s3.difference)}};
}

bool Owns(kit::Window& w) { return dynamic_cast<frmcijferdeel0*>(&w) != nullptr; }

NextMove Next(kit::Window& w, QWidget* focused) {
  auto& s = dynamic_cast<frmcijferdeel0&>(w);
  if (s.deler < 2) return {};
  const Worked right = Work(s.deeltal, s.deler);
  for (int i = 0; i < 3; ++i)
    if (focused == s.txtquotient[i].Edit())
      return TowardsText(s.txtquotient[i].Text(), kit::NumText(right.quotient[std::size_t(i)]));
  for (int i = 0; i < 10; ++i)
    if (focused == s.txtaftrek[i].Edit())
      return TowardsText(s.txtaftrek[i].Text(), kit::NumText(right.aftrek[std::size_t(i)]));
  return {};
}

void Boxes(kit::Window& w, std::vector<QLineEdit*>& out) {
  auto& s = dynamic_cast<frmcijferdeel0&>(w);
  for (int i = 0; i < 3; ++i) out.push_back(s.txtquotient[i].Edit());
  for (int i = 0; i < 10; ++i) out.push_back(s.txtaftrek[i].Edit());
}

// Right: the quotient boxes, each read as a number (empty or not a number: 0),
// make the quotient as 100 x q0 + 10 x q1 + q2, and the final remainder box
// reads exactly "0". A quotient that does not fit a 16-bit whole number is
// wrong, whatever it comes to when cut down to 16 bits.
bool Right(kit::Window& w) {
  auto& s = dynamic_cast<frmcijferdeel0&>(w);
  double q = 0;
  for (int i = 0; i < 3; ++i) q = 10 * q + kit::ReadNumber(s.txtquotient[i].Text());
  return q == double(s.deeltal / s.deler) && s.txtaftrek[9].Text() == u"0";
}

}  // namespace

std::vector<ScreenSolver> WrittenSolvers() { return {{"frmcijferdeel0", &Owns, &Next, &Boxes, &Right}}; }

}  // namespace testing_support
