#include "app/frmmecenaat1.h"

#include "app/frmkiesbasis.h"
#include "app/mdiform2.h"
#include "app/program.h"

namespace app {

namespace {
const QColor kNavy = kit::RGB(0, 0, 128);
}

frmmecenaat1::frmmecenaat1(Program& program)
    : kit::Window(QString(), 11430, 6615, kit::RGB(112, 101, 109)),
      Frame1(*this, {0, 0, 11430, 6615}, QString()),
      Shape3(Frame1, {120, 120, 11190, 5880}, kit::RGB(132, 121, 129), kit::RGB(255, 255, 192)),
      Label11(Frame1, {1320, 360, 8415, 255}, QStringLiteral("Educatieve software voor de  basisschool."),
              kit::Font{11.25, true}, kit::Align::Centre),
      lblpartner2(Frame1, {1920, 4920, 7455, 615}, QStringLiteral("Pimpelwerk "), kit::Font{24, true},
                  kit::Align::Centre),
      Label4(Frame1, {1920, 5520, 7455, 495}, QStringLiteral("Gratis te verspreiden software"),
             kit::Font{15.75, true}, kit::Align::Centre),
      Label5(Frame1, {0, 6120, 11415, 375},
             QStringLiteral("Ontwikkeld op basisschool Het Deeltal in Rekendorp, 2024 - 2026"),
             kit::Font{11.25}, kit::Align::Centre),
      cmdkombinnen(Frame1, {3600, 1080, 3855, 3495}, QStringLiteral("Klik hier en start !"),
                   QStringLiteral(":/res/welcome.svg"), kit::Font{15.75, true}),
      program_(program) {
  Frame1.SetVisible(false);
  Frame1.SetBackColor(kit::RGB(112, 101, 109));
  Label11.SetBackColor(kit::RGB(255, 255, 192));
  for (kit::Label* l : {&lblpartner2, &Label4, &Label5}) {
    l->SetBackColor(kNavy);
    l->SetForeColor(kit::colours::kWhite);
  }
  Image1.Add(Frame1, kit::Place{840, 1200, 2250, 2250}, QStringLiteral(":/res/welcome_big1.svg"));
  Image1.Add(Frame1, kit::Place{8340, 1200, 2250, 2250}, QStringLiteral(":/res/welcome_big2.svg"));
  Image1.Add(Frame1, kit::Place{1500, 3720, 900, 900}, QStringLiteral(":/res/welcome_small1.svg"));
  Image1.Add(Frame1, kit::Place{9000, 3720, 900, 900}, QStringLiteral(":/res/welcome_small2.svg"));
  cmdkombinnen.SetBackColor(kit::colours::kWhite);
  cmdkombinnen.onClick = [this] { cmdkombinnen_Click(); };
  onClose = [this] { program_.End(0); };
}

void frmmecenaat1::Form_Load() {
  CentreOnDisplay();
  Frame1.SetVisible(true);
}

void frmmecenaat1::Form_Activate() {
  CentreOnDisplay();
  Frame1.SetVisible(true);
  // Heard at every start: the screen reader does not always name the button
  // that has the focus when the program's first window comes up.
  Say(Label11.Caption() + u' ' + cmdkombinnen.AccessibleName() + QStringLiteral(" Druk op Enter."));
}

void frmmecenaat1::cmdkombinnen_Click() {
  Hide();
  program_.frmkiesbasis().Show();
  program_.MDIForm2().SetAvailable(true);
}

}  // namespace app
