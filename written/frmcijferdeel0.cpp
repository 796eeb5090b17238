#include "written/frmcijferdeel0.h"

#include <algorithm>
#include <cmath>

#include "kit/keyfilter.h"
#include "kit/numbers.h"

namespace written {

namespace {

using namespace board;
using namespace board::act;

const BoxStyle kBox{735, 735, kit::Font{27.75}};
constexpr int kT = 1, kE = 2;  // the dividend's digits

const BoardPlan& Board() {
  static const BoardPlan board = [] {
    BoardPlan b;
    b.allowed = kit::kDigitsSignPoint;
    b.heads = {{0, {1560, 240}, &kBox, u"H"}, {1, {2280, 240}, &kBox, u"T"}, {2, {3000, 240}, &kBox, u"E"},
               {3, {4800, 3240}, &kBox, u"H"}, {4, {5520, 3240}, &kBox, u"T"}, {5, {6240, 3240}, &kBox, u"E"}};
    b.dividend = {{{1560, 1200}, &kBox}, {{2280, 1200}, &kBox}, {{3000, 1200}, &kBox}};
    b.divisor = {{4800, 1200}, &kBox};
    b.groups = {{Grp::quotient, {{{4800, 2280}, &kBox}, {{5520, 2280}, &kBox}, {{6240, 2280}, &kBox}}}};
    b.lnemin = {0, {{{840, 2400}, {1320, 2400}}, {{840, 4080}, {1320, 4080}}, {{1680, 5760}, {2160, 5760}}}};
    b.lneHT1 = {1, {{{1440, 2760}, {3120, 2760}}, {{1560, 4440}, {3000, 4440}}, {{2280, 6120}, {3720, 6120}}}};
    b.lneE = {0,
              {{{2640, 2040}, {2640, 2280}},
               {{2640, 2400}, {2640, 2640}},
               {{3360, 2040}, {3360, 2520}},
               {{3360, 2640}, {3360, 3120}},
               {{3360, 3240}, {3360, 3720}},
               {{3360, 3840}, {3360, 4440}}}};
    b.lneHT = {{1560, 1080}, {3000, 1080}, 5, kit::RGB(0, 0, 192)};
    b.line1 = {{4560, 960}, {4560, 7200}, 10};
    b.line2 = {{4560, 2160}, {8280, 2160}, 10};
    b.uitkomst = {4800, 2280, 2175, 735};
    b.uitkomstFont = kBox.font;
    b.lbldeler = {6000, 600, 855, 495};
    b.lbldeeltal = {7440, 600, 855, 495};
    b.lblQ = {7440, 0, 855, 495};
    // Between the verdict word and the frame's buttons.
    b.cmdhulp = {4800, 4935, 570, 570};
    b.lblhulp = {5460, 4905, 6300, 900};
    return b;
  }();
  return board;
}

const RowsPlan kRows{3,
                     {1560, 2280, 3000},
                     {1920, 3600, 5280},
                     {2880, 4560, 6240},
                     &kBox,
                     {6000, 0, 855, 495},
                     {3720, 0, 855, 495}};

const std::vector<Reaction>& Reactions() {
  static const std::vector<Reaction> table = {
      {Q(0), {Show(A(0)), Focus(A(0))}},
      {A(0), {ShowLine(Lines::HT1, 1), Show(A(1)), Focus(A(1)), ShowLine(Lines::min, 0)}},
      {A(1), {ShowLines(Lines::E, 0, 1), Show(A(2)), BringDown(A(2), kT), Enable(Q(1)), Focus(Q(1))}},
      {Q(1), {Show(A(3)), Show(A(4)), Focus(A(3)), ShowLines(Lines::min, 0, 1)}},
      {A(3), {Focus(A(4))}},
      {A(4), {ShowLine(Lines::HT1, 2), Show(A(5)), Focus(A(5))}},
      {A(5), {Show(A(6)), BringDown(A(6), kE), Enable(Q(2)), Focus(Q(2)), ShowLines(Lines::E, 2, 5)}},
      {Q(2), {Show(A(7)), Focus(A(7))}},
      {A(7), {Show(A(8)), Focus(A(8))}},
      {A(8), {Show(A(9)), ShowLine(Lines::min, 2), ShowLine(Lines::HT1, 3), Focus(A(9))}},
      {A(9), {Show(A(9)), ShowControle()}},
  };
  return table;
}

const std::vector<Check>& Checks() {
  // This board alone also holds the final difference against the remainder.
  static const std::vector<Check> table = [] {
    std::vector<Check> checks = StepChecks(3);
    checks.push_back(check::Remainder(A(FinalBox(3))));
    return checks;
  }();
  return table;
}

}  // namespace

frmcijferdeel0::frmcijferdeel0(kit::Hub& hub)
    : DivisionScheme(hub, QStringLiteral("cijferend delen zonder rest"), kit::colours::SystemWindowColour(),
                     Layout{{5640, 5880, 1815, 855}, {10200, 6000, 1575, 855}, {4800, 4080, 4335, 735}},
                     Verdicts{5, 4, 4}, Board(), kRows, Reactions(), Checks()) {}

long long frmcijferdeel0::DividendDigit(int digit) const {
  const std::int16_t digits[] = {deeltalH, deeltalT, deeltalE};
  return digits[std::clamp(digit, 0, kE)];
}

void frmcijferdeel0::MakeUp() {
  kit::RandomSource& random = hub_.Random();
  deler = static_cast<std::int16_t>(random.Divisor());
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
  Open();
  StartRules();
}

void frmcijferdeel0::TakeUitkomst(double digits) {
  uitkomst = std::isfinite(digits)
                 ? static_cast<std::int16_t>(std::clamp(std::trunc(digits), double(INT16_MIN), double(INT16_MAX)))
                 : std::int16_t{0};
}

}  // namespace written
