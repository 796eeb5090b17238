// The help on every screen with a check, worked by the pupil, a row per
// screen: F1 in the box the screen opens with shows its prompt, a second F1
// the stronger one, and the "?" button no third, leaving the focus where it
// was; a made fault gives its reason after CONTROLE, and the next exercise's
// button takes it away. With REKENTOL_SHOTS set it leaves pictures of each
// board with its prompt and with its reason.

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "kit/exercise.h"
#include "support/open_screen.h"
#include "support/pupil.h"
#include "support/testmain.h"

using testing_support::Pupil;

namespace {

const char* const kIdle = "Klik op START voor een nieuwe deling.";

QString Shown(const kit::ScoringScreen& s) { return s.lblhulp->Visible() ? s.lblhulp->Caption() : QString(); }

void Row(const char* screen, std::initializer_list<std::pair<int, int>> draws, const char* prompt, const QString& keys,
         const char* reason, const char* about, const char* next = "NIEUW") {
  QList<double> script;
  for (auto [value, n] : draws) script << kit::ScriptedRandom::For(value, n);
  QTest::newRow(screen) << QByteArray(screen) << script << QString::fromUtf8(prompt) << keys << QString::fromUtf8(reason)
                        << QString::fromUtf8(about) << QString::fromUtf8(next);
}

}  // namespace

class HelpScreensTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void session_data() {
    QTest::addColumn<QByteArray>("screen");
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("keys");  // one key each into the box with the focus
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("about");  // F1 after the reason, the focus on a button
    QTest::addColumn<QString>("next");
    // The estimation drills.
    Row("frmschat100", {{4, 9}, {84, 99}}, "Zoek een getal dicht bij 84 dat je makkelijk door 4 deelt.", "5",
        "5 × 4 = 20: veel minder dan 84.", kIdle, "START");
    Row("frmschat", {{7, 9}, {347, 499}}, "Zoek een getal dicht bij 347 dat je makkelijk door 7 deelt.", "60",
        "60 × 7 = 420: veel meer dan 347.", kIdle, "START");
    Row("frmkomma", {{2, 9}, {999, 999}}, "Zoek een getal dicht bij 999 dat je makkelijk door 2 deelt.", "400",
        "400 × 2 = 800: veel minder dan 999.", kIdle, "START");
    // The written boards: 852 : 4 begun with 1, the rows agreeing; 85239 : 4
    // with 9 for 2 × 4; 12345,678 : 7, which opens with zero, with 2 for 12.
    Row("frmcijferdeel0", {{4, 9}, {213, 999}}, "Hoeveel keer past 4 in 8?", "14410411040",
        "Het verschil 4 is niet kleiner dan 4: de 4 past nog een keer. Het cijfer 1 is te klein.", "Hoeveel keer past 4 in 8?");
    Row("frmcijferdelen4", {{4, 9}, {85239, 99999}}, "Hoeveel keer past 4 in 8?", "29" + QString(17, u'0'),
        "2 × 4 is niet 9.", "Reken uit: 2 × 4.");
    Row("frmcijferdelen5", {{7, 9}, {12345677, 99999999}}, "Hoeveel keer past 7 in 12?", "2140" + QString(24, u'0'),
        "14 is meer dan 12: het cijfer 2 is te groot.", "Hoeveel keer past 7 in 12?");
    // The place-value boards: 212 : 4 and 347 : 6 open with zero.
    Row("frmcijferdelen", {{4, 9}, {5, 99}, {3, 9}}, "Hoeveel keer past 4 in 21 tientallen?", "52103120",
        "5 × 4 is niet 21.", "Reken uit: 5 × 4.");
    Row("frmcijferdelen2", {{6, 9}, {347, 999}}, "Hoeveel keer past 6 in 34 tientallen?", "53047426",
        "De rest klopt niet: 47 − 42 is niet 6.", "Trek af: 47 − 42. Wat overblijft, is de rest.");
  }
  void session() {
    QFETCH(QByteArray, screen);
    QFETCH(QList<double>, draws);
    QFETCH(QString, prompt);
    QFETCH(QString, keys);
    QFETCH(QString, reason);
    QFETCH(QString, about);
    QFETCH(QString, next);
    testing_support::ProgramRun run(draws);
    auto& s = run.Open<kit::ScoringScreen>(std::string_view(screen.constData()));
    QVERIFY(run.Ok());
    // The help lies over no text, box or button of the screen's own, shown or not.
    for (QWidget* c : s.Surface()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (c == s.lblhulp->Widget() || c == s.cmdhulp->Widget()) continue;
      if (qobject_cast<QLabel*>(c) || qobject_cast<QLineEdit*>(c) || qobject_cast<QAbstractButton*>(c))
        QVERIFY2(!c->geometry().intersects(s.lblhulp->Widget()->geometry()) &&
                     !c->geometry().intersects(s.cmdhulp->Widget()->geometry()),
                 qPrintable(QStringLiteral("the help covers the control at (%1, %2)").arg(c->x()).arg(c->y())));
    }
    Pupil::Key(Qt::Key_F1);
    QCOMPARE(Shown(s), QString::fromUtf8(kIdle));
    QVERIFY(Pupil::Click(Pupil::Offered(s, u"START")));
    QCOMPARE(Shown(s), QString());

    QWidget* box = Pupil::FocusedBox();
    Pupil::Key(Qt::Key_F1);
    QCOMPARE(Shown(s), prompt);
    QCOMPARE(s.lblhulp->AccessibleName(), prompt);
    testing_support::Shot(s, QString::fromLatin1(screen) + u"-prompt");
    Pupil::Key(Qt::Key_F1);
    const QString second = Shown(s);
    QVERIFY(!second.isEmpty() && second != prompt);
    QVERIFY(Pupil::Click(*s.cmdhulp));
    QCOMPARE(Shown(s), second);
    QVERIFY(box && Pupil::Focused() == box);

    for (QChar c : keys) Pupil::Type(QString(c));
    QVERIFY(Pupil::Click(Pupil::Offered(s, u"CONTROLE")));
    QCOMPARE(Shown(s), reason);
    testing_support::Shot(s, QString::fromLatin1(screen) + u"-reason");
    Pupil::Key(Qt::Key_F1);
    QCOMPARE(Shown(s), about);
    QVERIFY(Pupil::Click(Pupil::Offered(s, next)));
    QCOMPARE(Shown(s), QString());
  }
};

REKENTOL_TEST_MAIN(HelpScreensTest)
#include "tst_helpscreens.moc"
