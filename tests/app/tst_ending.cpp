// While the info screen closes the run, the main window is usable, but its
// menu must not open the exercise menu beside it.

#include <QMenuBar>
#include <QTest>

#include "app/frminfo.h"
#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "app/mdiform2.h"
#include "app/program.h"
#include "support/pupil.h"
#include "support/testmain.h"

using testing_support::Pupil;

class EndingTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void basisDuringTheInfoScreenDoesNothing() {
    app::Program p;
    p.Start();
    QVERIFY(Pupil::Click(p.frmmecenaat1().cmdkombinnen));
    QVERIFY(Pupil::Click(p.frmkiesbasis().cmdeinde));
    QVERIFY(p.frminfo().Visible());
    QVERIFY(p.MDIForm2().Available());
    // The menu item is reached through the menu bar's own action, as a click would.
    const auto actions = p.MDIForm2().Main()->menuBar()->actions();
    QVERIFY(!actions.isEmpty());
    QAction* basis = actions.first()->menu()->actions().first();
    basis->trigger();
    QVERIFY(p.frminfo().Visible());
    QVERIFY(!p.frmkiesbasis().Visible());
    QVERIFY(p.MDIForm2().Available());
  }
};

REKENTOL_TEST_MAIN(EndingTest)
#include "tst_ending.moc"
