#pragma once
// The written-division scheme with subtraction rows, shared by the screens of
// three, five and eight steps. A screen hands in its own tables (places, lines,
// step reactions, row checks); everything that works those tables lives here.
//
// Board rule for steps k = 1 to n: product k stands in box 0 (k = 1) or in
// boxes 4k - 5 and 4k - 4; difference k in box 4k - 3; the digit brought down
// after it in box 4k - 2 (k < n). Box 4n - 3 is the final remainder, so the
// board has 4n - 2 subtraction boxes.

#include <QString>
#include <QStringView>
#include <vector>

#include "kit/exercise.h"

namespace written {

// ---------------------------------------------------------------- the rule

constexpr int SubtractionBoxes(int steps) { return 4 * steps - 2; }
constexpr int ProductTens(int k) { return k == 1 ? -1 : 4 * k - 5; }  // -1: step 1 has one box
constexpr int ProductUnits(int k) { return k == 1 ? 0 : 4 * k - 4; }
constexpr int DifferenceBox(int k) { return 4 * k - 3; }
constexpr int BroughtDownBox(int k) { return 4 * k - 2; }

// ---------------------------------------------------------------- step reactions

struct Box {
  enum class Kind { Quotient, Aftrek };
  Kind kind;
  int index;
};
constexpr Box Q(int index) { return {Box::Kind::Quotient, index}; }
constexpr Box A(int index) { return {Box::Kind::Aftrek, index}; }

enum class LineSet { Min, HT1, E };

// One action of a step reaction. Boxes are subtraction boxes unless named.
struct Step {
  enum class Do {
    Show,          // show box
    Focus,         // give box the focus
    ShowLines,     // show lines first..last of a set
    BringDown,     // box <- the dividend's digit `digit`, as a change of its own
    OpenQuotient,  // enable quotient box and give it the focus
    ShowControle,
  };
  Do what;
  int box = 0;
  LineSet set = LineSet::Min;
  int first = 0;
  int last = 0;
};

namespace step {
constexpr Step Show(int box) { return {Step::Do::Show, box}; }
constexpr Step Focus(int box) { return {Step::Do::Focus, box}; }
constexpr Step Lines(LineSet set, int first, int last) { return {Step::Do::ShowLines, 0, set, first, last}; }
constexpr Step Line(LineSet set, int index) { return Lines(set, index, index); }
constexpr Step BringDown(int box, int digit) { return {Step::Do::BringDown, box, LineSet::Min, digit}; }
constexpr Step OpenQuotient(int box) { return {Step::Do::OpenQuotient, box}; }
constexpr Step ShowControle() { return {Step::Do::ShowControle}; }
}  // namespace step

// A changed box and what follows its change, in order.
struct Reaction {
  Box changed;
  std::vector<Step> steps;
};

// ---------------------------------------------------------------- row checks

// A row read as a number: 10 x tens + units, or the one box `units` alone.
struct Pair {
  int tens = -1;
  int units = 0;
};
constexpr Pair One(int box) { return {-1, box}; }
constexpr Pair Two(int tens, int units) { return {tens, units}; }

struct Check {
  enum class Kind {
    FirstDifference,  // box against dividend digit 0 - product
    Difference,       // box against above - product
    Remainder,        // box against the exercise's remainder
    Product,          // product against quotient digit x divisor
  };
  Kind kind;
  int box = 0;         // the difference box (the one turned red), or unused
  Pair above{};        // Difference: the row the product is taken from
  Pair product{};      // the product row (Product: turned red)
  int quotient = 0;    // Product: the quotient digit's box
};

namespace check {
constexpr Check FirstDifference(int box, int product) {
  return {Check::Kind::FirstDifference, box, {}, One(product)};
}
constexpr Check Difference(int box, Pair above, Pair product) {
  return {Check::Kind::Difference, box, above, product};
}
constexpr Check Remainder(int box) { return {Check::Kind::Remainder, box}; }
constexpr Check Product(Pair product, int quotient) {
  return {Check::Kind::Product, 0, {}, product, quotient};
}
}  // namespace check

// ---------------------------------------------------------------- the board

struct Size {
  int width = 0;
  int height = 0;
};

struct Head {
  kit::Place place;
  const char16_t* caption;
};

// Lines of one group; indices below `first` do not exist on the board.
struct LineGroupPlan {
  int first = 0;
  std::vector<std::pair<kit::TwipPoint, kit::TwipPoint>> lines;
};

struct BoardPlan {
  int steps = 3;
  QStringView allowed;  // the key filter's character set

  Size digitBox;  // dividend and subtraction boxes
  kit::Font digitFont;
  Size answerBox;  // divisor and quotient boxes
  kit::Font answerFont;
  kit::Font headFont;
  std::vector<Head> heads;  // txtorde
  std::vector<kit::TwipPoint> dividend;
  kit::TwipPoint divisor;
  std::vector<kit::TwipPoint> quotient;

  // The subtraction rows, placed by the rule: column j is the dividend's
  // digit j; product row k and difference row k have their own tops.
  std::vector<int> columns;
  std::vector<int> productTops;
  std::vector<int> differenceTops;

  int lineWidth = 5;
  QColor lineColour;
  LineGroupPlan lnemin, lneHT1, lneE;
  std::pair<kit::TwipPoint, kit::TwipPoint> lneHT;
  QColor lneHTColour;
  std::pair<kit::TwipPoint, kit::TwipPoint> line1, line2;
  int bracketWidth = 10;

  kit::Place uitkomst;
  kit::Font uitkomstFont;
  kit::Place lbldeler, lbldeeltal, lblQ, lblmultrest, lblQuitkomst;
};

// Where box i of a board with these columns and row tops stands.
std::vector<kit::Place> SubtractionPlaces(const BoardPlan& layout);

// Plain decimal text of a number read from boxes: whole numbers without
// exponent, fractions in their shortest form.
QString NumberText(double value);

// ---------------------------------------------------------------- the screen

class DivisionScheme : public kit::SeriesScreen {
 public:
  kit::Group<kit::TextBox> txtorde;
  kit::Group<kit::TextBox> txtdeeltal;
  kit::TextBox txtdeler;
  kit::Group<kit::TextBox> txtquotient;
  kit::Group<kit::TextBox> txtaftrek;
  kit::Group<kit::Line> lnemin;
  kit::Group<kit::Line> lneHT1;
  kit::Group<kit::Line> lneE;
  kit::Line lneHT;
  kit::Line Line1;
  kit::Line Line2;
  kit::Label lbluitkomst;
  kit::Label lbldeler;
  kit::Label lbldeeltal;
  kit::Label lblQ;
  kit::Label lblmultrest;
  kit::Label lblQuitkomst;

 protected:
  // The tables must outlive the screen (static tables of the screen's file).
  DivisionScheme(kit::Hub& hub, const QString& caption, const QColor& back, const Layout& layout,
                 const Verdicts& verdicts, const BoardPlan& board, const std::vector<Reaction>& reactions,
                 const std::vector<Check>& checks);

  // The dividend's digit `digit` (0 = leftmost), for the digits brought down.
  virtual long long DividendDigit(int digit) const = 0;

  void txtquotient_Change(int Index);
  void txtaftrek_Change(int Index);
  void txtquotient_KeyPress(int Index, int& KeyAscii);
  void txtaftrek_KeyPress(int Index, int& KeyAscii);
  void txtquotient_Click(int Index);
  void txtaftrek_Click(int Index);

  // CONTROLE's parts.
  // Empty subtraction boxes count as 0; each "0" runs its box's reaction.
  void FillEmptyWithZero();
  // Colours red the boxes of every row that disagrees with the pupil's own
  // earlier rows (and, for a remainder check, with `rest`).
  void CheckRows(double rest);
  // The quotient boxes read as one number; an empty box or one that is not a
  // number reads as 0.
  double QuotientNumber() const;

  kit::TextBox* FirstQuotientBox() override { return &txtquotient[0]; }

 private:
  void Repair(kit::Group<kit::TextBox>& group);
  void React(const Reaction* reaction);
  double Row(Pair pair) const;
  kit::Line& LineOf(LineSet set, int index);

  QStringView allowed_;
  const std::vector<Check>& checks_;
  std::vector<const Reaction*> onQuotient_;
  std::vector<const Reaction*> onAftrek_;
};

}  // namespace written
