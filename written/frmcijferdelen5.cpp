#include "written/frmcijferdelen5.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "kit/accessible.h"
#include "kit/keyfilter.h"
#include "kit/numbers.h"

namespace written {

namespace {

using namespace board;
using namespace board::act;

constexpr int kSteps = 8;

const BoxStyle kDigit{375, 315, kit::Font{12, true}};       // dividend and subtraction rows
const BoxStyle kAnswer{495, 525, kit::Font{18}};            // quotient and divisor
const BoxStyle kHeadOver{375, 390, kit::Font{11.25, true}};  // heads over the dividend
const BoxStyle kHeadUnder{495, 525, kit::Font{15.75}};       // heads under the quotient
const BoxStyle kCommaOver{255, 315, kit::Font{12, true}};    // the dividend's comma
const BoxStyle kCommaUnder{495, 525, kit::Font{18, true}};   // the quotient's comma

// Left edges of the dividend's columns TD, D, H, T, E, t, h, d; the comma
// stands at 3360, between E and t.
const std::vector<int> kColumns{1560, 1920, 2280, 2640, 3000, 3600, 3960, 4320};
// Left edges of the quotient's columns, the comma at 7560.
const int kQuotientColumns[kSteps] = {5160, 5640, 6120, 6600, 7080, 8040, 8520, 9000};

constexpr int kThin = 3;  // pixels: the lines of this dense board

LineItem Bar(int x1, int y1, int x2, int y2, int width = kThin) { return {{x1, y1}, {x2, y2}, width}; }

// Dashes down column x, each from its top to its bottom.
void Dashes(std::vector<LineItem>& out, int x, std::initializer_list<std::pair<int, int>> spans) {
  for (auto [top, bottom] : spans) out.push_back(Bar(x, top, x, bottom));
}

const BoardPlan& Board() {
  static const BoardPlan board = [] {
    BoardPlan b;
    b.allowed = kit::kDigits;
    const char16_t* const places[kSteps] = {u"TD", u"D", u"H", u"T", u"E", u"t", u"h", u"d"};
    // Heads 0-4 and 10-12 over the dividend, 5-9 and 13-15 under the quotient.
    for (int j = 0; j < kSteps; ++j) {
      const int over = j < 5 ? j : j + 5;
      const int under = j < 5 ? j + 5 : j + 8;
      b.heads.push_back({over, {kColumns[std::size_t(j)], 120}, &kHeadOver, places[j]});
      b.heads.push_back({under, {kQuotientColumns[j], 2520}, &kHeadUnder, places[j]});
    }
    for (int j = 0; j < kSteps; ++j) b.dividend.push_back({{kColumns[std::size_t(j)], 720}, &kDigit});
    b.dividend[0].fore = kit::RGB(0, 128, 0);
    b.divisor = {{5160, 720}, &kAnswer};
    b.commas = {{{3360, 720}, &kCommaOver}, {{7560, 1800}, &kCommaUnder}};
    GroupPlan quotient{Grp::quotient, {}};
    for (int x : kQuotientColumns) quotient.items.push_back({{x, 1800}, &kAnswer});
    b.groups = {quotient};

    b.lnemin = {0,
                {Bar(1200, 1200, 1440, 1200), Bar(1200, 2040, 1440, 2040), Bar(1560, 2880, 1800, 2880),
                 Bar(1920, 3720, 2160, 3720), Bar(2280, 4560, 2520, 4560), Bar(2640, 5400, 2880, 5400),
                 Bar(3240, 6240, 3480, 6240), Bar(3600, 7080, 3840, 7080)}};
    b.lneHT1 = {0,
                {Bar(1560, 1440, 2040, 1440, 5), Bar(1560, 1440, 2280, 1440), Bar(1560, 2280, 2280, 2280),
                 Bar(1920, 3120, 2640, 3120), Bar(2280, 3960, 3000, 3960), Bar(2640, 4800, 3360, 4800),
                 Bar(3000, 5640, 3960, 5640), Bar(3600, 6480, 4320, 6480), Bar(3960, 7320, 4680, 7320)}};
    std::vector<LineItem>& e = b.lneE.lines;
    Dashes(e, 2160, {{1080, 1200}, {1320, 1440}});                                            // 0-1: D
    Dashes(e, 2520, {{1080, 1320}, {1440, 1680}, {1800, 1920}, {2040, 2280}});                // 2-5: H
    Dashes(e, 2880, {{1080, 1320}, {1440, 1680}, {1800, 2040}, {2160, 2400}, {2520, 2760},  // 6-11: T
                     {2880, 3120}});
    Dashes(e, 3240, {{1080, 1320}, {1440, 1680}, {1800, 2040}, {2160, 2520}, {2640, 3000},  // 12-18: E
                     {3120, 3480}, {3600, 3960}});
    Dashes(e, 3840, {{1080, 1440}, {1560, 1920}, {2040, 2400}, {2520, 2880}, {3000, 3360},  // 19-26: t
                     {3480, 3840}, {3960, 4320}, {4440, 4800}});
    Dashes(e, 4200, {{1080, 1440}, {1560, 1920}, {2040, 2400}, {2520, 2880}, {3000, 3360},  // 27-36: h
                     {3480, 3840}, {3960, 4320}, {4440, 4800}, {4920, 5280}, {5400, 5640}});
    Dashes(e, 4560, {{1080, 1440}, {1560, 1920}, {2040, 2400}, {2520, 2880}, {3000, 3360},  // 37-48: d
                     {3480, 3840}, {3960, 4320}, {4440, 4800}, {4920, 5280}, {5400, 5760},
                     {5880, 6120}, {6240, 6480}});
    b.lneHT = {{1560, 600}, {2520, 600}, 5, kit::RGB(0, 0, 192)};
    b.line1 = {{5040, 720}, {5040, 7680}, 7};
    b.line2 = {{5040, 1440}, {9720, 1440}, 7};
    b.shape1 = ShapeItem{{960, -120, 9015, 8055}, {}, kit::colours::kBlack};

    b.uitkomst = {5160, 3120, 4455, 525};
    b.uitkomstFont = kAnswer.font;
    b.lbldeler = {5760, 600, 855, 495};
    b.lbldeeltal = {7200, 600, 855, 495};
    b.lblQ = {7200, 0, 855, 495};
    // Between the verdict word and the frame's buttons.
    b.cmdhulp = {5160, 5190, 570, 570};
    b.lblhulp = {5820, 5115, 5940, 810};
    return b;
  }();
  return board;
}

// Product row k at 1080 + 840 (k - 1), its difference row 480 below.
const RowsPlan& Rows() {
  static const RowsPlan rows = [] {
    RowsPlan r{kSteps, kColumns, {}, {}, &kDigit, {5760, 0, 855, 495}, {5760, 3600, 855, 495}};
    for (int k = 1; k <= kSteps; ++k) {
      r.productTops.push_back(1080 + 840 * (k - 1));
      r.differenceTops.push_back(1560 + 840 * (k - 1));
    }
    return r;
  }();
  return rows;
}

// The dividend's digits as DividendDigit counts them.
enum Digit { kTD, kD, kH, kT, kE, kTiende, kHonderdste, kDuizendste };

const std::vector<Reaction>& Reactions() {
  static const std::vector<Reaction> table = {
      {Q(0), {Show(A(0)), Focus(A(0))}},
      {Q(1), {Show(A(3)), Show(A(4)), Focus(A(3)), ShowLines(Lines::min, 0, 1)}},
      {Q(2), {Show(A(7)), Focus(A(7))}},
      {Q(3), {Show(A(11)), Empty(A(11)), Focus(A(11))}},
      {Q(4), {Show(A(15)), Empty(A(15)), Focus(A(15))}},
      {Q(5), {Show(A(19)), Empty(A(19)), Focus(A(19))}},
      {Q(6), {Show(A(23)), Empty(A(23)), Focus(A(23))}},
      {Q(7), {Show(A(27)), Empty(A(27)), Focus(A(27))}},
      {A(0), {ShowLine(Lines::HT1, 0), Show(A(1)), Focus(A(1)), ShowLine(Lines::min, 0)}},
      {A(1), {ShowLines(Lines::E, 0, 1), Show(A(2)), BringDown(A(2), kD), Enable(Q(1)), Focus(Q(1))}},
      {A(3), {Focus(A(4))}},
      {A(4), {ShowLine(Lines::HT1, 2), Show(A(5)), Focus(A(5))}},
      {A(5), {Show(A(6)), BringDown(A(6), kH), Enable(Q(2)), Focus(Q(2)), ShowLines(Lines::E, 2, 5)}},
      {A(7), {Show(A(8)), Focus(A(8))}},
      {A(8), {Show(A(9)), ShowLine(Lines::min, 2), ShowLine(Lines::HT1, 3), Focus(A(9))}},
      {A(9), {Show(A(9)), ShowLines(Lines::E, 6, 11), Show(A(10)), BringDown(A(10), kT), Enable(Q(3)), Focus(Q(3))}},
      {A(11), {Show(A(12)), Empty(A(12)), Focus(A(12))}},
      {A(12), {Show(A(13)), Empty(A(13)), Focus(A(13)), ShowLine(Lines::min, 3), ShowLine(Lines::HT1, 4)}},
      {A(13), {Show(A(14)), BringDown(A(14), kE), Enable(Q(4)), Focus(Q(4)), ShowLines(Lines::E, 12, 18)}},
      {A(15), {Show(A(16)), Empty(A(16)), Focus(A(16))}},
      {A(16), {Show(A(17)), Empty(A(17)), Focus(A(17)), ShowLine(Lines::min, 4), ShowLine(Lines::HT1, 5)}},
      {A(17), {Show(A(18)), BringDown(A(18), kTiende), Focus(A(18)), ShowLines(Lines::E, 19, 26), Enable(Q(5)),
               Focus(Q(5))}},
      {A(19), {Show(A(20)), Empty(A(20)), Focus(A(20))}},
      {A(20), {Show(A(21)), Empty(A(21)), Focus(A(21)), ShowLine(Lines::min, 5), ShowLine(Lines::HT1, 6)}},
      {A(21), {Show(A(22)), BringDown(A(22), kHonderdste), Focus(A(22)), ShowLines(Lines::E, 27, 36),
               Enable(Q(6)), Focus(Q(6))}},
      {A(23), {Show(A(24)), Empty(A(24)), Focus(A(24))}},
      {A(24), {Show(A(25)), Empty(A(25)), Focus(A(25)), ShowLine(Lines::min, 6), ShowLine(Lines::HT1, 7)}},
      {A(25), {Show(A(26)), BringDown(A(26), kDuizendste), Focus(A(26)), ShowLines(Lines::E, 37, 48),
               Enable(Q(7)), Focus(Q(7))}},
      {A(27), {Show(A(28)), Empty(A(28)), Focus(A(28))}},
      {A(28), {Show(A(29)), Empty(A(29)), Focus(A(29)), ShowLine(Lines::min, 7), ShowLine(Lines::HT1, 8)}},
      {A(29), {Show(A(29)), Focus(A(29)), ShowLine(Lines::min, 7), ShowLine(Lines::HT1, 8), ShowControle()}},
      // After every subtraction box's own row: a first quotient box the pupil
      // emptied gets its 0 back.
      {Every(Grp::aftrek), {ZeroFirstQuotient()}},
  };
  return table;
}

const std::vector<Check>& Checks() {
  static const std::vector<Check> table = StepChecks(kSteps);
  return table;
}

}  // namespace

frmcijferdelen5::frmcijferdelen5(kit::Hub& hub)
    : DivisionScheme(hub, QStringLiteral("cijferen : delen met komma"), kit::colours::kBoardGrey,
                     Layout{{6480, 6000, 1815, 855}, {10320, 6000, 1575, 855}, {5160, 4320, 4335, 735}, 10800, 2640, 1560, 2760, 3600},
                     Verdicts{3, 3, 2}, Board(), Rows(), Reactions(), Checks()) {}

long long frmcijferdelen5::DividendDigit(int digit) const {
  const std::int32_t digits[kSteps] = {deeltalTD, deeltalD,      deeltalH,          deeltalT,
                                       deeltalE,  deeltalTiende, deeltalHonderdste, deeltalDuizendste};
  return digits[std::clamp(digit, 0, kSteps - 1)];
}

void frmcijferdelen5::MakeUp() {
  kit::RandomSource& random = hub_.Random();
  deler = static_cast<std::int16_t>(random.Divisor());
  lbldeler.SetCaption(kit::NumText(deler));
  // Int(r x 99999999) + 2 thousandths. A fine-grained r close to 1 makes
  // 100000000 (or, rounded, one more), which has no place on the board: it is
  // drawn again like the dividends of 10000,000 and below.
  std::int64_t drawn = 0;
  do {
    drawn = std::int64_t{random.Draw(99999999)} + 1;
  } while (drawn <= 10000000 || drawn >= 100000000);
  deeltal = static_cast<std::int32_t>(drawn);
  lbldeeltal.SetCaption(kit::NumText(deeltal));
  quotient = deeltal / deler;
  rest = static_cast<std::int16_t>(deeltal - deler * quotient);
  lblQ.SetCaption(PupilsQuotientText(double(quotient)));
  lblmultrest.SetCaption(kit::NumText(rest));
}

void frmcijferdelen5::SplitDividend() {
  std::int32_t left = deeltal;
  std::int32_t place = 10000000;
  for (std::int32_t* digit : {&deeltalTD, &deeltalD, &deeltalH, &deeltalT, &deeltalE, &deeltalTiende,
                              &deeltalHonderdste, &deeltalDuizendste}) {
    *digit = left / place;
    left -= *digit * place;
    place /= 10;
  }
  for (int j = 0; j < kSteps; ++j) txtdeeltal[j].SetText(kit::NumText(DividendDigit(j)));
  txtdeler.SetText(kit::NumText(deler));
  txtorde.ForEach([](kit::TextBox& b, int) { b.SetVisible(true); });
}

// The board is clear whenever START is on view (NIEUW, NOG EENS and STOP clear
// it), so START lays out the exercise without clearing.
void frmcijferdelen5::cmdstart_Click() {
  BeginWithoutClearing();
  for (int i = 0; i <= 4; ++i) txtquotient[i].SetVisible(true);
  MakeUp();
  SplitDividend();
  Open();
}

void frmcijferdelen5::ClearBoard() {
  DivisionScheme::ClearBoard();
  lblQuitkomst.SetCaption(QString());
  cmdcontrole.SetVisible(false);
  cmdnieuw.SetVisible(false);
  cmdstart.SetVisible(true);
}

void frmcijferdelen5::HideAfterClearing() {
  lnemin[0].SetVisible(false);
  lnemin[2].SetVisible(false);
  txtaftrek[0].SetVisible(false);
}

// Thousandths shown as the number they stand for, in the one conversion that
// also wrote lblQ, so the comparison never turns on how a number is written.
QString frmcijferdelen5::Task() const {
  return kit::SpokenDivision(kit::DecimalText(deeltal / 1000.0), lbldeler.Caption());
}

QString frmcijferdelen5::PupilsQuotientText(double digits) const { return kit::DecimalText(digits / 1000); }

void frmcijferdelen5::TakeUitkomst(double digits) {
  // Pasted texts can make the boxes read far past 64 bits; such a number is
  // held at the end of the range, never wrapped into a right-looking one.
  constexpr double kLimit = 9.2e18;
  uitkomst = std::isfinite(digits) ? static_cast<std::int64_t>(std::clamp(std::trunc(digits), -kLimit, kLimit))
                                   : std::int64_t{0};
}

}  // namespace written
