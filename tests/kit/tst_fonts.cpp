// A font names the family that will draw it. The face must be the one Qt's own
// substitution would have chosen, so that naming it changes nothing on screen.

#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>
#include <algorithm>

#include "kit/qt/units.h"
#include "support/testmain.h"

class FontsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void sameFaceAsSubstitution_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    QTest::newRow("Arial") << "Arial" << false;
    QTest::newRow("Arial, bold") << "Arial" << true;
    QTest::newRow("installed family") << "DejaVu Sans" << false;
    QTest::newRow("neither installed nor substituted") << "Geen Zulke Letter" << false;
  }
  void sameFaceAsSubstitution() {
    QFETCH(QString, family);
    QFETCH(bool, bold);
    const QFont named = kit::ToQFont(kit::Font{15.75, bold, false, family});
    QFont asked(family);
    asked.setPixelSize(named.pixelSize());
    asked.setBold(bold);
    QCOMPARE(QFontInfo(named).family(), QFontInfo(asked).family());
    QCOMPARE(QFontInfo(named).bold(), bold);
    // Named in its place only where the desktop lacks the family and has a
    // substitute; an unknown family is left to Qt's own fallback.
    const QStringList installed = QFontDatabase::families();
    const QStringList substitutes = QFont::substitutes(family);
    const bool substituteInstalled = std::any_of(substitutes.begin(), substitutes.end(), [&](const QString& s) {
      return installed.contains(s, Qt::CaseInsensitive);
    });
    if (installed.contains(family, Qt::CaseInsensitive) || !substituteInstalled) {
      QCOMPARE(named.family(), family);
    } else {
      QVERIFY(substitutes.contains(named.family()));
      QVERIFY(installed.contains(named.family(), Qt::CaseInsensitive));
    }
  }
};

REKENTOL_TEST_MAIN(FontsTest)
#include "tst_fonts.moc"
