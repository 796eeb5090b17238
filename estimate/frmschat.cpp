#include "estimate/frmschat.h"

#include "help/help.h"
#include "kit/accessible.h"
#include "kit/keyfilter.h"
#include "kit/numbers.h"

namespace estimate {

namespace {

using kit::Place;

const QColor kLabelBack = kit::RGB(0, 128, 0);
// The shapes lie as a shadow under the division row, the answer block and the
// result line, so that the green panels stand off the background in every
// colour the background takes.
const QColor kShadow = kit::RGB(96, 96, 0);
const kit::Font kBig{48};
const Place kImage2{480, 7140, 480, 480};

// Both screens below 500 share one drawing; only their dividends differ.
EstimationRow Narrow(const QString& caption, int draw, int lowest) {
  return {caption,
          draw,
          lowest,
          {Place{1680, 600, 2295, 975}, Place{3960, 600, 735, 975}, Place{4680, 600, 1335, 975},
           Place{6000, 600, 735, 975}, Place{6720, 600, 2175, 975}, Place{1680, 2400, 7215, 1005},
           Place{1200, 5400, 9615, 975}},
          {1680, 3600, 7215, 1005},
          {4080, 6960, 1815, 855},
          {6120, 6960, 1815, 855},
          {8160, 6960, 1815, 855},
          {Place{1770, 690, 7215, 975}, Place{1770, 2490, 7215, 2205}, Place{1290, 5490, 9615, 975}},
          {1200, 4755, 570, 570},
          {1860, 4755, 8955, 570}};
}

const EstimationRow kSchat100 = Narrow(QStringLiteral("schatten < 100"), 99, 21);
const EstimationRow kSchat = Narrow(QStringLiteral("schatten < 500"), 499, 51);
// The dividend label is twice as wide, so everything right of it moves over.
const EstimationRow kKomma{
    QStringLiteral("schatten  < 1000"),
    999,
    101,
    {Place{480, 600, 4695, 975}, Place{5160, 600, 735, 975}, Place{5880, 600, 1335, 975},
     Place{7200, 600, 735, 975}, Place{7920, 600, 3135, 975}, Place{480, 2400, 10575, 1005},
     Place{600, 5400, 10455, 975}},
    {480, 3600, 10575, 1005},
    {4200, 6960, 1815, 855},
    {6240, 6960, 1815, 855},
    {8280, 6960, 1815, 855},
    {Place{570, 690, 10575, 975}, Place{570, 2490, 10575, 2205}, Place{690, 5490, 10455, 975}},
    {600, 4755, 570, 570},
    {1260, 4755, 9795, 570}};

const char16_t* const kFixedCaptions[7] = {u"", u":", u"", u"=", u"?", u"ik schat", u""};

}  // namespace

template <class Wide>
EstimationScreen<Wide>::EstimationScreen(kit::Hub& hub, const EstimationRow& row)
    : kit::ScoringScreen(hub, row.caption, 11880, 7935, kit::colours::kLightYellow),
      Shape1(*this, row.shapes[0], kShadow),
      Shape2(*this, row.shapes[1], kShadow),
      Shape3(*this, row.shapes[2], kShadow),
      Image2(*this, kImage2, QStringLiteral(":/res/logo.svg")),
      txtschat(*this, row.txtschat, kBig),
      cmdcontrole(kit::FrameButton(*this, kit::FrameButtonKind::Controle, row.cmdcontrole)),
      cmdstart(kit::FrameButton(*this, kit::FrameButtonKind::Start, row.cmdstart)),
      cmdstop2(kit::FrameButton(*this, kit::FrameButtonKind::Stop, row.cmdstop2)),
      row_(row) {
  for (int i = 0; i < 7; ++i) {
    kit::Label& l = lbldeeltal.Add(*this, row.lbldeeltal[std::size_t(i)], QString::fromUtf16(kFixedCaptions[i]),
                                   kBig, kit::Align::Centre);
    l.SetBackColor(kLabelBack);
    l.SetForeColor(kit::colours::kWhite);
  }
  cmdcontrole.SetVisible(false);
  // The box is the pupil's estimate: the label beside it says so.
  txtschat.SetAccessibleName(lbldeeltal[5].Caption());

  txtschat.onClick = [this] { txtschat_Click(); };
  txtschat.onKeyPress = [this](int& key) { txtschat_KeyPress(key); };
  txtschat.onChange = [this] { txtschat_Change(); };
  cmdstart.onClick = [this] { cmdstart_Click(); };
  cmdcontrole.onClick = [this] { cmdcontrole_Click(); };
  cmdstop2.onClick = [this] { cmdstop2_Click(); };
  PlaceHelp(row.cmdhulp, row.lblhulp);
}

template <class Wide>
void EstimationScreen<Wide>::Reset() {
  lbldeeltal[0].SetCaption(QString());
  lbldeeltal[2].SetCaption(QString());
  lbldeeltal[6].SetCaption(QString());
  lbldeeltal[4].SetCaption(QStringLiteral("?"));
  txtschat.SetText(QString());
  txtschat.SetEnabled(true);
  SetBackColor(kit::colours::kLightYellow);
  ForgetHelp();
}

template <class Wide>
void EstimationScreen<Wide>::cmdstart_Click() {
  Reset();
  SetBackColor(kit::colours::kLightYellow);
  kit::RandomSource& random = hub_.Random();
  random.Randomize();
  deler = static_cast<std::int16_t>(random.Divisor());
  lbldeeltal[2].SetCaption(kit::NumText(deler));
  do {
    deeltal = static_cast<Wide>(random.Draw(row_.dividendDraw));
  } while (deeltal < row_.dividendLowest);
  lbldeeltal[0].SetCaption(kit::NumText(deeltal));
  txtschat.SetFocus();

  quotient = static_cast<Wide>(deeltal / deler);
  ondergrens = static_cast<Wide>(quotient - 7);
  bovengrens = static_cast<Wide>(quotient + 7);
  rest = static_cast<std::int16_t>(deeltal - deler * quotient);
  NewExercise();

  cmdstart.SetVisible(false);
  cmdstop2.SetVisible(false);
  cmdcontrole.SetVisible(true);
  txtschat.SetFocus();
  SayTask([this]() -> QString {
    return kit::SpokenDivision(lbldeeltal[0].Caption(), lbldeeltal[2].Caption()) +
           QStringLiteral(" Schat de uitkomst.");
  });
}

template <class Wide>
void EstimationScreen<Wide>::cmdcontrole_Click() {
  if (txtschat.Text().isEmpty()) txtschat.SetText(QStringLiteral("0"));
  // Read as a real number: a pasted estimate may be far wider than the bounds.
  const double E = kit::ReadNumber(txtschat.Text());
  if (ondergrens < E && E < bovengrens) {
    SetBackColor(kit::colours::kRight);
    CountCorrect();
  } else {
    SetBackColor(kit::colours::kWrong);
  }
  lbldeeltal[6].SetCaption(QString(kit::NumText(deeltal) + u" : " + kit::NumText(deler) + u" = " +
                                   kit::NumText(quotient) + u" rest " + kit::NumText(rest)));

  cmdstart.SetVisible(true);
  cmdstop2.SetVisible(true);
  cmdcontrole.SetVisible(false);
  cmdstart.SetFocus();
  txtschat.SetEnabled(false);
  Say([this]() -> QString { return kit::ColourVerdict(BackColor()) + u". " + kit::Spoken(lbldeeltal[6].Caption()) + u'.'; },
      kit::Heard::Verdict);
  OfferReason();
}

template <class Wide>
void EstimationScreen<Wide>::cmdstop2_Click() {
  Reset();
  cmdstart.SetFocus();
  WriteBackTotal();
  hub_.ShowMenu();
  Hide();
}

template <class Wide>
void EstimationScreen<Wide>::txtschat_Click() {
  txtschat.SetText(QString());
}

template <class Wide>
void EstimationScreen<Wide>::txtschat_KeyPress(int& KeyAscii) {
  kit::KeyPressRule(txtschat, KeyAscii, kit::kDigits);
}

template <class Wide>
void EstimationScreen<Wide>::txtschat_Change() {
  ForgetHelp();
  kit::ChangeRule(txtschat, kit::kDigits);
}

// The one box is the estimate; while no exercise is in hand there is none to help with.
template <class Wide>
kit::ScoringScreen::Hint EstimationScreen<Wide>::HelpPrompt(int level) {
  if (!cmdcontrole.Visible()) return {help::IdlePrompt(), -1};
  return {help::EstimatePrompt(double(deeltal), deler, level), 1};
}

template <class Wide>
QString EstimationScreen<Wide>::HelpReason() {
  return help::EstimateReason(double(deeltal), deler, kit::ReadNumber(txtschat.Text()),
                              BackColor() == kit::colours::kRight);
}

template class EstimationScreen<std::int16_t>;
template class EstimationScreen<std::int32_t>;

frmschat100::frmschat100(kit::Hub& hub) : EstimationScreen(hub, kSchat100) {}
frmschat::frmschat(kit::Hub& hub) : EstimationScreen(hub, kSchat) {}
frmkomma::frmkomma(kit::Hub& hub) : EstimationScreen(hub, kKomma) {}

}  // namespace estimate
