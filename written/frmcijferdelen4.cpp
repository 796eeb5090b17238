#include "written/frmcijferdelen4.h"

#include <algorithm>
#include <cmath>

#include "kit/keyfilter.h"
#include "kit/numbers.h"

namespace written {

namespace {

using namespace board;
using namespace board::act;

const BoxStyle kBox{495, 525, kit::Font{18}};
const BoxStyle kHead{495, 525, kit::Font{15.75}};
constexpr int kD = 1, kH = 2, kT = 3, kE = 4;  // the dividend's digits; TD is 0

// A dash of a bring-down line, straight down at x.
constexpr LineItem Dash(int x, int top, int bottom) { return {{x, top}, {x, bottom}}; }

const BoardPlan& Board() {
  static const BoardPlan board = [] {
    BoardPlan b;
    b.allowed = kit::kDigits;
    b.heads = {{0, {1560, 240}, &kHead, u"TD"}, {1, {2040, 240}, &kHead, u"D"}, {2, {2520, 240}, &kHead, u"H"},
               {3, {3000, 240}, &kHead, u"T"},  {4, {3480, 240}, &kHead, u"E"}, {5, {5160, 3240}, &kHead, u"TD"},
               {6, {5640, 3240}, &kHead, u"D"}, {7, {6120, 3240}, &kHead, u"H"}, {8, {6600, 3240}, &kHead, u"T"},
               {9, {7080, 3240}, &kHead, u"E"}};
    b.dividend = {{{1560, 1080}, &kBox, kit::RGB(0, 128, 0)},
                  {{2040, 1080}, &kBox},
                  {{2520, 1080}, &kBox},
                  {{3000, 1080}, &kBox},
                  {{3480, 1080}, &kBox}};
    b.divisor = {{5160, 1080}, &kBox};
    b.groups = {{Grp::quotient,
                 {{{5160, 2520}, &kBox}, {{5640, 2520}, &kBox}, {{6120, 2520}, &kBox}, {{6600, 2520}, &kBox},
                  {{7080, 2520}, &kBox}}}};
    b.lnemin = {0,
                {{{1200, 1800}, {1440, 1800}},
                 {{1200, 3000}, {1440, 3000}},
                 {{1680, 4200}, {1920, 4200}},
                 {{2160, 5400}, {2400, 5400}},
                 {{2640, 6600}, {2880, 6600}}}};
    b.lneHT1 = {0,
                {{{1560, 2160}, {2040, 2160}},
                 {{1560, 2160}, {2520, 2160}},
                 {{1560, 3360}, {2520, 3360}},
                 {{2040, 4560}, {3000, 4560}},
                 {{2520, 5760}, {3480, 5760}},
                 {{3000, 6960}, {3960, 6960}}}};
    b.lneE = {0,
              {Dash(2280, 1680, 1800), Dash(2280, 1920, 2040),
               Dash(2760, 1680, 2040), Dash(2760, 2160, 2400), Dash(2760, 2520, 2880), Dash(2760, 3000, 3360),
               Dash(3240, 1680, 2040), Dash(3240, 2160, 2520), Dash(3240, 2640, 3000), Dash(3240, 3120, 3480),
               Dash(3240, 3600, 3960), Dash(3240, 4080, 4560),
               Dash(3720, 1680, 2160), Dash(3720, 2280, 2760), Dash(3720, 2880, 3360), Dash(3720, 3480, 3960),
               Dash(3720, 4080, 4560), Dash(3720, 4680, 5160), Dash(3720, 5280, 5760)}};
    b.lneHT = {{1560, 960}, {2520, 960}, 5, kit::RGB(0, 0, 192)};
    b.line1 = {{4800, 1080}, {4800, 7560}, 10};
    b.line2 = {{4800, 2160}, {9480, 2160}, 10};
    b.uitkomst = {5160, 2520, 2415, 525};
    b.uitkomstFont = kBox.font;
    b.lbldeler = {6000, 1080, 855, 495};
    b.lbldeeltal = {7440, 1080, 855, 495};
    b.lblQ = {7440, 480, 855, 495};
    // Between the verdict word and the frame's buttons.
    b.cmdhulp = {5160, 5430, 570, 570};
    b.lblhulp = {5820, 5370, 5940, 690};
    return b;
  }();
  return board;
}

const RowsPlan kRows{5,
                     {1560, 2040, 2520, 3000, 3480},
                     {1560, 2760, 3960, 5160, 6360},
                     {2280, 3480, 4680, 5880, 7080},
                     &kBox,
                     {6000, 480, 855, 495},
                     {4080, 240, 855, 495}};

// Steps 4 and 5 empty their boxes as they show them, so that a corrected
// quotient digit clears the rows that were worked from it.
const std::vector<Reaction>& Reactions() {
  static const std::vector<Reaction> table = {
      {Q(0), {Show(A(0)), Focus(A(0))}},
      {A(0), {ShowLine(Lines::HT1, 0), Show(A(1)), Focus(A(1)), ShowLine(Lines::min, 0)}},
      {A(1), {ShowLines(Lines::E, 0, 1), Show(A(2)), BringDown(A(2), kD), Enable(Q(1)), Focus(Q(1))}},
      {Q(1), {Show(A(3)), Show(A(4)), Focus(A(3)), ShowLines(Lines::min, 0, 1)}},
      {A(3), {Focus(A(4))}},
      {A(4), {ShowLine(Lines::HT1, 2), Show(A(5)), Focus(A(5))}},
      {A(5), {Show(A(6)), BringDown(A(6), kH), Enable(Q(2)), Focus(Q(2)), ShowLines(Lines::E, 2, 5)}},
      {Q(2), {Show(A(7)), Focus(A(7))}},
      {A(7), {Show(A(8)), Focus(A(8))}},
      {A(8), {Show(A(9)), ShowLine(Lines::min, 2), ShowLine(Lines::HT1, 3), Focus(A(9))}},
      {A(9), {Show(A(9)), ShowLines(Lines::E, 6, 11), Show(A(10)), BringDown(A(10), kT), Enable(Q(3)), Focus(Q(3))}},
      {Q(3), {Show(A(11)), Empty(A(11)), Focus(A(11))}},
      {A(11), {Show(A(12)), Empty(A(12)), Focus(A(12))}},
      {A(12), {Show(A(13)), Empty(A(13)), Focus(A(13)), ShowLine(Lines::min, 3), ShowLine(Lines::HT1, 4)}},
      {A(13), {Show(A(14)), BringDown(A(14), kE), Enable(Q(4)), Focus(Q(4)), ShowLines(Lines::E, 12, 18)}},
      {Q(4), {Show(A(15)), Empty(A(15)), Focus(A(15))}},
      {A(15), {Show(A(16)), Empty(A(16)), Focus(A(16))}},
      {A(16),
       {Show(A(17)), Empty(A(17)), Focus(A(17)), ShowLine(Lines::min, 4), ShowLine(Lines::HT1, 5), ShowControle(),
        ZeroFirstQuotient()}},
  };
  return table;
}

// The final remainder is judged by CONTROLE's verdict alone, not by a row check.
const std::vector<Check>& Checks() {
  static const std::vector<Check> table = StepChecks(5);
  return table;
}

}  // namespace

frmcijferdelen4::frmcijferdelen4(kit::Hub& hub)
    : DivisionScheme(hub, QStringLiteral("cijferen : delen< 100 000"), kit::colours::kBoardGrey,
                     Layout{{6480, 6120, 1815, 855}, {10320, 6360, 1575, 855}, {5160, 4560, 4335, 735}},
                     Verdicts{3, 3, 2}, Board(), kRows, Reactions(), Checks()) {}

long long frmcijferdelen4::DividendDigit(int digit) const {
  const std::int32_t digits[] = {deeltalTD, deeltalD, deeltalH, deeltalT, deeltalE};
  return digits[std::clamp(digit, 0, kE)];
}

void frmcijferdelen4::MakeUp() {
  kit::RandomSource& random = hub_.Random();
  deler = static_cast<std::int16_t>(random.Divisor());
  lbldeler.SetCaption(kit::NumText(deler));
  do {
    deeltal = random.Draw(99999);
  } while (deeltal <= 10000);
  quotient = deeltal / deler;
  rest = static_cast<std::int16_t>(deeltal - deler * quotient);
  lbldeeltal.SetCaption(kit::NumText(deeltal));
  lblQ.SetCaption(kit::NumText(quotient));
  lblmultrest.SetCaption(kit::NumText(rest));
}

void frmcijferdelen4::SplitDividend() {
  deeltalTD = deeltal / 10000;
  std::int32_t left = deeltal - 10000 * deeltalTD;
  deeltalD = static_cast<std::int16_t>(left / 1000);
  left -= 1000 * deeltalD;
  deeltalH = static_cast<std::int16_t>(left / 100);
  left -= 100 * deeltalH;
  deeltalT = static_cast<std::int16_t>(left / 10);
  deeltalE = static_cast<std::int16_t>(left - 10 * deeltalT);
  for (int i = 0; i <= kE; ++i) txtdeeltal[i].SetText(kit::NumText(DividendDigit(i)));
  txtdeler.SetText(kit::NumText(deler));
  txtorde.ForEach([](kit::TextBox& b, int) { b.SetVisible(true); });
}

// START leaves the board as it finds it: NIEUW, NOG EENS and STOP have all
// cleared it before START is offered again.
void frmcijferdelen4::cmdstart_Click() {
  BeginWithoutClearing();
  txtquotient.ForEach([](kit::TextBox& b, int) { b.SetVisible(true); });
  MakeUp();
  SplitDividend();
  Open();
}

void frmcijferdelen4::TakeUitkomst(double digits) {
  uitkomst = std::isfinite(digits)
                 ? static_cast<std::int32_t>(std::clamp(std::trunc(digits), double(INT32_MIN), double(INT32_MAX)))
                 : std::int32_t{0};
}

}  // namespace written
