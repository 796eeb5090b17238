// The shell as a pupil meets it: start, the welcome screen, the main window's
// menu, the exercise menu with its nine buttons, its picture and its total, the
// close boxes, and what the screens look like in pixels.

#include <QTest>
#include <array>

#include "blocks/frmcijferdeel.h"
#include "estimate/frmschat.h"
#include "shell_steps.h"
#include "support/testmain.h"
#include "placevalue/frmcijferdelen.h"
#include "written/frmcijferdeel0.h"
#include "written/frmcijferdelen4.h"
#include "written/frmcijferdelen5.h"
#include "kit/qt/native.h"

using namespace shell_steps;
using testing_support::Shot;

namespace {

struct MenuEntry {
  const char* name;
  kit::Button app::frmkiesbasis::*button;
  const char* caption;
  const char* tip;
  int top;
  kit::Window& (*screen)(app::Program&);
  const char* screenCaption;
  int clientWidth;
  int clientHeight;
  bool resetsTotal;  // the menu writes "0" after the screen has taken the total over
};

template <class Screen, Screen& (app::Program::*accessor)()>
kit::Window& ScreenOf(app::Program& p) {
  return (p.*accessor)();
}

using P = app::Program;
using M = app::frmkiesbasis;
const std::array<MenuEntry, 9> kMenu{{
    {"Command1", &M::Command1, "Ik leer delen", "KIJK", 240, ScreenOf<blocks::frmcijferdeel, &P::frmcijferdeel>,
     "delen", 11865, 7935, false},
    {"Command8", &M::Command8, "Ik schat een deling :  tot 100", "SCHAT", 977,
     ScreenOf<estimate::frmschat100, &P::frmschat100>, "schatten < 100", 11880, 7935, true},
    {"Command2", &M::Command2, "Ik schat een deling :  tot 500", "SCHAT", 1714,
     ScreenOf<estimate::frmschat, &P::frmschat>, "schatten < 500", 11880, 7935, true},
    {"Command6", &M::Command6, "Ik schat een deling: tot 1000", "SCHAT", 2451,
     ScreenOf<estimate::frmkomma, &P::frmkomma>, "schatten  < 1000", 11880, 7935, true},
    {"Command3", &M::Command3, "Ik deel zonder rest", "OEFEN", 3188,
     ScreenOf<written::frmcijferdeel0, &P::frmcijferdeel0>, "cijferend delen zonder rest", 11880, 7935, true},
    {"Command7", &M::Command7, "Ik deel tot TE", "OEFEN", 3465, ScreenOf<placevalue::frmcijferdelen, &P::frmcijferdelen>,
     "cijferen : delen", 11880, 7935, true},
    {"cmdkies", &M::cmdkies, "Ik deel met rest", "OEFEN", 3925, ScreenOf<placevalue::frmcijferdelen2, &P::frmcijferdelen2>,
     "cijferen : delen", 11880, 7935, false},
    {"Command5", &M::Command5, "Ik deel tot 100 000 ", "MOEILIJK", 4662,
     ScreenOf<written::frmcijferdelen4, &P::frmcijferdelen4>, "cijferen : delen< 100 000", 11880, 7935, true},
    {"Command4", &M::Command4, "Ik deel tot 100 000 met komma ", "MOEILIJK", 5400,
     ScreenOf<written::frmcijferdelen5, &P::frmcijferdelen5>, "cijferen : delen met komma", 11880, 7935, true},
}};

// The picture cycle in its order.
std::array<kit::Picture*, 6> Cycle(app::frmkiesbasis& m) {
  return {&m.imgmeisje, &m.imgwit, &m.imgchinees, &m.imgkleur, &m.imgkleur2, &m.imgkleur3};
}

int VisiblePicture(app::frmkiesbasis& m) {
  int shown = -1;
  const auto cycle = Cycle(m);
  for (int i = 0; i < 6; ++i) {
    if (!cycle[std::size_t(i)]->Visible()) continue;
    if (shown >= 0) return -2;  // more than one
    shown = i;
  }
  return shown;
}

// The desktop style shades a button's colour (lighter, a gradient), so the
// pixels are a dark red rather than exactly RGB(128, 0, 0).
bool DarkRed(const QColor& c) {
  return c.red() >= 100 && c.red() - c.green() >= 90 && c.red() - c.blue() >= 90;
}

// Texts the pupil reads, exactly as the program's design gives them, blanks
// included.
struct Text {
  const char* name;
  QString (*actual)(app::Program&);
  const char* expected;
};
const Text kTexts[] = {
    {"main window menu", [](app::Program& p) { return kit::qt::Main(p.MDIForm2())->menuBar()->actions().value(0)->text(); },
     "OPENEN "},
    {"welcome caption", [](app::Program& p) { return p.frmmecenaat1().Caption(); }, ""},
    {"Label11", [](app::Program& p) { return p.frmmecenaat1().Label11.Caption(); },
     "Educatieve software voor de  basisschool."},
    {"lblpartner2", [](app::Program& p) { return p.frmmecenaat1().lblpartner2.Caption(); }, "Pimpelwerk "},
    {"Label4", [](app::Program& p) { return p.frmmecenaat1().Label4.Caption(); }, "Gratis te verspreiden software"},
    {"cmdkombinnen", [](app::Program& p) { return p.frmmecenaat1().cmdkombinnen.Caption(); },
     "Klik hier en start !"},
    {"menu caption", [](app::Program& p) { return p.frmkiesbasis().Caption(); }, "CIJFERDEEL"},
    {"Label1", [](app::Program& p) { return p.frmkiesbasis().Label1.Caption(); },
     "Totaal aantal juiste oefeningen:"},
    {"info caption", [](app::Program& p) { return p.frminfo().Caption(); }, ""},
    {"lblmemo", [](app::Program& p) { return p.frminfo().lblmemo.Caption(); }, "Voor jou gemaakt door "},
    {"lblinstituut", [](app::Program& p) { return p.frminfo().lblinstituut.Caption(); }, "PIMPELWERK "},
    {"lblmening", [](app::Program& p) { return p.frminfo().lblmening.Caption(); }, "software om te trainen"},
};

}  // namespace

class ShellTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void startShowsMainWindowAndWelcome() {
    app::Program p;
    p.Start();
    QVERIFY(p.MDIForm2().Visible());
    QCOMPARE(p.MDIForm2().Caption(), QStringLiteral(" Alle kinderen moeten alle kansen krijgen."));
    QVERIFY(p.MDIForm2().Available());
    QVERIFY(p.frmmecenaat1().Visible());
    QVERIFY(p.frmmecenaat1().Frame1.Visible());
    QVERIFY(Centred(p.frmmecenaat1()));
    QVERIFY(Centred(p.MDIForm2()));
    QVERIFY(KeptAboveMain(p, p.frmmecenaat1()));
    // Start-up makes nothing that the welcome screen does not need: the menu,
    // the info screen and the exercises come on first use.
    QCOMPARE(p.Screens().size(), std::size_t(2));
    Shot(p.MDIForm2(), QStringLiteral("main"));
    Shot(p.frmmecenaat1(), QStringLiteral("welcome"));
  }

  void documentedTexts_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < std::size(kTexts); ++i) QTest::newRow(kTexts[i].name) << int(i);
  }
  void documentedTexts() {
    QFETCH(int, row);
    app::Program p;
    QVERIFY(ToInfo(p));
    const Text& t = kTexts[row];
    QCOMPARE(t.actual(p), QString::fromLatin1(t.expected));
  }

  // The free-software note has two lines, the second naming the portal; the
  // logos name the maker's site.
  void makerNotes() {
    app::Program p;
    QVERIFY(ToInfo(p));
    const QStringList note = p.frminfo().lblgeld.Caption().split(u'\n');
    QCOMPARE(note.size(), 2);
    QVERIFY(note[1].contains(QLatin1String(".example.org")));
    for (const kit::Control* logo : {static_cast<kit::Control*>(&p.frminfo().Image3),
                                     static_cast<kit::Control*>(&p.frminfo().Image4),
                                     static_cast<kit::Control*>(&p.frmkiesbasis().Image1),
                                     static_cast<kit::Control*>(&p.frmkiesbasis().Image2)}) {
      QVERIFY(logo->ToolTipText().endsWith(QLatin1String(".example.org")));
    }
  }

  // The big button and "&Basis" lead to the same screens; only the main
  // window's availability differs.
  void waysToTheMenu_data() {
    QTest::addColumn<bool>("byMenuBar");
    QTest::addColumn<bool>("mainAvailable");
    QTest::newRow("Klik hier en start !") << false << true;
    QTest::newRow("OPENEN > &Basis") << true << false;
  }
  void waysToTheMenu() {
    QFETCH(bool, byMenuBar);
    QFETCH(bool, mainAvailable);
    app::Program p;
    p.Start();
    QVERIFY(byMenuBar ? ChooseBasis(p) : Pupil::Click(p.frmmecenaat1().cmdkombinnen));
    QVERIFY(!p.frmmecenaat1().Visible());
    QVERIFY(p.frmkiesbasis().Visible());
    QVERIFY(p.MDIForm2().Visible());
    QCOMPARE(p.MDIForm2().Available(), mainAvailable);
    QVERIFY(Centred(p.frmkiesbasis()));
    QVERIFY(KeptAboveMain(p, p.frmkiesbasis()));
    QCOMPARE(p.frmkiesbasis().lblgemaakt.Caption(), QStringLiteral("0"));
    if (!byMenuBar) Shot(p.frmkiesbasis(), QStringLiteral("menu"));
    // The menu stays usable whatever the main window's state.
    QVERIFY(Pupil::CanClick(kit::qt::Widget(p.frmkiesbasis().Command1)));
    // An unavailable main window offers no menu bar.
    QCOMPARE(ChooseBasis(p), mainAvailable);
  }

  void basisWhileTheMenuIsUp() {
    app::Program p;
    QVERIFY(ToMenu(p));
    QVERIFY(p.MDIForm2().Available());
    QVERIFY(ChooseBasis(p));
    QVERIFY(p.frmkiesbasis().Visible());
    QVERIFY(!p.frmmecenaat1().Visible());
    QVERIFY(!p.MDIForm2().Available());
    QVERIFY(Pupil::Click(p.frmkiesbasis().cmdeinde));
    QVERIFY(p.frminfo().Visible());
  }

  // While the info screen closes the run the main window is usable, but its
  // menu must not open the exercise menu beside it.
  void basisDuringTheInfoScreenDoesNothing() {
    app::Program p;
    QVERIFY(ToInfo(p));
    QVERIFY(p.MDIForm2().Available());
    // Whether the item is offered at all is the window's choice; either way
    // nothing may open.
    const bool chosen = ChooseBasis(p);
    Q_UNUSED(chosen);
    QVERIFY(p.frminfo().Visible());
    QVERIFY(!p.frmkiesbasis().Visible());
    QVERIFY(p.MDIForm2().Available());
  }

  void nineExerciseButtons_data() {
    QTest::addColumn<int>("entry");
    for (std::size_t i = 0; i < kMenu.size(); ++i) QTest::newRow(kMenu[i].name) << int(i);
  }
  void nineExerciseButtons() {
    QFETCH(int, entry);
    const MenuEntry& e = kMenu[std::size_t(entry)];
    app::Program p;
    QVERIFY(ToMenu(p));
    app::frmkiesbasis& menu = p.frmkiesbasis();
    kit::Button& button = menu.*e.button;
    QCOMPARE(button.Caption(), QString::fromLatin1(e.caption));
    QCOMPARE(button.ToolTipText(), QString::fromLatin1(e.tip));
    QCOMPARE(button.Geometry().top, e.top);
    QCOMPARE(button.Geometry().left, 4320);
    // A total as a scoring screen's STOP leaves it; the menu itself only ever
    // writes "0", and earning one takes exercises of the other screens.
    menu.lblgemaakt.SetCaption(QStringLiteral("7"));

    QVERIFY(Pupil::Click(button));
    kit::Window& screen = e.screen(p);
    QVERIFY(screen.Visible());
    QCOMPARE(screen.Caption(), QString::fromLatin1(e.screenCaption));
    QCOMPARE(kit::qt::Surface(screen)->size(), QSize(kit::Px(e.clientWidth), kit::Px(e.clientHeight)));
    QVERIFY(Centred(screen));
    QVERIFY(!menu.Visible());
    QVERIFY(!p.frmmecenaat1().Visible());
    QVERIFY(!p.MDIForm2().Available());
    QVERIFY(KeptAboveMain(p, screen));
    QVERIFY(kit::qt::Top(screen)->isEnabled());
    if (auto* scoring = dynamic_cast<kit::ScoringScreen*>(&screen)) QCOMPARE(scoring->totaaljuist, 7);
    QCOMPARE(menu.lblgemaakt.Caption(), e.resetsTotal ? QStringLiteral("0") : QStringLiteral("7"));

    // Every screen offers its STOP on entry; the close box does what it does.
    Pupil::Close(screen);
    QVERIFY(menu.Visible());
    QVERIFY(!screen.Visible());
    QCOMPARE(menu.lblgemaakt.Caption(), QStringLiteral("7"));
  }

  // The block screen keeps no score and writes nothing back, so opening it must
  // not wipe the total.
  void ikLeerDelenKeepsTheTotal() {
    app::Program p;
    QVERIFY(ToMenu(p));
    app::frmkiesbasis& menu = p.frmkiesbasis();
    // As the estimation screen's STOP leaves it after five correct estimates;
    // this test is about the visit to the block screen only.
    menu.lblgemaakt.SetCaption(QStringLiteral("5"));
    QVERIFY(Pupil::Click(menu.Command1));
    QCOMPARE(menu.lblgemaakt.Caption(), QStringLiteral("5"));
    QVERIFY(Pupil::Click(p.frmcijferdeel().cmdstop2));
    QVERIFY(menu.Visible());
    QCOMPARE(menu.lblgemaakt.Caption(), QStringLiteral("5"));
  }

  void pictureCycle() {
    app::Program p;
    QVERIFY(ToMenu(p));
    app::frmkiesbasis& menu = p.frmkiesbasis();
    const auto cycle = Cycle(menu);
    const char* names[] = {"imgmeisje", "imgwit", "imgchinees", "imgkleur", "imgkleur2", "imgkleur3"};
    QCOMPARE(VisiblePicture(menu), 0);
    for (int click = 1; click <= 6; ++click) {
      Shot(menu, QStringLiteral("menu_") + QLatin1String(names[(click - 1) % 6]));
      const int shown = VisiblePicture(menu);
      QVERIFY(shown >= 0);
      // A hidden picture cannot be clicked; only the one on view turns over.
      QVERIFY(!Pupil::Click(*cycle[std::size_t((shown + 1) % 6)]));
      QVERIFY(Pupil::Click(*cycle[std::size_t(shown)]));
      QCOMPARE(VisiblePicture(menu), click % 6);
    }
    QVERIFY(menu.imgmeisje.Visible());
  }

  // All six pictures lie in one area on the left, clear of the buttons, and
  // inside the window.
  void picturesStayLeftOfTheButtons() {
    app::Program p;
    QVERIFY(ToMenu(p));
    app::frmkiesbasis& menu = p.frmkiesbasis();
    const QRect client = kit::qt::Surface(menu)->rect();
    const int buttonsLeft = kit::Px(menu.Shape1.Geometry().left);
    for (kit::Picture* picture : Cycle(menu)) {
      const QRect r = kit::qt::Widget(*picture)->geometry();
      QVERIFY2(client.contains(r), qPrintable(picture->ToolTipText()));
      QVERIFY(r.right() < buttonsLeft);
      QCOMPARE(r.topLeft(), kit::qt::Widget(menu.imgmeisje)->geometry().topLeft());
    }
  }

  void pictureStaysWhileTheMenuIsAway() {
    app::Program p;
    QVERIFY(ToMenu(p));
    app::frmkiesbasis& menu = p.frmkiesbasis();
    QVERIFY(Pupil::Click(menu.imgmeisje));
    QVERIFY(Pupil::Click(menu.imgwit));
    QVERIFY(Pupil::Click(menu.Command5));
    Pupil::Close(p.frmcijferdelen4());
    QVERIFY(menu.Visible());
    QCOMPARE(VisiblePicture(menu), 2);
  }

  void menuStopLeadsToTheInfoScreen() {
    app::Program p;
    QVERIFY(ToMenu(p));
    QVERIFY(ChooseBasis(p));  // leaves the main window unavailable
    app::frmkiesbasis& menu = p.frmkiesbasis();
    QCOMPARE(menu.cmdeinde.ToolTipText(), QStringLiteral("S T O P "));
    menu.lblgemaakt.SetCaption(QStringLiteral("3"));  // as a scoring screen's STOP leaves it
    QVERIFY(Pupil::Click(menu.cmdeinde));
    QVERIFY(p.frminfo().Visible());
    QVERIFY(Centred(p.frminfo()));
    QVERIFY(!menu.Visible());
    QVERIFY(p.MDIForm2().Visible());
    QVERIFY(p.MDIForm2().Available());
    QCOMPARE(menu.lblgemaakt.Caption(), QStringLiteral("3"));
    QVERIFY(!p.Ended());
  }

  // Closing the main window, the welcome screen or the info screen ends the
  // program; closing the menu is its STOP.
  void closeBoxes_data() {
    QTest::addColumn<QString>("where");  // the screen that is up
    QTest::addColumn<QString>("closed");
    QTest::addColumn<bool>("ends");
    QTest::newRow("welcome: main window") << "welcome" << "main" << true;
    QTest::newRow("welcome: welcome screen") << "welcome" << "welcome" << true;
    QTest::newRow("menu: main window") << "menu" << "main" << true;
    QTest::newRow("menu: menu") << "menu" << "menu" << false;
    QTest::newRow("info: info screen") << "info" << "info" << true;
    QTest::newRow("info: main window") << "info" << "main" << true;
  }
  void closeBoxes() {
    QFETCH(QString, where);
    QFETCH(QString, closed);
    QFETCH(bool, ends);
    EndWatch end;
    app::Program p(end.Callback());
    QVERIFY(BringTo(p, where));
    Pupil::Close(ShellWindow(p, closed));
    QCOMPARE(p.Ended(), ends);
    if (ends) {
      QCOMPARE(end.calls, 1);
      QCOMPARE(end.code, 0);
      for (kit::Window* w : p.Screens()) QVERIFY(!w->Visible());
      // A second close box on the way out does not end the run twice.
      Pupil::Close(p.MDIForm2());
      QCOMPARE(end.calls, 1);
    } else {
      QCOMPARE(end.calls, 0);
      QVERIFY(p.frminfo().Visible());
      QVERIFY(!p.frmkiesbasis().Visible());
      QVERIFY(p.MDIForm2().Available());
    }
  }

  // The pictures match the state: background colours where no control lies,
  // and the menu's STOP where its place says, in pixels.
  void grab_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("main window") << "main" << 4965 << 3400 << kit::RGB(234, 226, 138);
    QTest::newRow("welcome, left margin") << "welcome" << 45 << 3000 << kit::RGB(112, 101, 109);
    QTest::newRow("menu, lower right") << "menu" << 9900 << 7200 << kit::colours::kWhite;
    QTest::newRow("menu, Label1") << "menu" << 3990 << 6150 << kit::RGB(192, 192, 255);
    QTest::newRow("info screen, margin") << "info" << 90 << 90 << kit::RGB(111, 111, 111);
  }
  void grab() {
    QFETCH(QString, screen);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QColor, colour);
    app::Program p;
    QVERIFY(BringTo(p, screen == u"main" ? QStringLiteral("welcome") : screen));
    QCOMPARE(Pupil::PixelAt(ShellWindow(p, screen), x, y), colour);
  }

  void menuStopButtonInPixels() {
    app::Program p;
    QVERIFY(ToMenu(p));
    app::frmkiesbasis& menu = p.frmkiesbasis();
    const QImage img = kit::qt::Surface(menu)->grab().toImage();
    const qreal dpr = img.devicePixelRatio();
    // Along a row through the button's upper part, left of the picture: white
    // up to the button's left edge, then its colour.
    const int row = int(kit::Px(6720 + 90) * dpr);
    int edge = -1;
    for (int x = int(kit::Px(5400) * dpr); x < img.width(); ++x) {
      if (img.pixelColor(x, row) != kit::colours::kWhite) {
        edge = x;
        break;
      }
    }
    QVERIFY(std::abs(edge - int(kit::Px(5760) * dpr)) <= int(dpr));
    QVERIFY(DarkRed(img.pixelColor(edge + int(6 * dpr), row)));
    // And it ends where its width says.
    const int right = int(kit::Px(5760 + 1815) * dpr);
    QVERIFY(DarkRed(img.pixelColor(right - int(6 * dpr), row)));
    QCOMPARE(img.pixelColor(right + int(2 * dpr), row), kit::colours::kWhite);
  }
};

REKENTOL_TEST_MAIN(ShellTest)
#include "tst_shell.moc"
