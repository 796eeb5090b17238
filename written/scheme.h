#pragma once
// The written-division scheme with subtraction rows, shared by the screens of
// three, five and eight steps, on the board layer. What the three screens
// share lives here: the box rule, the opening with zero, the clear routine and
// CONTROLE's order. A screen hands in its plan and tables and says where it
// departs.
//
// Board rule for steps k = 1 to n: product k stands in box 0 (k = 1) or in
// boxes 4k - 5 and 4k - 4; difference k in box 4k - 3; the digit brought down
// after it in box 4k - 2 (k < n). Box 4n - 3 is the final remainder, so the
// board has 4n - 2 subtraction boxes.

#include <QString>
#include <vector>

#include "board/board.h"

namespace written {

// ---------------------------------------------------------------- the rule

constexpr int SubtractionBoxes(int steps) { return 4 * steps - 2; }
constexpr int ProductTens(int k) { return k == 1 ? -1 : 4 * k - 5; }  // -1: step 1 has one box
constexpr int ProductUnits(int k) { return k == 1 ? 0 : 4 * k - 4; }
constexpr int DifferenceBox(int k) { return 4 * k - 3; }
constexpr int BroughtDownBox(int k) { return 4 * k - 2; }
constexpr int FinalBox(int steps) { return DifferenceBox(steps); }

// What box i of the subtraction rows holds by the rule: step k's product
// (tens or units), its difference, or the digit brought down after it; and
// the dividend's column j it stands in.
struct SubtractionBox {
  enum class Kind { Product, Difference, BroughtDown };
  Kind kind = Kind::Product;
  int step = 1;
  int column = 0;
};
std::vector<SubtractionBox> SubtractionLayout(int steps);

// The subtraction rows, placed by the rule: column j is the dividend's digit
// j; product row k and difference row k have their own tops.
struct RowsPlan {
  int steps = 3;
  std::vector<int> columns;
  std::vector<int> productTops;
  std::vector<int> differenceTops;
  const board::BoxStyle* digit = nullptr;
  // Always hidden: the remainder and the pupil's quotient as text.
  kit::Place lblmultrest{}, lblQuitkomst{};
};

// Where box i of a board with these columns and row tops stands.
std::vector<kit::Place> SubtractionPlaces(const RowsPlan& rows);

// The row checks every written board makes, step by step: each difference
// against the row above minus the product, each product against its quotient
// digit times the divisor.
std::vector<board::Check> StepChecks(int steps);

// ---------------------------------------------------------------- the screen

class DivisionScheme : public board::BoardScreen {
 public:
  kit::Group<kit::TextBox>& txtaftrek;
  kit::Label lblmultrest;
  kit::Label lblQuitkomst;

 protected:
  // `plan` names the quotient group; the subtraction rows come from `rows`.
  DivisionScheme(kit::Hub& hub, const QString& caption, const QColor& back, const Layout& layout,
                 const Verdicts& verdicts, const board::BoardPlan& plan, const RowsPlan& rows,
                 const std::vector<board::Reaction>& reactions, const std::vector<board::Check>& checks);

  // START on the boards that do not clear first (the board is clear whenever
  // START is on view): a fresh draw, the frame's START rules, and the first
  // quotient box ready and holding the keyboard.
  void BeginWithoutClearing();

  // The opening after the exercise is laid out: the pupil starts in the first
  // quotient box, or, when the leading digit does not hold the divisor, the
  // screen writes the first step with a 0 itself, through the same reactions
  // as the pupil's typing, and the pupil starts in the second.
  void Open();

  // The clear routine the three boards share. Emptying is quiet: clearing
  // must not set off the step reactions.
  void ClearBoard() override;

  // CONTROLE in its order: empty boxes become 0, the rows are checked, the
  // pupil's quotient is shown, and quotient and final remainder are compared
  // as text with the true ones.
  void Controle(double rest);
  // The pupil's quotient as the label shows it, from the quotient boxes read
  // as one number (a board with decimals divides it down).
  virtual QString PupilsQuotientText(double digits) const;
  // The screen's own record of the pupil's quotient.
  virtual void TakeUitkomst(double digits) = 0;
  // Whether the quotient boxes stay in view beside the label after CONTROLE.
  virtual bool QuotientStaysInView() const { return false; }

 private:
  void NameSubtractionRows();
  const int steps_;
};

}  // namespace written
