// A pupil without a mouse: from the start of the program to the verdict of an
// exercise with Tab, Shift+Tab, Space, Enter and digits only, each key into
// whatever holds the focus. What to type comes from the screen's solver; where
// the solver has nothing to type the pupil presses Tab to go on, and presses
// CONTROLE once the focus reaches it.

#include <QPushButton>
#include <QTest>

#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "blocks/frmcijferdeel.h"
#include "kit/exercise.h"
#include "support/open_screen.h"
#include "support/pupil.h"
#include "support/solve_screens.h"
#include "support/testmain.h"
#include "kit/qt/native.h"

using kit::ScriptedRandom;
using testing_support::NextMove;
using testing_support::Pupil;
using testing_support::ScreenSolver;
using testing_support::SolverFor;

namespace {

// The frame button with this tool tip; null when the window has none.
QWidget* FrameButton(kit::Window& w, const QString& tip) {
  for (QPushButton* b : kit::qt::Top(w)->findChildren<QPushButton*>())
    if (b->toolTip() == tip) return b;
  return nullptr;
}

// Tab (or Shift+Tab) until `target` holds the focus; every stop on the way
// must be a control the pupil can see and use. The number of presses, or -1.
int TabTo(QWidget* target, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int most = 40) {
  for (int presses = 0; presses <= most; ++presses) {
    QWidget* f = Pupil::Focused();
    if (!f) return -1;
    if (f == target) return presses;
    if (!f->isVisible() || !f->isEnabled()) return -1;
    Pupil::Key(Qt::Key_Tab, modifiers);
  }
  return -1;
}

// Start, Space on the welcome screen's button, Tab to the screen's menu button
// and Space; then Tab to START and press it with `press`.
bool KeysToStart(testing_support::ProgramRun& run, const char* name, Qt::Key press) {
  app::Program& p = run.p;
  p.Start();
  if (Pupil::Focused() != kit::qt::Widget(p.frmmecenaat1().cmdkombinnen)) return false;
  Pupil::Key(Qt::Key_Space);
  if (!p.frmkiesbasis().Visible()) return false;
  if (TabTo(kit::qt::Widget(*testing_support::MenuButton(p, name))) < 0) return false;
  Pupil::Key(Qt::Key_Space);
  kit::Window& screen = testing_support::ScreenNamed(p, name);
  if (!screen.Visible() || TabTo(FrameButton(screen, QStringLiteral("START"))) < 0) return false;
  Pupil::Key(press);
  return true;
}

QList<double> Draws(std::initializer_list<std::pair<int, int>> valueOf) {
  QList<double> r;
  for (auto [value, n] : valueOf) r << ScriptedRandom::For(value, n);
  return r;
}

}  // namespace

class KeyboardOnly : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void exerciseToVerdict_data();
  void exerciseToVerdict();
  void blockScreenShareOut();
};

void KeyboardOnly::exerciseToVerdict_data() {
  QTest::addColumn<QString>("screen");
  QTest::addColumn<QList<double>>("draws");
  QTest::newRow("frmschat100") << "frmschat100" << Draws({{7, 9}, {85, 99}});
  QTest::newRow("frmschat") << "frmschat" << Draws({{6, 9}, {347, 499}});
  QTest::newRow("frmkomma") << "frmkomma" << Draws({{8, 9}, {777, 999}});
  QTest::newRow("frmcijferdeel0 861:7") << "frmcijferdeel0" << Draws({{7, 9}, {123, 999}});
  QTest::newRow("frmcijferdeel0 350:7, opening with zero") << "frmcijferdeel0" << Draws({{7, 9}, {50, 999}});
  QTest::newRow("frmcijferdelen 282:6") << "frmcijferdelen" << Draws({{6, 9}, {4, 99}, {7, 9}});
  QTest::newRow("frmcijferdelen2 845:7") << "frmcijferdelen2" << Draws({{7, 9}, {845, 999}});
  QTest::newRow("frmcijferdelen4") << "frmcijferdelen4" << Draws({{7, 9}, {54321, 99999}});
  QTest::newRow("frmcijferdelen5") << "frmcijferdelen5" << Draws({{7, 9}, {12345677, 99999999}});
}

void KeyboardOnly::exerciseToVerdict() {
  QFETCH(QString, screen);
  QFETCH(QList<double>, draws);
  testing_support::ProgramRun run(draws);
  const QByteArray name = screen.toLatin1();
  QVERIFY2(KeysToStart(run, name.constData(), Qt::Key_Space), "START not reached by keys");
  kit::Window& w = testing_support::ScreenNamed(run.p, name.toStdString());
  const ScreenSolver* solver = SolverFor(w);
  QVERIFY(solver);
  QWidget* controle = FrameButton(w, QStringLiteral("CONTROLE"));
  QVERIFY(controle);

  int tabsUsed = 0;
  QStringList trail;  // where the focus went, for the failure message
  for (int step = 0;; ++step) {
    QVERIFY2(step < 400, qPrintable(u"no CONTROLE in reach: " + trail.join(u' ')));
    QWidget* f = Pupil::Focused();
    QVERIFY2(f && f->isVisible() && f->isEnabled(), qPrintable(u"focus lost after " + trail.join(u' ')));
    if (f == controle) break;
    const NextMove move = solver->next(w, f);
    QVERIFY2(move.kind != NextMove::Kind::Erase, qPrintable(u"a box holds a wrong digit: " + trail.join(u' ')));
    if (move.kind == NextMove::Kind::Type) {
      trail << move.text;
      Pupil::Type(move.text);
    } else {
      trail << QStringLiteral("Tab");
      ++tabsUsed;
      Pupil::Key(Qt::Key_Tab);
    }
  }
  // The boards send the focus on from box to box by themselves; the last box
  // keeps it (a remainder may have two digits), and one Tab reaches CONTROLE.
  QVERIFY2(tabsUsed <= 1, qPrintable(u"the focus path: " + trail.join(u' ')));
  QVERIFY2(solver->answerRight(w), qPrintable(u"CONTROLE reached before the work was done: " + trail.join(u' ')));
  Pupil::Key(Qt::Key_Return);
  QCOMPARE(dynamic_cast<kit::ScoringScreen&>(w).totaaljuist, std::int16_t{1});
  // The way on after the verdict holds the keyboard.
  QWidget* after = Pupil::Focused();
  QVERIFY(qobject_cast<QPushButton*>(after) && after->isVisible() && after != controle);
}

// The block screen judges nothing: START, the divisor button shares the blocks
// out, and STOP leads back to the menu; each by keys alone.
void KeyboardOnly::blockScreenShareOut() {
  testing_support::ProgramRun run(Draws({{4, 9}, {5, 9}, {3, 9}, {7, 9}}));
  QVERIFY(KeysToStart(run, "frmcijferdeel", Qt::Key_Return));
  kit::Window& w = testing_support::ScreenNamed(run.p, "frmcijferdeel");
  const ScreenSolver* solver = SolverFor(w);
  QVERIFY(solver);
  QWidget* divisor = Pupil::Focused();
  QVERIFY(qobject_cast<QPushButton*>(divisor) && divisor->isVisible());
  QCOMPARE(qobject_cast<QPushButton*>(divisor)->text(), QStringLiteral("4"));
  Pupil::Key(Qt::Key_Space);
  QVERIFY2(dynamic_cast<blocks::frmcijferdeel&>(w).lbltot.Visible(), "no share-out after the divisor button");
  QCOMPARE(solver->screenCheck(w), QString());
  // Back to the menu by Shift+Tab, the other way round the screen.
  QVERIFY(TabTo(FrameButton(w, QStringLiteral("STOP")), Qt::ShiftModifier) >= 0);
  Pupil::Key(Qt::Key_Space);
  QVERIFY(run.p.frmkiesbasis().Visible());
  QVERIFY(!w.Visible());
}

REKENTOL_TEST_MAIN(KeyboardOnly)
#include "tst_keyboard.moc"
