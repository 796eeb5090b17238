#include "app/frminfo.h"

#include <QStringList>
#include <cmath>

#include "app/frmkiesbasis.h"
#include "app/program.h"

namespace app {

namespace {
const QColor kPaper = kit::RGB(255, 255, 192);
const QColor kInk = kit::RGB(0, 0, 128);
constexpr int kLastTick = 150;
}  // namespace

frminfo::frminfo(Program& program)
    : kit::Window(QString(), 9000, 6600, kit::RGB(111, 111, 111)),
      Frame1(*this, {240, 240, 8520, 5730}, QString()),  // the same margin above the status bar as round the rest
      lblmemo(Frame1, {240, 240, 4800, 495}, QStringLiteral("Voor jou gemaakt door "), kit::Font{18, true}),
      lblinstituut(Frame1, {240, 780, 4800, 735}, QStringLiteral("PIMPELWERK "), kit::Font{32, true}),
      lblmening(Frame1, {240, 1560, 4800, 495}, QStringLiteral("software om te trainen"),
                kit::Font{15.75, false, true}),
      lblnaam(Frame1, {6600, 2040, 1680, 375}, QStringLiteral("Meester Pim"), kit::Font{11.25, true},
              kit::Align::Centre),
      imgfoto(Frame1, {6840, 240, 1500, 1800}, QStringLiteral(":/res/info_photo.svg")),
      lblbio1(Frame1, {240, 2280, 5400, 375}, QStringLiteral("Geboren in een klein dorp aan de rivier."),
              kit::Font{11.25}),
      lblbio2(Frame1, {240, 2700, 5400, 375}, QStringLiteral("Jarenlang meester in de bovenbouw."),
              kit::Font{11.25}),
      lblbio3(Frame1, {240, 3120, 5400, 375}, QStringLiteral("Met een onderwijsdiploma en veel zin in rekenen."),
              kit::Font{11.25}),
      lblgeld(Frame1, {240, 3840, 6000, 855}, QString(), kit::Font{12, true}, kit::Align::Centre),
      Imgzon(Frame1, {6600, 3360, 1800, 1800}, QStringLiteral(":/res/info_zon.svg")),
      Image3(Frame1, {240, 4860, 720, 720}, QStringLiteral(":/res/logo.svg")),
      Image4(Frame1, {1080, 4860, 720, 720}, QStringLiteral(":/res/logo2.svg")),
      StatusBar1(*this, {0, 6210, 9000, 390}, {3, 2, 1}),  // along the bottom, 26 pixels high
      ProgressBar1(*this),
      Timer1(75, program.Clock()),
      program_(program) {
  Frame1.SetBackColor(kPaper);
  for (kit::Label* l : {&lblmemo, &lblinstituut, &lblmening, &lblnaam, &lblbio1, &lblbio2, &lblbio3}) {
    l->SetBackColor(kPaper);
    l->SetForeColor(kInk);
  }
  lblgeld.SetBackColor(kInk);
  lblgeld.SetForeColor(kit::colours::kWhite);
  for (kit::Picture* logo : {&Image3, &Image4}) logo->SetToolTipText(QString::fromLatin1(kMakerAddress));
  Timer1.onTimer = [this] { Timer1_Timer(); };
  onClose = [this] { program_.End(0); };
}

void frminfo::Form_Load() {
  lblgeld.SetCaption(QStringLiteral("Deze software is gratis.\nVerspreid via het portaal pimpelwerk.example.org"));
  ProgressBar1.SetRange(0, kLastTick);
  PlaceProgressBar(true);
  Timer1.SetEnabled(true);
  StatusBar1.SetPanelText(0, QStringLiteral("Pimpelwerk,educatieve software voor de basisschool"));
  StatusBar1.SetPanelTag(0, QString());
  CentreOnDisplay();
}

void frminfo::Form_Activate() {
  QStringList said;
  for (const kit::Label* l : {&lblmemo, &lblinstituut, &lblmening, &lblnaam, &lblbio1, &lblbio2, &lblbio3, &lblgeld})
    said << l->Caption().simplified();
  Say(said.join(u' '));
  ProgressBar1.SetRange(0, kLastTick);
  PlaceProgressBar(true);
  Timer1.SetEnabled(true);
}

void frminfo::Timer1_Timer() {
  if (StatusBar1.PanelTag(0).isEmpty()) {
    const int n = static_cast<int>(
        std::lround(double(StatusBar1.PanelWidth(0)) / double(StatusBar1.BlankWidth())));
    StatusBar1.SetPanelTag(0, QString(n, u' ') + StatusBar1.PanelText(0));
    StatusBar1.SetPanelText(0, StatusBar1.PanelTag(0));
  }
  const QString text = StatusBar1.PanelText(0);
  StatusBar1.SetPanelText(0, text.isEmpty() ? StatusBar1.PanelTag(0) : text.mid(1));

  ++tikteller;
  if (tikteller > kLastTick) {
    Timer1.SetEnabled(false);
    PlaceProgressBar(false);
    tikteller = 0;
    Hide();
    program_.End(0);
    return;
  }
  ProgressBar1.SetValue(tikteller);
}

void frminfo::PlaceProgressBar(bool intoStatusBar) {
  if (intoStatusBar)
    ProgressBar1.PlaceInto(StatusBar1, StatusBar1.PanelRect(1));
  else
    ProgressBar1.TakeBack(*this);
}

}  // namespace app
