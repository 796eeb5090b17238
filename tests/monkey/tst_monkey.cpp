// The random pupil let loose on the whole program, with a fixed seed and with
// one taken from the clock; that the same seed gives the same run; and that its
// checks do fail when what they guard is broken.
//
// REKENTOL_MONKEY_ACTIONS=<n> sets the actions of both runs together (20000);
// REKENTOL_MONKEY_SEED=<seed> runs the clock-seed test with that seed, so
// that a failure it printed replays action for action.

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <chrono>

#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "app/mdiform2.h"
#include "app/program.h"
#include "blocks/frmcijferdeel.h"
#include "kit/exercise.h"
#include "support/monkey.h"
#include "support/pupil.h"
#include "support/solve_screens.h"
#include "support/testmain.h"
#include "kit/qt/native.h"

using testing_support::Monkey;
using testing_support::Pupil;

namespace {

// All actions of both runs together; REKENTOL_MONKEY_ACTIONS changes it.
long TotalActions() {
  bool ok = false;
  const long n = qEnvironmentVariableIntValue("REKENTOL_MONKEY_ACTIONS", &ok);
  return ok && n > 0 ? n : 20000;
}

constexpr std::uint32_t kFixedSeed = 20240611;

// Runs the monkey, prints what it did and hands back its report (empty when
// every invariant held).
QString RunMonkey(Monkey& monkey, long actions) {
  QElapsedTimer clock;
  clock.start();
  const QString failure = monkey.Run(actions);
  qInfo().noquote() << monkey.Summary();
  qInfo().noquote() << QStringLiteral("%1 actions in %2 ms").arg(monkey.Totals().actions).arg(clock.elapsed());
  return failure;
}

// From the welcome screen to the menu, then into the screen behind `button`,
// with the monkey looking on after each click as it does after its own actions.
kit::Window& Open(Monkey& m, kit::Button app::frmkiesbasis::*button) {
  app::Program& p = m.Program();
  Pupil::Click(p.frmmecenaat1().cmdkombinnen);
  m.Check();
  Pupil::Click(p.frmkiesbasis().*button);
  for (kit::Window* w : p.Screens())
    if (w->Visible() && dynamic_cast<kit::ExerciseScreen*>(w)) return *w;
  return p.frmkiesbasis();
}

// Each sabotage breaks one thing that the monkey guards, the way no pupil can:
// it reaches into the program to show that the check notices.

void WrongTotalOnMenu(Monkey& m) {
  Pupil::Click(m.Program().frmmecenaat1().cmdkombinnen);
  m.Program().frmkiesbasis().lblgemaakt.SetCaption(QStringLiteral("7"));
}
void TotalNotANumber(Monkey& m) {
  Pupil::Click(m.Program().frmmecenaat1().cmdkombinnen);
  m.Program().frmkiesbasis().lblgemaakt.SetCaption(QStringLiteral("zeven"));
}
void TwoScreensAtOnce(Monkey& m) {
  Pupil::Click(m.Program().frmmecenaat1().cmdkombinnen);
  m.Program().frmmecenaat1().Show();
}
void MainWindowGone(Monkey& m) { m.Program().MDIForm2().Hide(); }
void ScoringScreenCountsUnseen(Monkey& m) {
  auto& s = dynamic_cast<kit::ScoringScreen&>(Open(m, &app::frmkiesbasis::Command2));
  s.totaaljuist = 1;
}
void SeriesPastItsLength(Monkey& m) {
  auto& s = dynamic_cast<kit::SeriesScreen&>(Open(m, &app::frmkiesbasis::Command3));
  s.reeksgemaakt = 6;
  s.lbltotaal.SetCaption(QStringLiteral("6"));
}
void MoreRightThanMade(Monkey& m) {
  auto& s = dynamic_cast<kit::SeriesScreen&>(Open(m, &app::frmkiesbasis::Command3));
  s.reeksjuist = 1;
  s.lblteller.SetCaption(QStringLiteral("1"));
}
void CounterLabelOutOfStep(Monkey& m) {
  auto& s = dynamic_cast<kit::SeriesScreen&>(Open(m, &app::frmkiesbasis::Command3));
  s.lblteller.SetCaption(QStringLiteral("3"));
}
// Into the estimation screen's box, which takes digits only.
void PutIntoAnswerBox(Monkey& m, const QString& text) {
  kit::Window& s = Open(m, &app::frmkiesbasis::Command2);
  Pupil::Click(Pupil::Offered(s, u"START"));
  for (QLineEdit* e : kit::qt::Top(s)->findChildren<QLineEdit*>()) {
    if (!e->isVisible() || !e->isEnabled()) continue;
    const QSignalBlocker quiet(e);  // past the box's own repair
    e->setText(text);
  }
}
void AnswerBoxWithText(Monkey& m) { PutIntoAnswerBox(m, QStringLiteral("1a")); }
void LoneMinusWithoutSign(Monkey& m) { PutIntoAnswerBox(m, QStringLiteral("-")); }
void NoWayOn(Monkey& m) {
  kit::Window& s = Open(m, &app::frmkiesbasis::Command2);
  for (QAbstractButton* b : kit::qt::Top(s)->findChildren<QAbstractButton*>()) b->hide();
  for (QLineEdit* e : kit::qt::Top(s)->findChildren<QLineEdit*>()) e->setEnabled(false);
}

// The screen turns its background red after a right estimate: the monkey
// must see that CONTROLE misjudged.
void WrongVerdict(Monkey& m) {
  kit::Window& s = Open(m, &app::frmkiesbasis::Command2);
  QAbstractButton* controle = nullptr;
  for (QAbstractButton* b : kit::qt::Top(s)->findChildren<QAbstractButton*>())
    if (b->toolTip() == u"CONTROLE") controle = b;
  // Connected before the monkey watches the screen, so it runs before the monkey looks.
  QObject::connect(controle, &QAbstractButton::clicked, controle, [&s] { s.SetBackColor(kit::colours::kWrong); });
  Pupil::Click(Pupil::Offered(s, u"START"));
  m.Check();
  for (const testing_support::ScreenSolver& solver : testing_support::Solvers()) {
    if (!solver.owns(s)) continue;
    for (int i = 0; i < 10; ++i) {
      const testing_support::NextMove move = solver.next(s, Pupil::Focused());
      if (move.kind != testing_support::NextMove::Kind::Type) break;
      Pupil::Type(move.text);
    }
  }
  Pupil::Click(controle);
}

// The block screen shares out, then its sentence is made to read a wrong quotient.
void WrongBlockSentence(Monkey& m) {
  auto& s = dynamic_cast<blocks::frmcijferdeel&>(Open(m, &app::frmkiesbasis::Command1));
  Pupil::Click(s.cmdstart);
  for (int i = 0; i < s.cmddeler.Count(); ++i) Pupil::Click(s.cmddeler[i]);  // only the one shown is clicked
  s.lblQ.SetCaption(QStringLiteral("1"));
}

struct SabotageRow {
  const char* name;
  void (*sabotage)(Monkey&);
  const char* expected;
};
const SabotageRow kSabotage[] = {
    {"menu total above the correct exercises", WrongTotalOnMenu, "lblgemaakt reads \"7\", but 0 exercises"},
    {"menu total not a number", TotalNotANumber, "lblgemaakt reads \"zeven\", not a number"},
    {"welcome screen and menu both up", TwoScreensAtOnce, "2 screens in use at once"},
    {"main window hidden", MainWindowGone, "the main window is not on screen"},
    {"scoring screen counts an exercise nobody saw judged", ScoringScreenCountsUnseen,
     "totaaljuist is 1, but 0 exercises were judged correct"},
    {"series counter past the series of five", SeriesPastItsLength, "reeksgemaakt 6 outside its series of 5"},
    {"more right than made", MoreRightThanMade, "reeksjuist 1 against reeksgemaakt 0"},
    {"counter label out of step", CounterLabelOutOfStep, "counters show \"3\" and \"0\""},
    {"answer box holding text", AnswerBoxWithText, "holds \"1a\""},
    {"lone minus in a digits-only box", LoneMinusWithoutSign, "holds \"-\""},
    {"exercise screen without a way on", NoWayOn, "leaves the pupil no way on"},
    {"CONTROLE calls a right estimate wrong", WrongVerdict, "judged the answer wrong, but it is right"},
    {"block screen's sentence with a wrong quotient", WrongBlockSentence, "the sentence reads"},
};

}  // namespace

class MonkeyTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void fixedSeed() {
    const long actions = TotalActions() / 2;
    Monkey monkey(kFixedSeed);
    const QString failure = RunMonkey(monkey, actions);
    if (!failure.isEmpty()) QFAIL(qPrintable(failure));
    // A full run must have worked real exercises on every screen that has a
    // solver, or the total invariant was never put to the test there.
    if (actions >= 10000) {
      for (const testing_support::ScreenSolver& s : testing_support::Solvers()) {
        if (!s.answerRight) continue;  // a screen without a check
        const auto it = monkey.Totals().correctOn.find(QString::fromLatin1(s.name));
        QVERIFY2(it != monkey.Totals().correctOn.end() && it->second > 0, s.name);
      }
    }
  }

  // REKENTOL_MONKEY_SEED=<seed> replays a failure of this run.
  void clockSeed() {
    bool given = false;
    const auto replay = qEnvironmentVariable("REKENTOL_MONKEY_SEED").toUInt(&given);
    const auto seed = given ? replay : std::uint32_t(std::chrono::system_clock::now().time_since_epoch().count());
    qInfo() << "clock seed" << seed << "(REKENTOL_MONKEY_SEED replays it)";
    Monkey monkey(seed);
    const QString failure = RunMonkey(monkey, TotalActions() - TotalActions() / 2);
    if (!failure.isEmpty()) QFAIL(qPrintable(failure));
  }

  // A seed must replay the same run, or a reported failure cannot be found again.
  void sameSeedSameRun() {
    Monkey first(77);
    const QString a = first.Run(600);
    const QStringList trace = first.Trace();
    Monkey second(77);
    const QString b = second.Run(600);
    QCOMPARE(b, a);
    QCOMPARE(second.Trace(), trace);
    Monkey other(78);
    other.Run(600);
    QVERIFY(other.Trace() != trace);
  }

  void checksCanFail_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kSabotage)); ++i) QTest::newRow(kSabotage[i].name) << i;
  }
  void checksCanFail() {
    QFETCH(int, row);
    Monkey monkey(1);
    QCOMPARE(monkey.Check(), QString());
    kSabotage[row].sabotage(monkey);
    const QString found = monkey.Check();
    QVERIFY2(found.contains(QString::fromLatin1(kSabotage[row].expected)), qPrintable(found));
  }
};

REKENTOL_TEST_MAIN(MonkeyTest)
#include "tst_monkey.moc"
