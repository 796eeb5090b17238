// Place-value division: every box of the H, T, E board has one right digit,
// worked out here from the dividend and the divisor as a pupil works it on paper.

#include <QLineEdit>
#include <map>

#include "kit/numbers.h"
#include "placevalue/frmcijferdelen.h"
#include "support/division.h"
#include "support/solve_screens.h"
#include "kit/qt/native.h"

namespace testing_support {

namespace {

using placevalue::PlaceValueScreen;

// The right text of each box of the board, by its line edit: step k of the
// division fills the quotient box k, its product and its difference.
std::map<const QLineEdit*, int> Work(PlaceValueScreen& s) {
  const WrittenDivision w = WorkDivision(s.deeltal, s.deler, 0, 3);
  const DivisionStep &h = w.steps[0], &t = w.steps[1], &e = w.steps[2];
  return {{kit::qt::Edit(s.txtquotient[0]), h.digit},           {kit::qt::Edit(s.txtquotient[1]), t.digit},
          {kit::qt::Edit(s.txtquotient[2]), e.digit},           {kit::qt::Edit(s.txtHx[0]), int(h.product)},
          {kit::qt::Edit(s.txtHr), int(h.difference)},          {kit::qt::Edit(s.txtT[0]), h.broughtDown},
          {kit::qt::Edit(s.txtT[1]), int(t.product / 10)},      {kit::qt::Edit(s.txtT[2]), int(t.product % 10)},
          {kit::qt::Edit(s.txtTr), int(t.difference)},          {kit::qt::Edit(s.txtE[0]), t.broughtDown},
          {kit::qt::Edit(s.txtE[1]), int(e.product / 10)},      {kit::qt::Edit(s.txtE[2]), int(e.product % 10)},
          {kit::qt::Edit(s.txtrest), int(e.difference)}};
}

template <class Screen>
bool Owns(kit::Window& w) {
  return dynamic_cast<Screen*>(&w) != nullptr;
}

NextMove Next(kit::Window& w, QWidget* focused) {
  auto& s = dynamic_cast<PlaceValueScreen&>(w);
  if (s.deler < 2) return {};
  const auto right = Work(s);
  const auto it = right.find(qobject_cast<QLineEdit*>(focused));
  if (it == right.end()) return {};
  const NextMove move = TowardsText(it->first->text(), kit::NumText(it->second));
  // The differences of the first screen do not empty on a click.
  const bool fixed = dynamic_cast<placevalue::frmcijferdelen*>(&s) && (focused == kit::qt::Edit(s.txtHr) || focused == kit::qt::Edit(s.txtTr));
  return move.kind == NextMove::Kind::Erase && fixed ? NextMove{} : move;
}

void Boxes(kit::Window& w, std::vector<QLineEdit*>& out) {
  auto& s = dynamic_cast<PlaceValueScreen&>(w);
  for (auto* group : {&s.txtquotient, &s.txtHx, &s.txtT, &s.txtE})
    group->ForEach([&out](kit::TextBox& b, int) { out.push_back(kit::qt::Edit(b)); });
  for (kit::TextBox* b : {&s.txtHr, &s.txtTr, &s.txtrest}) out.push_back(kit::qt::Edit(*b));
}

// Right: the quotient boxes (each read as a number, empty or not a number as
// 0) make the quotient as 100 x H + 10 x T + E; on the twin the remainder box
// must also read the remainder.
bool Right(kit::Window& w) {
  auto& s = dynamic_cast<PlaceValueScreen&>(w);
  if (s.deler < 2) return false;
  double q = 0;
  for (int i = 0; i < 3; ++i) q = 10 * q + kit::ReadNumber(s.txtquotient[i].Text());
  const bool remainder = !dynamic_cast<placevalue::frmcijferdelen2*>(&s) ||
                         kit::ReadNumber(s.txtrest.Text()) == double(s.deeltal % s.deler);
  return q == double(s.deeltal / s.deler) && remainder;
}

}  // namespace

std::vector<ScreenSolver> PlaceValueSolvers() {
  return {{"frmcijferdelen", &Owns<placevalue::frmcijferdelen>, &Next, &Boxes, &Right},
          {"frmcijferdelen2", &Owns<placevalue::frmcijferdelen2>, &Next, &Boxes, &Right}};
}

}  // namespace testing_support
