// "Ik deel tot 100 000": a pupil works written divisions of five digits with a
// remainder, one key at a time into whatever has the focus; the problems come
// from a scripted random source.

#include <QTest>

#include "app/frmkiesbasis.h"
#include "kit/numbers.h"
#include "support/pupil.h"
#include "support/testmain.h"
#include "support/written_session.h"
#include "written/frmcijferdelen4.h"

using kit::ScriptedRandom;
using testing_support::Pupil;

namespace {

QList<double> Problem(int deeltal, int deler) {
  return {ScriptedRandom::For(deler, 9), ScriptedRandom::For(deeltal, 99999)};
}

struct Session : testing_support::WrittenSession<written::frmcijferdelen4> {
  explicit Session(const QList<double>& script, std::source_location where = std::source_location::current())
      : WrittenSession(script, "frmcijferdelen4", where) {}

  // One key per character; every subtraction box the pupil comes to is empty,
  // whatever the board held before.
  void Work(const QString& keys) {
    for (QChar c : keys) {
      const QString at = Focus();
      if (at != last_ && at.startsWith(u'a')) QCOMPARE(s->txtaftrek[at.mid(1).toInt()].Text(), QString());
      last_ = at;
      Pupil::Type(QString(c));
    }
  }
  QString last_;
  // The subtraction boxes and lines on view.
  QString OnView() {
    QStringList out{Shown(s->txtaftrek, QStringLiteral("a")), Lines()};
    out.removeAll(QString());
    return out.join(u' ');
  }
};

const QStringList kPath = QStringLiteral("q0 a0 a1 q1 a3 a4 a5 q2 a7 a8 a9 q3 a11 a12 a13 q4 a15 a16 a17").split(u' ');
const QString k85239 = QStringLiteral("2801041312000039363");  // 21309, remainder 3
const QString k12345 = QStringLiteral("1075749464223214");     // with zero: 1763, remainder 4

}  // namespace

class FrmCijferdelen4Test : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void worked_data() {
    QTest::addColumn<int>("deeltal");
    QTest::addColumn<int>("deler");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("red");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("final");
    const QString toLastProduct = k85239.chopped(1);
    QTest::newRow("85239:4 right") << 85239 << 4 << k85239 << "" << true << "21309" << "3";
    QTest::newRow("remainder as 03") << 85239 << 4 << toLastProduct + "03" << "" << false << "21309" << "03";
    QTest::newRow("remainder 2") << 85239 << 4 << toLastProduct + "2" << "17" << false << "21309" << "2";
    QTest::newRow("box 5 as 2") << 85239 << 4 << "2801042312000039363" << "5 9" << true << "21309" << "3";
    QTest::newRow("CONTROLE after the last product, rest 0") << 85236 << 4 << toLastProduct << "" << true << "21309" << "0";
    QTest::newRow("CONTROLE after the last product, rest 3") << 85239 << 4 << toLastProduct << "17" << false << "21309" << "0";
    QTest::newRow("98765:9 first digit equals divisor") << 98765 << 9 << "1900008981676333278" << "" << true << "10973" << "8";
    QTest::newRow("12345:7 with zero") << 12345 << 7 << k12345 << "" << true << "1763" << "4";
  }
  void worked() {
    QFETCH(int, deeltal);
    QFETCH(int, deler);
    QFETCH(QString, keys);
    Session s(Problem(deeltal, deler));
    QVERIFY(Pupil::Click(s->cmdstart));
    const bool zero = deeltal / 10000 < deler;
    QCOMPARE(s.OnView(), zero ? QStringLiteral("a0 a1 a2 min0 HT1_0 HT1_1 E0 E1 HT") : QString());
    QCOMPARE(s->txtquotient[0].Italic(), zero);
    QCOMPARE(s->txtquotient[0].Enabled(), !zero);
    if (zero) QCOMPARE(s->txtaftrek[0].Text() + s->txtaftrek[1].Text() + s->txtaftrek[2].Text() + s->txtquotient[0].Text(),
                       QStringLiteral("0120"));
    const QStringList path = zero ? kPath.mid(3) : kPath;
    bool lastProduct = false;
    for (int i = 0; i < keys.size(); ++i) {
      const QString where = path.at(std::min<qsizetype>(i, path.size() - 1));
      QCOMPARE(s.Focus(), where);
      QCOMPARE(s->cmdcontrole.Visible(), lastProduct);
      s.Work(keys.mid(i, 1));
      lastProduct = lastProduct || where == u"a16";
    }
    QCOMPARE(s->txtaftrek[2].Text() + s->txtaftrek[6].Text() + s->txtaftrek[10].Text() + s->txtaftrek[14].Text(),
             QString::number(deeltal).mid(1));
    QVERIFY(Pupil::Click(s->cmdcontrole));
    QFETCH(bool, correct);
    QTEST(s.Red(), "red");
    QTEST(s->lbluitkomst.Caption(), "shown");
    QTEST(s->txtaftrek[17].Text(), "final");
    QCOMPARE(s->BackColor(), correct ? kit::colours::kRight : kit::colours::kWrong);
    QCOMPARE(s->reeksjuist, std::int16_t(correct));
    QCOMPARE(s.Focus(), QStringLiteral("NIEUW"));
  }

  void generation_data() {
    QTest::addColumn<QList<double>>("script");
    QTest::addColumn<int>("deler");
    QTest::addColumn<int>("deeltal");
    auto r = [](int v, int n) { return ScriptedRandom::For(v, n); };
    QTest::newRow("1, 10000 and 5000 redrawn")
        << QList<double>{r(1, 9), r(3, 9), r(10000, 99999), r(5000, 99999), r(10001, 99999)} << 3 << 10001;
    QTest::newRow("99999 kept") << QList<double>{r(9, 9), r(99999, 99999)} << 9 << 99999;
    QTest::newRow("remainder 8") << QList<double>{r(9, 9), r(10016, 99999)} << 9 << 10016;
  }
  void generation() {
    QFETCH(QList<double>, script);
    QFETCH(int, deler);
    QFETCH(int, deeltal);
    Session s(script);
    QVERIFY(Pupil::Click(s->cmdstart));
    QVERIFY(s.script->Seeds() == 1 && s.script->Left() == 0 && !s.script->Overrun());
    QCOMPARE(s->deeltal * 10 + s->deler, deeltal * 10 + deler);
    QString digits;
    s->txtdeeltal.ForEach([&](kit::TextBox& b, int) { digits += b.Text(); });
    QCOMPARE(digits + s->lbldeeltal.Caption() + u'/' + s->txtdeler.Text() + s->lbldeler.Caption(),
             kit::NumText(deeltal) + kit::NumText(deeltal) + u'/' + kit::NumText(deler) + kit::NumText(deler));
    const QString qr = kit::NumText(deeltal / deler) + u'/' + kit::NumText(deeltal % deler);
    QCOMPARE(QString::number(s->quotient) + u'/' + QString::number(s->rest), qr);
    QCOMPARE(s->lblQ.Caption() + u'/' + s->lblmultrest.Caption(), qr);
  }

  // Clicking a quotient digit of step 4 or 5 and typing it again clears the
  // rows worked from it; worked again, the exercise is right.
  void correctQuotient_data() {
    QTest::addColumn<int>("digit");
    QTest::addColumn<QString>("again");
    QTest::addColumn<QString>("emptied");
    QTest::newRow("quotient box 3") << 3 << "0003" << "11 12 13";
    QTest::newRow("quotient box 4") << 4 << "9363" << "15 16 17";
  }
  void correctQuotient() {
    QFETCH(int, digit);
    QFETCH(QString, again);
    QFETCH(QString, emptied);
    Session s(Problem(85239, 4));
    QVERIFY(Pupil::Click(s->cmdstart));
    s.Work(k85239);
    QVERIFY(Pupil::Click(s->txtquotient[digit]));
    QCOMPARE(s.Focus(), QStringLiteral("q%1").arg(digit));
    s.Work(again.left(1));
    QCOMPARE(s.Focus(), QStringLiteral("a") + emptied.left(2));
    QStringList empty;
    for (int i = 0; i < 18; ++i)
      if (s->txtaftrek[i].Text().isEmpty()) empty << QString::number(i);
    QCOMPARE(empty.join(u' '), emptied);
    QVERIFY(s->cmdcontrole.Visible());
    s.Work(again.mid(1));
    QVERIFY(Pupil::Click(s->cmdcontrole));
    QCOMPARE(s.Red(), QString());
    QCOMPARE(s->BackColor(), kit::colours::kRight);
  }

  // Each NIEUW leaves a board full of digits behind; Work sees every box of
  // the next exercise come up empty.
  void series_data() {
    QTest::addColumn<int>("right");
    QTest::addColumn<QString>("word");
    QTest::newRow("3 right") << 3 << "prima";
    QTest::newRow("2 right") << 2 << "mooi zo";
    QTest::newRow("1 right") << 1 << "kan beter";
  }
  void series() {
    QFETCH(int, right);
    Session s(Problem(85239, 4) + Problem(12345, 7) + Problem(85239, 4));
    for (int i = 0; i < 3; ++i) {
      QVERIFY(Pupil::Click(s->cmdstart));
      QVERIFY(!s->cmdstop.Visible());
      const QString keys = i == 1 ? k12345 : k85239;
      s.Work(i < right ? keys : keys.chopped(1) + u'7');
      QVERIFY(Pupil::Click(s->cmdcontrole));
      if (i == 2) break;
      QVERIFY(!s->lblprima.Visible() && Pupil::Click(s->cmdnieuw));
      s.VerifyCleared();
    }
    QTEST(s->lblprima.Caption(), "word");
    QVERIFY(s->lblprima.Visible() && s->cmdnogeens.Visible() && s->cmdstop.Visible() && !s->cmdnieuw.Visible());
    QCOMPARE(s->lblteller.Caption() + u'/' + s->lbltotaal.Caption(), QStringLiteral("%1/3").arg(right));
    // A box changed after the close brings CONTROLE back; STOP takes it away.
    QVERIFY(Pupil::Click(s->txtaftrek[16]) && s->cmdcontrole.Visible());
    QVERIFY(Pupil::Click(s->cmdstop));
    QCOMPARE(s.p.frmkiesbasis().lblgemaakt.Caption(), QString::number(right));
    QVERIFY(Pupil::Click(s.p.frmkiesbasis().Command5));
    QVERIFY(!s->cmdcontrole.Visible() && Pupil::Click(s->cmdstart));
  }

  // 85239:4 with box 5 wrong, read back from the screen's pixels.
  void grab() {
    Session s(Problem(12345, 7) + Problem(85239, 4));
    QVERIFY(Pupil::Click(s->cmdstart));
    testing_support::Shot(*s.s, QStringLiteral("delen4_opening_zero"));
    s.Work(k12345);
    QVERIFY(Pupil::Click(s->cmdcontrole) && Pupil::Click(s->cmdnieuw) && Pupil::Click(s->cmdstart));
    s.Work(QStringLiteral("28010423120"));
    testing_support::Shot(*s.s, QStringLiteral("delen4_mid"));
    s.Work(QStringLiteral("00039363"));
    QVERIFY(Pupil::Click(s->cmdcontrole));
    testing_support::Shot(*s.s, QStringLiteral("delen4_judged"));
    const QColor green(0, 128, 0);
    QCOMPARE(Pupil::PixelAt(*s.s, 2040 + 90, 3480 + 90), kit::colours::kWrong);  // box 5
    QCOMPARE(Pupil::PixelAt(*s.s, 2040 + 90, 2760 + 90), kit::colours::kWhite);  // box 4 passed
    QCOMPARE(Pupil::PixelAt(*s.s, 5160 + 90, 2520 + 90), QColor(255, 255, 0));   // over quotient box 0
    QCOMPARE(Pupil::PixelAt(*s.s, 7080 + 400, 2520 + 400), QColor(255, 255, 0)); // over quotient box 4
    QCOMPARE(Pupil::PixelAt(*s.s, 600, 7400), kit::colours::kRight);
    QCOMPARE(Pupil::PixelAt(*s.s, 1620, 2160), green);  // bar under product row 1
    QCOMPARE(Pupil::PixelAt(*s.s, 4800, 5000), green);  // the bracket
  }
};

REKENTOL_TEST_MAIN(FrmCijferdelen4Test)
#include "tst_frmcijferdelen4.moc"
