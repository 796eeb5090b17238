// Written division with subtraction rows: every box of the board has one right
// digit, worked out from the dividend and the divisor as a pupil works it on
// paper and placed by the boards' box rule.

#include <QLineEdit>
#include <array>

#include "kit/numbers.h"
#include "support/division.h"
#include "support/solve_screens.h"
#include "written/frmcijferdeel0.h"
#include "written/frmcijferdelen4.h"
#include "written/frmcijferdelen5.h"
#include "written/scheme.h"
#include "kit/qt/native.h"

namespace testing_support {

namespace {

// One board: `Steps` quotient digits, the last `Decimals` of them after the
// comma (the dividend is then held in units of the last place).
template <class Screen, int Decimals, int Steps>
struct WrittenSolver {
  static constexpr int kAftrek = written::FinalBox(Steps) + 1;
  struct Worked {
    std::array<int, Steps> quotient{};
    std::array<int, kAftrek> aftrek{};
  };

  // Step k's product in one box (k = 1) or a tens and a units box, its
  // difference, and the digit brought down beside it.
  static Worked Work(const Screen& s) {
    const WrittenDivision w = WorkDivision(s.deeltal, s.deler, Decimals, Steps);
    Worked out;
    for (int k = 1; k <= Steps; ++k) {
      const DivisionStep& step = w.steps[std::size_t(k - 1)];
      out.quotient[std::size_t(k - 1)] = step.digit;
      if (k > 1) out.aftrek[std::size_t(written::ProductTens(k))] = int(step.product / 10);
      out.aftrek[std::size_t(written::ProductUnits(k))] = int(k > 1 ? step.product % 10 : step.product);
      out.aftrek[std::size_t(written::DifferenceBox(k))] = int(step.difference);
      if (k < Steps) out.aftrek[std::size_t(written::BroughtDownBox(k))] = step.broughtDown;
    }
    return out;
  }

  static bool Owns(kit::Window& w) { return dynamic_cast<Screen*>(&w) != nullptr; }

  static NextMove Next(kit::Window& w, QWidget* focused) {
    auto& s = dynamic_cast<Screen&>(w);
    if (s.deler < 2) return {};
    const Worked right = Work(s);
    for (int i = 0; i < Steps; ++i)
      if (focused == kit::qt::Edit(s.txtquotient[i]))
        return TowardsText(s.txtquotient[i].Text(), kit::NumText(right.quotient[std::size_t(i)]));
    for (int i = 0; i < kAftrek; ++i)
      if (focused == kit::qt::Edit(s.txtaftrek[i]))
        return TowardsText(s.txtaftrek[i].Text(), kit::NumText(right.aftrek[std::size_t(i)]));
    return {};
  }

  static void Boxes(kit::Window& w, std::vector<QLineEdit*>& out) {
    auto& s = dynamic_cast<Screen&>(w);
    for (int i = 0; i < Steps; ++i) out.push_back(kit::qt::Edit(s.txtquotient[i]));
    for (int i = 0; i < kAftrek; ++i) out.push_back(kit::qt::Edit(s.txtaftrek[i]));
  }

  // Right: the quotient boxes, each read as a number (empty or not a number:
  // 0), make the quotient as the digits of one number, and the final box holds
  // the remainder exactly as plain text ("2", never "02"). A quotient that
  // does not fit the screen's counter is wrong, whatever it comes to when cut
  // down to it.
  static bool Right(kit::Window& w) {
    auto& s = dynamic_cast<Screen&>(w);
    double q = 0;
    for (int i = 0; i < Steps; ++i) q = 10 * q + kit::ReadNumber(s.txtquotient[i].Text());
    return q == double(s.deeltal / s.deler) &&
           s.txtaftrek[written::FinalBox(Steps)].Text() == kit::NumText(s.deeltal % s.deler);
  }

  static ScreenSolver Make(const char* name) { return {name, &Owns, &Next, &Boxes, &Right}; }
};

}  // namespace

std::vector<ScreenSolver> WrittenSolvers() {
  return {WrittenSolver<written::frmcijferdeel0, 0, 3>::Make("frmcijferdeel0"),
          WrittenSolver<written::frmcijferdelen4, 0, 5>::Make("frmcijferdelen4"),
          WrittenSolver<written::frmcijferdelen5, 3, 8>::Make("frmcijferdelen5")};
}

}  // namespace testing_support
