#pragma once
// The board layer shared by every division screen (written division with
// subtraction rows and place-value division): a screen hands in its tables
// and this layer builds the controls and works the tables.
//
// - A box reference names a group of one-digit boxes and an index in it.
// - A step reaction lists what follows the change of a box, in order; a row
//   may name one box or every box of a group, and the rows that match a
//   change all run, in table order (so a row for "every subtraction box" at
//   the end of the table runs after each box's own row).
// - An action may carry a guard; a whole row may too.
// - A row check compares a difference or a product with the pupil's own
//   earlier rows and turns the boxes of a wrong row red.
// - Plans give every head, box, line and label its place and its style.
//
// A new division screen is its plan, its reactions and its checks, plus the
// few routines where it departs (its START, its clear routine, CONTROLE's
// verdict). When a table cannot say what a screen needs, extend this layer.

#include <QColor>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "kit/exercise.h"

namespace board {

// ---------------------------------------------------------------- box references

// The groups of one-digit boxes a board may have. Single boxes (txtHr, txtTr,
// txtrest) are groups of one.
enum class Grp : std::uint8_t {
  quotient,  // txtquotient: the quotient's digits, typed by the pupil
  deeltal,   // txtdeeltal: the dividend's digits, display only
  aftrek,    // txtaftrek: the subtraction rows of the written scheme
  Hx,        // txtHx, txtHr, txtT, txtTr, txtE, txtrest: the place-value rows
  Hr,
  T,
  Tr,
  E,
  rest,
};
inline constexpr std::size_t kGroups = 9;

inline constexpr int kEvery = -1;  // a reaction row for every box of a group

struct Box {
  Grp group = Grp::quotient;
  int index = 0;
};
constexpr bool operator==(Box a, Box b) { return a.group == b.group && a.index == b.index; }

constexpr Box Q(int index) { return {Grp::quotient, index}; }
constexpr Box D(int index) { return {Grp::deeltal, index}; }
constexpr Box A(int index) { return {Grp::aftrek, index}; }
constexpr Box Hx(int index) { return {Grp::Hx, index}; }
constexpr Box Hr() { return {Grp::Hr, 0}; }
constexpr Box T(int index) { return {Grp::T, index}; }
constexpr Box Tr() { return {Grp::Tr, 0}; }
constexpr Box E(int index) { return {Grp::E, index}; }
constexpr Box Rest() { return {Grp::rest, 0}; }
// Every box of the group, for a reaction row.
constexpr Box Every(Grp group) { return {group, kEvery}; }

// ---------------------------------------------------------------- lines

enum class Lines : std::uint8_t { min, HT1, E };  // lnemin, lneHT1, lneE

struct LineRange {
  Lines group = Lines::min;
  int first = 0;
  int last = 0;
};

// ---------------------------------------------------------------- step reactions

enum class Guard : std::uint8_t {
  Always,
  NotWhileNieuw,        // does nothing while NIEUW is on view
  LeadingHoldsDivisor,  // only when the dividend's leading digit >= the divisor
  LeadingBelowDivisor,  // only when it is smaller (the opening with zero)
};

struct Action {
  enum class Do : std::uint8_t {
    Show,               // show `box`
    Hide,               // hide `box`
    Empty,              // empty `box`, as a change of its own
    Focus,              // give `box` the focus
    Enable,             // enable `box`
    ShowLines,          // show the lines of `lines`
    BringDown,          // `box` <- the dividend's digit `digit`, as a change
    CopyText,           // `box` <- the text of `source`, as a change
    ShowControle,       // show CONTROLE
    FocusControle,      // give CONTROLE the focus
    ZeroFirstQuotient,  // if quotient box 0 is empty: enable it, give it "0"
    Departure,          // the screen's own routine number `departure`
  };
  Do what = Do::Show;
  Box box{};
  LineRange lines{};
  int digit = 0;  // BringDown: 0 is the dividend's leftmost digit
  Box source{};
  int departure = 0;
  Guard guard = Guard::Always;

  constexpr Action When(Guard g) const {
    Action a = *this;
    a.guard = g;
    return a;
  }
};

namespace act {
constexpr Action Show(Box b) { return {Action::Do::Show, b}; }
constexpr Action Hide(Box b) { return {Action::Do::Hide, b}; }
constexpr Action Empty(Box b) { return {Action::Do::Empty, b}; }
constexpr Action Focus(Box b) { return {Action::Do::Focus, b}; }
constexpr Action Enable(Box b) { return {Action::Do::Enable, b}; }
constexpr Action ShowLines(Lines group, int first, int last) {
  Action a{Action::Do::ShowLines};
  a.lines = {group, first, last};
  return a;
}
constexpr Action ShowLine(Lines group, int index) { return ShowLines(group, index, index); }
constexpr Action BringDown(Box b, int digit) {
  Action a{Action::Do::BringDown, b};
  a.digit = digit;
  return a;
}
constexpr Action CopyText(Box to, Box from) {
  Action a{Action::Do::CopyText, to};
  a.source = from;
  return a;
}
constexpr Action ShowControle() { return {Action::Do::ShowControle}; }
constexpr Action FocusControle() { return {Action::Do::FocusControle}; }
constexpr Action ZeroFirstQuotient() { return {Action::Do::ZeroFirstQuotient}; }
constexpr Action Departure(int which) {
  Action a{Action::Do::Departure};
  a.departure = which;
  return a;
}
}  // namespace act

// A changed box (or every box of a group) and what follows, in order; the
// row's guard holds for every action in it.
struct Reaction {
  Box changed;
  std::vector<Action> actions;
  Guard guard = Guard::Always;
};

// ---------------------------------------------------------------- row checks

// A row read as a number: 10 x tens + units, or one box alone.
struct Row {
  Box tens{};
  Box units{};
  bool twoDigits = false;
};
constexpr Row One(Box b) { return {b, b, false}; }
constexpr Row Two(Box tens, Box units) { return {tens, units, true}; }

struct Check {
  enum class Kind : std::uint8_t {
    Difference,  // `box` against `above` - `product`; red: `box`
    Remainder,   // `box` against the remainder CheckRows is given; red: `box`
    Product,     // `product` against `quotient` x the divisor box; red: the row
  };
  Kind kind = Kind::Difference;
  Box box{};
  Row above{};
  Row product{};
  Box quotient{};
};

namespace check {
constexpr Check Difference(Box box, Row above, Row product) { return {Check::Kind::Difference, box, above, product}; }
constexpr Check Remainder(Box box) { return {Check::Kind::Remainder, box}; }
constexpr Check Product(Row product, Box quotient) { return {Check::Kind::Product, {}, {}, product, quotient}; }
}  // namespace check

// ---------------------------------------------------------------- steps

constexpr bool operator==(const Row& a, const Row& b) {
  return a.tens == b.tens && a.units == b.units && a.twoDigits == b.twoDigits;
}

// One step of the division as the row checks name it: the quotient digit, the
// row the step divides (the leading digit, or the last difference with the
// digit brought down beside it), the product under it and the difference.
struct StepRows {
  Box quotient{};
  Row above{};
  Row product{};
  Box difference{};
};
// The steps in the order the pupil works them: each difference check with the
// product check of the same product row.
std::vector<StepRows> StepsOf(const std::vector<Check>& checks);

// What a box is for in the division: the help reads it to know what to say.
struct Role {
  enum class Kind : std::uint8_t {
    None,          // not a box of the steps (a dividend digit, the divisor)
    Digit,         // the step's quotient digit
    Product,       // the step's product in one box
    ProductTens,   // the first of the product's two boxes
    ProductUnits,  // the second
    Difference,    // the step's difference (the last one is the remainder)
    BroughtDown,   // the dividend's digit brought down beside the last difference
  };
  Kind kind = Kind::None;
  int step = 0;  // 0 for the first step
};
Role RoleOf(const std::vector<StepRows>& steps, Box box);

// A row as the pupil's board holds it now.
struct Cell {
  bool filled = false;  // every box of the row holds text
  double value = 0;     // read as CONTROLE reads it (empty or no number: 0)
};

// One step as it stands on the board, with what the help may name of it.
struct StepSheet {
  Cell above;
  Cell down;                 // the digit brought down into `above`; not filled at the first step
  double dividendDigit = 0;  // the dividend's digit that belongs there
  Cell digit;
  Cell product;
  Cell difference;
  bool afterComma = false;   // the quotient digit stands right of the comma
  QString place;             // the place value of the digit's column ("tientallen"), if a head names it
};

// The division on the board as the help reads it: pure data.
struct Sheet {
  double divisor = 0;
  std::vector<StepSheet> steps;
  // The sentences name each step's place value (the place-value boards).
  bool placeValues = false;
  // The remainder a row check holds the last difference to, where one does.
  std::optional<double> remainder;
};

// The words the help says about a sheet. The help room gives them
// (help::BoardWords) to whatever builds a board, so that the board asks for
// sentences without knowing where they come from and stands below the help.
struct HelpWords {
  QString (*prompt)(const Sheet& sheet, Role role, int level);
  QString (*reason)(const Sheet& sheet, bool right, Role* about);
  QString (*idle)();   // no exercise in hand
  QString (*noBox)();  // the focus on no box of the steps
};

// ---------------------------------------------------------------- plans

// What a click on a box of a group does.
enum class Click : std::uint8_t {
  EmptyAndFocus,  // empty it (its reaction runs) and bring the focus back
  Empty,          // empty it; the focus stays where the reaction puts it
  Nothing,
};

struct BoxStyle {
  int width = 0;
  int height = 0;
  kit::Font font{};
  QColor fore = kit::colours::kBlack;
};

struct BoxItem {
  kit::TwipPoint at{};
  const BoxStyle* style = nullptr;
  QColor fore{};  // invalid: the style's
  // What a screen reader calls the box's row where the group's own word
  // does not fit it (a digit brought down into a row of products); null: the group's.
  const char16_t* row = nullptr;
};

// A group of boxes the pupil types in (quotient or work rows).
struct GroupPlan {
  Grp group = Grp::aftrek;
  std::vector<BoxItem> items;
  Click click = Click::EmptyAndFocus;
};

// A column head; heads may be listed out of index order.
struct Head {
  int index = 0;
  kit::TwipPoint at{};
  const BoxStyle* style = nullptr;
  const char16_t* caption = u"";
};

struct LineItem {
  kit::TwipPoint from{};
  kit::TwipPoint to{};
  int width = 5;  // pixels (0 draws a one-pixel line)
  QColor colour{};  // invalid: the plan's line colour
};

// Lines of one group; indices below `first` do not exist on the board.
struct LineGroupPlan {
  int first = 0;
  std::vector<LineItem> lines;
};

struct ShapeItem {
  kit::Place place{};
  QColor fill{};    // invalid: not filled
  QColor border{};  // invalid: no outline
};

struct BoardPlan {
  QStringView allowed;  // the key filter's character set for the pupil's boxes
  int clientWidth = 11880;
  int clientHeight = 7935;

  std::vector<Head> heads;  // txtorde
  std::vector<BoxItem> dividend;  // txtdeeltal
  BoxItem divisor;                // txtdeler
  std::vector<BoxItem> commas;    // txtkomma: fixed "," boxes, each sized like the digits beside it
  std::vector<GroupPlan> groups;  // the quotient and the work rows

  QColor lineColour = kit::RGB(0, 128, 0);
  LineGroupPlan lnemin, lneHT1, lneE;
  LineItem lneHT{};
  LineItem line1{}, line2{};  // the bracket, always on view
  std::optional<ShapeItem> shape1;

  kit::Place uitkomst{};
  kit::Font uitkomstFont{};
  // Always hidden: the exercise's numbers as text.
  kit::Place lbldeler{}, lbldeeltal{}, lblQ{};
  // The help button and its hint line, in a strip the board leaves free.
  kit::Place cmdhulp{}, lblhulp{};
};

// ---------------------------------------------------------------- the screen

class BoardScreen : public kit::SeriesScreen {
  // First, so that the named references below can be bound to it.
  std::array<kit::Group<kit::TextBox>, kGroups> boxes_;

 public:
  std::unique_ptr<kit::Shape> Shape1;  // null on a board without it
  kit::Group<kit::TextBox> txtorde;
  kit::Group<kit::TextBox>& txtdeeltal;
  kit::TextBox txtdeler;
  kit::Group<kit::TextBox> txtkomma;
  kit::Group<kit::TextBox>& txtquotient;
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

  kit::TextBox& Boxes(Box b) { return boxes_[std::size_t(b.group)][b.index]; }
  const kit::TextBox& Boxes(Box b) const { return boxes_[std::size_t(b.group)][b.index]; }
  kit::Group<kit::TextBox>& Group(Grp g) { return boxes_[std::size_t(g)]; }
  const kit::Group<kit::TextBox>& Group(Grp g) const { return boxes_[std::size_t(g)]; }
  kit::Group<kit::Line>& LineGroup(Lines g);
  // The key filter's character set for the pupil's boxes.
  QStringView Allowed() const { return allowed_; }
  // The division on the board as the help reads it, and what a box is for.
  Sheet ReadSheet() const;
  Role RoleOf(Box box) const { return board::RoleOf(steps_, box); }

 protected:
  // The tables must outlive the screen (static tables of the screen's file).
  BoardScreen(kit::Hub& hub, const QString& caption, const QColor& back, const Layout& layout,
              const Verdicts& verdicts, const BoardPlan& plan, const std::vector<Reaction>& reactions,
              const std::vector<Check>& checks, const HelpWords& help);

  // The dividend's digit `digit` (0 = leftmost), for the digits brought down.
  virtual long long DividendDigit(int digit) const = 0;
  // Whether the dividend's leading digit holds the divisor (no opening with zero).
  virtual bool LeadingDigitHoldsDivisor() const = 0;
  // The screen's own routines that its reaction table names.
  virtual void Departure(int which);

  // Change, key press and click of any box of the board.
  void BoxChange(Grp group, int index);
  void BoxKeyPress(Grp group, int index, int& keyAscii);
  void BoxClick(Grp group, int index);

  // CONTROLE's parts.
  // Empty boxes become "0", in this order; each "0" runs its box's reaction.
  void FillEmptyWithZero(const std::vector<Box>& order);
  void FillEmptyWithZero(Grp group);
  // Colours red the boxes of every row that disagrees with the pupil's own
  // earlier rows, and a remainder box that differs from `rest`.
  void CheckRows(double rest);
  // The boxes of a group read as the digits of one number; an empty box or
  // one that is not a number reads as 0.
  double DigitsNumber(Grp group) const;

  // For clear routines: every box of the group emptied without reactions,
  // made white and shown or hidden; enabled or disabled where asked.
  void ClearQuietly(Grp group, bool visible, std::optional<bool> enabled = std::nullopt);
  void HideLines();

  // The quotient's part of the opening with zero: box 0 shows an italic "0"
  // that the pupil cannot change, and the pupil starts in box 1. The screen
  // writes the first step's boxes itself.
  void WriteZeroQuotient();

  // The quotient box the frame empties after NIEUW and NOG EENS, as a pupil's
  // emptying would (its reactions and focus go with it). Every clear routine
  // has emptied it quietly before, so today it sets nothing off.
  void EmptyAnswer() override;

  bool Holds(Guard guard) const;

  // Heard: the division, the pupil's quotient as the label shows it, and the
  // rows the check turned red, by their names.
  QString Task() const override;
  QString Result() const override;
  QString Faults() const override;

  // What a screen reader calls the box: its row (`row`) and the column head
  // that stands over or under it ("quotiënt, tientallen").
  QString BoxName(const QString& row, const kit::TextBox& box) const;

  // The help for the box in focus, and the reason after the check, from the
  // board's sheet.
  Hint HelpPrompt(int level) override;
  QString HelpReason() override;
  // Whether the help names each step's place value (the place-value boards).
  virtual bool SaysPlaceValues() const { return false; }

 private:
  // The place value of the column a box stands in, by the head whose width
  // holds the box's middle, the nearest such head in height; empty when no
  // head stands in that column.
  QString ColumnWord(const kit::TextBox& box) const;
  void NameBoxes(const BoardPlan& plan);

  void Repair(Grp group);
  void Run(const Action& action);
  // Heard when the board writes the quotient's 0 by itself, at the opening or later.
  void SayZeroQuotient();

  QStringView allowed_;
  const std::vector<Check>& checks_;
  HelpWords help_;
  std::vector<StepRows> steps_;
  std::optional<double> checkedRest_;  // the remainder CheckRows held the remainder box to
  // The box the last reason was about, until a box changes or the board is
  // cleared: help asked with the focus on no box speaks of it.
  Role reasonAbout_{};
  std::array<std::vector<std::vector<const Reaction*>>, kGroups> reactions_;
  std::array<Click, kGroups> clicks_{};
};

}  // namespace board
