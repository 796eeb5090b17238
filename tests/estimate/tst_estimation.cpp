// The three estimation screens, worked from the menu as a pupil works them.

#include <QLineEdit>
#include <QTest>
#include <set>

#include "app/frmkiesbasis.h"
#include "estimate/frmschat.h"
#include "support/open_screen.h"
#include "support/pupil.h"
#include "support/testmain.h"
#include "kit/qt/native.h"

using kit::ScriptedRandom;
using testing_support::Pupil;

namespace {

// A run of the program on the menu, with a script for the random source.
struct Session : testing_support::ProgramRun {
  explicit Session(std::source_location where = std::source_location::current()) { ToMenu(where); }
  // Unscripted, the program's own clock-seeded source draws.
  explicit Session(testing_support::ClockChance clock, std::source_location where = std::source_location::current())
      : ProgramRun(clock) {
    ToMenu(where);
  }
  // Opens the named screen from the menu and hands it to f with the n of its
  // dividend draw, Int(r x n) + 1.
  template <class F>
  void Open(const QString& screen, F f, std::source_location where = std::source_location::current()) {
    if (screen == u"frmschat100")
      f(ProgramRun::Open<estimate::frmschat100>("frmschat100", where), 99);
    else if (screen == u"frmschat")
      f(ProgramRun::Open<estimate::frmschat>("frmschat", where), 499);
    else
      f(ProgramRun::Open<estimate::frmkomma>("frmkomma", where), 999);
  }
  // The draws that make START come up with deeltal : deler.
  void Queue(int deeltal, int deler, int n) {
    script->Push(ScriptedRandom::For(deler, 9));
    script->Push(ScriptedRandom::For(deeltal, n));
  }
};

// Types an estimate into the box that has the focus and asks for the check.
template <class S>
void Estimate(S& s, const QString& estimate) {
  QCOMPARE(Pupil::FocusedBox(), kit::qt::Edit(s.txtschat));
  Pupil::Type(estimate);
  QVERIFY(Pupil::Click(s.cmdcontrole));
}

template <class S>
void Start(S& s) {
  QVERIFY(Pupil::Click(s.cmdstart));
}

// Away from every control on all three screens.
constexpr int kBackX = 240;
constexpr int kBackY = 240;

}  // namespace

class EstimationTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void judge_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<int>("deeltal");
    QTest::addColumn<int>("deler");
    QTest::addColumn<QString>("estimate");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("ondergrens");
    QTest::addColumn<QString>("line");
    const QString l347 = QStringLiteral("347 : 6 = 57 rest 5");
    const QString l21 = QStringLiteral("21 : 9 = 2 rest 3");
    const QString l999 = QStringLiteral("999 : 2 = 499 rest 1");
    QTest::newRow("347:6, 50") << "frmschat" << 347 << 6 << "50" << false << 50 << l347;
    QTest::newRow("347:6, 51") << "frmschat" << 347 << 6 << "51" << true << 50 << l347;
    QTest::newRow("347:6, 57") << "frmschat" << 347 << 6 << "57" << true << 50 << l347;
    QTest::newRow("347:6, 63") << "frmschat" << 347 << 6 << "63" << true << 50 << l347;
    QTest::newRow("347:6, 64") << "frmschat" << 347 << 6 << "64" << false << 50 << l347;
    QTest::newRow("21:9, 0") << "frmschat100" << 21 << 9 << "0" << true << -5 << l21;
    QTest::newRow("21:9, 8") << "frmschat100" << 21 << 9 << "8" << true << -5 << l21;
    QTest::newRow("21:9, 9") << "frmschat100" << 21 << 9 << "9" << false << -5 << l21;
    QTest::newRow("999:2, 492") << "frmkomma" << 999 << 2 << "492" << false << 492 << l999;
    QTest::newRow("999:2, 493") << "frmkomma" << 999 << 2 << "493" << true << 492 << l999;
    QTest::newRow("999:2, 505") << "frmkomma" << 999 << 2 << "505" << true << 492 << l999;
    QTest::newRow("999:2, 506") << "frmkomma" << 999 << 2 << "506" << false << 492 << l999;
  }
  void judge() {
    QFETCH(QString, screen);
    QFETCH(int, deeltal);
    QFETCH(int, deler);
    QFETCH(QString, estimate);
    QFETCH(bool, accepted);
    QFETCH(int, ondergrens);
    QFETCH(QString, line);
    Session s;
    s.Open(screen, [&](auto& f, int n) {
      s.Queue(deeltal, deler, n);
      Start(f);
      QCOMPARE(f.lbldeeltal[0].Caption(), QString::number(deeltal));
      QCOMPARE(f.lbldeeltal[2].Caption(), QString::number(deler));
      QCOMPARE(f.lbldeeltal[4].Caption(), QStringLiteral("?"));
      QCOMPARE(int(f.ondergrens), ondergrens);
      QCOMPARE(int(f.bovengrens), ondergrens + 14);
      QVERIFY(f.lbldeeltal[6].Caption().isEmpty());
      QVERIFY(!Pupil::CanClick(kit::qt::Widget(f.cmdstop2)));
      Estimate(f, estimate);
      QCOMPARE(f.BackColor(), accepted ? kit::colours::kRight : kit::colours::kWrong);
      QCOMPARE(int(f.totaaljuist), accepted ? 1 : 0);
      QCOMPARE(f.lbldeeltal[6].Caption(), line);
      // The estimate stays to be seen, out of reach, and the way on is START.
      QCOMPARE(f.txtschat.Text(), estimate);
      QVERIFY(!f.txtschat.Enabled());
      QCOMPARE(Pupil::Focused(), kit::qt::Widget(f.cmdstart));
      QVERIFY(Pupil::CanClick(kit::qt::Widget(f.cmdstop2)));
      QVERIFY(!Pupil::Click(f.cmdcontrole));
    });
  }

  // No estimate at all, or a lone "-" pasted through the box's menu, which the
  // box (digits only) empties again.
  void noEstimate_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<int>("deeltal");
    QTest::addColumn<int>("deler");
    QTest::addColumn<bool>("minus");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("empty, 347:6") << "frmschat" << 347 << 6 << false << false;
    QTest::newRow("empty, 21:9") << "frmschat100" << 21 << 9 << false << true;
    QTest::newRow("minus, 347:6") << "frmschat" << 347 << 6 << true << false;
    QTest::newRow("minus, 21:9") << "frmschat100" << 21 << 9 << true << true;
    QTest::newRow("minus, 101:2") << "frmkomma" << 101 << 2 << true << false;
  }
  void noEstimate() {
    QFETCH(QString, screen);
    QFETCH(int, deeltal);
    QFETCH(int, deler);
    QFETCH(bool, minus);
    QFETCH(bool, accepted);
    Session s;
    s.Open(screen, [&](auto& f, int n) {
      s.Queue(deeltal, deler, n);
      Start(f);
      if (minus) {
        Pupil::SetClipboard(QStringLiteral("-"));
        QVERIFY(Pupil::PasteFromContextMenu(Pupil::FocusedBox()));
        QCOMPARE(f.txtschat.Text(), QString());
      }
      QVERIFY(Pupil::Click(f.cmdcontrole));
      QCOMPARE(f.txtschat.Text(), QStringLiteral("0"));
      QCOMPARE(f.BackColor(), accepted ? kit::colours::kRight : kit::colours::kWrong);
      QCOMPARE(int(f.totaaljuist), accepted ? 1 : 0);
    });
  }

  void answerBox() {
    Session s;
    s.Open(QStringLiteral("frmschat"), [&](auto& f, int n) {
      s.Queue(347, 6, n);
      s.Queue(347, 6, n);
      Start(f);
      Pupil::Type(QStringLiteral("-5.a7"));
      QCOMPARE(f.txtschat.Text(), QStringLiteral("57"));
      QVERIFY(Pupil::Click(f.txtschat));
      QCOMPARE(f.txtschat.Text(), QString());
      Pupil::Type(QStringLiteral("60"));
      QVERIFY(Pupil::Click(f.cmdcontrole));
      QCOMPARE(int(f.totaaljuist), 1);
      // Judged: neither a click nor a key reaches the estimate.
      QVERIFY(!Pupil::Click(f.txtschat));
      Pupil::Type(QStringLiteral("1"));
      QCOMPARE(f.txtschat.Text(), QStringLiteral("60"));
      // The next START clears the board and the exercise may count again.
      Start(f);
      QCOMPARE(f.txtschat.Text(), QString());
      QVERIFY(f.lbldeeltal[6].Caption().isEmpty());
      QCOMPARE(f.BackColor(), kit::colours::kLightYellow);
      Estimate(f, QStringLiteral("54"));
      QCOMPARE(int(f.totaaljuist), 2);
    });
  }

  // Scripts that make the loops draw again; the values they must settle on.
  void generation_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QList<int>>("divisors");
    QTest::addColumn<QList<int>>("dividends");
    QTest::newRow("frmschat redraws") << "frmschat" << QList<int>{1, 1, 6} << QList<int>{50, 1, 347};
    QTest::newRow("frmschat ends") << "frmschat" << QList<int>{2} << QList<int>{51};
    QTest::newRow("frmschat top") << "frmschat" << QList<int>{9} << QList<int>{499};
    QTest::newRow("frmschat100 redraws") << "frmschat100" << QList<int>{1, 9} << QList<int>{20, 21};
    QTest::newRow("frmschat100 top") << "frmschat100" << QList<int>{2} << QList<int>{99};
    QTest::newRow("frmkomma redraws") << "frmkomma" << QList<int>{1, 1, 1, 2} << QList<int>{100, 101};
    QTest::newRow("frmkomma top") << "frmkomma" << QList<int>{3} << QList<int>{999};
  }
  void generation() {
    QFETCH(QString, screen);
    QFETCH(QList<int>, divisors);
    QFETCH(QList<int>, dividends);
    Session s;
    s.Open(screen, [&](auto& f, int n) {
      for (int d : divisors) s.script->Push(ScriptedRandom::For(d, 9));
      for (int d : dividends) s.script->Push(ScriptedRandom::For(d, n));
      Start(f);
      QCOMPARE(s.script->Seeds(), 1);
      QCOMPARE(s.script->Left(), std::size_t(0));
      QVERIFY(!s.script->Overrun());
      QCOMPARE(int(f.deler), divisors.last());
      QCOMPARE(int(f.deeltal), dividends.last());
      QCOMPARE(f.lbldeeltal[2].Caption(), QString::number(divisors.last()));
      QCOMPARE(f.lbldeeltal[0].Caption(), QString::number(dividends.last()));
    });
  }

  void clockSeeded_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<int>("lowest");
    QTest::newRow("frmschat100") << "frmschat100" << 21;
    QTest::newRow("frmschat") << "frmschat" << 51;
    QTest::newRow("frmkomma") << "frmkomma" << 101;
  }
  void clockSeeded() {
    QFETCH(QString, screen);
    QFETCH(int, lowest);
    Session s(testing_support::ClockChance{});
    s.Open(screen, [&](auto& f, int n) {
      std::set<int> divisors;
      for (int i = 0; i < 200; ++i) {
        Start(f);
        const int deler = f.deler, deeltal = f.deeltal, quotient = f.quotient, rest = f.rest;
        divisors.insert(deler);
        QVERIFY2(deler >= 2 && deler <= 9, qPrintable(QString::number(deler)));
        QVERIFY2(deeltal >= lowest && deeltal <= n, qPrintable(QString::number(deeltal)));
        QCOMPARE(quotient * deler + rest, deeltal);
        QVERIFY(rest >= 0 && rest < deler);
        QCOMPARE(f.lbldeeltal[0].Caption(), QString::number(deeltal));
        QVERIFY(Pupil::Click(f.cmdcontrole));
      }
      QCOMPARE(divisors, (std::set<int>{2, 3, 4, 5, 6, 7, 8, 9}));
    });
  }

  // The menu's total carries on from screen to screen; a wrong estimate and a
  // visit without a check add nothing.
  void totals() {
    Session s;
    app::frmkiesbasis& menu = s.p.frmkiesbasis();
    s.Open(QStringLiteral("frmschat"), [&](auto& f, int n) {
      for (const char* e : {"57", "10", "51", "63"}) {
        s.Queue(347, 6, n);
        Start(f);
        Estimate(f, QString::fromLatin1(e));
      }
      QVERIFY(Pupil::Click(f.cmdstop2));
      QVERIFY(!f.Visible());
    });
    QVERIFY(menu.Visible());
    QCOMPARE(menu.lblgemaakt.Caption(), QStringLiteral("3"));
    s.Open(QStringLiteral("frmschat100"), [&](auto& f, int n) {
      QCOMPARE(int(f.totaaljuist), 3);
      for (int i = 0; i < 2; ++i) {
        s.Queue(21, 9, n);
        Start(f);
        Estimate(f, QStringLiteral("2"));
      }
      QVERIFY(Pupil::Click(f.cmdstop2));
    });
    QCOMPARE(menu.lblgemaakt.Caption(), QStringLiteral("5"));
    s.Open(QStringLiteral("frmkomma"), [&](auto& f, int) {
      QCOMPARE(int(f.totaaljuist), 5);
      QVERIFY(Pupil::Click(f.cmdstop2));
    });
    QCOMPARE(menu.lblgemaakt.Caption(), QStringLiteral("5"));
  }

  // STOP leaves the screen ready for the next visit; the close box does what
  // STOP does, but only while STOP is on screen.
  void leaving() {
    Session s;
    s.Open(QStringLiteral("frmschat"), [&](auto& f, int n) {
      s.Queue(347, 6, n);
      Start(f);
      Pupil::Type(QStringLiteral("57"));
      Pupil::Close(f);
      QVERIFY(f.Visible());
      QVERIFY(Pupil::Click(f.cmdcontrole));
      Pupil::Close(f);
      QVERIFY(!f.Visible());
    });
    QCOMPARE(s.p.frmkiesbasis().lblgemaakt.Caption(), QStringLiteral("1"));
    s.Open(QStringLiteral("frmschat"), [&](auto& f, int) {
      QCOMPARE(f.BackColor(), kit::colours::kLightYellow);
      QVERIFY(f.txtschat.Text().isEmpty());
      QVERIFY(f.txtschat.Enabled());
      QVERIFY(f.lbldeeltal[0].Caption().isEmpty());
      QVERIFY(f.lbldeeltal[6].Caption().isEmpty());
      QCOMPARE(f.lbldeeltal[4].Caption(), QStringLiteral("?"));
      QVERIFY(Pupil::CanClick(kit::qt::Widget(f.cmdstart)));
      QVERIFY(Pupil::CanClick(kit::qt::Widget(f.cmdstop2)));
      QVERIFY(!Pupil::CanClick(kit::qt::Widget(f.cmdcontrole)));
    });
  }

  // The pixels agree with the judgement; the pictures are kept for a person.
  void background_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<int>("deeltal");
    QTest::addColumn<int>("deler");
    QTest::addColumn<QString>("right");
    QTest::newRow("frmschat100") << "frmschat100" << 95 << 8 << "11";
    QTest::newRow("frmschat") << "frmschat" << 499 << 2 << "250";
    QTest::newRow("frmkomma") << "frmkomma" << 998 << 7 << "140";
  }
  void background() {
    QFETCH(QString, screen);
    QFETCH(int, deeltal);
    QFETCH(int, deler);
    QFETCH(QString, right);
    Session s;
    s.Open(screen, [&](auto& f, int n) {
      s.Queue(deeltal, deler, n);
      s.Queue(deeltal, deler, n);
      QCOMPARE(Pupil::PixelAt(f, kBackX, kBackY), kit::RGB(255, 255, 128));
      Start(f);
      Estimate(f, right);
      QCOMPARE(Pupil::PixelAt(f, kBackX, kBackY), kit::RGB(0, 255, 0));
      testing_support::Shot(f, screen + u"-accepted");
      Start(f);
      QCOMPARE(Pupil::PixelAt(f, kBackX, kBackY), kit::RGB(255, 255, 128));
      testing_support::Shot(f, screen + u"-asking");
      Estimate(f, QStringLiteral("99"));
      QCOMPARE(Pupil::PixelAt(f, kBackX, kBackY), kit::RGB(255, 0, 0));
      testing_support::Shot(f, screen + u"-rejected");
    });
  }
};

REKENTOL_TEST_MAIN(EstimationTest)
#include "tst_estimation.moc"
