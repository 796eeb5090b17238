// What a screen reader finds: every window is a window, every control a pupil
// can reach has a name, the boards' boxes are named by their row and column,
// the column heads are text to read, and the verdict is said in words.

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QAccessible>
#include <QTest>

#include "app/frmkiesbasis.h"
#include "app/program.h"
#include "app/shell_steps.h"
#include "estimate/frmschat.h"
#include "kit/accessible.h"
#include "kit/numbers.h"
#include "support/open_screen.h"
#include "support/pupil.h"
#include "support/solve_screens.h"
#include "support/testmain.h"
#include "written/frmcijferdeel0.h"
#include "kit/qt/native.h"
#include "kit/qt/notification.h"

using testing_support::Pupil;

namespace {

// The controls a pupil could reach that a screen reader would not name, each
// as "role (class)"; the windows among them that are no windows.
QStringList Unnamed(QAccessibleInterface* iface) {
  QStringList out;
  if (!iface || iface->state().invisible) return out;
  const QAccessible::State st = iface->state();
  const QAccessible::Role role = iface->role();
  const bool interactive = !st.disabled && (role == QAccessible::PushButton ||
                                           (role == QAccessible::EditableText && !st.readOnly) || st.focusable);
  const QString what = QStringLiteral("role %1 (%2)").arg(int(role)).arg(
      QLatin1String(iface->object() ? iface->object()->metaObject()->className() : "?"));
  if (interactive && iface->text(QAccessible::Name).trimmed().isEmpty()) out << what + u" without a name";
  if (iface->object() && iface->object()->isWidgetType() && static_cast<QWidget*>(iface->object())->isWindow() &&
      role != QAccessible::Window)
    out << what + u" is a window that is not heard as one";
  for (int i = 0; i < iface->childCount(); ++i) out << Unnamed(iface->child(i));
  return out;
}

QStringList Unnamed(kit::Window& w) { return Unnamed(QAccessible::queryAccessibleInterface(kit::qt::Top(w))); }

// Works the exercise as a pupil who can divide until nothing is left to
// write (at most `moves` moves). Whether CONTROLE is then on view.
bool WorkUntilControle(kit::Window& w, int moves) {
  const testing_support::ScreenSolver* solver = testing_support::SolverFor(w);
  for (int i = 0; i < moves && solver; ++i) {
    const auto move = solver->next(w, Pupil::Focused());
    if (move.kind == testing_support::NextMove::Kind::None) break;
    if (move.kind == testing_support::NextMove::Kind::Type)
      Pupil::Type(move.text);
    else
      Pupil::Click(Pupil::Focused());
  }
  return Pupil::Offered(w, u"CONTROLE");
}

QString Description(kit::Window& w) {
  return QAccessible::queryAccessibleInterface(kit::qt::Top(w))->text(QAccessible::Description);
}

// What the window last made heard: the notification on view, as a screen
// reader reads it from the tree; empty when none is on view.
QString Heard(kit::Window& w) {
  QAccessibleInterface* top = QAccessible::queryAccessibleInterface(kit::qt::Top(w));
  for (int i = 0; i < top->childCount(); ++i) {
    QAccessibleInterface* c = top->child(i);
    if (c && c->role() == QAccessible::Notification && !c->state().invisible) return c->text(QAccessible::Name);
  }
  return {};
}

// Every text the window's tree holds, on view or not, as "role: text", so a
// screen reader's review keys could find none that the board no longer shows.
void TreeTexts(QAccessibleInterface* iface, QStringList& out) {
  if (!iface) return;
  for (QAccessible::Text t : {QAccessible::Name, QAccessible::Description, QAccessible::Value}) {
    const QString text = iface->text(t);
    if (!text.isEmpty()) out << QString::number(int(iface->role())) + u": " + text;
  }
  for (int i = 0; i < iface->childCount(); ++i) TreeTexts(iface->child(i), out);
}
QStringList TreeTexts(kit::Window& w) {
  QStringList out;
  TreeTexts(QAccessible::queryAccessibleInterface(kit::qt::Top(w)), out);
  return out;
}

// Each time words come into view the screen reader says them: counts those times.
struct ShowCounter : QObject {
  int shows = 0;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Show && o->property("rekentolVoice").toBool()) ++shows;
    return false;
  }
};

}  // namespace

class tst_accessible : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void shell_data() {
    QTest::addColumn<QString>("where");
    for (const char* w : {"welcome", "menu", "info"}) QTest::newRow(w) << QString::fromLatin1(w);
  }
  // The shell's windows, and the main window behind them.
  void shell() {
    QFETCH(QString, where);
    app::Program p;
    QVERIFY(shell_steps::BringTo(p, where));
    kit::Window& w = shell_steps::ShellWindow(p, where);
    QCOMPARE(Unnamed(w), QStringList());
    QCOMPARE(Unnamed(p.MDIForm2()), QStringList());
    QCOMPARE(QAccessible::queryAccessibleInterface(kit::qt::Top(w))->role(), QAccessible::Window);
    QVERIFY(!QAccessible::queryAccessibleInterface(kit::qt::Top(w))->text(QAccessible::Name).isEmpty());
  }

  // The picture buttons that had no name are heard by their tip or caption.
  void buttonNames() {
    app::Program p;
    QVERIFY(shell_steps::ToMenu(p));
    auto name = [](const kit::Control& c) {
      return QAccessible::queryAccessibleInterface(kit::qt::Widget(c))->text(QAccessible::Name);
    };
    QCOMPARE(name(p.frmkiesbasis().cmdeinde), QStringLiteral("S T O P"));
    QCOMPARE(name(p.frmkiesbasis().Command3), QStringLiteral("Ik deel zonder rest"));
    QCOMPARE(name(p.frmmecenaat1().cmdkombinnen), QStringLiteral("Klik hier en start !"));
  }

  void screens_data() {
    QTest::addColumn<QString>("name");
    for (const char* n : {"frmcijferdeel", "frmschat100", "frmschat", "frmkomma", "frmcijferdeel0", "frmcijferdelen",
                          "frmcijferdelen2", "frmcijferdelen4", "frmcijferdelen5"})
      QTest::newRow(n) << QString::fromLatin1(n);
  }
  // Every exercise screen before START, while the pupil works and after
  // CONTROLE: nothing the pupil reaches is nameless, and after the check the
  // window says in words what its colour says.
  void screens() {
    QFETCH(QString, name);
    testing_support::ProgramRun run(testing_support::ClockChance{});
    kit::Window& w = run.Open<kit::Window>(name.toStdString());
    QVERIFY(run.Ok());
    QCOMPARE(QAccessible::queryAccessibleInterface(kit::qt::Top(w))->role(), QAccessible::Window);
    QCOMPARE(Unnamed(w), QStringList());

    QAbstractButton* start = Pupil::Offered(w, u"START");
    QVERIFY(start);
    QVERIFY(Pupil::Click(start));
    QCOMPARE(Unnamed(w), QStringList());
    QVERIFY(Description(w).isEmpty());

    const testing_support::ScreenSolver* solver = testing_support::SolverFor(w);
    if (!solver || !solver->answerRight) return;  // the block screen has no check
    QVERIFY2(WorkUntilControle(w, 200), "the pupil never reached CONTROLE");
    QCOMPARE(Unnamed(w), QStringList());
    QVERIFY(Pupil::Click(Pupil::Offered(w, u"CONTROLE")));
    QCOMPARE(Unnamed(w), QStringList());
    QCOMPARE(Description(w), QStringLiteral("goed"));
    QCOMPARE(Description(w), kit::ColourVerdict(w.BackColor()));
  }

  // How a handler's words are weighed for Windows' screen readers.
  void weighed_data() {
    QTest::addColumn<bool>("task");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("weighed");
    using kit::Heard;
    using kit::Notification;
    QTest::newRow("plain words") << false << int(Heard::Said) << int(Notification::Said);
    QTest::newRow("help") << false << int(Heard::Help) << int(Notification::Help);
    QTest::newRow("task with what the board wrote") << true << int(Heard::Said) << int(Notification::Task);
    QTest::newRow("task outweighs help") << true << int(Heard::Help) << int(Notification::Task);
    QTest::newRow("verdict outweighs all") << true << int(Heard::Verdict) << int(Notification::Verdict);
    QTest::newRow("verdict with its reason") << false << int(std::max(Heard::Verdict, Heard::Help))
                                             << int(Notification::Verdict);
  }
  void weighed() {
    QFETCH(bool, task);
    QFETCH(int, kind);
    QFETCH(int, weighed);
    QCOMPARE(int(kit::Weigh(task, kit::Heard(kind))), weighed);
  }

  void spoken_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("said");
    QTest::newRow("result line") << "53 : 3 = 17 rest 2" << "53 gedeeld door 3 is 17 rest 2";
    QTest::newRow("clause colon") << "29 \u00d7 6 = 174: veel meer" << "29 keer 6 is 174: veel meer";
    QTest::newRow("minus") << "23 \u2212 21 is niet 3." << "23 min 21 is niet 3.";
    QTest::newRow("decimal comma") << "12345,678 : 7" << "12345,678 gedeeld door 7";
  }
  void spoken() {
    QFETCH(QString, shown);
    QFETCH(QString, said);
    QCOMPARE(kit::Spoken(shown), said);
  }

  void heard_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("task");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("estimation") << "frmschat100" << "Schat de uitkomst. ik schat." << "goed. ";
    QTest::newRow("written") << "frmcijferdelen4" << "quoti\u00ebnt," << "goed. Jouw uitkomst: ";
    QTest::newRow("place value") << "frmcijferdelen2" << "quoti\u00ebnt," << "goed. Jouw uitkomst: ";
    QTest::newRow("blocks") << "frmcijferdeel" << "groepen." << "Elke groep krijgt ";
  }
  // What a pupil who cannot see the screen hears after START and after the
  // check, each once: the division and the box to begin in, then the verdict
  // with the result the screen shows.
  void heard() {
    QFETCH(QString, name);
    QFETCH(QString, task);
    QFETCH(QString, verdict);
    testing_support::ProgramRun run(testing_support::ClockChance{});
    kit::Window& w = run.Open<kit::Window>(name.toStdString());
    QVERIFY(run.Ok());
    ShowCounter counter;
    qApp->installEventFilter(&counter);
    QVERIFY(Pupil::Click(Pupil::Offered(w, u"START")));
    QTRY_VERIFY(!Heard(w).isEmpty());
    const QString said = Heard(w);
    QVERIFY2(said.contains(u" gedeeld door ") || name == u"frmcijferdeel", qPrintable(said));
    QVERIFY2(said.contains(task), qPrintable(said));
    // The box the pupil begins in, named last.
    if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
      QVERIFY2(said.endsWith(box->accessibleName() + u'.'), qPrintable(said));

    QCOMPARE(counter.shows, 1);

    const testing_support::ScreenSolver* solver = testing_support::SolverFor(w);
    if (solver && solver->answerRight) {
      QVERIFY(WorkUntilControle(w, 200));
      QTest::qWait(50);  // what the board wrote by itself is heard on its own
      counter.shows = 0;
      QVERIFY(Pupil::Click(Pupil::Offered(w, u"CONTROLE")));
    } else {
      counter.shows = 0;
      QVERIFY(Pupil::Click(Pupil::Focused()));  // the divisor button shares the blocks out
    }
    QTRY_VERIFY2(Heard(w).startsWith(verdict), qPrintable(Heard(w)));
    QVERIFY2(!name.startsWith(u"frmcijferdelen") || Heard(w).endsWith(u"1 van 1 juist."), qPrintable(Heard(w)));
    QTest::qWait(400);  // nothing more comes
    QCOMPARE(counter.shows, 1);
  }

  // A wrong answer is said as such, on the window and on the box that went red.
  void wrongIsSaid() {
    testing_support::ProgramRun run(testing_support::ClockChance{});
    auto& s = run.Open<written::frmcijferdeel0>("frmcijferdeel0");
    QVERIFY(Pupil::Click(s.cmdstart));
    QVERIFY(WorkUntilControle(s, 200));
    // The pupil writes another remainder: the row goes red, the answer is wrong.
    kit::TextBox& rest = s.txtaftrek[written::FinalBox(3)];
    QVERIFY(Pupil::Click(rest));
    Pupil::Type(QStringLiteral("7"));
    QVERIFY(Pupil::Click(s.cmdcontrole));
    QCOMPARE(Description(s), QStringLiteral("fout"));
    QTRY_VERIFY2(Heard(s).contains(u"fout. Jouw uitkomst: "), qPrintable(Heard(s)));
    QVERIFY2(Heard(s).contains(u"Fout in: rest."), qPrintable(Heard(s)));
    QCOMPARE(rest.BackColor(), kit::colours::kWrong);
    QCOMPARE(QAccessible::queryAccessibleInterface(kit::qt::Widget(rest))->text(QAccessible::Description),
             QStringLiteral("fout"));
    QVERIFY(Pupil::Click(s.cmdnieuw));
    QVERIFY(Description(s).isEmpty());
  }

  void nothingStaleAfterCheck_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("written") << "frmcijferdeel0";
    QTest::newRow("estimation") << "frmschat100";
  }
  // A wrong check, then the next exercise: the board is empty again, and
  // nothing in the window's tree still carries the verdict or the reason of
  // that check.
  void nothingStaleAfterCheck() {
    QFETCH(QString, name);
    testing_support::ProgramRun run(testing_support::ClockChance{});
    auto& w = run.Open<kit::ScoringScreen>(name.toStdString());
    QVERIFY(Pupil::Click(Pupil::Offered(w, u"START")));
    if (auto* e = dynamic_cast<estimate::frmschat100*>(&w)) {
      Pupil::Type(kit::NumText(e->deeltal / e->deler + 20));
    } else {
      auto& s = dynamic_cast<written::frmcijferdeel0&>(w);
      QVERIFY(WorkUntilControle(s, 200));
      QVERIFY(Pupil::Click(s.txtaftrek[written::FinalBox(3)]));
      Pupil::Type(QStringLiteral("7"));
    }
    QVERIFY(Pupil::Click(Pupil::Offered(w, u"CONTROLE")));
    QTRY_VERIFY2(Heard(w).contains(u"fout. "), qPrintable(Heard(w)));
    const QString verdict = Heard(w).mid(Heard(w).indexOf(u"fout. ")).section(u'.', 0, 1);
    const QString reason = w.lblhulp->Caption();
    QVERIFY(!reason.isEmpty());
    QVERIFY(TreeTexts(w).join(u'\n').contains(reason));

    // The estimation drills have no NIEUW: START brings the next exercise.
    QAbstractButton* next = Pupil::Offered(w, u"NIEUW");
    QVERIFY(Pupil::Click(next ? next : Pupil::Offered(w, u"START")));
    for (const QString& text : TreeTexts(w))
      QVERIFY2(!text.contains(verdict) && !text.contains(reason), qPrintable(text));
  }

  void boxNames_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("expected");
    QTest::newRow("product 1") << written::ProductUnits(1) << QStringLiteral("aftrekrij 1, honderdtallen");
    QTest::newRow("product 2 tens") << written::ProductTens(2) << QStringLiteral("aftrekrij 2, honderdtallen");
    QTest::newRow("difference 2") << written::DifferenceBox(2) << QStringLiteral("verschil 2, tientallen");
    QTest::newRow("brought down 2") << written::BroughtDownBox(2) << QStringLiteral("bijgehaald 2, eenheden");
    QTest::newRow("remainder") << written::FinalBox(3) << QStringLiteral("rest, eenheden");
  }
  // The three-digit board's boxes, named by the 4k rule and the heads.
  void boxNames() {
    QFETCH(int, box);
    QFETCH(QString, expected);
    testing_support::ProgramRun run(testing_support::ClockChance{});
    auto& s = run.Open<written::frmcijferdeel0>("frmcijferdeel0");
    auto name = [](const kit::Control& c) {
      return QAccessible::queryAccessibleInterface(kit::qt::Widget(c))->text(QAccessible::Name);
    };
    QCOMPARE(name(s.txtaftrek[box]), expected);
    QCOMPARE(name(s.txtquotient[1]), QStringLiteral("quotiënt, tientallen"));
    QCOMPARE(name(s.txtdeeltal[0]), QStringLiteral("deeltal, honderdtallen"));
    QAccessibleInterface* head = QAccessible::queryAccessibleInterface(kit::qt::Widget(s.txtorde[0]));
    QCOMPARE(head->role(), QAccessible::StaticText);
    QCOMPARE(head->text(QAccessible::Name), QStringLiteral("honderdtallen"));
  }
};

REKENTOL_TEST_MAIN(tst_accessible)
#include "tst_accessible.moc"
