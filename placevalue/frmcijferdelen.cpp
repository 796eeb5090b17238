#include "placevalue/frmcijferdelen.h"

#include "help/help.h"
#include "kit/keyfilter.h"
#include "kit/numbers.h"

namespace placevalue {

namespace {

using namespace board;
using namespace board::act;

const BoxStyle kBox{735, 735, kit::Font{27.75}};
// Work columns H, T, E under the dividend, and the quotient's columns.
constexpr int kH = 2160, kT = 2880, kE = 3600;
constexpr int kQH = 5400, kQT = 6120, kQE = 6840;
constexpr int kPupilsQuotient = 1;  // the routine the remainder box sets off

const BoardRow kFirstBoard{2160,
                           1080, 2400, 3240,
                           1920, 2880, 3720, 4680, 5520, 6480,
                           {2520, 4200, 6120},
                           {2760, 2760, 4560, 6360},
                           {{1920, 2400}, {2520, 3000}, {2040, 2520}, {2640, 3120}, {3240, 3720}, {3840, 4320}},
                           1080, 7200, 2160};

// Everything 120 lower, the upper heads 120 further left; lneHT stays.
const BoardRow kTwinBoard{2040,
                          1200, 2520, 3360,
                          2040, 3000, 3840, 4800, 5640, 6600,
                          {2640, 4320, 6240},
                          {2880, 2880, 4680, 6480},
                          {{2040, 2520}, {2640, 3120}, {2160, 2640}, {2760, 3240}, {3360, 3840}, {3960, 4440}},
                          1200, 7320, 2280};

const PlaceValueRow kFirst{kFirstBoard,
                           {{5760, 5880, 1815, 855}, {9960, 6120, 1815, 855}, {5400, 4800, 3495, 735}},
                           Click::Empty,
                           Click::Nothing,
                           false,
                           false};
const PlaceValueRow kTwin{kTwinBoard,
                          {{5880, 6000, 1815, 855}, {9960, 6120, 1815, 855}, {5400, 4680, 3495, 735}},
                          Click::EmptyAndFocus,
                          Click::EmptyAndFocus,
                          true,
                          true};

BoardPlan Plan(const PlaceValueRow& row) {
  const BoardRow& r = row.board;
  BoardPlan b;
  b.allowed = kit::kDigits;
  const int u = r.upperHeadsLeft;
  b.heads = {{0, {u, 120}, &kBox, u"H"},
             {1, {u + 720, 120}, &kBox, u"T"},
             {2, {u + 1440, 120}, &kBox, u"E"},
             {3, {kQH, r.lowerHeadsTop}, &kBox, u"H"},
             {4, {kQT, r.lowerHeadsTop}, &kBox, u"T"},
             {5, {kQE, r.lowerHeadsTop}, &kBox, u"E"}};
  b.dividend = {{{kH, r.dividendTop}, &kBox}, {{kT, r.dividendTop}, &kBox}, {{kE, r.dividendTop}, &kBox}};
  b.divisor = {{kQH, r.dividendTop}, &kBox};
  auto one = [](Grp g, int left, int top, Click click) { return GroupPlan{g, {{{left, top}, &kBox}}, click}; };
  b.groups = {
      {Grp::quotient,
       {{{kQH, r.quotientTop}, &kBox}, {{kQT, r.quotientTop}, &kBox}, {{kQE, r.quotientTop}, &kBox}},
       Click::EmptyAndFocus},
      one(Grp::Hx, kH, r.HxTop, row.productClick),
      one(Grp::Hr, kH, r.HrTop, row.differenceClick),
      {Grp::T,
       {{{kT, r.HrTop}, &kBox, {}, u"bijgehaald tientallen"}, {{kH, r.TproductTop}, &kBox}, {{kT, r.TproductTop}, &kBox}},
       row.productClick},
      one(Grp::Tr, kT, r.TrTop, row.differenceClick),
      {Grp::E,
       {{{kE, r.TrTop}, &kBox, {}, u"bijgehaald eenheden"}, {{kT, r.EproductTop}, &kBox}, {{kE, r.EproductTop}, &kBox}},
       Click::EmptyAndFocus},
      one(Grp::rest, kE, r.restTop, Click::EmptyAndFocus),
  };
  b.lnemin = {0,
              {{{1440, r.lneminY[0]}, {1920, r.lneminY[0]}},
               {{1440, r.lneminY[1]}, {1920, r.lneminY[1]}},
               {{2160, r.lneminY[2]}, {2640, r.lneminY[2]}}}};
  b.lneHT1 = {0,
              {{{2040, r.lneHT1Y[0]}, {3000, r.lneHT1Y[0]}},
               {{2040, r.lneHT1Y[1]}, {3720, r.lneHT1Y[1]}},
               {{2160, r.lneHT1Y[2]}, {4200, r.lneHT1Y[2]}},
               {{2880, r.lneHT1Y[3]}, {4320, r.lneHT1Y[3]}}}};
  for (int i = 0; i < 6; ++i) {
    const int x = i < 2 ? 3240 : 3960;  // under the T digit, then under the E digit
    b.lneE.lines.push_back({{x, r.lneEDown[i][0]}, {x, r.lneEDown[i][1]}});
  }
  b.lneHT = {{2160, 960}, {3600, 960}, 5, kit::RGB(0, 0, 192)};
  b.line1 = {{5160, r.line1Top}, {5160, r.line1Bottom}, 10};
  b.line2 = {{5160, r.line2Y}, {8880, r.line2Y}, 10};
  b.shape1 = ShapeItem{{1080, 0, 8295, 7935}, {}, kit::RGB(128, 128, 128)};
  b.uitkomst = {kQH, r.quotientTop, 2175, 735};
  b.uitkomstFont = kBox.font;
  b.lblQ = {120, 5640, 855, 615};
  b.lbldeler = {120, 6360, 855, 615};
  b.lbldeeltal = {120, 7080, 855, 615};
  // Under the quotient's heads and the counters, above the verdict word.
  constexpr int kHintTop = 4110;
  b.cmdhulp = {5400, kHintTop, 540, 540};
  b.lblhulp = {6030, kHintTop, 5730, row.layout.prima.top - kHintTop - 15};
  return b;
}

const BoardPlan& FirstPlan() {
  static const BoardPlan plan = Plan(kFirst);
  return plan;
}
const BoardPlan& TwinPlan() {
  static const BoardPlan plan = Plan(kTwin);
  return plan;
}

constexpr Guard kNieuw = Guard::NotWhileNieuw;

// The order of work: T digit, T product, T difference (E comes down), E digit,
// E product, remainder; on the twin the H step before it when the leading
// digit holds the divisor.
std::vector<Reaction> Steps() {
  return {
      {Every(Grp::quotient), {ShowLine(Lines::min, 0)}},
      {Q(0), {Show(Hx(0)), Focus(Hx(0)), ShowLine(Lines::HT1, 0)}, Guard::LeadingHoldsDivisor},
      {Every(Grp::quotient), {ShowLine(Lines::HT1, 1)}, Guard::LeadingBelowDivisor},
      {Q(1), {Show(T(1)), Focus(T(1))}},
      {Q(2), {Show(E(1)), Show(E(2)), ShowLine(Lines::min, 2), ShowLine(Lines::HT1, 3), Focus(E(1))}},
      {Hx(0), {Show(Hr()), Focus(Hr()), Show(T(0))}},
      {Hr(), {ShowLines(Lines::E, 0, 1)}},
      {Hr(), {Show(T(0)), CopyText(T(0), D(1)), Show(Q(1)), Enable(Q(1)), Focus(Q(1)), Empty(Tr())}, kNieuw},
      {T(0), {Enable(Q(1))}, kNieuw},
      {T(1), {ShowLine(Lines::min, 1), ShowLine(Lines::HT1, 2), Show(Tr()), Show(T(2)), Focus(T(2))}, kNieuw},
      {T(2), {Focus(Tr())}, kNieuw},
      {Tr(), {ShowLines(Lines::E, 2, 5), Show(E(0)), Focus(E(0)), CopyText(E(0), D(2))}},
      {E(0), {Enable(Q(2)), Focus(Q(2))}, kNieuw},
      {E(1), {Focus(E(2))}, kNieuw},
      {E(2), {Show(Rest()), Focus(Rest())}, kNieuw},
      {Rest(), {Departure(kPupilsQuotient)}},
  };
}

const std::vector<Reaction>& Reactions(bool focusAfterBringingT) {
  static const std::vector<Reaction> first = Steps();
  static const std::vector<Reaction> twin = [] {
    std::vector<Reaction> table = Steps();
    table.push_back({T(0), {Focus(Q(1))}, kNieuw});
    return table;
  }();
  return focusAfterBringingT ? twin : first;
}

// Each difference against the pupil's own rows above it, each product against
// the pupil's quotient digit times the divisor.
const std::vector<Check>& Checks() {
  static const std::vector<Check> table = {
      check::Difference(Hr(), One(D(0)), One(Hx(0))),
      check::Difference(Tr(), Two(Hr(), T(0)), Two(T(1), T(2))),
      check::Difference(Rest(), Two(Tr(), E(0)), Two(E(1), E(2))),
      check::Remainder(Rest()),
      check::Product(One(Hx(0)), Q(0)),
      check::Product(Two(T(1), T(2)), Q(1)),
      check::Product(Two(E(1), E(2)), Q(2)),
  };
  return table;
}

// CONTROLE writes "0" into what the pupil left empty, in this order.
const std::vector<Box> kZeroOrder = {T(0), T(1), T(2), E(0), E(1), E(2), Rest(), Hx(0), Hr(), Tr()};
const Grp kWork[] = {Grp::Hx, Grp::Hr, Grp::T, Grp::Tr, Grp::E, Grp::rest};

}  // namespace

// ---------------------------------------------------------------- the shared screen

PlaceValueScreen::PlaceValueScreen(kit::Hub& hub, const PlaceValueRow& row)
    : BoardScreen(hub, QStringLiteral("cijferen : delen"), kit::colours::kBoardGrey, row.layout, Verdicts{5, 4, 4},
                  row.focusAfterBringingT ? TwinPlan() : FirstPlan(), Reactions(row.focusAfterBringingT), Checks(), help::BoardWords()),
      txtHx(Group(Grp::Hx)),
      txtHr(Group(Grp::Hr)[0]),
      txtT(Group(Grp::T)),
      txtTr(Group(Grp::Tr)[0]),
      txtE(Group(Grp::E)),
      txtrest(Group(Grp::rest)[0]),
      Image2(*this, {11280, 7440, 480, 420}, QStringLiteral(":/res/pv_columns.svg")),
      row_(row) {}

long long PlaceValueScreen::DividendDigit(int digit) const {
  return digit <= 0 ? deeltalH : digit == 1 ? deeltalT : deeltalE;
}

void PlaceValueScreen::MakeDivisor() {
  kit::RandomSource& random = hub_.Random();
  deler = static_cast<std::int16_t>(random.Divisor());
}

void PlaceValueScreen::FillDividend() {
  deeltalH = static_cast<std::int16_t>(deeltal / 100);
  deeltalT = static_cast<std::int16_t>((deeltal - 100 * deeltalH) / 10);
  deeltalE = static_cast<std::int16_t>(deeltal - 100 * deeltalH - 10 * deeltalT);
  lbldeler.SetCaption(kit::NumText(deler));
  lbldeeltal.SetCaption(kit::NumText(deeltal));
  txtdeler.SetText(kit::NumText(deler));
  txtdeeltal[0].SetText(kit::NumText(deeltalH));
  txtdeeltal[1].SetText(kit::NumText(deeltalT));
  txtdeeltal[2].SetText(kit::NumText(deeltalE));
}

// START does not clear the board: on the first screen a second START during
// an exercise lays the new division over what is there.
void PlaceValueScreen::cmdstart_Click() {
  hub_.Random().Randomize();
  txtorde.ForEach([](kit::TextBox& b, int) { b.SetVisible(true); });
  txtdeeltal.ForEach([](kit::TextBox& b, int) { b.SetText(QString()); });
  txtquotient.ForEach([](kit::TextBox& b, int) { b.SetVisible(true); });
  txtdeler.SetText(QString());
  lneHT.SetVisible(false);
  MakeUp();
  Open();
  StartRules();
}

// The pupil starts in the H digit of the quotient, or, when the leading digit
// does not hold the divisor, the screen writes the H step with a 0 itself,
// through the same reactions as the pupil's typing, and the pupil starts at T.
void PlaceValueScreen::Open() {
  if (LeadingDigitHoldsDivisor()) {
    txtquotient[0].SetEnabled(true);
    txtquotient[0].SetFocus();
    return;
  }
  WriteZeroQuotient();
  lneHT.SetVisible(true);
  txtHx[0].SetVisible(true);
  txtHx[0].SetText(QStringLiteral("0"));
  txtHr.SetVisible(true);
  txtHr.SetText(txtdeeltal[0].Text());
  txtT[0].SetVisible(true);
  txtT[0].SetText(txtdeeltal[1].Text());
  lneHT1[1].SetVisible(true);
  lnemin[0].SetVisible(true);
  // The hundreds left over and the tens beside them read as one number of tens.
  Say(txtHr.Text() + txtT[0].Text() + QStringLiteral(" tientallen."));
}

void PlaceValueScreen::Departure(int which) {
  if (which == kPupilsQuotient) PupilsQuotient();
}

// Once the remainder is typed the quotient stands as one number, in the
// quotient boxes' place.
void PlaceValueScreen::PupilsQuotient() {
  lbluitkomst.SetVisible(true);
  if (txtquotient[0].Text().isEmpty()) txtquotient[0].SetText(QStringLiteral("0"));
  lbluitkomst.SetCaption(kit::DecimalText(DigitsNumber(Grp::quotient)));
  txtquotient.ForEach([](kit::TextBox& b, int) { b.SetVisible(false); });
  cmdcontrole.SetVisible(true);
  cmdcontrole.SetFocus();
}

void PlaceValueScreen::cmdcontrole_Click() {
  FillEmptyWithZero(kZeroOrder);
  CheckRows(Remainder());
  // The label is read as it stands now: a quotient digit changed after the
  // remainder was typed (the pupil can go back to the H difference with Tab,
  // which opens the T digit again) must not leave the old quotient judged.
  PupilsQuotient();
  cmdcontrole.SetVisible(false);
  const bool correct = lbluitkomst.Caption() == lblQ.Caption() &&
                       (!row_.remainderCounts || kit::ReadNumber(txtrest.Text()) == Remainder());
  Score(correct);
  if (correct) TenExerciseVerdict();
  OfferNieuw();
  Verdict();
  OfferReason();
}

// The series verdict comes at exactly five: a second START during an
// exercise (first screen) can carry the count past it.
void PlaceValueScreen::Verdict() {
  if (reeksgemaakt == SeriesVerdicts().length) SeriesScreen::Verdict();
}

// A count carried past five meets a second verdict at ten, after a correct
// exercise; 6 of 10 is not enough for "prima". The series then starts over.
// A count carried past ten too (more STARTs during an exercise) meets it at
// the next correct exercise: it would never meet a verdict again, and with
// STOP hidden until one the pupil could not leave the screen.
void PlaceValueScreen::TenExerciseVerdict() {
  if (reeksgemaakt < 10) return;
  lblprima.SetCaption(reeksjuist > 6 ? QStringLiteral("prima") : QStringLiteral("kan beter"));
  lblprima.SetVisible(true);
  SeriesReset();
}

void PlaceValueScreen::AfterNieuw() {
  // The quotient boxes go too: the next exercise shows them at START.
  ClearQuietly(Grp::quotient, false);
  // A series carried to ten (or past it) by a wrong exercise starts over here.
  if (reeksgemaakt >= 10) ResetCounts();
}

// The empty quotient boxes stand ready until START.
void PlaceValueScreen::AfterNogEens() { ClearQuietly(Grp::quotient, true, true); }

// ---------------------------------------------------------------- clearing

void PlaceValueScreen::Wipe(Box box, bool visible) {
  kit::TextBox& b = Boxes(box);
  b.SetText(QString());
  b.SetBackColor(kit::colours::kFresh);
  b.SetVisible(visible);
}

void PlaceValueScreen::WipeGroup(Grp group, bool visible, std::optional<bool> enabled) {
  Group(group).ForEach([&](kit::TextBox& b, int i) {
    Wipe({group, i}, visible);
    if (enabled) b.SetEnabled(*enabled);
  });
}

// The emptied texts set off their reactions; while NIEUW is on view most of
// them hold still, and what they open otherwise is closed again at the end.
void PlaceValueScreen::ClearRows(bool quotientReady) {
  txtdeler.SetText(QString());
  for (Box b : {Rest(), Tr(), Hr(), Hx(0)}) Wipe(b, false);
  txtquotient[0].SetItalic(false);
  lbluitkomst.SetVisible(false);
  lbluitkomst.SetCaption(QString());
  lneHT.SetVisible(false);
  cmdstart.SetVisible(true);
  cmdstart.SetFocus();
  WipeGroup(Grp::quotient, quotientReady, quotientReady);
  txtdeeltal.ForEach([](kit::TextBox& b, int) { b.SetText(QString()); });
  WipeGroup(Grp::E, false);
  WipeGroup(Grp::T, false);
  HideLines();
  txtorde.ForEach([](kit::TextBox& b, int) { b.SetVisible(false); });
  Settle(quotientReady);
}

void PlaceValueScreen::Settle(bool quotientReady) {
  for (Grp g : kWork) ClearQuietly(g, false);
  ClearQuietly(Grp::quotient, quotientReady, quotientReady);
  txtquotient[0].SetItalic(false);
  HideLines();
  lbluitkomst.SetVisible(false);
  lbluitkomst.SetCaption(QString());
  cmdcontrole.SetVisible(false);
  cmdnieuw.SetVisible(false);
  cmdstart.SetVisible(true);
  cmdstart.SetFocus();
}

// ---------------------------------------------------------------- frmcijferdelen

frmcijferdelen::frmcijferdelen(kit::Hub& hub) : PlaceValueScreen(hub, kFirst) {}

void frmcijferdelen::MakeUp() {
  kit::RandomSource& random = hub_.Random();
  MakeDivisor();
  // Redrawn until the tens step gives a two-digit product.
  do {
    quotientT = static_cast<std::int16_t>(random.Draw(99));
  } while (deler * quotientT <= 10 || quotientT >= 10);
  quotientE = static_cast<std::int16_t>(random.Draw(9));
  quotient = 10 * quotientT + quotientE;
  deeltal = static_cast<std::int16_t>(deler * quotient);
  lblQ.SetCaption(kit::NumText(quotient));
  FillDividend();
}

// The first screen's clear routine: the rows, then the frame.
void frmcijferdelen::ClearBoard() {
  ClearRows(false);
  ClearFrame();
}

// ---------------------------------------------------------------- frmcijferdelen2

frmcijferdelen2::frmcijferdelen2(kit::Hub& hub) : PlaceValueScreen(hub, kTwin) {}

void frmcijferdelen2::MakeUp() {
  MakeDivisor();
  deeltal = static_cast<std::int16_t>(hub_.Random().Draw(999));
  lblQ.SetCaption(kit::NumText(deeltal / deler));
  rest = static_cast<std::int16_t>(deeltal - (deeltal / deler) * deler);
  FillDividend();
}

// The frame first; the quotient boxes stay on view and open, so that the
// pupil may click into them out of turn.
void frmcijferdelen2::ClearBoard() {
  ClearFrame();
  txtquotient[0].SetText(QString());
  ClearRows(true);
}

}  // namespace placevalue
