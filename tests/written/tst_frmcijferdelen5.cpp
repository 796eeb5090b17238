// "Ik deel tot 100 000 met komma": a pupil works written divisions with three
// decimals, one key at a time into whatever has the focus; the problems come
// from a scripted random source. The desktop is Dutch here; one test runs the
// same exercises in child processes under other regional settings.

#include <QProcess>
#include <QTest>
#include <cmath>
#include <cstdio>

#include "app/frmkiesbasis.h"
#include "kit/qt/application.h"
#include "kit/numbers.h"
#include "support/board_probe.h"
#include "support/pupil.h"
#include "support/written_session.h"
#include "written/frmcijferdelen5.h"

using kit::ScriptedRandom;
using testing_support::BoardProbe;
using testing_support::Pupil;

namespace {

// Set in a child that works exercises under the regional settings it was given.
constexpr char kLocaleChild[] = "REKENTOL_DELEN5_LOCALE_CHILD";
constexpr int kDraws = 99999999;

// The draws that make `deeltal` thousandths : `deler`.
QList<double> Problem(int deler, int deeltal) {
  return {ScriptedRandom::For(deler, 9), ScriptedRandom::For(deeltal - 1, kDraws)};
}

// 12345,678 : 7 worked right from quotient box 1 on (the screen opens it with
// zero), one key per box; 20000,000 : 8 likewise.
const QString k12345 = QStringLiteral("1075" "7494" "6422" "3214" "6424" "6425" "8562");
const QString k20000 = QStringLiteral("2164" "5400" "0000" "0000" "0000" "0000" "0000");

struct Session : testing_support::WrittenSession<written::frmcijferdelen5> {
  explicit Session(const QList<double>& script, std::source_location where = std::source_location::current())
      : WrittenSession(script, "frmcijferdelen5", where) {}

  // What NIEUW and NOG EENS must leave, whatever the board held.
  void VerifyCleared() {
    WrittenSession::VerifyCleared();
    if (QTest::currentTestFailed()) return;
    QCOMPARE(s->lblQuitkomst.Caption(), QString());
    QCOMPARE(Focus(), QStringLiteral("START"));
  }
  // START, then the keys; the pupil's path (quotient digit, product tens and
  // units, difference, step after step) is followed key by key, and CONTROLE
  // comes only with the final remainder.
  void Work(const QString& keys) {
    QVERIFY(Pupil::Click(s->cmdstart));
    const bool zero = s->deeltalTD < s->deler;
    QStringList path;
    if (!zero) path << "q0" << "a0" << "a1";
    for (int k = 2; k <= 8; ++k)
      path << QStringLiteral("q%1").arg(k - 1) << QStringLiteral("a%1").arg(4 * k - 5)
           << QStringLiteral("a%1").arg(4 * k - 4) << QStringLiteral("a%1").arg(4 * k - 3);
    for (int i = 0; i < keys.size(); ++i) {
      QCOMPARE(Focus(), path.at(std::min<qsizetype>(i, path.size() - 1)));
      QCOMPARE(s->cmdcontrole.Visible(), i >= path.size());
      Pupil::Type(keys.mid(i, 1));
    }
    QCOMPARE(s->cmdcontrole.Visible(), keys.size() >= path.size());
  }
};

// Works 12345,678 : 7 and 20000,000 : 8 and prints how each was judged, for the
// parent that started this process under other regional settings.
class LocaleChild : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void judge() {
    Session s(Problem(7, 12345678) + Problem(8, 20000000));
    for (const QString& keys : {k12345, k20000}) {
      s.Work(keys);
      QVERIFY(Pupil::Click(s->cmdcontrole));
      std::printf("judged: %s %s %s\n", qPrintable(s->lblQ.Caption()), qPrintable(s->lbluitkomst.Caption()),
                  s->BackColor() == kit::colours::kRight ? "right" : "wrong");
      QVERIFY(Pupil::Click(s->cmdnieuw));
    }
    std::fflush(stdout);
  }
};

}  // namespace

class FrmCijferdelen5Test : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void worked_data() {
    QTest::addColumn<int>("deler");
    QTest::addColumn<int>("deeltal");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("uitkomst");
    QTest::newRow("12345,678:7") << 7 << 12345678 << k12345 << true << "1763,668" << "1763668";
    QTest::newRow("20000,000:8 ends in zeros") << 8 << 20000000 << k20000 << true << "2500" << "2500000";
    // 58 - 56 is 2 all the same, so no row is red: only the verdict sees it.
    QTest::newRow("remainder 02") << 7 << 12345678 << k12345.chopped(1) + "02" << false << "1763,668"
                                  << "1763668";
    QTest::newRow("last decimal 7") << 7 << 12345678 << k12345.chopped(4) + "7499" << false << "1763,667"
                                    << "1763667";
    QTest::newRow("98765,432:9 opens normally") << 9 << 98765432 << QStringLiteral("190" "0008" "9816" "7633" "3278" "9813" "3276" "6548")
                                                << true << "10973,936" << "10973936";
  }
  void worked() {
    QFETCH(int, deler);
    QFETCH(int, deeltal);
    QFETCH(QString, keys);
    Session s(Problem(deler, deeltal));
    s.Work(keys);
    // The pupil never stood in the brought-down boxes.
    for (int k = 1; k < 8; ++k)
      QCOMPARE(s->txtaftrek[4 * k - 2].Text(), QString::number(deeltal).at(k));
    QVERIFY(Pupil::Click(s->cmdcontrole));
    QFETCH(bool, correct);
    QCOMPARE(s.Red(), QString());
    QCOMPARE(s->BackColor(), correct ? kit::colours::kRight : kit::colours::kWrong);
    QCOMPARE(s->reeksjuist, std::int16_t(correct ? 1 : 0));
    QTEST(s->lbluitkomst.Caption(), "shown");
    QTEST(QString::number(s->uitkomst), "uitkomst");
    QCOMPARE(s->lblQuitkomst.Caption(), s->lbluitkomst.Caption());
    QVERIFY(s->lbluitkomst.Visible() && !s->lblQuitkomst.Visible());
    QCOMPARE(Session::Shown(s->txtquotient), QStringLiteral("0 1 2 3 4 5 6 7"));
    QCOMPARE(s.Focus(), QStringLiteral("NIEUW"));
  }

  // The same exercises under other regional settings: the comma follows the
  // desktop on both sides of the comparison, and the verdict does not change.
  void judgedAlikeUnderLocales_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("judged");
    QTest::newRow("Dutch") << "nl_NL.UTF-8" << "1763,668 1763,668 right|2500 2500 right";
    QTest::newRow("English") << "en_US.UTF-8" << "1763.668 1763.668 right|2500 2500 right";
    QTest::newRow("German Swiss") << "de_CH.UTF-8" << "1763.668 1763.668 right|2500 2500 right";
  }
  void judgedAlikeUnderLocales() {
    QFETCH(QString, locale);
#ifdef Q_OS_WIN
    // Windows takes the regional settings from the user, never from LC_ALL.
    if (!locale.startsWith(u"nl")) QSKIP("the locale of a child process cannot be set on Windows");
#endif
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QString::fromLatin1(kLocaleChild), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(60000));
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, qPrintable(out));
    QStringList judged;
    for (const QString& line : out.split(u'\n'))
      if (line.startsWith(u"judged: ")) judged << line.mid(8).trimmed();
    QTEST(judged.join(u'|'), "judged");
  }

  void opening_data() {
    QTest::addColumn<int>("deler");
    QTest::addColumn<int>("deeltal");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QString>("lines");
    QTest::newRow("12345,678:7 with zero") << 7 << 12345678 << "q1" << "0 1 2" << "min0 HT1_0 HT1_1 E0 E1 HT";
    QTest::newRow("98765,432:9 leading digit equals divisor") << 9 << 98765432 << "q0" << "" << "";
  }
  void opening() {
    QFETCH(int, deler);
    QFETCH(int, deeltal);
    QFETCH(QString, focus);
    Session s(Problem(deler, deeltal));
    QVERIFY(Pupil::Click(s->cmdstart));
    QCOMPARE(s.Focus(), focus);
    QTEST(Session::Shown(s->txtaftrek), "boxes");
    QTEST(s.Lines(), "lines");
    QCOMPARE(Session::Shown(s->txtorde).count(u' '), 15);
    const bool zero = focus == u"q1";
    QCOMPARE(s->txtquotient[0].Italic(), zero);
    QCOMPARE(s->txtquotient[0].Enabled(), !zero);
    QCOMPARE(s->txtquotient[1].Enabled(), zero);
    if (zero) {
      QCOMPARE(s->txtquotient[0].Text(), QStringLiteral("0"));
      QCOMPARE(BoardProbe().Add(QStringLiteral("a"), s->txtaftrek, {0, 1, 2}).Mismatch({"0", "1", "2"}), QString());
    }
    QCOMPARE(s->txtdeeltal[0].ForeColor(), kit::RGB(0, 128, 0));
    QVERIFY(!s->cmdstart.Visible() && !s->cmdstop.Visible() && !s->cmdcontrole.Visible());
  }

  void generation_data() {
    QTest::addColumn<QList<double>>("script");
    QTest::addColumn<int>("deeltal");
    QTest::addColumn<QString>("lblQ");
    QTest::addColumn<QString>("rest");
    auto r = [](int v, int n) { return ScriptedRandom::For(v, n); };
    QTest::newRow("divisor 1 and 10000,000 redrawn")
        << QList<double>{r(1, 9), r(7, 9), r(10000000 - 1, kDraws), r(10000001 - 1, kDraws)} << 10000001
        << "1428,571" << "4";
    // r >= 0.99999999 makes 100000000: no room for it on the board.
    QTest::newRow("100000,000 redrawn") << QList<double>{r(9, 9), 0.999999995, r(99999999 - 1, kDraws)} << 99999999
                                        << "11111,111" << "0";
    QTest::newRow("r just below 1 redrawn")
        << QList<double>{r(2, 9), std::nextafter(1.0, 0.0), r(12345678 - 1, kDraws)} << 12345678 << "6172,839" << "0";
  }
  void generation() {
    QFETCH(QList<double>, script);
    QFETCH(int, deeltal);
    Session s(script);
    QVERIFY(Pupil::Click(s->cmdstart));
    QCOMPARE(s.script->Seeds(), 1);
    QCOMPARE(s.script->Left(), std::size_t(0));
    QVERIFY(!s.script->Overrun());
    QCOMPARE(s->deeltal, deeltal);
    QCOMPARE(s->quotient, std::int64_t(deeltal / s->deler));
    QString digits;
    for (int j = 0; j < 8; ++j) digits += s->txtdeeltal[j].Text();
    QCOMPARE(digits, QString::number(deeltal));
    QCOMPARE(s->lbldeeltal.Caption(), QString::number(deeltal));
    QTEST(s->lblQ.Caption(), "lblQ");
    QTEST(s->lblmultrest.Caption(), "rest");
  }

  // Clicking box 20 after the final remainder empties it and box 21 after it;
  // CONTROLE writes 0 into both and marks what no longer agrees: product 6
  // (40 is not 6 x 7), difference 6 (46 - 40 is not 0) and difference 7
  // (07 - 42 is not 5). Quotient and remainder still make the exercise right.
  void clickAfterTheEnd() {
    Session s(Problem(7, 12345678));
    s.Work(k12345);
    QVERIFY(Pupil::Click(s->txtaftrek[20]));
    QCOMPARE(s->txtaftrek[20].Text() + s->txtaftrek[21].Text(), QString());
    QCOMPARE(s.Focus(), QStringLiteral("a20"));
    QVERIFY(Pupil::Click(s->cmdcontrole));
    QCOMPARE(s->txtaftrek[20].Text() + s->txtaftrek[21].Text(), QStringLiteral("00"));
    QCOMPARE(s.Red(), QStringLiteral("19 20 21 25"));
    QCOMPARE(s->BackColor(), kit::colours::kRight);
  }

  // A pasted quotient digit far past 64 bits is held at the end of the range,
  // never wrapped, and the exercise is wrong.
  void pastedQuotient() {
    Session s(Problem(7, 12345678));
    s.Work(QString());
    Pupil::SetClipboard(QStringLiteral("99999999999999999999"));
    Pupil::Paste();
    for (QChar c : k12345.mid(1)) Pupil::Type(QString(c));
    QVERIFY(Pupil::Click(s->cmdcontrole));
    QCOMPARE(s->uitkomst, std::int64_t(9200000000000000000));
    QVERIFY(s->lbluitkomst.Caption() != s->lblQ.Caption());
    QCOMPARE(s->BackColor(), kit::colours::kWrong);
  }

  // A first quotient box the pupil emptied gets its 0 back from the next change
  // of any subtraction box, however that box changes.
  void firstQuotientZeroedAgain_data() {
    QTest::addColumn<bool>("byClick");
    QTest::newRow("box 1 clicked") << true;
    QTest::newRow("box 2 brought down again") << false;
  }
  void firstQuotientZeroedAgain() {
    QFETCH(bool, byClick);
    Session s(Problem(9, 98765432));
    s.Work(QStringLiteral("190"));
    QVERIFY(Pupil::Click(s->txtquotient[0]));
    QCOMPARE(s->txtquotient[0].Text(), QString());
    QCOMPARE(s.Focus(), QStringLiteral("q0"));
    if (byClick) {
      QVERIFY(Pupil::Click(s->txtaftrek[1]));
      QCOMPARE(s.Focus(), QStringLiteral("a1"));
    } else {
      // Box 1 typed again brings box 2 down: no change there, so only box 1's
      // own change puts the 0 back, and the focus goes on to quotient box 1.
      QVERIFY(Pupil::Click(s->txtaftrek[1]));
      Pupil::Type(QStringLiteral("0"));
      QCOMPARE(s.Focus(), QStringLiteral("q1"));
    }
    QCOMPARE(s->txtquotient[0].Text(), QStringLiteral("0"));
    QVERIFY(s->txtquotient[0].Enabled() && s->txtaftrek[0].Visible());
  }

  void series_data() {
    QTest::addColumn<int>("right");
    QTest::addColumn<QString>("word");
    QTest::newRow("1 right") << 1 << "kan beter";
    QTest::newRow("2 right") << 2 << "mooi zo";
    QTest::newRow("3 right") << 3 << "prima";
  }
  void series() {
    QFETCH(int, right);
    Session s(Problem(7, 12345678) + Problem(8, 20000000) + Problem(7, 12345678));
    const QString keys[] = {k12345, k20000, k12345};
    for (int i = 0; i < 3; ++i) {
      s.Work(i < right ? keys[i] : keys[i].chopped(1) + "9");
      QVERIFY(!s->cmdstop.Visible());
      QVERIFY(Pupil::Click(s->cmdcontrole));
      if (i == 2) break;
      QVERIFY(Pupil::Click(s->cmdnieuw));
      s.VerifyCleared();
    }
    QTEST(s->lblprima.Caption(), "word");
    QVERIFY(s->lblprima.Visible() && s->cmdnogeens.Visible() && s->cmdstop.Visible() && !s->cmdnieuw.Visible());
    QVERIFY(Pupil::Click(s->cmdnogeens));
    s.VerifyCleared();
    QCOMPARE(s->lblteller.Caption() + s->lbltotaal.Caption(), QStringLiteral("00"));
    QVERIFY(Pupil::Click(s->cmdstop));
    QCOMPARE(s.p.frmkiesbasis().lblgemaakt.Caption(), QString::number(right));
  }

  // The dense board: no two of its boxes, heads, labels or buttons cover each
  // other (neighbours in a row share their one-pixel border: columns are 360
  // twips apart, boxes 375 wide), and all lie inside the board's outline.
  void nothingOverlaps() {
    Session s(Problem(7, 12345678));
    std::vector<std::pair<QString, kit::Place>> items;
    auto add = [&](const QString& name, const kit::Control& c) { items.push_back({name, c.Geometry()}); };
    for (auto [group, name] : {std::pair{&s->txtaftrek, "a"}, std::pair{&s->txtquotient, "q"},
                               std::pair{&s->txtdeeltal, "d"}, std::pair{&s->txtorde, "h"},
                               std::pair{&s->txtkomma, "k"}})
      group->ForEach([&](kit::TextBox& b, int i) { add(QLatin1String(name) + QString::number(i), b); });
    add(QStringLiteral("deler"), s->txtdeler);
    add(QStringLiteral("uitkomst"), s->lbluitkomst);
    add(QStringLiteral("prima"), s->lblprima);
    add(QStringLiteral("start"), s->cmdstart);
    QCOMPARE(int(items.size()), 30 + 8 + 8 + 16 + 2 + 4);
    const QRect outline = s->Shape1->Geometry().Pixels();
    for (std::size_t i = 0; i < items.size(); ++i) {
      const QRect a = items[i].second.Pixels();
      QVERIFY2(outline.contains(a), qPrintable(items[i].first));
      for (std::size_t j = i + 1; j < items.size(); ++j) {
        const QRect both = a & items[j].second.Pixels();
        QVERIFY2(both.width() <= 1 || both.height() <= 1, qPrintable(items[i].first + u' ' + items[j].first));
      }
    }
  }

  // The board mid-exercise and after the check, read back from its pixels.
  void grab() {
    Session s(Problem(7, 12345678));
    s.Work(k12345.left(14));
    testing_support::Shot(*s.s, QStringLiteral("delen5_mid"));
    for (int i = 14; i < k12345.size(); ++i) Pupil::Type(k12345.mid(i, 1));
    QVERIFY(Pupil::Click(s->txtaftrek[20]));
    QVERIFY(Pupil::Click(s->cmdcontrole));
    testing_support::Shot(*s.s, QStringLiteral("delen5_judged"));
    const QColor green(0, 128, 0);
    QCOMPARE(Pupil::PixelAt(*s.s, 3600 + 60, 5760 + 60), kit::colours::kWrong);  // box 21
    QCOMPARE(Pupil::PixelAt(*s.s, 3960 + 60, 5760 + 60), kit::colours::kWhite);  // box 22 is not checked
    QCOMPARE(Pupil::PixelAt(*s.s, 5160 + 60, 3120 + 60), QColor(255, 255, 0));   // the pupil's quotient
    QCOMPARE(Pupil::PixelAt(*s.s, 9000 + 60, 1800 + 60), kit::colours::kWhite);  // quotient box 7 stays
    QCOMPARE(Pupil::PixelAt(*s.s, 600, 7400), kit::colours::kRight);
    QCOMPARE(Pupil::PixelAt(*s.s, 5040, 5000), green);  // the bracket
    QCOMPARE(Pupil::PixelAt(*s.s, 1800, 1440), green);  // bar under product row 1
    QCOMPARE(Pupil::PixelAt(*s.s, 960, 4000), kit::colours::kBlack);  // the outline
    QCOMPARE(Pupil::PixelAt(*s.s, 1200, 4000), kit::colours::kRight);  // unfilled inside
  }
};

int main(int argc, char** argv) {
  // The pupil's desktop is Dutch unless this is a child with settings of its own.
  const bool child = qEnvironmentVariableIsSet(kLocaleChild);
  if (!child) qputenv("LC_ALL", "nl_NL.UTF-8");
  QApplication app(argc, argv);
  kit::SetUpApplication(app);
  if (child) {
    LocaleChild c;
    return QTest::qExec(&c);
  }
  FrmCijferdelen5Test tc;
  return QTest::qExec(&tc, argc, argv);
}

#include "tst_frmcijferdelen5.moc"
