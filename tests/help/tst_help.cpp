// The help's picking, without a screen: a board state in, a sentence out.
// Rows for each kind of prompt and reason; then made-up exercises of every
// board, worked right and with one fault, for what must hold of all of them.

#include <QRandomGenerator>
#include <cmath>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include "help/help.h"
#include "support/division.h"
#include "support/testmain.h"

using board::Role;
using board::Sheet;
using board::StepSheet;
using Kind = board::Role::Kind;
using testing_support::WorkDivision;
using testing_support::WrittenDivision;

Q_DECLARE_METATYPE(board::Sheet)
Q_DECLARE_METATYPE(board::Role)

namespace {

// One step as the pupil wrote it: what it divides, digit, product, difference,
// and the digit brought down into `above` (-1: none, the first step).
struct Written {
  double above, digit, product, difference;
  double down = -1;
};

board::Cell Filled(double v) { return {true, v}; }

Sheet Board(double divisor, std::initializer_list<Written> steps, bool placeValues = false) {
  Sheet s;
  s.divisor = divisor;
  s.placeValues = placeValues;
  for (const Written& w : steps) {
    StepSheet st;
    st.above = Filled(w.above);
    st.down = Filled(w.down);
    st.dividendDigit = w.down;
    st.digit = Filled(w.digit);
    st.product = Filled(w.product);
    st.difference = Filled(w.difference);
    st.place = QStringLiteral("tientallen");
    s.steps.push_back(st);
  }
  return s;
}

// 852 : 4 as the pupil wrote it, with a step of the test's own in place of one.
Sheet Board852(int replaced = -1, Written instead = {}) {
  Written steps[] = {{8, 2, 8, 0}, {5, 1, 4, 1, 5}, {12, 3, 12, 0, 2}};
  if (replaced >= 0) steps[replaced] = instead;
  return Board(4, {steps[0], steps[1], steps[2]});
}

// 852 : 4 with a 6 brought down where the dividend has its 5.
Sheet BroughtDown6() {
  Sheet s = Board852(1, {6, 1, 4, 2, 5});
  s.steps[1].down.value = 6;
  return s;
}

Sheet Emptied(Sheet s, int step, bool digit, bool product) {
  if (digit) s.steps[std::size_t(step)].digit = {};
  if (product) s.steps[std::size_t(step)].product = {};
  return s;
}

// ---- the made-up exercises

struct Shape {
  const char* name;
  int digits;
  int decimals;
  bool placeValues;
};
const Shape kShapes[] = {{"three digits", 3, 0, false},
                         {"five digits", 5, 0, false},
                         {"decimal comma", 8, 3, false},
                         {"place value", 3, 0, true}};

// The right board, every box filled.
Sheet Right(const WrittenDivision& w, bool placeValues) {
  Sheet s;
  s.divisor = w.divisor;
  s.placeValues = placeValues;
  const int commaAt = int(w.steps.size()) - w.decimals;
  for (std::size_t k = 0; k < w.steps.size(); ++k) {
    StepSheet st;
    st.above = Filled(double(w.steps[k].number));
    st.down = Filled(w.dividendDigits[k]);
    st.dividendDigit = w.dividendDigits[k];
    st.digit = Filled(w.steps[k].digit);
    st.product = Filled(double(w.steps[k].product));
    st.difference = Filled(double(w.steps[k].difference));
    st.afterComma = int(k) >= commaAt;
    st.place = placeValues ? QStringLiteral("honderdtallen") : QString();
    s.steps.push_back(st);
  }
  return s;
}

// The board as the pupil has it when the focus comes to `role`: the boxes
// before it right, it and all after it empty.
Sheet AtBox(Sheet s, Role role) {
  for (std::size_t k = std::size_t(role.step); k < s.steps.size(); ++k) {
    StepSheet& st = s.steps[k];
    const bool here = int(k) == role.step;
    if (!here || role.kind == Kind::Digit || role.kind == Kind::BroughtDown) st.digit = {};
    if (!here || role.kind != Kind::Difference) st.product = {};
    st.difference = {};
    if (!here) st.above.filled = false;
  }
  return s;
}

// Every number a sentence names.
QStringList Numbers(const QString& sentence) {
  QStringList out;
  static const QRegularExpression number(QStringLiteral("\\d+"));
  for (const auto& m : number.globalMatch(sentence)) out << m.captured();
  return out;
}

// The numbers on view on the board: the divisor, the dividend's digits and
// every filled row.
QSet<QString> OnBoard(const Sheet& s) {
  QSet<QString> on{QString::number(s.divisor)};
  for (const StepSheet& st : s.steps)
    for (const board::Cell& c : {st.above, st.down, st.digit, st.product, st.difference})
      if (c.filled) on << QString::number(c.value);
  return on;
}

int Expected(const testing_support::DivisionStep& step, Kind kind, int broughtDown) {
  switch (kind) {
    case Kind::Digit: return step.digit;
    case Kind::Product: return int(step.product);
    case Kind::ProductTens: return int(step.product / 10);
    case Kind::ProductUnits: return int(step.product % 10);
    case Kind::Difference: return int(step.difference);
    case Kind::BroughtDown: return broughtDown;
    case Kind::None: break;
  }
  return -1;
}

}  // namespace

class HelpTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void prompt_data() {
    QTest::addColumn<Sheet>("sheet");
    QTest::addColumn<Role>("role");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("said");
    const Sheet b = Board(7, {{2, 0, 0, 2}, {23, 3, 21, 2, 3}});
    const Sheet pv = Board(7, {{2, 0, 0, 2}, {23, 3, 21, 2, 3}}, true);
    Sheet comma = b;
    comma.steps[1].afterComma = true;
    QTest::newRow("digit") << b << Role{Kind::Digit, 1} << 1 << "Hoeveel keer past 7 in 23?";
    QTest::newRow("digit again") << b << Role{Kind::Digit, 1} << 2 << "7 × 3 = 21 en 7 × 4 = 28. Welke past nog in 23?";
    QTest::newRow("digit, place value") << pv << Role{Kind::Digit, 1} << 1 << "Hoeveel keer past 7 in 23 tientallen?";
    QTest::newRow("digit after the comma") << comma << Role{Kind::Digit, 1} << 1 << "Na de komma: hoeveel keer past 7 in 23?";
    Sheet noAbove = b;
    noAbove.steps[1].above.filled = false;
    QTest::newRow("digit, row above empty") << noAbove << Role{Kind::Digit, 1} << 1 << "Maak eerst de stap erboven af.";
    QTest::newRow("product") << b << Role{Kind::Product, 1} << 1 << "Reken uit: 3 × 7.";
    QTest::newRow("product, tens box") << b << Role{Kind::ProductTens, 1} << 1
                                       << "Reken uit: 3 × 7. Hier komt het eerste cijfer, onder de tien een nul.";
    QTest::newRow("product, units box") << b << Role{Kind::ProductUnits, 1} << 1 << "Reken uit: 3 × 7. Hier komt het laatste cijfer.";
    QTest::newRow("product again") << b << Role{Kind::ProductUnits, 1} << 2 << "2 × 7 = 14. Tel er nog 7 bij op.";
    QTest::newRow("product of 0 again") << b << Role{Kind::Product, 0} << 2 << "0 × 7: nul groepjes van 7. Hoeveel heb je dan?";
    QTest::newRow("product, no digit yet") << Emptied(b, 1, true, true) << Role{Kind::ProductTens, 1} << 1
                                           << "Vul eerst het cijfer in het quotiënt in.";
    QTest::newRow("difference") << b << Role{Kind::Difference, 0} << 1 << "Trek af: 2 − 0.";
    QTest::newRow("last difference") << b << Role{Kind::Difference, 1} << 1 << "Trek af: 23 − 21. Wat overblijft, is de rest.";
    QTest::newRow("difference again") << b << Role{Kind::Difference, 1} << 2 << "Tel verder van 21 tot 23. Hoeveel stappen zijn dat?";
    QTest::newRow("difference, no product") << Emptied(b, 1, false, true) << Role{Kind::Difference, 1} << 1
                                            << "Vul eerst de rijen erboven in.";
    QTest::newRow("brought down") << b << Role{Kind::BroughtDown, 1} << 1 << "Haal het volgende cijfer van het deeltal naar beneden.";
    QTest::newRow("brought down again") << b << Role{Kind::BroughtDown, 1} << 2 << "Kijk in het deeltal, bij de tientallen.";
    QTest::newRow("no box of the steps") << b << Role{} << 1 << "Klik in een vakje en vraag dan hulp.";
  }
  void prompt() {
    QFETCH(Sheet, sheet);
    QFETCH(Role, role);
    QFETCH(int, level);
    QFETCH(QString, said);
    QCOMPARE(help::Prompt(sheet, role, level), said);
  }

  void reason_data() {
    QTest::addColumn<Sheet>("sheet");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("said");
    QTest::newRow("all right") << Board852() << true << "";
    // The rows agree with the digit, so no box is red; the quotient is wrong.
    QTest::newRow("digit too small") << Board852(0, {8, 1, 4, 4}) << false
        << "Het verschil 4 is niet kleiner dan 4: de 4 past nog een keer. Het cijfer 1 is te klein.";
    QTest::newRow("digit too large") << Board(7, {{2, 0, 0, 2}, {23, 4, 28, 5, 3}}) << false
                                     << "28 is meer dan 23: het cijfer 4 is te groot.";
    QTest::newRow("times-table slip") << Board(7, {{2, 0, 0, 2}, {23, 3, 24, 1, 3}}) << false << "3 × 7 is niet 24.";
    QTest::newRow("subtraction slip") << Board(7, {{23, 3, 21, 3}, {34, 4, 28, 6, 4}}) << false << "23 − 21 is niet 3.";
    QTest::newRow("remainder slip") << Board(7, {{2, 0, 0, 2}, {23, 3, 21, 3, 3}}) << false
                                    << "De rest klopt niet: 23 − 21 is niet 3.";
    QTest::newRow("remainder too large") << Board(7, {{2, 0, 0, 2}, {23, 2, 14, 9, 3}}) << false
        << "De rest 9 is niet kleiner dan 7: de 7 past nog een keer. Het cijfer 2 is te klein.";
    QTest::newRow("forgotten 0") << Board(4, {{8, 2, 8, 0}, {1, 1, 4, 7, 1}, {12, 3, 12, 0, 2}}) << false
                                 << "4 past niet in 1. Dan komt er een 0 in het quotiënt.";
    QTest::newRow("digit brought down changed") << BroughtDown6() << false
        << "Je haalde 6 naar beneden, maar bij de tientallen van het deeltal staat iets anders.";
    // A red row with the right quotient still gets its reason.
    QTest::newRow("red row, right quotient") << Board852(1, {5, 1, 4, 2, 5}) << true << "5 − 4 is niet 2.";
    QTest::newRow("first fault in the order worked") << Board(7, {{23, 3, 24, 3}, {34, 4, 27, 6, 4}}) << false
                                                     << "3 × 7 is niet 24.";
    Sheet comma = Board(7, {{23, 3, 21, 2}, {24, 3, 20, 4, 4}});
    comma.steps[1].afterComma = true;
    QTest::newRow("after the comma") << comma << false << "Na de komma: 3 × 7 is niet 20.";
    QTest::newRow("wrong, no step to blame") << Board852() << false << "Het quotiënt klopt niet. Kijk elke stap nog eens na.";
  }
  void reason() {
    QFETCH(Sheet, sheet);
    QFETCH(bool, right);
    QFETCH(QString, said);
    QCOMPARE(help::Reason(sheet, right), said);
  }

  void estimate_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("estimate");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("said");
    QTest::newRow("prompt") << 1 << 0.0 << false << "Zoek een getal dicht bij 347 dat je makkelijk door 7 deelt.";
    QTest::newRow("prompt again") << 2 << 0.0 << false << "7 × 40 = 280 en 7 × 50 = 350. Waar ligt 347?";
    QTest::newRow("too high") << 0 << 60.0 << false << "60 × 7 = 420: veel meer dan 347.";
    QTest::newRow("too low") << 0 << 30.0 << false << "30 × 7 = 210: veel minder dan 347.";
    QTest::newRow("accepted") << 0 << 50.0 << true << "";
  }
  void estimate() {
    QFETCH(int, level);
    QFETCH(double, estimate);
    QFETCH(bool, accepted);
    QFETCH(QString, said);
    QCOMPARE(level ? help::EstimatePrompt(347, 7, level) : help::EstimateReason(347, 7, estimate, accepted), said);
  }

  // Every box of made-up exercises of every board: the first hint names no
  // number holding the digit the box expects unless that number stands on the
  // board; and every fault of one step that CONTROLE would find (a red row or
  // a wrong quotient) gets a reason that names a step, not the catch-all.
  void madeUpExercises() {
    QRandomGenerator random(23);
    const QString catchAll = help::Reason(Sheet{}, false);
    for (const Shape& shape : kShapes) {
      for (int n = 0; n < 150; ++n) {
        const int divisor = random.bounded(2, 10);
        const qint64 top = qint64(std::pow(10, shape.digits));
        const WrittenDivision w = WorkDivision(random.bounded(top / 10, top), divisor, shape.decimals, shape.digits);
        const Sheet right = Right(w, shape.placeValues);
        QCOMPARE(help::Reason(right, true), QString());
        for (int k = 0; k < int(w.steps.size()); ++k) {
          const auto& step = w.steps[std::size_t(k)];
          const bool twoBoxes = k > 0;
          std::vector<Kind> kinds{Kind::Digit};
          if (twoBoxes) kinds.insert(kinds.begin(), Kind::BroughtDown);
          for (Kind p : twoBoxes ? std::vector<Kind>{Kind::ProductTens, Kind::ProductUnits} : std::vector<Kind>{Kind::Product})
            kinds.push_back(p);
          kinds.push_back(Kind::Difference);
          for (Kind kind : kinds) {
            const Role role{kind, k};
            const Sheet at = AtBox(right, role);
            const QString said = help::Prompt(at, role, 1);
            const QString digit = QString::number(Expected(step, kind, w.dividendDigits[std::size_t(k)]));
            const QSet<QString> onBoard = OnBoard(at);
            for (const QString& number : Numbers(said))
              if (number.contains(digit) && !onBoard.contains(number))
                QFAIL(qPrintable(QStringLiteral("%1, %2 : %3, step %4: \"%5\" gives away %6")
                                     .arg(QLatin1String(shape.name)).arg(w.steps[0].number).arg(divisor).arg(k).arg(said, digit)));
          }
          // One fault in step k; the test judges it as CONTROLE does.
          const Written faults[] = {
              {double(step.number), double(step.digit), double(step.product + 1), double(step.number - step.product - 1)},
              {double(step.number), double(step.digit), double(step.product), double(step.difference + 1)},
              {double(step.number), double(step.digit + 1), double((step.digit + 1) * divisor),
               double(step.number - (step.digit + 1) * divisor)},
              {double(step.number), double(step.digit - 1), double((step.digit - 1) * divisor),
               double(step.number - (step.digit - 1) * divisor)},
          };
          for (const Written& f : faults) {
            if (f.digit < 0 || f.digit > 9 || f.product < 0) continue;
            Sheet faulty = right;
            StepSheet& st = faulty.steps[std::size_t(k)];
            st.digit.value = f.digit;
            st.product.value = f.product;
            st.difference.value = f.difference;
            const bool redRow = f.product != f.digit * divisor || f.difference != f.above - f.product;
            const bool last = k + 1 == int(w.steps.size());
            const bool verdictRight = f.digit == step.digit && (!last || f.difference == step.difference);
            if (!redRow && verdictRight) continue;
            const QString why = help::Reason(faulty, verdictRight);
            QVERIFY2(!why.isEmpty() && why != catchAll,
                     qPrintable(QStringLiteral("%1 step %2: no reason").arg(QLatin1String(shape.name)).arg(k)));
          }
        }
      }
    }
  }

  // The estimate a pupil is told to look for is never given away, and every
  // estimate that is not accepted is told why.
  void madeUpEstimates() {
    QRandomGenerator random(7);
    for (int n = 0; n < 2000; ++n) {
      const int divisor = random.bounded(2, 10), dividend = random.bounded(21, 1000);
      const int quotient = dividend / divisor;
      const QString said = help::EstimatePrompt(dividend, divisor, 1);
      const QSet<QString> onBoard{QString::number(dividend), QString::number(divisor)};
      for (const QString& number : Numbers(said)) QVERIFY(onBoard.contains(number) || number != QString::number(quotient));
      const int estimate = random.bounded(0, 2 * quotient + 20);
      const bool accepted = quotient - 7 < estimate && estimate < quotient + 7;
      QCOMPARE(help::EstimateReason(dividend, divisor, estimate, accepted).isEmpty(), accepted);
    }
  }
};

REKENTOL_TEST_MAIN(HelpTest)
#include "tst_help.moc"
