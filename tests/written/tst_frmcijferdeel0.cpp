// "Ik deel zonder rest": a pupil works written divisions of three digits, one
// key at a time into whatever has the focus; the problems come from a scripted
// random source.

#include <QLineEdit>
#include <QLocale>
#include <QSet>
#include <QTest>

#include "app/frmkiesbasis.h"
#include "kit/numbers.h"
#include "support/board_probe.h"
#include "support/pupil.h"
#include "support/testmain.h"
#include "support/written_session.h"
#include "written/frmcijferdeel0.h"

using kit::ScriptedRandom;
using testing_support::BoardProbe;
using testing_support::Pupil;

namespace {

// The random draws that make deler x q: the divisor, then the candidate quotient.
QList<double> Problem(int deler, int q) { return {ScriptedRandom::For(deler, 9), ScriptedRandom::For(q, 999)}; }

struct Session : testing_support::WrittenSession<written::frmcijferdeel0> {
  explicit Session(const QList<double>& script, std::source_location where = std::source_location::current())
      : WrittenSession(script, "frmcijferdeel0", where) {}
  explicit Session(testing_support::ClockChance clock, std::source_location where = std::source_location::current())
      : WrittenSession(clock, "frmcijferdeel0", where) {}

  // Each character one key press; "<" is Backspace.
  static void Press(QChar c) { c == u'<' ? Pupil::Backspace() : Pupil::Type(QString(c)); }
  static void Work(const QString& keys) {
    for (QChar c : keys) Press(c);
  }
};

const QString kNormalPath = QStringLiteral("q0 a0 a1 q1 a3 a4 a5 q2 a7 a8 a9");
const QString kZeroPath = QStringLiteral("q1 a3 a4 a5 q2 a7 a8 a9");
const QString k852Right = QStringLiteral("28010413120");
const QString k852Wrong = QStringLiteral("28010412084");  // 212, remainder 4

}  // namespace

class FrmCijferdeel0Test : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void worked_data() {
    QTest::addColumn<int>("deler");
    QTest::addColumn<int>("q");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("red");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("final");
    QTest::newRow("852:4 right") << 4 << 213 << k852Right << "" << true << "213" << "0";
    // 5 - 4 is 1 and 22 - 12 is not 0; the verdict looks at quotient and remainder only.
    QTest::newRow("852:4 box 5 as 2") << 4 << 213 << "28010423120" << "5 9" << true << "213" << "0";
    QTest::newRow("852:4 product 2 as 08") << 4 << 213 << "28010813120" << "3 4 5" << true << "213" << "0";
    QTest::newRow("852:4 quotient 212") << 4 << 213 << k852Wrong << "9" << false << "212" << "4";
    QTest::newRow("852:4 lone minus reads 0") << 4 << 213 << "2801041-120" << "7 8" << false << "210" << "0";
    QTest::newRow("312:3 right") << 3 << 104 << "13000014120" << "" << true << "104" << "0";
    QTest::newRow("312:3 remainder 00") << 3 << 104 << "130000141200" << "" << false << "104" << "00";
    // Typing into box 9 and taking it out again shows CONTROLE; CONTROLE writes the 0.
    QTest::newRow("312:3 box 9 left empty") << 3 << 104 << "13000014120<" << "" << true << "104" << "0";
    QTest::newRow("156:3 opening with zero") << 3 << 52 << "51502060" << "" << true << "52" << "0";
  }
  void worked() {
    QFETCH(int, deler);
    QFETCH(int, q);
    QFETCH(QString, keys);
    Session s(Problem(deler, q));
    QVERIFY(Pupil::Click(s->cmdstart));
    const QStringList path = (s->deeltalH >= deler ? kNormalPath : kZeroPath).split(u' ');
    bool typedFinal = false;
    for (int i = 0; i < keys.size(); ++i) {
      const QString where = path.at(std::min<qsizetype>(i, path.size() - 1));
      QCOMPARE(s.Focus(), where);
      QCOMPARE(s->cmdcontrole.Visible(), typedFinal);
      Session::Press(keys.at(i));
      typedFinal = typedFinal || where == u"a9";
    }
    QVERIFY(s->cmdcontrole.Visible());
    // The pupil never stood in boxes 2 and 6: the screen brought the digits down.
    QCOMPARE(s->txtaftrek[2].Text(), kit::NumText(s->deeltalT));
    QCOMPARE(s->txtaftrek[6].Text(), kit::NumText(s->deeltalE));

    QVERIFY(Pupil::Click(s->cmdcontrole));
    QFETCH(QString, red);
    QFETCH(bool, correct);
    QFETCH(QString, shown);
    QFETCH(QString, final);
    QCOMPARE(s.Red(), red);
    QCOMPARE(s->BackColor(), correct ? kit::colours::kRight : kit::colours::kWrong);
    QCOMPARE(s->reeksjuist, std::int16_t(correct ? 1 : 0));
    QCOMPARE(s->lbluitkomst.Caption(), shown);
    QVERIFY(s->lbluitkomst.Visible());
    QCOMPARE(s.Shown(s->txtquotient, QStringLiteral("q")), QString());
    QCOMPARE(s->txtaftrek[9].Text(), final);
    QCOMPARE(s.Focus(), QStringLiteral("NIEUW"));
  }

  void opening_data() {
    QTest::addColumn<int>("deler");
    QTest::addColumn<int>("q");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QString>("lines");
    QTest::newRow("852:4") << 4 << 213 << "q0" << "" << "";
    QTest::newRow("312:3 first digit equals divisor") << 3 << 104 << "q0" << "" << "";
    QTest::newRow("156:3 with zero") << 3 << 52 << "q1" << "a0 a1 a2" << "min0 HT1_1 E0 E1 HT";
    QTest::newRow("108:9 with zero") << 9 << 12 << "q1" << "a0 a1 a2" << "min0 HT1_1 E0 E1 HT";
  }
  void opening() {
    QFETCH(int, deler);
    QFETCH(int, q);
    QFETCH(QString, focus);
    QFETCH(QString, boxes);
    QFETCH(QString, lines);
    Session s(Problem(deler, q));
    QVERIFY(!s->lneHT1.Has(0));
    testing_support::Shot(*s, QStringLiteral("cijferdeel0_empty"));
    QVERIFY(Pupil::Click(s->cmdstart));
    testing_support::Shot(*s, QStringLiteral("cijferdeel0_opening_%1").arg(deler * q));
    QCOMPARE(s.Focus(), focus);
    QCOMPARE(s.Shown(s->txtaftrek, QStringLiteral("a")), boxes);
    QCOMPARE(s.Lines(), lines);
    QCOMPARE(s.Shown(s->txtorde, QStringLiteral("h")), QStringLiteral("h0 h1 h2 h3 h4 h5"));
    const bool zero = focus == u"q1";
    QCOMPARE(s->txtquotient[0].Enabled(), !zero);
    QCOMPARE(s->txtquotient[1].Enabled(), zero);
    QVERIFY(!s->txtquotient[2].Enabled());
    QCOMPARE(s->txtquotient[0].Italic(), zero);
    if (zero) {
      QCOMPARE(BoardProbe().Add(QStringLiteral("a"), s->txtaftrek, {0, 1, 2}).Mismatch(
                   {QStringLiteral("0"), kit::NumText(s->deeltalH), kit::NumText(s->deeltalT)}),
               QString());
      QVERIFY(!Pupil::Click(s->txtquotient[0]));  // the written 0 is not the pupil's
      QCOMPARE(s->txtquotient[0].Text(), QStringLiteral("0"));
    }
    QCOMPARE(s->lblmultrest.Caption(), QStringLiteral("0"));
    QVERIFY(!s->cmdstart.Visible() && !s->cmdstop.Visible() && !s->cmdcontrole.Visible());
    QCOMPARE(s->lbltotaal.Caption(), QStringLiteral("1"));
  }

  void generation_data() {
    QTest::addColumn<QList<double>>("script");
    QTest::addColumn<int>("deler");
    QTest::addColumn<int>("deeltal");
    auto r = [](int v, int n) { return ScriptedRandom::For(v, n); };
    QTest::newRow("both loops redraw") << QList<double>{r(1, 9), r(1, 9), r(7, 9), r(150, 999), r(14, 999), r(15, 999)}
                                       << 7 << 105;
    QTest::newRow("1000 redrawn") << QList<double>{r(2, 9), r(500, 999), r(499, 999)} << 2 << 998;
    QTest::newRow("100 redrawn") << QList<double>{r(2, 9), r(50, 999), r(51, 999)} << 2 << 102;
    QTest::newRow("999 kept") << QList<double>{r(9, 9), r(111, 999)} << 9 << 999;
    QTest::newRow("8991 redrawn") << QList<double>{r(9, 9), r(999, 999), r(12, 999)} << 9 << 108;
  }
  void generation() {
    QFETCH(QList<double>, script);
    QFETCH(int, deler);
    QFETCH(int, deeltal);
    Session s(script);
    QVERIFY(Pupil::Click(s->cmdstart));
    QCOMPARE(s.script->Seeds(), 1);
    QCOMPARE(s.script->Left(), std::size_t(0));
    QVERIFY(!s.script->Overrun());
    QCOMPARE(int(s->deler), deler);
    QCOMPARE(int(s->deeltal), deeltal);
    QCOMPARE(100 * s->deeltalH + 10 * s->deeltalT + s->deeltalE, deeltal);
    QCOMPARE(s->quotient, deeltal / deler);
    QCOMPARE(s->txtdeeltal[0].Text() + s->txtdeeltal[1].Text() + s->txtdeeltal[2].Text(), kit::NumText(deeltal));
    QCOMPARE(s->txtdeler.Text(), kit::NumText(deler));
    QCOMPARE(s->lbldeler.Caption(), kit::NumText(deler));
    QCOMPARE(s->lbldeeltal.Caption(), kit::NumText(deeltal));
    QCOMPARE(s->lblQ.Caption(), kit::NumText(deeltal / deler));
  }

  // Clock-seeded STARTs, each exercise typed through with zeros the way any
  // pupil can: the draws stay inside the board's ranges.
  void generationByClock() {
    Session s(testing_support::ClockChance{});
    QSet<int> divisors;
    for (int n = 0; n < 200; ++n) {
      QVERIFY(Pupil::Click(s->cmdstart));
      const int d = s->deler, t = s->deeltal;
      QVERIFY2(d >= 2 && d <= 9 && t >= 101 && t <= 999 && t % d == 0,
               qPrintable(QStringLiteral("%1:%2").arg(t).arg(d)));
      QCOMPARE(s->quotient, t / d);
      QCOMPARE(s.Focus(), s->deeltalH >= d ? QStringLiteral("q0") : QStringLiteral("q1"));
      divisors.insert(d);
      for (int keys = 0; !s->cmdcontrole.Visible() && keys < 12; ++keys) Pupil::Type(QStringLiteral("0"));
      QVERIFY(Pupil::Click(s->cmdcontrole));
      QVERIFY(Pupil::Click(s->cmdnieuw) || Pupil::Click(s->cmdnogeens));
    }
    QCOMPARE(divisors.size(), 8);
  }

  // A pasted number of any length is judged, never wrapped into 16 bits.
  void pastedQuotient_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("uitkomst");
    QTest::newRow("huge hundreds") << ""
                                   << "99999999999999999999"
                                   << "8010413120"
                                   << "10000000000000000000000" << 32767;
    QTest::newRow("past 16 bits") << "2801041"
                                  << "40000"
                                  << "120"
                                  << "40210" << 32767;
    QTest::newRow("a fraction is no quotient") << "2801041"
                                               << "3.5"
                                               << "120"
                                               << QString(u"213" + QLocale().decimalPoint() + u"5") << 213;
  }
  void pastedQuotient() {
    QFETCH(QString, before);
    QFETCH(QString, clip);
    QFETCH(QString, after);
    Session s(Problem(4, 213));
    QVERIFY(Pupil::Click(s->cmdstart));
    Session::Work(before);
    Pupil::SetClipboard(clip);
    Pupil::Paste();
    Session::Work(after);
    QVERIFY(Pupil::Click(s->cmdcontrole));
    QTEST(s->lbluitkomst.Caption(), "shown");
    QTEST(int(s->uitkomst), "uitkomst");
    QCOMPARE(s->BackColor(), kit::colours::kWrong);
    QCOMPARE(s->reeksjuist, std::int16_t(0));
  }

  void clickEmpties_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("next");
    QTest::newRow("product 1") << "a0" << "8" << "a1";
    QTest::newRow("difference 1") << "a1" << "0" << "q1";
    QTest::newRow("quotient 0") << "q0" << "2" << "a0";
    QTest::newRow("quotient 1") << "q1" << "1" << "a3";
    QTest::newRow("product 3 tens") << "a7" << "1" << "a8";
  }
  void clickEmpties() {
    QFETCH(QString, box);
    QFETCH(QString, key);
    Session s(Problem(4, 213));
    QVERIFY(Pupil::Click(s->cmdstart));
    Session::Work(k852Right);
    auto& group = box.startsWith(u'q') ? s->txtquotient : s->txtaftrek;
    kit::TextBox& clicked = group[box.mid(1).toInt()];
    QVERIFY(Pupil::Click(clicked));
    QCOMPARE(clicked.Text(), QString());
    QCOMPARE(s.Focus(), box);
    Pupil::Type(key);
    QTEST(s.Focus(), "next");
    QVERIFY(Pupil::Click(s->cmdcontrole));
    QCOMPARE(s.Red(), QString());
    QCOMPARE(s->BackColor(), kit::colours::kRight);
  }

  void series_data() {
    QTest::addColumn<int>("right");
    QTest::addColumn<QString>("word");
    QTest::newRow("3 right") << 3 << "kan beter";
    QTest::newRow("4 right") << 4 << "prima";
  }
  void series() {
    QFETCH(int, right);
    // 852:4, 156:3 (with zero), 852:4, 156:3, 852:4.
    QList<double> script;
    for (int i = 0; i < 5; ++i) script << (i % 2 ? Problem(3, 52) : Problem(4, 213));
    Session s(script);
    for (int i = 0; i < 5; ++i) {
      QVERIFY(Pupil::Click(s->cmdstart));
      QVERIFY(!s->cmdstop.Visible());
      const bool good = i < right;
      if (i % 2) Session::Work(good ? QStringLiteral("51502060") : QStringLiteral("515020600"));
      else Session::Work(good ? k852Right : k852Wrong);
      QVERIFY(Pupil::Click(s->cmdcontrole));
      if (i == 4) break;
      QVERIFY(!s->cmdstop.Visible() && !s->lblprima.Visible());
      QVERIFY(Pupil::Click(s->cmdnieuw));
      s.VerifyCleared();
      QCOMPARE(s.Focus(), QStringLiteral("START"));
    }
    QTEST(s->lblprima.Caption(), "word");
    QVERIFY(s->lblprima.Visible() && s->cmdnogeens.Visible() && s->cmdstop.Visible());
    QVERIFY(!s->cmdnieuw.Visible() && !s->cmdcontrole.Visible());
    QCOMPARE(s->lblteller.Caption(), QString::number(right));
    QCOMPARE(s->lbltotaal.Caption(), QStringLiteral("5"));
    QVERIFY(Pupil::Click(s->cmdnogeens));
    s.VerifyCleared();
    QCOMPARE(s->lblteller.Caption() + s->lbltotaal.Caption(), QStringLiteral("00"));
    QVERIFY(s->cmdstart.Visible() && !s->cmdnogeens.Visible() && !s->lblprima.Visible());
    QVERIFY(Pupil::Click(s->cmdstop));
    QVERIFY(s.p.frmkiesbasis().Visible() && !s->Visible());
    QCOMPARE(s.p.frmkiesbasis().lblgemaakt.Caption(), QString::number(right));
  }

  void boxPlaces_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    const int places[10][2] = {{1560, 1920}, {1560, 2880}, {2280, 2880}, {1560, 3600}, {2280, 3600},
                               {2280, 4560}, {3000, 4560}, {2280, 5280}, {3000, 5280}, {3000, 6240}};
    for (int i = 0; i < 10; ++i) QTest::addRow("box %d", i) << i << places[i][0] << places[i][1];
  }
  void boxPlaces() {
    QFETCH(int, box);
    Session s(QList<double>{});
    const kit::Place g = s->txtaftrek[box].Geometry();
    QTEST(g.left, "left");
    QTEST(g.top, "top");
    QCOMPARE(g.width * 10000 + g.height, 735 * 10000 + 735);
  }

  // The judged 852:4 with box 5 wrong, read back from the screen's pixels.
  void grab() {
    Session s(Problem(4, 213));
    QVERIFY(Pupil::Click(s->cmdstart));
    Session::Work(QStringLiteral("2801042"));
    testing_support::Shot(*s, QStringLiteral("cijferdeel0_mid"));
    Session::Work(QStringLiteral("3120"));
    QVERIFY(Pupil::Click(s->cmdcontrole));
    testing_support::Shot(*s, QStringLiteral("cijferdeel0_judged"));
    const QColor green(0, 128, 0);
    QCOMPARE(Pupil::PixelAt(*s, 2280 + 90, 4560 + 90), kit::colours::kWrong);  // box 5
    QCOMPARE(Pupil::PixelAt(*s, 2280 + 90, 3600 + 90), kit::colours::kWhite);  // box 4 passed
    QCOMPARE(Pupil::PixelAt(*s, 4800 + 90, 2280 + 90), QColor(255, 255, 0));   // over quotient box 0
    QCOMPARE(Pupil::PixelAt(*s, 6240 + 600, 2280 + 600), QColor(255, 255, 0)); // over quotient box 2
    QCOMPARE(Pupil::PixelAt(*s, 600, 7400), kit::colours::kRight);
    QCOMPARE(Pupil::PixelAt(*s, 1500, 2760), green);  // bar under product row 1
    QCOMPARE(Pupil::PixelAt(*s, 4560, 5000), green);  // the bracket
  }
};

REKENTOL_TEST_MAIN(FrmCijferdeel0Test)
#include "tst_frmcijferdeel0.moc"
