#include "written/frmcijferdeel0.h"

#include <algorithm>
#include <cmath>

#include "kit/keyfilter.h"
#include "kit/numbers.h"

namespace written {

namespace {

using namespace step;
const QColor kGreen = kit::RGB(0, 128, 0);
const kit::Font kDigits{27.75};
constexpr Size kBox{735, 735};
constexpr int kH = 0, kT = 1, kE = 2;  // the dividend's digits

const BoardPlan& Board() {
  static const BoardPlan board = [] {
    BoardPlan b;
    b.steps = 3;
    b.allowed = kit::kDigitsSignPoint;
    b.digitBox = b.answerBox = kBox;
    b.digitFont = b.answerFont = b.headFont = b.uitkomstFont = kDigits;
    b.heads = {{{1560, 240, 735, 735}, u"H"}, {{2280, 240, 735, 735}, u"T"}, {{3000, 240, 735, 735}, u"E"},
               {{4800, 3240, 735, 735}, u"H"}, {{5520, 3240, 735, 735}, u"T"}, {{6240, 3240, 735, 735}, u"E"}};
    b.dividend = {{1560, 1200}, {2280, 1200}, {3000, 1200}};
    b.divisor = {4800, 1200};
    b.quotient = {{4800, 2280}, {5520, 2280}, {6240, 2280}};
    b.columns = {1560, 2280, 3000};
    b.productTops = {1920, 3600, 5280};
    b.differenceTops = {2880, 4560, 6240};
    b.lineColour = kGreen;
    b.lnemin = {0, {{{840, 2400}, {1320, 2400}}, {{840, 4080}, {1320, 4080}}, {{1680, 5760}, {2160, 5760}}}};
    b.lneHT1 = {1, {{{1440, 2760}, {3120, 2760}}, {{1560, 4440}, {3000, 4440}}, {{2280, 6120}, {3720, 6120}}}};
    b.lneE = {0,
              {{{2640, 2040}, {2640, 2280}},
               {{2640, 2400}, {2640, 2640}},
               {{3360, 2040}, {3360, 2520}},
               {{3360, 2640}, {3360, 3120}},
               {{3360, 3240}, {3360, 3720}},
               {{3360, 3840}, {3360, 4440}}}};
    b.lneHT = {{1560, 1080}, {3000, 1080}};
    b.lneHTColour = kit::RGB(0, 0, 192);
    b.line1 = {{4560, 960}, {4560, 7200}};
    b.line2 = {{4560, 2160}, {8280, 2160}};
    b.uitkomst = {4800, 2280, 2175, 735};
    b.lbldeler = {6000, 600, 855, 495};
    b.lbldeeltal = {7440, 600, 855, 495};
    b.lblQ = {7440, 0, 855, 495};
    b.lblmultrest = {6000, 0, 855, 495};
    b.lblQuitkomst = {3720, 0, 855, 495};
    return b;
  }();
  return board;
}

const std::vector<Reaction>& Reactions() {
  static const std::vector<Reaction> table = {
      {Q(0), {Show(0), Focus(0)}},
      {A(0), {Line(LineSet::HT1, 1), Show(1), Focus(1), Line(LineSet::Min, 0)}},
      {A(1), {Lines(LineSet::E, 0, 1), Show(2), BringDown(2, kT), OpenQuotient(1)}},
      {Q(1), {Show(3), Show(4), Focus(3), Lines(LineSet::Min, 0, 1)}},
      {A(3), {Focus(4)}},
      {A(4), {Line(LineSet::HT1, 2), Show(5), Focus(5)}},
      {A(5), {Show(6), BringDown(6, kE), OpenQuotient(2), Lines(LineSet::E, 2, 5)}},
      {Q(2), {Show(7), Focus(7)}},
      {A(7), {Show(8), Focus(8)}},
      {A(8), {Show(9), Line(LineSet::Min, 2), Line(LineSet::HT1, 3), Focus(9)}},
      {A(9), {Show(9), ShowControle()}},
  };
  return table;
}

const std::vector<Check>& Checks() {
  using namespace check;
  static const std::vector<Check> table = {
      FirstDifference(1, 0),
      Difference(5, Two(1, 2), Two(3, 4)),
      Difference(9, Two(5, 6), Two(7, 8)),
      Remainder(9),
      Product(One(0), 0),
      Product(Two(3, 4), 1),
      Product(Two(7, 8), 2),
  };
  return table;
}

constexpr int kFinal = DifferenceBox(3);

}  // namespace

frmcijferdeel0::frmcijferdeel0(kit::Hub& hub)
    : DivisionScheme(hub, QStringLiteral("cijferend delen zonder rest"), kit::colours::SystemWindowColour(),
                     Layout{{5640, 5880, 1815, 855}, {10200, 6000, 1575, 855}, {4800, 4080, 4335, 735}},
                     Verdicts{5, 4, 4}, Board(), Reactions(), Checks()) {}

long long frmcijferdeel0::DividendDigit(int digit) const {
  const std::int16_t digits[] = {deeltalH, deeltalT, deeltalE};
  return digits[std::clamp(digit, kH, kE)];
}

void frmcijferdeel0::MakeUp() {
  kit::RandomSource& random = hub_.Random();
  do {
    deler = static_cast<std::int16_t>(random.Draw(9));
  } while (deler <= 1);
  lbldeler.SetCaption(kit::NumText(deler));
  // At most 999 x 9 = 8991: fits the 16 bits.
  do {
    deeltal = static_cast<std::int16_t>(random.Draw(999) * deler);
  } while (deeltal >= 1000 || deeltal <= 100);
  deeltalH = static_cast<std::int16_t>(deeltal / 100);
  deeltalT = static_cast<std::int16_t>((deeltal - 100 * deeltalH) / 10);
  deeltalE = static_cast<std::int16_t>(deeltal - 100 * deeltalH - 10 * deeltalT);
  quotient = deeltal / deler;
  rest = 0;

  txtdeeltal[0].SetText(kit::NumText(deeltalH));
  txtdeeltal[1].SetText(kit::NumText(deeltalT));
  txtdeeltal[2].SetText(kit::NumText(deeltalE));
  txtdeler.SetText(kit::NumText(deler));
  lbldeeltal.SetCaption(kit::NumText(deeltal));
  lblQ.SetCaption(kit::NumText(quotient));
  lblmultrest.SetCaption(kit::NumText(rest));
}

void frmcijferdeel0::cmdstart_Click() {
  hub_.Random().Randomize();
  ClearBoard();
  txtorde.ForEach([](kit::TextBox& b, int) { b.SetVisible(true); });
  txtquotient.ForEach([](kit::TextBox& b, int) { b.SetVisible(true); });
  MakeUp();
  if (deeltalH >= deler) {
    txtquotient[0].SetEnabled(true);
    txtquotient[0].SetFocus();
  } else {
    // The hundreds digit does not hold the divisor: the screen writes the
    // first step with a 0, through the same reactions as the pupil's typing.
    for (int i = 0; i <= 2; ++i) txtaftrek[i].SetVisible(true);
    txtaftrek[0].SetText(QStringLiteral("0"));
    txtaftrek[1].SetText(kit::NumText(deeltalH));
    txtaftrek[2].SetText(kit::NumText(deeltalT));
    txtquotient[0].SetEnabled(false);
    txtquotient[0].SetVisible(true);
    txtquotient[0].SetText(QStringLiteral("0"));
    txtquotient[0].SetItalic(true);
    txtquotient[1].SetFocus();
    lneHT1[1].SetVisible(true);
    lneE[0].SetVisible(true);
    lneE[1].SetVisible(true);
    lneHT.SetVisible(true);
  }
  StartRules();
}

// Emptying is quiet: clearing must not set off the step reactions.
void frmcijferdeel0::ClearBoard() {
  txtquotient.ForEach([](kit::TextBox& b, int) {
    b.SetTextQuiet(QString());
    b.SetVisible(true);
    b.SetEnabled(false);
  });
  txtaftrek.ForEach([](kit::TextBox& b, int) {
    b.SetTextQuiet(QString());
    b.SetVisible(false);
    b.SetBackColor(kit::colours::kFresh);
  });
  for (kit::Group<kit::Line>* lines : {&lneE, &lnemin, &lneHT1})
    lines->ForEach([](kit::Line& l, int) { l.SetVisible(false); });
  txtdeeltal.ForEach([](kit::TextBox& b, int) { b.SetTextQuiet(QString()); });
  txtdeler.SetTextQuiet(QString());
  lneHT.SetVisible(false);
  lbluitkomst.SetCaption(QString());
  lbluitkomst.SetVisible(false);
  txtquotient[0].SetItalic(false);
  ClearFrame();
}

void frmcijferdeel0::cmdcontrole_Click() {
  cmdcontrole.SetVisible(false);
  FillEmptyWithZero();
  CheckRows(rest);
  // Read in wide arithmetic: pasted long texts make numbers far past 16 bits,
  // and the label keeps the pupil's number exactly, so that neither such a
  // number nor a fraction can ever pass for the quotient.
  const double pupils = QuotientNumber();
  lbluitkomst.SetCaption(NumberText(pupils));
  lbluitkomst.SetVisible(true);
  uitkomst = std::isfinite(pupils)
                 ? static_cast<std::int16_t>(std::clamp(std::trunc(pupils), double(INT16_MIN), double(INT16_MAX)))
                 : std::int16_t{0};
  lblQuitkomst.SetCaption(NumberText(pupils));
  txtquotient.ForEach([](kit::TextBox& b, int) { b.SetVisible(false); });
  const bool correct =
      lblQuitkomst.Caption() == lblQ.Caption() && txtaftrek[kFinal].Text() == lblmultrest.Caption();
  Judge(correct);
}

}  // namespace written
