// The screens on a display that scales (QT_SCALE_FACTOR, set for this program
// by ctest at 1, 1.5 and 2): the same drawings, larger. The colours the pupil
// reads the state by must stand where the board tables put them, measured in
// the grabbed image's own pixels; pictures are drawn for the display's pixels,
// not enlarged from a small drawing.
// With REKENTOL_SHOTS set it leaves pictures of the menu and of the densest
// board, named after the scale, for a person to look at.

#include <QPushButton>
#include <QTest>

#include "app/frmkiesbasis.h"
#include "kit/qt/artwork.h"
#include "support/open_screen.h"
#include "support/pupil.h"
#include "support/solve_screens.h"
#include "support/testmain.h"
#include "written/frmcijferdeel0.h"
#include "written/frmcijferdelen5.h"
#include "kit/qt/native.h"

using kit::ScriptedRandom;
using testing_support::NextMove;
using testing_support::Pupil;

namespace {

qreal AskedScale() {
  bool ok = false;
  const double s = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
  return ok ? s : 1.0;
}

QString ScaleName() { return QStringLiteral("x%1").arg(AskedScale()); }

// Types what a pupil who can divide types, box after box, until the screen
// gives CONTROLE the keyboard or `moves` keys are spent. `wrongFirst` replaces
// the first digit typed into that box with one that is off by one.
void Work(kit::Window& w, int moves, QLineEdit* wrongFirst = nullptr) {
  const auto& solvers = testing_support::Solvers();
  const auto solver = std::find_if(solvers.begin(), solvers.end(), [&w](const auto& s) { return s.owns(w); });
  if (solver == solvers.end()) return;
  for (int i = 0; i < moves; ++i) {
    QWidget* f = Pupil::Focused();
    const NextMove m = solver->next(w, f);
    if (m.kind == NextMove::Kind::Type) {
      Pupil::Type(f == wrongFirst && wrongFirst->text().isEmpty() ? QString::number((m.text.toInt() + 1) % 10) : m.text);
    } else if (qobject_cast<QPushButton*>(f) && f->toolTip() == u"CONTROLE") {
      return;
    } else {
      Pupil::Key(Qt::Key_Tab);
    }
  }
}

}  // namespace

class HighDpi : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void displayScales();
  void picturesDrawnForThePixels();
  void menu_data();
  void menu();
  void writtenBoard();
  void densestBoardShots();
};

// Without this the rest would pass at scale 1 whatever ctest asked for.
void HighDpi::displayScales() { QCOMPARE(qApp->devicePixelRatio(), AskedScale()); }

void HighDpi::picturesDrawnForThePixels() {
  const kit::Artwork art(QStringLiteral(":/res/welcome.svg"), QSize(110, 85));
  QCOMPARE(art.Image().devicePixelRatio(), AskedScale());
  QCOMPARE(art.Image().size(), QSize(110, 85) * AskedScale());
  QCOMPARE(art.Size(), QSize(110, 85));
}

void HighDpi::menu_data() {
  QTest::addColumn<QPoint>("twips");
  QTest::addColumn<QColor>("colour");
  QTest::newRow("window") << QPoint(3000, 6400) << QColor(255, 255, 255);
  QTest::newRow("panel left of the buttons") << QPoint(4260, 3000) << QColor(255, 244, 214);
  QTest::newRow("panel between two buttons") << QPoint(7000, 4620) << QColor(255, 244, 214);
  QTest::newRow("total label") << QPoint(8430, 6150) << QColor(192, 192, 255);
}

void HighDpi::menu() {
  QFETCH(QPoint, twips);
  QFETCH(QColor, colour);
  testing_support::ProgramRun run;
  QVERIFY(run.ToMenu());
  auto& menu = run.p.frmkiesbasis();
  QCOMPARE(kit::qt::Top(menu)->devicePixelRatioF(), AskedScale());
  testing_support::Shot(menu, u"menu-" + ScaleName());
  QCOMPARE(Pupil::PixelAt(menu, twips.x(), twips.y()), colour);
}

// 350 : 7 worked wrong (the first product the pupil writes ten too high),
// then 861 : 7 right.
void HighDpi::writtenBoard() {
  testing_support::ProgramRun run({ScriptedRandom::For(7, 9), ScriptedRandom::For(50, 999),
                                   ScriptedRandom::For(7, 9), ScriptedRandom::For(123, 999)});
  auto& s = run.Open<written::frmcijferdeel0>("frmcijferdeel0");
  QVERIFY(Pupil::Click(s.cmdstart));
  // The opening with zero draws the dividend's blue line over H, T, E.
  QCOMPARE(Pupil::PixelAt(s, 2280, 1080), QColor(0, 0, 192));
  Work(s, 60, kit::qt::Edit(s.txtaftrek[3]));
  QVERIFY(s.cmdcontrole.HasFocus());
  Pupil::Key(Qt::Key_Return);
  const kit::Place wrong = s.txtaftrek[3].Geometry();
  QCOMPARE(Pupil::PixelAt(s, wrong.left + 75, wrong.top + 75), kit::colours::kWrong);

  QVERIFY(Pupil::Click(s.cmdnieuw));
  QVERIFY(Pupil::Click(s.cmdstart));
  Work(s, 60);
  Pupil::Key(Qt::Key_Return);
  testing_support::Shot(s, u"frmcijferdeel0-right-" + ScaleName());
  QCOMPARE(Pupil::PixelAt(s, 300, 6900), kit::colours::kRight);
  // The yellow result label over the quotient boxes, beside the digits it holds.
  QCOMPARE(Pupil::PixelAt(s, 4830, 2310), QColor(255, 255, 0));
  // The thick green bracket lines and a thin subtraction line, at their middles.
  QCOMPARE(Pupil::PixelAt(s, 2280, 2760), QColor(0, 128, 0));
  QCOMPARE(Pupil::PixelAt(s, 4560, 5000), QColor(0, 128, 0));
  QCOMPARE(Pupil::PixelAt(s, 6000, 2160), QColor(0, 128, 0));
}

// frmcijferdelen5 half worked, for the eye.
void HighDpi::densestBoardShots() {
  testing_support::ProgramRun run({ScriptedRandom::For(7, 9), ScriptedRandom::For(12345677, 99999999)});
  auto& s = run.Open<written::frmcijferdelen5>("frmcijferdelen5");
  QVERIFY(Pupil::Click(s.cmdstart));
  Work(s, 16);
  QVERIFY(!s.txtquotient[2].Text().isEmpty());
  testing_support::Shot(s, u"frmcijferdelen5-mid-" + ScaleName());
}

REKENTOL_TEST_MAIN(HighDpi)
#include "tst_hidpi.moc"
