// The help's picking without a screen: a board state in, a sentence out; and
// made-up exercises of every board, worked right and with one fault, for what
// must hold of all of them.

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <array>
#include <cmath>
#include <tuple>

#include "help/help.h"
#include "support/division.h"
#include "support/testmain.h"

using board::Sheet;
using Kind = board::Role::Kind;

namespace {

// Steps as the pupil wrote them: what the step divides, digit, product and
// difference; the digit brought down is the last of what the step divides.
Sheet Board(double divisor, std::initializer_list<std::array<double, 4>> steps) {
  Sheet s;
  s.divisor = divisor;
  for (const auto& [above, digit, product, difference] : steps) {
    const double down = std::fmod(above, 10);
    s.steps.push_back({{true, above}, {true, down}, down, {true, digit}, {true, product}, {true, difference}, false,
                       QStringLiteral("tientallen")});
  }
  return s;
}
template <class F>
Sheet With(Sheet s, F change) {
  change(s);
  return s;
}

}  // namespace

class HelpTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void sentences_data() {
    QTest::addColumn<QString>("got");
    QTest::addColumn<QString>("said");
    auto row = [](const char* name, const QString& got, const char* said) {
      QTest::newRow(name) << got << QString::fromUtf8(said);
    };
    const Sheet b = Board(7, {{2, 0, 0, 2}, {23, 3, 21, 2}});
    auto at = [](const Sheet& s, Kind kind, int step, int level = 1) { return help::Prompt(s, {kind, step}, level); };
    row("digit", at(b, Kind::Digit, 1), "Hoeveel keer past 7 in 23?");
    row("digit again", at(b, Kind::Digit, 1, 2), "7 × 3 = 21 en 7 × 4 = 28. Welke past nog in 23?");
    row("digit, place value", at(With(b, [](Sheet& s) { s.placeValues = true; }), Kind::Digit, 1),
        "Hoeveel keer past 7 in 23 tientallen?");
    row("digit after the comma", at(With(b, [](Sheet& s) { s.steps[1].afterComma = true; }), Kind::Digit, 1),
        "Na de komma: hoeveel keer past 7 in 23?");
    row("product, tens", at(b, Kind::ProductTens, 1), "Reken uit: 3 × 7. Hier komt het eerste cijfer, onder de tien een nul.");
    row("product again", at(b, Kind::ProductUnits, 1, 2), "2 × 7 = 14. Tel er nog 7 bij op.");
    row("product, no digit", at(With(b, [](Sheet& s) { s.steps[1].digit = {}; }), Kind::Product, 1), "Vul eerst het cijfer in het quotiënt in.");
    row("last difference", at(b, Kind::Difference, 1), "Trek af: 23 − 21. Wat overblijft, is de rest.");
    row("difference again", at(b, Kind::Difference, 1, 2), "Tel verder van 21 tot 23. Hoeveel stappen zijn dat?");
    row("brought down again", at(b, Kind::BroughtDown, 1, 2), "Kijk in het deeltal, bij de tientallen.");

    // 852 : 4 right, and with one step of the row's own.
    auto b852 = [](std::array<double, 4> step, int k) {
      std::array<double, 4> steps[] = {{8, 2, 8, 0}, {5, 1, 4, 1}, {12, 3, 12, 0}};
      steps[k] = step;
      return Board(4, {steps[0], steps[1], steps[2]});
    };
    row("wrong, no step to blame", help::Reason(b852({8, 2, 8, 0}, 0), false), "Het quotiënt klopt niet. Kijk elke stap nog eens na.");
    // The rows agree with the digit, so no box is red; the quotient is wrong.
    row("digit too small", help::Reason(b852({8, 1, 4, 4}, 0), false),
        "Het verschil 4 is niet kleiner dan 4: de 4 past nog een keer. Het cijfer 1 is te klein.");
    row("digit too large", help::Reason(b852({5, 2, 8, 7}, 1), false), "8 is meer dan 5: het cijfer 2 is te groot.");
    row("forgotten 0", help::Reason(Board(4, {{8, 2, 8, 0}, {1, 1, 4, 7}}), false), "4 past niet in 1. Dan komt er een 0 in het quotiënt.");
    row("times-table slip", help::Reason(Board(7, {{2, 0, 0, 2}, {23, 3, 24, 1}}), false), "3 × 7 is niet 24.");
    row("subtraction slip, right quotient", help::Reason(b852({5, 1, 4, 2}, 1), true), "5 − 4 is niet 2.");
    row("remainder slip", help::Reason(b852({12, 3, 12, 1}, 2), false), "De rest klopt niet: 12 − 12 is niet 1.");
    row("remainder too large", help::Reason(Board(7, {{2, 0, 0, 2}, {23, 2, 14, 9}}), false),
        "De rest 9 is niet kleiner dan 7: de 7 past nog een keer. Het cijfer 2 is te klein.");
    row("digit brought down", help::Reason(With(b852({6, 1, 4, 2}, 1), [](Sheet& s) { s.steps[1].dividendDigit = 5; }), false),
        "Je haalde 6 naar beneden, maar bij de tientallen van het deeltal staat iets anders.");
    row("first fault in the order worked", help::Reason(Board(7, {{23, 3, 24, 3}, {34, 4, 27, 6}}), false), "3 × 7 is niet 24.");
    row("after the comma",
        help::Reason(With(Board(7, {{23, 3, 21, 2}, {24, 3, 20, 4}}), [](Sheet& s) { s.steps[1].afterComma = true; }), false),
        "Na de komma: 3 × 7 is niet 20.");

    row("estimate", help::EstimatePrompt(347, 7, 1), "Zoek een getal dicht bij 347 dat je makkelijk door 7 deelt.");
    row("estimate again", help::EstimatePrompt(347, 7, 2), "7 × 40 = 280 en 7 × 50 = 350. Waar ligt 347?");
    row("estimate too high", help::EstimateReason(347, 7, 60, false), "60 × 7 = 420: veel meer dan 347.");
    row("estimate too low", help::EstimateReason(347, 7, 30, false), "30 × 7 = 210: veel minder dan 347.");
  }
  void sentences() {
    QFETCH(QString, got);
    QFETCH(QString, said);
    QCOMPARE(got, said);
  }

  // Made-up exercises of every board. For each box, with the boxes before it
  // right and it and those after it empty, the first hint names no number
  // holding the digit the box expects unless that number stands on the board.
  // Every fault of one step that CONTROLE finds (a red row, a wrong quotient
  // or remainder) gets a reason that names a step, never the catch-all.
  void madeUpExercises() {
    static const QRegularExpression number(QStringLiteral("\\d+"));
    const QString catchAll = help::Reason(Sheet{}, false);
    QRandomGenerator random(23);
    // Digits, decimals, place values: the three written boards and the place-value boards.
    for (const auto& [digits, decimals, placeValues] : {std::tuple{3, 0, false}, {5, 0, false}, {8, 3, false}, {3, 0, true}}) {
      for (int n = 0; n < 150; ++n) {
        const int d = random.bounded(2, 10), top = int(std::pow(10, digits));
        const auto w = testing_support::WorkDivision(random.bounded(top / 10, top), d, decimals, digits);
        Sheet right;
        right.divisor = d;
        right.placeValues = placeValues;
        for (std::size_t k = 0; k < w.steps.size(); ++k) {
          const auto& s = w.steps[k];
          const double down = w.dividendDigits[k];
          right.steps.push_back({{true, double(s.number)}, {true, down}, down, {true, double(s.digit)}, {true, double(s.product)},
                                 {true, double(s.difference)}, int(k) >= digits - decimals, QStringLiteral("eenheden")});
        }
        QCOMPARE(help::Reason(right, true), QString());
        for (int k = 0; k < int(w.steps.size()); ++k) {
          const auto& step = w.steps[std::size_t(k)];
          const std::pair<Kind, qint64> boxes[] = {{Kind::BroughtDown, w.dividendDigits[std::size_t(k)]},
                                                   {Kind::Digit, step.digit},
                                                   {k ? Kind::ProductTens : Kind::Product, k ? step.product / 10 : step.product},
                                                   {Kind::ProductUnits, step.product % 10},
                                                   {Kind::Difference, step.difference}};
          for (const auto& [kind, expects] : boxes) {
            Sheet at = right;  // the boxes before this one right, it and those after it empty
            for (int j = k; j < int(at.steps.size()); ++j) {
              board::StepSheet& st = at.steps[std::size_t(j)];
              if (j > k || kind == Kind::Digit || kind == Kind::BroughtDown) st.digit = {};
              if (j > k || kind != Kind::Difference) st.product = {};
              st.difference = {};
              st.above.filled = j == k;
            }
            QSet<QString> onBoard{QString::number(d)};
            for (const board::StepSheet& st : at.steps)
              for (const board::Cell& c : {st.above, st.down, st.digit, st.product, st.difference})
                if (c.filled) onBoard << QString::number(c.value);
            const QString said = help::Prompt(at, {kind, k}, 1);
            for (const auto& m : number.globalMatch(said))
              QVERIFY2(onBoard.contains(m.captured()) || !m.captured().contains(QString::number(expects)), qPrintable(said));
          }
          // The product one too large, the difference one too large, the digit one too large, one too small.
          for (const int fault : {0, 1, 2, 3}) {
            Sheet faulty = right;
            board::StepSheet& f = faulty.steps[std::size_t(k)];
            f.digit.value = step.digit + (fault == 2) - (fault == 3);
            f.product.value = fault < 2 ? double(step.product + (fault == 0)) : f.digit.value * d;
            f.difference.value = double(step.number) - f.product.value + (fault == 1);
            if (f.digit.value < 0 || f.digit.value > 9) continue;
            const bool last = k + 1 == int(w.steps.size());
            const QString why = help::Reason(faulty, f.digit.value == step.digit && (!last || f.difference.value == step.difference));
            QVERIFY2(!why.isEmpty() && why != catchAll, qPrintable(QStringLiteral("step %1, fault %2").arg(k).arg(fault)));
          }
        }
      }
    }
  }

  // The estimate is never given away; an estimate that is not accepted is told why.
  void madeUpEstimates() {
    QRandomGenerator random(7);
    for (int n = 0; n < 2000; ++n) {
      const int d = random.bounded(2, 10), dividend = random.bounded(21, 1000), quotient = dividend / d;
      QVERIFY(!help::EstimatePrompt(dividend, d, 1).contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(quotient))) ||
              quotient == d || quotient == dividend);
      const int estimate = random.bounded(0, 2 * quotient + 20);
      const bool accepted = quotient - 7 < estimate && estimate < quotient + 7;
      QCOMPARE(help::EstimateReason(dividend, d, estimate, accepted).isEmpty(), accepted);
    }
  }
};

REKENTOL_TEST_MAIN(HelpTest)
#include "tst_help.moc"
