// "Ik deel tot TE" and "Ik deel met rest": a pupil works place-value divisions
// one key at a time into whatever has the focus; the problems come from a
// scripted random source.

#include <QTest>

#include "app/frmkiesbasis.h"
#include "placevalue/frmcijferdelen.h"
#include "support/board_probe.h"
#include "support/open_screen.h"
#include "support/pupil.h"
#include "support/testmain.h"
#include "kit/qt/native.h"

using kit::ScriptedRandom;
using placevalue::PlaceValueScreen;
using testing_support::BoardProbe;
using testing_support::LinesShown;
using testing_support::Look;
using testing_support::Pupil;

namespace {

// The draws that make deler x (10 T + E) on the first screen, deeltal : deler on the twin.
QList<double> First(int deler, int q) {
  return {ScriptedRandom::For(deler, 9), ScriptedRandom::For(q / 10, 99), ScriptedRandom::For(q % 10, 9)};
}
QList<double> Twin(int deeltal, int deler) { return {ScriptedRandom::For(deler, 9), ScriptedRandom::For(deeltal, 999)}; }

struct Session : testing_support::ProgramRun {
  PlaceValueScreen* s;

  Session(bool twin, const QList<double>& script, std::source_location where = std::source_location::current())
      : ProgramRun(script), s(&Open(twin, where)) {}
  PlaceValueScreen& Open(bool twin, std::source_location where = std::source_location::current()) {
    return *(s = &ProgramRun::Open<PlaceValueScreen>(twin ? "frmcijferdelen2" : "frmcijferdelen", where));
  }
  PlaceValueScreen* operator->() { return s; }

  // Every box of the board by its short name: q0, Hx0, Hr, T1, Tr, E2, rest.
  BoardProbe Board() {
    BoardProbe b;
    b.Add(QStringLiteral("q"), s->txtquotient).Add(QStringLiteral("Hx"), s->txtHx).Add(QStringLiteral("Hr"), s->txtHr);
    b.Add(QStringLiteral("T"), s->txtT).Add(QStringLiteral("Tr"), s->txtTr).Add(QStringLiteral("E"), s->txtE);
    return b.Add(QStringLiteral("rest"), s->txtrest);
  }
  kit::TextBox& Box(const QString& name) {
    if (name == u"Hr" || name == u"Tr" || name == u"rest") return name == u"Hr" ? s->txtHr : name == u"Tr" ? s->txtTr : s->txtrest;
    auto& group = name[0] == u'q' ? s->txtquotient : name[0] == u'T' ? s->txtT : name[0] == u'E' ? s->txtE : s->txtHx;
    return group[name.back().digitValue()];
  }
  // A box's name, or a button's tool tip.
  QString Focus() {
    if (const QString box = Board().Focus(); !box.isEmpty()) return box;
    QWidget* w = Pupil::Focused();
    for (kit::Button* b : {&s->cmdstart, &s->cmdcontrole, &s->cmdnieuw, &s->cmdnogeens, &s->cmdstop})
      if (kit::qt::Widget(*b) == w) return b->ToolTipText();
    return QStringLiteral("?");
  }
  QString Shown() { return Board().Where(Look::Visible); }
  QString Red() { return Board().Where(Look::Red); }
  QString Lines() { return LinesShown(*s); }
  // A click where the pupil's mouse lands: on whichever button lies on top.
  void ClickSpot() {
    const kit::Place spot = s->cmdstart.Geometry();
    QWidget* surface = kit::qt::Surface(*s);
    const QPoint at = kit::TwipPoint{spot.left + spot.width / 2, spot.top + spot.height / 2}.Pixels();
    QWidget* hit = surface->childAt(at);
    QVERIFY(hit);
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(surface, at));
  }
  QString Counters() { return s->lblteller.Caption() + u' ' + s->lbltotaal.Caption(); }
};

// Each character one key into whatever has the focus.
void Work(const QString& keys) {
  for (QChar c : keys) Pupil::Type(QString(c));
}

const QString kFirstPath = QStringLiteral("q1 T1 T2 Tr q2 E1 E2 rest");
const QString kTwinPath = QStringLiteral("q0 Hx0 Hr q1 T1 T2 Tr q2 E1 E2 rest");
const QString k156Right = QStringLiteral("71418160");
const QString k156Wrong = QStringLiteral("71417142");  // 77, remainder 2

}  // namespace

class PlaceValueTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void worked_data() {
    QTest::addColumn<bool>("twin");
    QTest::addColumn<QList<double>>("script");
    QTest::addColumn<QString>("opened");  // dividend and H step / boxes on view / lines
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("red");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<QString>("shown");
    const QString zero = QStringLiteral(" / q0 q1 q2 Hx0 Hr T0 / min0 HT1_1 E0 E1 HT");
    const QString o156 = QStringLiteral("156 0 1 5") + zero;
    QTest::newRow("156:2") << false << First(2, 78) << o156 << k156Right << "" << true << "78";
    QTest::newRow("156:2 T product 15") << false << First(2, 78) << o156 << "71508160" << "T1 T2 rest" << true << "78";
    QTest::newRow("156:2 remainder 1") << false << First(2, 78) << o156 << "71418161" << "rest" << true << "78";
    QTest::newRow("156:2 quotient 77") << false << First(2, 78) << o156 << k156Wrong << "rest" << false << "77";
    const QString o734 = QStringLiteral("734    / q0 q1 q2 / ");
    QTest::newRow("734:5") << true << Twin(734, 5) << o734 << "15242036304" << "" << true << "146";
    QTest::newRow("734:5 remainder 5") << true << Twin(734, 5) << o734 << "15242036295" << "E1 E2 rest" << false
                                       << "146";
    QTest::newRow("3:7") << true << Twin(3, 7) << "003 0 0 0" + zero << "00000003" << "" << true << "0";
    QTest::newRow("56:4") << true << Twin(56, 4) << "056 0 0 5" + zero << "10414160" << "" << true << "14";
  }
  void worked() {
    QFETCH(bool, twin);
    QFETCH(QList<double>, script);
    QFETCH(QString, keys);
    Session s(twin, script);
    QVERIFY(Pupil::Click(s->cmdstart));
    QTEST(QString(s->txtdeeltal[0].Text() + s->txtdeeltal[1].Text() + s->txtdeeltal[2].Text() + u' ' +
                  s->txtHx[0].Text() + u' ' + s->txtHr.Text() + u' ' + s->txtT[0].Text() + u" / " + s.Shown() +
                  u" / " + s.Lines()),
          "opened");
    const bool zero = s->deeltalH < s->deler;
    QCOMPARE(s->txtquotient[0].Italic(), zero);
    QVERIFY(!Pupil::Click(s->txtquotient[zero ? 0 : 2]));  // the written 0, and the E digit, wait
    QCOMPARE(s->cmdstart.Visible(), !twin);
    QVERIFY(!s->cmdstop.Visible() && !s->lblQ.Visible() && !s->lbldeler.Visible() && !s->lbldeeltal.Visible());
    const QStringList path = (zero ? kFirstPath : kTwinPath).split(u' ');
    for (int i = 0; i < keys.size(); ++i) {
      QCOMPARE(s.Focus(), path.at(i));
      QVERIFY(!s->cmdcontrole.Visible());
      Work(keys.mid(i, 1));
      if (i == 4) testing_support::Shot(*s.s, QStringLiteral("placevalue %1 mid").arg(QTest::currentDataTag()));
    }
    QTEST(s->lbluitkomst.Caption(), "shown");
    QVERIFY(s->lbluitkomst.Visible() && s->cmdcontrole.Visible());
    QCOMPARE(s.Focus(), QStringLiteral("CONTROLE"));
    // The screen brought the T and E digits down; the pupil never typed them.
    QCOMPARE(s->txtT[0].Text() + s->txtE[0].Text(), s->txtdeeltal[1].Text() + s->txtdeeltal[2].Text());

    s.ClickSpot();  // CONTROLE lies over START
    QTEST(s.Red(), "red");
    QFETCH(bool, correct);
    QCOMPARE(s->BackColor(), correct ? kit::colours::kRight : kit::colours::kWrong);
    QCOMPARE(s.Counters(), QStringLiteral("%1 1").arg(correct ? 1 : 0));
    QCOMPARE(s.Focus(), QStringLiteral("NIEUW"));
    QVERIFY(!s.Board().Texts().contains(QString()));
    // The same, read back from the screen's pixels.
    testing_support::Shot(*s.s, QStringLiteral("placevalue %1 judged").arg(QTest::currentDataTag()));
    auto pixel = [&](const kit::Control& c) { return Pupil::PixelAt(*s.s, c.Geometry().left + 90, c.Geometry().top + 90); };
    QCOMPARE(pixel(s->lbluitkomst), QColor(255, 255, 0));
    if (const QString red = s.Red(); !red.isEmpty()) QCOMPARE(pixel(s.Box(red.section(u' ', 0, 0))), kit::colours::kWrong);
    // Inside the outline of Shape1 the background shows through.
    QCOMPARE(Pupil::PixelAt(*s.s, 1200, 7000), correct ? kit::colours::kRight : kit::colours::kWrong);
    QCOMPARE(Pupil::PixelAt(*s.s, 5160, 5000), QColor(0, 128, 0));  // the bracket

    s.ClickSpot();  // NIEUW lies over START
    QCOMPARE(s.Shown() + s.Lines(), QString());
    QVERIFY(!s->lbluitkomst.Visible() && !s->txtquotient[0].Italic());
    QCOMPARE(s->BackColor(), kit::colours::kBoardGrey);
    QCOMPARE(s.Focus(), QStringLiteral("START"));
    QCOMPARE(s.Counters(), QStringLiteral("%1 1").arg(correct ? 1 : 0));
  }

  void clicks_data() {
    QTest::addColumn<bool>("twin");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("empties");
    QTest::addColumn<QString>("focus");
    QTest::newRow("first T1") << false << "T1" << true << "T2";
    QTest::newRow("first Hx0") << false << "Hx0" << true << "Hr";
    QTest::newRow("first q1") << false << "q1" << true << "q1";
    QTest::newRow("first E1") << false << "E1" << true << "E1";
    QTest::newRow("first Hr") << false << "Hr" << false << "Hr";
    QTest::newRow("first Tr") << false << "Tr" << false << "Tr";
    QTest::newRow("twin T1") << true << "T1" << true << "T1";
    QTest::newRow("twin Hr") << true << "Hr" << true << "Hr";
    QTest::newRow("twin Tr") << true << "Tr" << true << "Tr";
  }
  void clicks() {
    QFETCH(bool, twin);
    QFETCH(QString, box);
    Session s(twin, twin ? Twin(734, 5) : First(2, 78));
    QVERIFY(Pupil::Click(s->cmdstart));
    Work(twin ? QStringLiteral("15242036") : QStringLiteral("714181"));
    const QString before = s.Box(box).Text();
    QVERIFY(Pupil::Click(s.Box(box)));
    QFETCH(bool, empties);
    QCOMPARE(s.Box(box).Text(), empties ? QString() : before);
    QTEST(s.Focus(), "focus");
  }

  // START stays on view on the first screen: a second one is a new exercise
  // laid over the board; the twin hides it until NIEUW.
  void startTwice() {
    Session s(false, First(2, 78) + First(9, 99));
    QVERIFY(Pupil::Click(s->cmdstart));
    Work(QStringLiteral("71"));
    QVERIFY(Pupil::Click(s->cmdstart));
    QCOMPARE(s->lbltotaal.Caption(), QStringLiteral("2"));
    QCOMPARE(s->lblQ.Caption() + s->txtHr.Text() + s->txtT[0].Text(), QStringLiteral("9989"));
    QCOMPARE(s->txtT[1].Text(), QStringLiteral("1"));  // not cleared
    QCOMPARE(s.Focus(), QStringLiteral("q1"));
    QVERIFY(s->cmdstart.Visible() && !s->cmdstop.Visible());
  }

  void generation_data() {
    QTest::addColumn<bool>("twin");
    QTest::addColumn<QList<double>>("script");
    QTest::addColumn<int>("deler");
    QTest::addColumn<int>("deeltal");
    auto r = [](int v, int n) { return ScriptedRandom::For(v, n); };
    QTest::newRow("1 and a one-digit product redrawn")
        << false << QList<double>{r(1, 9), r(2, 9), r(5, 99), r(10, 99), r(6, 99), r(1, 9)} << 2 << 122;
    QTest::newRow("9 x 1 redrawn") << false << QList<double>{r(9, 9), r(1, 99), r(2, 99), r(9, 9)} << 9 << 261;
    QTest::newRow("largest") << false << QList<double>{r(9, 9), r(9, 99), r(9, 9)} << 9 << 891;
    QTest::newRow("twin 3:7") << true << QList<double>{r(1, 9), r(7, 9), r(3, 999)} << 7 << 3;
    QTest::newRow("twin 999:9") << true << QList<double>{r(9, 9), r(999, 999)} << 9 << 999;
  }
  void generation() {
    QFETCH(bool, twin);
    QFETCH(QList<double>, script);
    QFETCH(int, deler);
    QFETCH(int, deeltal);
    Session s(twin, script);
    QVERIFY(Pupil::Click(s->cmdstart));
    QCOMPARE(s.script->Seeds(), 1);
    QVERIFY(s.script->Left() == 0 && !s.script->Overrun());
    QCOMPARE(int(s->deler) * 1000 + s->deeltal, deler * 1000 + deeltal);
    QCOMPARE(s->lblQ.Caption() + u' ' + s->lbldeler.Caption() + u' ' + s->lbldeeltal.Caption(),
             QStringLiteral("%1 %2 %3").arg(deeltal / deler).arg(deler).arg(deeltal));
    if (twin) QCOMPARE(int(s.p.frmcijferdelen2().rest), deeltal % deler);
  }

  // A series ends at exactly five checks; a count carried past five by a
  // second START meets a verdict at ten, after a correct tenth exercise.
  void series_data() {
    QTest::addColumn<bool>("twin");
    QTest::addColumn<QList<int>>("starts");  // STARTs per exercise
    QTest::addColumn<QList<int>>("wrong");   // exercises worked wrong
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("counters");
    const QList<int> five{1, 1, 1, 1, 1}, ten{1, 1, 1, 1, 2, 1, 1, 1, 1}, past{1, 1, 1, 1, 2, 1, 1, 1, 3};
    QTest::newRow("five, 4 right") << false << five << QList<int>{4} << "prima" << "4 5";
    QTest::newRow("five, 3 right") << false << five << QList<int>{0, 1} << "kan beter" << "3 5";
    QTest::newRow("twin five, 4 right") << true << five << QList<int>{0} << "prima" << "4 5";
    QTest::newRow("twin five, 3 right") << true << five << QList<int>{0, 2} << "kan beter" << "3 5";
    QTest::newRow("ten, 7 right") << false << ten << QList<int>{0, 1} << "prima" << "0 0";
    QTest::newRow("ten, 6 right") << false << ten << QList<int>{0, 1, 2} << "kan beter" << "0 0";
    QTest::newRow("ten, 5 right") << false << ten << QList<int>{0, 1, 2, 3} << "kan beter" << "0 0";
    QTest::newRow("ten, tenth wrong") << false << ten << QList<int>{8} << "" << "8 10";
    // Carried past ten, the count would never meet a verdict again, and with
    // STOP hidden the pupil could never leave the screen.
    QTest::newRow("past ten, right") << false << past << QList<int>{0} << "prima" << "0 0";
    QTest::newRow("past ten, wrong") << false << past << QList<int>{8} << "" << "8 12";
  }
  void series() {
    QFETCH(bool, twin);
    QFETCH(QList<int>, starts);
    QFETCH(QList<int>, wrong);
    QList<double> script;
    for (int n : starts)
      for (int i = 0; i < n; ++i) script << (twin ? Twin(156, 2) : First(2, 78));
    Session s(twin, script);
    int right = 0;
    for (int i = 0; i < starts.size(); ++i) {
      if (i > 0) QVERIFY(Pupil::Click(s->cmdnieuw));
      for (int n = 0; n < starts[i]; ++n) QVERIFY(Pupil::Click(s->cmdstart));
      Work(wrong.contains(i) ? k156Wrong : k156Right);
      QVERIFY(Pupil::Click(s->cmdcontrole));
      right += wrong.contains(i) ? 0 : 1;
    }
    QTEST(s->lblprima.Caption(), "word");
    QTEST(s.Counters(), "counters");
    QCOMPARE(s->totaaljuist, right);
    const bool closed = starts.size() == 5;
    QCOMPARE(s->lblprima.Visible(), !s->lblprima.Caption().isEmpty());
    QCOMPARE(s->cmdnogeens.Visible(), closed);
    QCOMPARE(s->cmdnieuw.Visible(), !closed);
    QCOMPARE(s->cmdstop.Visible(), s->lblprima.Visible());
    if (closed) {
      QCOMPARE(s.Focus(), QStringLiteral("NOG EENS"));
      s.ClickSpot();  // NOG EENS lies over START
      QCOMPARE(s.Counters(), QStringLiteral("0 0"));
      QCOMPARE(s.Shown(), QStringLiteral("q0 q1 q2"));
      QCOMPARE(BoardProbe().Add(QStringLiteral("q"), s->txtquotient).Where(Look::Enabled), QStringLiteral("q0 q1 q2"));
      QCOMPARE(s.Board().Mismatch(QStringList(13, QString())), QString());
      // The ready boxes take work before START; no exercise is in hand, so
      // checking that work counts nothing (it would be judged against the
      // last exercise of the closed series).
      // (No digit is brought down, so the E box takes a key of its own.)
      QVERIFY(Pupil::Click(s->txtquotient[1]));
      Work(QStringLiteral("714198160"));
      QCOMPARE(s->lbluitkomst.Caption(), QStringLiteral("78"));
      QVERIFY(Pupil::Click(s->cmdcontrole));
      QCOMPARE(s.Counters(), QStringLiteral("0 0"));
      QCOMPARE(s->totaaljuist, right);
      QVERIFY(Pupil::Click(s->cmdnieuw.Visible() ? s->cmdnieuw : s->cmdnogeens));
    } else {
      QVERIFY(Pupil::Click(s->cmdnieuw));
      QCOMPARE(s.Counters(), QStringLiteral("0 0"));
      QVERIFY(!s->lblprima.Visible());
    }
    QCOMPARE(s.Lines(), QString());
  }

  // STOP right after a closed series: the menu gets the total, the twin's
  // menu button keeps it, and the board the pupil comes back to is empty.
  void stopAfterSeries_data() {
    QTest::addColumn<bool>("twin");
    QTest::newRow("first") << false;
    QTest::newRow("twin") << true;
  }
  void stopAfterSeries() {
    QFETCH(bool, twin);
    QList<double> script;
    for (int i = 0; i < 6; ++i) script << (twin ? Twin(734, 5) : First(2, 78));
    Session s(twin, script);
    for (int i = 0; i < 5; ++i) {
      if (i > 0) QVERIFY(Pupil::Click(s->cmdnieuw));
      QVERIFY(Pupil::Click(s->cmdstart));
      Work(twin ? QStringLiteral("15242036304") : k156Right);
      QVERIFY(Pupil::Click(s->cmdcontrole));
    }
    QVERIFY(Pupil::Click(s->cmdstop));
    QCOMPARE(s.p.frmkiesbasis().lblgemaakt.Caption(), QStringLiteral("5"));
    s.Open(true);
    QCOMPARE(s.p.frmkiesbasis().lblgemaakt.Caption(), QStringLiteral("5"));
    QCOMPARE(s->totaaljuist, 5);
    if (!twin) {
      QVERIFY(Pupil::Click(s->cmdstop));
      s.Open(false);
    }
    QCOMPARE(s.Shown() + s.Lines(), twin ? QStringLiteral("q0 q1 q2") : QString());
    QVERIFY(Pupil::Click(s->cmdstart));
    QCOMPARE(s.Shown(), twin ? QStringLiteral("q0 q1 q2") : QStringLiteral("q0 q1 q2 Hx0 Hr T0"));
    QCOMPARE(s->txtquotient[2].Enabled(), twin);
  }

  // The pupil can go back past the shown quotient (Tab into the H step opens
  // the T digit again); CONTROLE judges the quotient the boxes hold then.
  void quotientChangedAfterTheLabel() {
    Session s(false, First(2, 78));
    QVERIFY(Pupil::Click(s->cmdstart));
    Work(k156Right);
    QCOMPARE(s->lbluitkomst.Caption(), QStringLiteral("78"));
    Pupil::Key(Qt::Key_Tab);
    QCOMPARE(s.Focus(), QStringLiteral("Hx0"));
    Work(QStringLiteral("01"));
    QVERIFY(s->txtquotient[1].Visible() && s->lbluitkomst.Visible());
    QVERIFY(Pupil::Click(s->txtquotient[1]));
    Work(QStringLiteral("6"));
    QVERIFY(Pupil::Click(s->cmdcontrole));
    QCOMPARE(s->lbluitkomst.Caption(), QStringLiteral("68"));
    QCOMPARE(s->BackColor(), kit::colours::kWrong);
  }
};

REKENTOL_TEST_MAIN(PlaceValueTest)
#include "tst_placevalue.moc"
