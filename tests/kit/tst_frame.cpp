// The exercise frame's rules that hold before any exercise is made: entering a
// written-division screen, leaving it with STOP (or its close box) before
// START, the series counters, the hand-over of the total, and START closing the
// way out. Run on the written-division screens whose exercises come later, so
// that only the frame is under test.

#include <QTest>

#include "app/shell_steps.h"
#include "support/open_screen.h"
#include "support/solve_screens.h"
#include "support/testmain.h"
#include "written/frmcijferdeel0.h"
#include "kit/qt/native.h"

using namespace shell_steps;
using testing_support::OpenFromMenu;
using testing_support::ProgramRun;

namespace {

struct Entry {
  const char* name;
  bool menuResetsTotal;
};
const Entry kEntries[] = {
    {"frmcijferdelen", true},
    {"frmcijferdelen2", false},
    {"frmcijferdelen4", true},
    {"frmcijferdelen5", true},
};

void AddEntryColumn() {
  QTest::addColumn<int>("entry");
}

// Goes to the menu with a total already earned, and opens the screen.
kit::SeriesScreen& Enter(ProgramRun& run, const Entry& e, const QString& total,
                         std::source_location where = std::source_location::current()) {
  run.ToMenu(where);
  // As a scoring screen's STOP leaves it; earning it here would take exercises
  // that these screens do not make yet.
  run.p.frmkiesbasis().lblgemaakt.SetCaption(total);
  return run.Open<kit::SeriesScreen>(e.name, where);
}

// Which of START, CONTROLE, NIEUW and NOG EENS is on view on their shared
// spot, read from the widgets on screen: the tool tip of the one a click at
// the spot's middle reaches, followed by " over " and those it covers; empty
// when none is; a complaint when they do not all lie on one spot in pixels or
// when the one hit is not shown.
QString OnTheSpot(kit::SeriesScreen& s) {
  const QRect spot = kit::qt::Widget(s.cmdstart)->geometry();
  if (spot.isEmpty() || !kit::qt::Surface(s)->rect().contains(spot)) return QStringLiteral("the spot lies off the window");
  QStringList shown;
  QString hit;
  QWidget* top = kit::qt::Surface(s)->childAt(spot.center());
  for (kit::Button* b : {&s.cmdstart, &s.cmdcontrole, &s.cmdnieuw, &s.cmdnogeens}) {
    QWidget* w = kit::qt::Widget(*b);
    if (w->parentWidget() != kit::qt::Widget(s.cmdstart)->parentWidget() || w->geometry() != spot)
      return b->ToolTipText() + QStringLiteral(" lies off the spot");
    if (w->isVisibleTo(kit::qt::Surface(s))) shown << b->ToolTipText();
    if (top && (top == w || w->isAncestorOf(top))) hit = b->ToolTipText();
  }
  if (shown.isEmpty() && hit.isEmpty()) return QString();
  if (!shown.removeOne(hit)) return QStringLiteral("shown %1, hit %2").arg(shown.join(u' '), hit);
  return shown.isEmpty() ? hit : hit + QStringLiteral(" over ") + shown.join(u' ');
}

struct Look {
  kit::Button kit::SeriesScreen::*button;
  const char* tip;
  QColor back;
  bool shownOnEntry;
};
const Look kLooks[] = {
    {&kit::SeriesScreen::cmdstart, "START", kit::RGB(192, 0, 192), true},
    {&kit::SeriesScreen::cmdcontrole, "CONTROLE", kit::RGB(128, 255, 255), false},
    {&kit::SeriesScreen::cmdnieuw, "NIEUW", kit::RGB(128, 255, 128), false},
    {&kit::SeriesScreen::cmdnogeens, "NOG EENS", kit::RGB(255, 128, 128), false},
    {&kit::SeriesScreen::cmdstop, "STOP", kit::RGB(128, 0, 0), true},
};

}  // namespace

class FrameTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void enterAndLeaveBeforeStart_data() {
    AddEntryColumn();
    QTest::addColumn<bool>("byCloseBox");
    for (int i = 0; i < 4; ++i) {
      QTest::addRow("%s, STOP", kEntries[i].name) << i << false;
      QTest::addRow("%s, close box", kEntries[i].name) << i << true;
    }
  }
  void enterAndLeaveBeforeStart() {
    QFETCH(int, entry);
    QFETCH(bool, byCloseBox);
    const Entry& e = kEntries[entry];
    ProgramRun run;
    kit::SeriesScreen& s = Enter(run, e, QStringLiteral("4"));
    app::frmkiesbasis& menu = run.p.frmkiesbasis();

    for (int visit = 1; visit <= 2; ++visit) {
      QCOMPARE(s.totaaljuist, 4);
      QCOMPARE(menu.lblgemaakt.Caption(), e.menuResetsTotal ? QStringLiteral("0") : QStringLiteral("4"));
      QCOMPARE(s.lblteller.Caption(), QStringLiteral("0"));
      QCOMPARE(s.lbltotaal.Caption(), QStringLiteral("0"));
      QCOMPARE(s.lblmemo2.Caption(), QStringLiteral("juist"));
      QVERIFY(!s.lblprima.Visible());
      QVERIFY(s.lblprima.Caption().isEmpty());
      QCOMPARE(s.BackColor(), kit::colours::kBoardGrey);
      for (const Look& look : kLooks) {
        kit::Button& b = s.*look.button;
        QCOMPARE(b.ToolTipText(), QString::fromLatin1(look.tip));
        QCOMPARE(b.BackColor(), look.back);
        QCOMPARE(b.Visible(), look.shownOnEntry);
      }
      QCOMPARE(OnTheSpot(s), QStringLiteral("START"));
      QVERIFY(Centred(s));

      if (byCloseBox)
        Pupil::Close(s);
      else
        QVERIFY(Pupil::Click(s.cmdstop));
      QVERIFY(!s.Visible());
      QVERIFY(menu.Visible());
      QCOMPARE(menu.lblgemaakt.Caption(), QStringLiteral("4"));
      QVERIFY(s.cmdstart.Visible());
      QVERIFY(s.cmdstop.Visible());

      // Moved away while hidden: coming back centres it again.
      s.Move(0, 0);
      QVERIFY(OpenFromMenu(run.p, e.name));
    }
  }

  // During a series the pupil cannot leave: START hides STOP, and the close box
  // does nothing.
  void startClosesTheWayOut_data() {
    AddEntryColumn();
    for (int i = 0; i < 4; ++i) QTest::addRow("%s", kEntries[i].name) << i;
  }
  void startClosesTheWayOut() {
    QFETCH(int, entry);
    const Entry& e = kEntries[entry];
    ProgramRun run;
    kit::SeriesScreen& s = Enter(run, e, QStringLiteral("2"));
    app::Program& p = run.p;
    QVERIFY(Pupil::Click(s.cmdstart));
    QCOMPARE(s.reeksgemaakt, 1);
    QCOMPARE(s.lbltotaal.Caption(), QStringLiteral("1"));
    QCOMPARE(s.lblteller.Caption(), QStringLiteral("0"));
    // "Ik deel tot TE" keeps START on view: a second START is a new exercise.
    const bool keepsStart = std::string_view(e.name) == "frmcijferdelen";
    QCOMPARE(s.cmdstart.Visible(), keepsStart);
    QVERIFY(!s.cmdstop.Visible());
    QVERIFY(!Pupil::Click(s.cmdstop));
    QCOMPARE(OnTheSpot(s), keepsStart ? QStringLiteral("START") : QString());
    Pupil::Close(s);
    QVERIFY(s.Visible());
    QVERIFY(!p.frmkiesbasis().Visible());
    QCOMPARE(s.totaaljuist, 2);
    QVERIFY(!p.Ended());
  }
  // Through a whole series the spot shows one button at a time: START, then
  // CONTROLE once the last box holds a digit, NIEUW after the check, NOG EENS
  // after the fifth, and CONTROLE again when the last box is typed anew. The exercises are worked right, digit by digit, by the
  // pupil who can divide.
  void oneButtonOnTheSpotThroughASeries() {
    // Divisor and quotient: 202:2, 156:3 (opening with zero), 852:4, 105:7, 999:9.
    QList<double> script;
    for (auto [deler, q] : {std::pair{2, 101}, {3, 52}, {4, 213}, {7, 15}, {9, 111}})
      script << kit::ScriptedRandom::For(deler, 9) << kit::ScriptedRandom::For(q, 999);
    ProgramRun run(script);
    auto& s = run.Open<written::frmcijferdeel0>("frmcijferdeel0");
    const testing_support::ScreenSolver pupil = testing_support::WrittenSolvers().front();
    for (int exercise = 1; exercise <= 5; ++exercise) {
      QCOMPARE(OnTheSpot(s), QStringLiteral("START"));
      QVERIFY(Pupil::Click(s.cmdstart));
      for (int keys = 0; OnTheSpot(s).isEmpty() && keys < 40; ++keys) {
        const testing_support::NextMove move = pupil.next(s, Pupil::Focused());
        QCOMPARE(move.kind, testing_support::NextMove::Kind::Type);
        Pupil::Type(move.text);
      }
      QCOMPARE(OnTheSpot(s), QStringLiteral("CONTROLE"));
      QVERIFY(Pupil::Click(s.cmdcontrole));
      QCOMPARE(s.BackColor(), kit::colours::kRight);
      const QString next = exercise < 5 ? QStringLiteral("NIEUW") : QStringLiteral("NOG EENS");
      QCOMPARE(OnTheSpot(s), next);
      if (exercise == 1 || exercise == 5) {
        // Typing the last box again brings CONTROLE back over the button
        // that was there, for a second check of the same exercise.
        QVERIFY(Pupil::Click(s.txtaftrek[9]));
        Pupil::Type(QStringLiteral("0"));
        QCOMPARE(OnTheSpot(s), QStringLiteral("CONTROLE over ") + next);
        QVERIFY(Pupil::Click(s.cmdcontrole));
        QCOMPARE(OnTheSpot(s), next);
      }
      if (exercise < 5) QVERIFY(Pupil::Click(s.cmdnieuw));
    }
    QCOMPARE(s.lblteller.Caption(), QStringLiteral("5"));
    QVERIFY(Pupil::Click(s.cmdnogeens));
    QCOMPARE(OnTheSpot(s), QStringLiteral("START"));
  }

  // The place-value boards keep START on view under CONTROLE and NIEUW; a
  // click there reaches the button on top, never START. The test lays the
  // button over START itself, before any exercise.
  void coveredStartCannotBeClicked_data() {
    QTest::addColumn<QString>("over");
    QTest::newRow("nothing over START") << QString();
    QTest::newRow("CONTROLE over START") << QStringLiteral("CONTROLE");
    QTest::newRow("NIEUW over START") << QStringLiteral("NIEUW");
  }
  void coveredStartCannotBeClicked() {
    QFETCH(QString, over);
    ProgramRun run;
    kit::SeriesScreen& s = Enter(run, kEntries[0], QStringLiteral("0"));
    kit::Button* top = over == u"CONTROLE" ? &s.cmdcontrole : over == u"NIEUW" ? &s.cmdnieuw : nullptr;
    if (top) top->SetVisible(true);
    QVERIFY(s.cmdstart.Visible());
    QCOMPARE(Pupil::Click(s.cmdstart), !top);
    // A refused click did nothing: START has not begun a series.
    QCOMPARE(int(s.reeksgemaakt), top ? 0 : 1);
    if (top) QVERIFY(Pupil::CanClick(kit::qt::Widget(*top)));
  }

  // A frame button that holds the keyboard shows it plainly: a ring of black
  // and yellow pixels along its edge that is not there without the focus.
  void focusedButtonShowsABroadMark() {
    ProgramRun run;
    kit::SeriesScreen& s = Enter(run, kEntries[2], QStringLiteral("0"));
    QWidget* start = kit::qt::Widget(s.cmdstart);
    QVERIFY(QTest::qWaitForWindowActive(start->window()));
    auto ring = [&] {
      const QImage image = start->grab().toImage();
      int black = 0, yellow = 0;
      for (int x = 0; x < image.width(); ++x) {
        for (int y : {1, 3}) {
          const QColor c = image.pixelColor(x, y);
          black += c == QColor(Qt::black);
          yellow += c == QColor(255, 255, 0);
        }
      }
      return std::pair{black, yellow};
    };
    s.cmdstop.SetFocus();
    const auto [blackWithout, yellowWithout] = ring();
    s.cmdstart.SetFocus();
    QVERIFY(s.cmdstart.HasFocus());
    const auto [black, yellow] = ring();
    testing_support::Shot(s, QStringLiteral("focus-mark"));
    // Along most of the top edge, in both colours.
    QVERIFY2(black - blackWithout > start->width() / 2 && yellow - yellowWithout > start->width() / 2,
             qPrintable(QStringLiteral("black %1 -> %2, yellow %3 -> %4")
                            .arg(blackWithout).arg(black).arg(yellowWithout).arg(yellow)));
  }
};

REKENTOL_TEST_MAIN(FrameTest)
#include "tst_frame.moc"
