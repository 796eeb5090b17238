// The exercise frame's rules that hold before any exercise is made: entering a
// written-division screen, leaving it with STOP (or its close box) before
// START, the series counters, the hand-over of the total, and START closing the
// way out. Run on the written-division screens whose exercises come later, so
// that only the frame is under test.

#include <QTest>

#include "app/shell_steps.h"
#include "placevalue/frmcijferdelen.h"
#include "written/frmcijferdelen4.h"
#include "written/frmcijferdelen5.h"
#include "support/testmain.h"

using namespace shell_steps;

namespace {

struct Entry {
  const char* name;
  kit::Button app::frmkiesbasis::*button;
  kit::SeriesScreen& (*screen)(app::Program&);
  bool menuResetsTotal;
};
const Entry kEntries[] = {
    {"frmcijferdelen", &app::frmkiesbasis::Command7, [](app::Program& p) -> kit::SeriesScreen& { return p.frmcijferdelen(); }, true},
    {"frmcijferdelen2", &app::frmkiesbasis::cmdkies, [](app::Program& p) -> kit::SeriesScreen& { return p.frmcijferdelen2(); }, false},
    {"frmcijferdelen4", &app::frmkiesbasis::Command5, [](app::Program& p) -> kit::SeriesScreen& { return p.frmcijferdelen4(); }, true},
    {"frmcijferdelen5", &app::frmkiesbasis::Command4, [](app::Program& p) -> kit::SeriesScreen& { return p.frmcijferdelen5(); }, true},
};

void AddEntryColumn() {
  QTest::addColumn<int>("entry");
}

// Goes to the menu with a total already earned, and opens the screen.
[[nodiscard]] bool Enter(app::Program& p, const Entry& e, const QString& total) {
  if (!ToMenu(p)) return false;
  // As a scoring screen's STOP leaves it; earning it here would take exercises
  // that these screens do not make yet.
  p.frmkiesbasis().lblgemaakt.SetCaption(total);
  return Pupil::Click(p.frmkiesbasis().*e.button) && e.screen(p).Visible();
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
    app::Program p;
    QVERIFY(Enter(p, e, QStringLiteral("4")));
    kit::SeriesScreen& s = e.screen(p);
    app::frmkiesbasis& menu = p.frmkiesbasis();

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
      // START, CONTROLE, NIEUW and NOG EENS share one spot.
      for (const Look& look : kLooks) {
        if (look.button == &kit::SeriesScreen::cmdstop) continue;
        const kit::Place a = (s.*look.button).Geometry();
        const kit::Place b = s.cmdstart.Geometry();
        QVERIFY(a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height);
      }
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
      QVERIFY(Pupil::Click(menu.*e.button));
      QVERIFY(s.Visible());
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
    app::Program p;
    QVERIFY(Enter(p, e, QStringLiteral("2")));
    kit::SeriesScreen& s = e.screen(p);
    QVERIFY(Pupil::Click(s.cmdstart));
    QCOMPARE(s.reeksgemaakt, 1);
    QCOMPARE(s.lbltotaal.Caption(), QStringLiteral("1"));
    QCOMPARE(s.lblteller.Caption(), QStringLiteral("0"));
    // "Ik deel tot TE" keeps START on view: a second START is a new exercise.
    QCOMPARE(s.cmdstart.Visible(), e.button == &app::frmkiesbasis::Command7);
    QVERIFY(!s.cmdstop.Visible());
    QVERIFY(!Pupil::Click(s.cmdstop));
    Pupil::Close(s);
    QVERIFY(s.Visible());
    QVERIFY(!p.frmkiesbasis().Visible());
    QCOMPARE(s.totaaljuist, 2);
    QVERIFY(!p.Ended());
  }
};

REKENTOL_TEST_MAIN(FrameTest)
#include "tst_frame.moc"
