#include "app/frmkiesbasis.h"

#include "app/frminfo.h"
#include "app/mdiform2.h"
#include "app/program.h"
#include "blocks/frmcijferdeel.h"
#include "estimate/frmschat.h"
#include "placevalue/frmcijferdelen.h"
#include "written/frmcijferdeel0.h"
#include "written/frmcijferdelen4.h"
#include "written/frmcijferdelen5.h"

namespace app {

namespace {
const kit::Font kButtonFont{12, true};
kit::Place ExerciseButton(int top) { return {4320, top, 5295, 495}; }
// Worked by touch: the nine apart, as tall as the panel above the total lets
// them be, so that a finger finds each also on a tablet held upright.
constexpr int kTouchFirstTop = 240;
constexpr int kTouchPitch = 650;
constexpr int kTouchHeight = 585;
kit::Place TouchButton(int top) { return {4320, top, 5295, kTouchHeight}; }
const kit::Place kPictureSpot{120, 240, 0, 0};  // natural size
}  // namespace

frmkiesbasis::frmkiesbasis(Program& program)
    : kit::Window(QStringLiteral("CIJFERDEEL"), 10260, 7530, kit::colours::kWhite),
      Shape1(*this, {4200, 120, 5535, 5880}, kit::RGB(255, 244, 214), kit::RGB(230, 200, 120)),
      Command1(*this, ExerciseButton(240), QStringLiteral("Ik leer delen"), {}, kButtonFont),
      Command8(*this, ExerciseButton(977), QStringLiteral("Ik schat een deling :  tot 100"), {}, kButtonFont),
      Command2(*this, ExerciseButton(1714), QStringLiteral("Ik schat een deling :  tot 500"), {}, kButtonFont),
      Command6(*this, ExerciseButton(2451), QStringLiteral("Ik schat een deling: tot 1000"), {}, kButtonFont),
      Command3(*this, ExerciseButton(3188), QStringLiteral("Ik deel zonder rest"), {}, kButtonFont),
      Command7(*this, ExerciseButton(3465), QStringLiteral("Ik deel tot TE"), {}, kButtonFont),
      cmdkies(*this, ExerciseButton(3925), QStringLiteral("Ik deel met rest"), {}, kButtonFont),
      Command5(*this, ExerciseButton(4662), QStringLiteral("Ik deel tot 100 000 "), {}, kButtonFont),
      Command4(*this, ExerciseButton(5400), QStringLiteral("Ik deel tot 100 000 met komma "), {}, kButtonFont),
      Label1(*this, {3960, 6120, 4455, 375}, QStringLiteral("Totaal aantal juiste oefeningen:"),
             kit::Font{12, true}, kit::Align::Centre),
      lblgemaakt(*this, {8400, 6120, 1575, 375}, QStringLiteral("0"), kit::Font{12, true}, kit::Align::Centre),
      cmdeinde(*this, {5760, 6720, 1815, 735},
               kit::ButtonLook{QStringLiteral(":/res/btn_menustop.svg"), QStringLiteral("S T O P "),
                               kit::RGB(128, 0, 0)}),
      imgmeisje(*this, kPictureSpot, QStringLiteral(":/res/menu_meisje.svg")),
      imgwit(*this, kPictureSpot, QStringLiteral(":/res/menu_wit.svg")),
      imgchinees(*this, kPictureSpot, QStringLiteral(":/res/menu_chinees.svg")),
      imgkleur(*this, kPictureSpot, QStringLiteral(":/res/menu_kleur.svg")),
      imgkleur2(*this, kPictureSpot, QStringLiteral(":/res/menu_kleur2.svg")),
      imgkleur3(*this, kPictureSpot, QStringLiteral(":/res/menu_kleur3.svg")),
      Image1(*this, {1200, 6780, 720, 720}, QStringLiteral(":/res/logo.svg")),
      Image2(*this, {2160, 6780, 720, 720}, QStringLiteral(":/res/logo2.svg")),
      program_(program) {
  // The tip is a word to see; heard after the button's name, "KIJK." or
  // "OEFEN." would sound like a command of its own, so the ear gets what
  // kind of exercise the button opens.
  struct Entry {
    kit::Button* button;
    const char* tip;
    const char* heard;
  };
  int touchTop = kTouchFirstTop;
  for (const Entry& e : {Entry{&Command1, "KIJK", "kijken"}, Entry{&Command8, "SCHAT", "schatten"},
                         Entry{&Command2, "SCHAT", "schatten"}, Entry{&Command6, "SCHAT", "schatten"},
                         Entry{&Command3, "OEFEN", "oefenen"}, Entry{&Command7, "OEFEN", "oefenen"},
                         Entry{&cmdkies, "OEFEN", "oefenen"}, Entry{&Command5, "MOEILIJK", "moeilijk"},
                         Entry{&Command4, "MOEILIJK", "moeilijk"}}) {
    e.button->SetToolTipText(QString::fromLatin1(e.tip));
    e.button->SetAccessibleDescription(QString::fromLatin1(e.heard));
    // Worked by touch, the three that overlap leave a finger too little of
    // two of them: there the nine stand apart, evenly, in the same order.
    e.button->SetTouchPlace(TouchButton(touchTop));
    touchTop += kTouchPitch;
  }
  // Command7 lies across the lower part of Command3 (and cmdkies across the
  // foot of Command7): the later button lies on top, and Command3 shows its
  // caption in the strip that stays on view.
  Command3.SetCaptionVAlign(kit::VAlign::Top);
  for (kit::Label* l : {&Label1, &lblgemaakt}) {
    l->SetForeColor(kit::RGB(0, 0, 255));
    l->SetBackColor(kit::RGB(192, 192, 255));
  }
  for (kit::Picture* logo : {&Image1, &Image2}) logo->SetToolTipText(QString::fromLatin1(kMakerAddress));

  Command1.onClick = [this] { Command1_Click(); };
  Command8.onClick = [this] { Open(program_.frmschat100(), true); };
  Command2.onClick = [this] { Open(program_.frmschat(), true); };
  Command6.onClick = [this] { Open(program_.frmkomma(), true); };
  Command3.onClick = [this] { Open(program_.frmcijferdeel0(), true); };
  Command7.onClick = [this] { Open(program_.frmcijferdelen(), true); };
  cmdkies.onClick = [this] { cmdkies_Click(); };
  Command5.onClick = [this] { Open(program_.frmcijferdelen4(), true); };
  Command4.onClick = [this] { Open(program_.frmcijferdelen5(), true); };
  cmdeinde.onClick = [this] { cmdeinde_Click(); };
  onClose = [this] { cmdeinde_Click(); };

  kit::Picture* cycle[] = {&imgmeisje, &imgwit, &imgchinees, &imgkleur, &imgkleur2, &imgkleur3};
  for (int i = 0; i < 6; ++i) {
    kit::Picture* shown = cycle[i];
    kit::Picture* next = cycle[(i + 1) % 6];
    shown->onClick = [this, shown, next] { NextPicture(*shown, *next); };
    if (i > 0) shown->SetVisible(false);
  }
}

void frmkiesbasis::Form_Load() {
  CentreOnDisplay();
  lblgemaakt.SetCaption(QStringLiteral("0"));
}

void frmkiesbasis::Form_Activate() {
  CentreOnDisplay();
  // Read once the menu is back: the screen hands the total back after it.
  Say([this]() -> QString { return Label1.Caption() + u' ' + lblgemaakt.Caption() + u'.'; });
}

void frmkiesbasis::Open(kit::Window& screen, bool resetTotal) {
  screen.Show();  // a scoring screen takes over the total now
  Hide();
  program_.MDIForm2().SetAvailable(false);
  // The screen holds the total while it is up and writes it back with its STOP.
  if (resetTotal) lblgemaakt.SetCaption(QStringLiteral("0"));
}

// The block screen keeps no score and writes nothing back, so the total must
// not be reset when it opens: the pupil's total would be lost.
void frmkiesbasis::Command1_Click() { Open(program_.frmcijferdeel(), false); }

void frmkiesbasis::cmdkies_Click() { Open(program_.frmcijferdelen2(), false); }

void frmkiesbasis::cmdeinde_Click() {
  program_.frminfo().Show();
  Hide();
  program_.MDIForm2().SetAvailable(true);
}

void frmkiesbasis::NextPicture(kit::Picture& shown, kit::Picture& next) {
  shown.SetVisible(false);
  next.SetVisible(true);
}

}  // namespace app
