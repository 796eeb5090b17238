// The program's start draws no picture: the welcome screen and the window
// icon show the pictures the build drew (res/builtin.cmake). A picture the
// start asks for at a size the build did not draw fails here, by name and
// size, so that the build's list follows the screen.

#include <QTest>

#include "app/frmmecenaat1.h"
#include "app/program.h"
#include "kit/qt/artwork.h"
#include "kit/qt/native.h"
#include "support/testmain.h"

using namespace Qt::StringLiterals;

class StartPictures : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void startDrawsNothing() {
    if (kit::Artwork::BuiltIn().isEmpty()) QSKIP("this build draws every picture at run time");
    QCOMPARE(qApp->devicePixelRatio(), 1.0);
    app::Program p;
    p.Start();
    QWidget* welcome = kit::qt::Top(p.frmmecenaat1());
    QVERIFY(QTest::qWaitForWindowExposed(welcome));
    // Painting asks for every picture on view.
    QVERIFY(!welcome->grab().isNull());
    const QStringList drawn = kit::Artwork::NotBuiltIn();
    QVERIFY2(drawn.isEmpty(), qPrintable(u"drawn at the start: "_s + drawn.join(u", ")));
  }
};

REKENTOL_TEST_MAIN(StartPictures)
#include "tst_startpictures.moc"
