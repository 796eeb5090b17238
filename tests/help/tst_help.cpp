// The help's picking without a screen, rows and made-up exercises; then the help
// on every screen, worked by the pupil (REKENTOL_SHOTS: a picture of each board).

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <array>
#include <cmath>

#include "help/help.h"
#include "kit/exercise.h"
#include "support/division.h"
#include "support/open_screen.h"
#include "support/pupil.h"
#include "support/testmain.h"
#include "kit/qt/native.h"

using board::Sheet;
using testing_support::Pupil;
using Kind = board::Role::Kind;

namespace {

// Steps as written: what the step divides (its last digit brought down), digit, product, difference.
Sheet Board(double divisor, const std::vector<std::array<double, 4>>& steps, int commaAt = 99) {
  Sheet s;
  s.divisor = divisor;
  for (const auto& [above, digit, product, difference] : steps) {
    const double down = std::fmod(above, 10);
    s.steps.push_back({{true, above}, {true, down}, down, {true, digit}, {true, product}, {true, difference},
                       int(s.steps.size()) >= commaAt, QStringLiteral("tientallen")});
  }
  return s;
}

}  // namespace

class HelpTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void sentences_data() {
    for (const char* column : {"got", "said"}) QTest::addColumn<QString>(column);
    auto row = [](const char* name, const QString& got, const char* said) { QTest::newRow(name) << got << QString::fromUtf8(said); };
    const Sheet b = Board(7, {{2, 0, 0, 2}, {23, 3, 21, 2}});
    auto at = [](const Sheet& s, Kind kind, int level = 1) { return help::Prompt(s, {kind, 1}, level); };
    row("digit again", at(b, Kind::Digit, 2), "7 × 3 = 21 en 7 × 4 = 28. Welke past nog in 23?");
    row("digit after the comma", at(Board(7, {{2, 0, 0, 2}, {23, 3, 21, 2}}, 1), Kind::Digit), "Na de komma: hoeveel keer past 7 in 23?");
    row("product, tens", at(b, Kind::ProductTens), "Reken uit: 3 × 7. Hier komt het eerste cijfer, onder de tien een nul.");
    row("product again", at(b, Kind::ProductUnits, 2), "2 × 7 = 14. Tel er nog 7 bij op.");
    row("last difference", at(b, Kind::Difference), "Trek af: 23 − 21. Wat overblijft, is de rest.");
    row("difference again", at(b, Kind::Difference, 2), "Tel verder van 21 tot 23. Hoeveel stappen zijn dat?");
    row("brought down again", at(b, Kind::BroughtDown, 2), "Kijk in het deeltal, bij de tientallen.");
    row("estimate again", help::EstimatePrompt(347, 7, 2), "7 × 40 = 280 en 7 × 50 = 350. Waar ligt 347?");

    // 852 : 4, with one step of the row's own.
    auto b852 = [](std::array<double, 4> step, int k) {
      std::vector<std::array<double, 4>> steps{{8, 2, 8, 0}, {5, 1, 4, 1}, {12, 3, 12, 0}};
      steps[std::size_t(k)] = step;
      return Board(4, steps);
    };
    row("forgotten 0", help::Reason(b852({1, 1, 4, 7}, 1), false), "4 past niet in 1. Dan komt er een 0 in het quotiënt.");
    row("subtraction slip, right quotient", help::Reason(b852({5, 1, 4, 2}, 1), true), "5 − 4 is niet 2.");
    row("remainder too large", help::Reason(b852({12, 2, 8, 4}, 2), false),
        "De rest 4 is niet kleiner dan 4: de 4 past nog een keer. Het cijfer 2 is te klein.");
    Sheet down = b852({6, 1, 4, 2}, 1);
    down.steps[1].dividendDigit = 5;
    row("digit brought down", help::Reason(down, false), "Je haalde 6 naar beneden, maar bij de tientallen van het deeltal staat iets anders.");
    row("first fault in the order worked", help::Reason(Board(7, {{23, 3, 24, 3}, {34, 4, 27, 6}}), false), "3 × 7 is niet 24.");
    row("after the comma", help::Reason(Board(7, {{23, 3, 21, 2}, {24, 3, 20, 4}}, 1), false), "Na de komma: 3 × 7 is niet 20.");
    row("wrong, no step to blame", help::Reason(b852({8, 2, 8, 0}, 0), false), "Het quotiënt klopt niet. Kijk elke stap nog eens na.");
  }
  void sentences() {
    QFETCH(QString, got);
    QTEST(got, "said");
  }

  // Every board's boxes, those before right, it and those after empty: the first hint names no number holding
  // the digit expected unless it stands on the board. Every fault of one step gets a reason naming a step.
  void madeUpExercises() {
    static const QRegularExpression number(QStringLiteral("\\d+"));
    const QString catchAll = help::Reason(Sheet{}, false);
    QRandomGenerator random(23);
    for (const auto& [digits, decimals] : {std::pair{3, 0}, {5, 0}, {8, 3}}) {
      for (int n = 0; n < 200; ++n) {
        const int d = random.bounded(2, 10), top = int(std::pow(10, digits));
        const auto w = testing_support::WorkDivision(random.bounded(top / 10, top), d, decimals, digits);
        std::vector<std::array<double, 4>> worked;
        for (const auto& s : w.steps) worked.push_back({double(s.number), double(s.digit), double(s.product), double(s.difference)});
        Sheet right = Board(d, worked, digits - decimals);
        right.placeValues = n % 2;
        QCOMPARE(help::Reason(right, true), QString());
        for (int k = 0; k < int(w.steps.size()); ++k) {
          const auto& step = w.steps[std::size_t(k)];
          const std::pair<Kind, qint64> boxes[] = {{Kind::BroughtDown, w.dividendDigits[std::size_t(k)]},
                                                   {Kind::Digit, step.digit},
                                                   {k ? Kind::ProductTens : Kind::Product, k ? step.product / 10 : step.product},
                                                   {Kind::ProductUnits, step.product % 10},
                                                   {Kind::Difference, step.difference}};
          for (const auto& [kind, expects] : boxes) {
            Sheet at = right;
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

  // Per screen: F1 in the first box, F1 again, the "?" (no third hint, the focus stays); a made fault's
  // reason after CONTROLE, F1 then about that step; the next exercise clears it.
  void session_data() {
    for (const char* column : {"screen", "prompt", "keys", "reason", "about", "next"}) QTest::addColumn<QString>(column);
    QTest::addColumn<QList<double>>("draws");
    auto row = [](const char* screen, const char* prompt, const QString& keys, const char* reason, const char* about,
                  const char* next, std::initializer_list<std::pair<int, int>> draws) {
      QList<double> script;
      for (auto [value, n] : draws) script << kit::ScriptedRandom::For(value, n);
      QTest::newRow(screen) << QString::fromUtf8(screen) << QString::fromUtf8(prompt) << keys << QString::fromUtf8(reason)
                            << QString::fromUtf8(about) << QString::fromUtf8(next) << script;
    };
    const char* idle = "Klik op START voor een nieuwe deling.";
    row("frmschat100", "Zoek een getal dicht bij 84 dat je makkelijk door 4 deelt.", "5", "5 × 4 = 20: veel minder dan 84.",
        idle, "START", {{4, 9}, {84, 99}});
    row("frmschat", "Zoek een getal dicht bij 347 dat je makkelijk door 7 deelt.", "60", "60 × 7 = 420: veel meer dan 347.",
        idle, "START", {{7, 9}, {347, 499}});
    row("frmkomma", "Zoek een getal dicht bij 999 dat je makkelijk door 2 deelt.", "400",
        "400 × 2 = 800: veel minder dan 999.", idle, "START", {{2, 9}, {999, 999}});
    // 852 : 4 begun with 1, the rows agreeing; 12345,678 : 7, 212 : 4 and 347 : 6 open with zero.
    row("frmcijferdeel0", "Hoeveel keer past 4 in 8?", "14410411040",
        "Het verschil 4 is niet kleiner dan 4: de 4 past nog een keer. Het cijfer 1 is te klein.", "Hoeveel keer past 4 in 8?",
        "NIEUW", {{4, 9}, {213, 999}});
    row("frmcijferdelen4", "Hoeveel keer past 4 in 8?", "29" + QString(17, u'0'), "2 × 4 is niet 9.", "Reken uit: 2 × 4.",
        "NIEUW", {{4, 9}, {85239, 99999}});
    row("frmcijferdelen5", "Hoeveel keer past 7 in 12?", "2140" + QString(24, u'0'), "14 is meer dan 12: het cijfer 2 is te groot.",
        "Hoeveel keer past 7 in 12?", "NIEUW", {{7, 9}, {12345677, 99999999}});
    row("frmcijferdelen", "Hoeveel keer past 4 in 21 tientallen?", "52103120", "5 × 4 is niet 21.", "Reken uit: 5 × 4.",
        "NIEUW", {{4, 9}, {5, 99}, {3, 9}});
    row("frmcijferdelen2", "Hoeveel keer past 6 in 34 tientallen?", "53047426", "De rest klopt niet: 47 − 42 is niet 6.",
        "Trek af: 47 − 42. Wat overblijft, is de rest.", "NIEUW", {{6, 9}, {347, 999}});
  }
  void session() {
    QFETCH(QString, screen);
    QFETCH(QList<double>, draws);
    testing_support::ProgramRun run(draws);
    auto& s = run.Open<kit::ScoringScreen>(screen.toStdString());
    auto shown = [&s] { return s.lblhulp->Visible() ? s.lblhulp->Caption() : QString(); };
    // The help lies over no text, box or button of the screen's own, shown or not.
    for (QWidget* c : kit::qt::Surface(s)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (c != kit::qt::Widget(*s.lblhulp) && (qobject_cast<QLabel*>(c) || qobject_cast<QLineEdit*>(c) || qobject_cast<QAbstractButton*>(c)))
        QVERIFY(c == kit::qt::Widget(*s.cmdhulp) || !c->geometry().intersects(kit::qt::Widget(*s.lblhulp)->geometry().united(kit::qt::Widget(*s.cmdhulp)->geometry())));
    Pupil::Key(Qt::Key_F1);
    QCOMPARE(shown(), QStringLiteral("Klik op START voor een nieuwe deling."));
    QVERIFY(Pupil::Click(Pupil::Offered(s, u"START")));
    QCOMPARE(shown(), QString());
    QWidget* box = Pupil::FocusedBox();
    Pupil::Key(Qt::Key_F1);
    QFETCH(QString, prompt);
    QCOMPARE(shown(), prompt);
    QCOMPARE(s.lblhulp->AccessibleName(), shown());
    testing_support::Shot(s, screen + u"-prompt");
    Pupil::Key(Qt::Key_F1);
    const QString second = shown();
    QVERIFY(!second.isEmpty() && second != prompt);
    QVERIFY(Pupil::Click(*s.cmdhulp));
    QCOMPARE(shown(), second);
    QVERIFY(box && Pupil::Focused() == box);
    QFETCH(QString, keys);
    for (QChar c : keys) Pupil::Type(QString(c));
    QVERIFY(Pupil::Click(Pupil::Offered(s, u"CONTROLE")));
    QTEST(shown(), "reason");
    testing_support::Shot(s, screen + u"-reason");
    Pupil::Key(Qt::Key_F1);
    QTEST(shown(), "about");
    QFETCH(QString, next);
    QVERIFY(Pupil::Click(Pupil::Offered(s, next)));
    QCOMPARE(shown(), QString());
  }
};

REKENTOL_TEST_MAIN(HelpTest)
#include "tst_help.moc"
