// The estimation screens: a pupil who divides in the head types the quotient,
// or an estimate a little off it that must still be accepted (up to 6 away).

#include <QLineEdit>
#include <algorithm>

#include "estimate/frmschat.h"
#include "kit/numbers.h"
#include "support/solve_screens.h"
#include "kit/qt/native.h"

namespace testing_support {

namespace {

template <class Screen>
bool Owns(kit::Window& w) {
  return dynamic_cast<Screen*>(&w) != nullptr;
}

template <class Screen>
NextMove Next(kit::Window& w, QWidget* focused) {
  auto& s = dynamic_cast<Screen&>(w);
  if (focused != kit::qt::Edit(s.txtschat) || s.deler < 2) return {};
  const long long quotient = s.deeltal / s.deler;
  // Half the exercises get the exact quotient, the others an estimate off by
  // up to 6 either way (never below 0: a minus sign cannot be typed here), so
  // that the edges of what counts as a good estimate are worked too.
  const long long off = s.deeltal % 2 == 0 ? 0 : (s.deeltal / 2) % 13 - 6;
  return TowardsText(s.txtschat.Text(), kit::NumText(std::max(0LL, quotient + off)));
}

template <class Screen>
void Boxes(kit::Window& w, std::vector<QLineEdit*>& out) {
  out.push_back(kit::qt::Edit(dynamic_cast<Screen&>(w).txtschat));
}

// Accepted: less than 7 away from the quotient. An empty box or a lone "-"
// stands for the estimate 0.
template <class Screen>
bool Right(kit::Window& w) {
  auto& s = dynamic_cast<Screen&>(w);
  const double estimate = kit::ReadNumber(s.txtschat.Text());
  const double quotient = double(s.deeltal / s.deler);
  return quotient - 7 < estimate && estimate < quotient + 7;
}

template <class Screen>
ScreenSolver For(const char* name) {
  return {name, &Owns<Screen>, &Next<Screen>, &Boxes<Screen>, &Right<Screen>};
}

}  // namespace

std::vector<ScreenSolver> EstimationSolvers() {
  return {For<estimate::frmschat100>("frmschat100"), For<estimate::frmschat>("frmschat"),
          For<estimate::frmkomma>("frmkomma")};
}

}  // namespace testing_support
