// The help on every screen with a check, worked by the pupil: F1 in the box
// the screen opens with shows its prompt and a second F1 (or the "?" button,
// which leaves the focus where it was) the stronger one; a made fault gives
// its reason after CONTROLE, and the next exercise's button takes it away.
// With REKENTOL_SHOTS set it leaves a picture of each board with its prompt
// and with its reason.

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "kit/exercise.h"
#include "support/open_screen.h"
#include "support/pupil.h"
#include "support/testmain.h"

using kit::ScriptedRandom;
using testing_support::Pupil;

namespace {

QList<double> Draws(std::initializer_list<std::pair<int, int>> values) {
  QList<double> out;
  for (auto [value, n] : values) out << ScriptedRandom::For(value, n);
  return out;
}

QString Shown(const kit::ScoringScreen& s) { return s.lblhulp->Visible() ? s.lblhulp->Caption() : QString(); }

// The help lies over no text, box or button of the screen's own, shown or not.
void CoversNothing(kit::ScoringScreen& s) {
  const QWidget* help[] = {s.lblhulp->Widget(), s.cmdhulp->Widget()};
  for (QWidget* c : s.Surface()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (c == help[0] || c == help[1]) continue;
    if (!qobject_cast<QLabel*>(c) && !qobject_cast<QLineEdit*>(c) && !qobject_cast<QAbstractButton*>(c)) continue;
    for (const QWidget* h : help)
      QVERIFY2(!c->geometry().intersects(h->geometry()),
               qPrintable(QStringLiteral("the help covers %1 at (%2, %3)")
                              .arg(QLatin1String(c->metaObject()->className())).arg(c->x()).arg(c->y())));
  }
}

void AddColumns() {
  QTest::addColumn<QByteArray>("screen");
  QTest::addColumn<QList<double>>("draws");
  QTest::addColumn<QString>("prompt");
  QTest::addColumn<QString>("keys");  // typed from the first box on, each into the box with the focus
  QTest::addColumn<QString>("reason");
  QTest::addColumn<QString>("next");  // the button that takes the next exercise
}

void Session() {
  QFETCH(QByteArray, screen);
  QFETCH(QList<double>, draws);
  QFETCH(QString, prompt);
  QFETCH(QString, keys);
  QFETCH(QString, reason);
  QFETCH(QString, next);
  testing_support::ProgramRun run(draws);
  auto& s = run.Open<kit::ScoringScreen>(std::string_view(screen.constData()));
  QVERIFY(run.Ok());
  const QString name = QString::fromLatin1(screen);
  CoversNothing(s);

  Pupil::Key(Qt::Key_F1);
  QCOMPARE(Shown(s), QStringLiteral("Klik op START voor een nieuwe deling."));
  QVERIFY(Pupil::Click(Pupil::Offered(s, u"START")));
  QVERIFY(Pupil::FocusedBox());
  QCOMPARE(Shown(s), QString());

  QWidget* box = Pupil::Focused();
  Pupil::Key(Qt::Key_F1);
  QCOMPARE(Shown(s), prompt);
  QCOMPARE(s.lblhulp->AccessibleName(), prompt);
  testing_support::Shot(s, name + u"-prompt");
  Pupil::Key(Qt::Key_F1);
  const QString second = Shown(s);
  QVERIFY(!second.isEmpty() && second != prompt);
  QVERIFY(Pupil::Click(*s.cmdhulp));
  QCOMPARE(Shown(s), second);
  QCOMPARE(Pupil::Focused(), box);

  for (QChar c : keys) Pupil::Type(QString(c));
  QVERIFY(Pupil::Click(Pupil::Offered(s, u"CONTROLE")));
  QCOMPARE(Shown(s), reason);
  testing_support::Shot(s, name + u"-reason");
  QVERIFY(Pupil::Click(Pupil::Offered(s, next)));
  QCOMPARE(Shown(s), QString());
}

}  // namespace

class HelpScreensTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void estimation_data() {
    AddColumns();
    QTest::newRow("frmschat100") << QByteArray("frmschat100") << Draws({{4, 9}, {84, 99}})
                                 << "Zoek een getal dicht bij 84 dat je makkelijk door 4 deelt."
                                 << "5" << "5 × 4 = 20: veel minder dan 84." << "START";
    QTest::newRow("frmschat") << QByteArray("frmschat") << Draws({{7, 9}, {347, 499}})
                              << "Zoek een getal dicht bij 347 dat je makkelijk door 7 deelt."
                              << "60" << "60 × 7 = 420: veel meer dan 347." << "START";
    QTest::newRow("frmkomma") << QByteArray("frmkomma") << Draws({{2, 9}, {999, 999}})
                              << "Zoek een getal dicht bij 999 dat je makkelijk door 2 deelt."
                              << "400" << "400 × 2 = 800: veel minder dan 999." << "START";
  }
  void estimation() { Session(); }

  void written_data() {
    AddColumns();
    // 852 : 4 with 1 as its first digit: the rows agree, the difference does not fit.
    QTest::newRow("frmcijferdeel0") << QByteArray("frmcijferdeel0") << Draws({{4, 9}, {213, 999}})
        << "Hoeveel keer past 4 in 8?" << "14410411040"
        << "Het verschil 4 is niet kleiner dan 4: de 4 past nog een keer. Het cijfer 1 is te klein."
        << "NIEUW";
    QTest::newRow("frmcijferdelen4") << QByteArray("frmcijferdelen4") << Draws({{4, 9}, {85239, 99999}})
        << "Hoeveel keer past 4 in 8?" << QString("29" + QString(17, u'0')) << "2 × 4 is niet 9." << "NIEUW";
    // 12345,678 : 7 opens with zero; the pupil starts at 12.
    QTest::newRow("frmcijferdelen5") << QByteArray("frmcijferdelen5") << Draws({{7, 9}, {12345677, 99999999}})
        << "Hoeveel keer past 7 in 12?" << QString("2140" + QString(24, u'0'))
        << "14 is meer dan 12: het cijfer 2 is te groot." << "NIEUW";
  }
  void written() { Session(); }

  void placeValue_data() {
    AddColumns();
    // 212 : 4 and 347 : 6 open with zero; the pupil starts at the tens.
    QTest::newRow("frmcijferdelen") << QByteArray("frmcijferdelen") << Draws({{4, 9}, {5, 99}, {3, 9}})
                                    << "Hoeveel keer past 4 in 21 tientallen?" << "52103120" << "5 × 4 is niet 21."
                                    << "NIEUW";
    QTest::newRow("frmcijferdelen2") << QByteArray("frmcijferdelen2") << Draws({{6, 9}, {347, 999}})
                                     << "Hoeveel keer past 6 in 34 tientallen?" << "53047426"
                                     << "De rest klopt niet: 47 − 42 is niet 6." << "NIEUW";
  }
  void placeValue() { Session(); }
};

REKENTOL_TEST_MAIN(HelpScreensTest)
#include "tst_helpscreens.moc"
