// The road from start to the menu and into every exercise screen and back.

#include <QTest>

#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "app/mdiform2.h"
#include "app/program.h"
#include "support/pupil.h"
#include "support/testmain.h"

using testing_support::Pupil;

class SmokeTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void startToMenu() {
    app::Program p;
    p.Start();
    QVERIFY(p.MDIForm2().Visible());
    QVERIFY(p.frmmecenaat1().Visible());
    testing_support::Shot(p.MDIForm2(), QStringLiteral("main"));
    testing_support::Shot(p.frmmecenaat1(), QStringLiteral("welcome"));
    QVERIFY(Pupil::Click(p.frmmecenaat1().cmdkombinnen));
    QVERIFY(p.frmkiesbasis().Visible());
    QCOMPARE(p.frmkiesbasis().lblgemaakt.Caption(), QStringLiteral("0"));
    testing_support::Shot(p.frmkiesbasis(), QStringLiteral("menu"));
  }
};

REKENTOL_TEST_MAIN(SmokeTest)
#include "tst_smoke.moc"
