#include "blocks/frmcijferdeel.h"

#include <algorithm>

#include "kit/accessible.h"
#include "kit/numbers.h"

namespace blocks {

namespace {

// "1 honderdtal", "3 tientallen": what the blocks are, in words.
QString Blocks(int count, const char16_t* one, const char16_t* many) {
  return kit::NumText(count) + u' ' + QString::fromUtf16(count == 1 ? one : many);
}
QString Hundreds(int n) { return Blocks(n, u"honderdtal", u"honderdtallen"); }
QString Tens(int n) { return Blocks(n, u"tiental", u"tientallen"); }
QString Units(int n) { return Blocks(n, u"eenheid", u"eenheden"); }


const QColor kPanelRed = kit::RGB(192, 0, 0);
const QColor kTableGrey = kit::RGB(128, 128, 128);
const QColor kShareGreen = kit::RGB(0, 100, 0);
const QColor kDivisorOrange = kit::RGB(255, 128, 0);

const QString kFlat = QStringLiteral(":/res/block_flat.svg");
const QString kRod = QStringLiteral(":/res/block_rod.svg");
const QString kCube = QStringLiteral(":/res/block_cube.svg");

constexpr int kShares = 9;
constexpr int kSlots = 10;

// Block area, element i: flats in five columns of two, rods in one column,
// cubes in five columns of two.
kit::Place FlatSlot(int i) { return {360 + 960 * (i / 2), 480 + 1200 * (i % 2), 900, 900}; }
kit::Place RodSlot(int i) { return {5640, 480 + 240 * i, 900, 90}; }
kit::Place CubeSlot(int i) { return {6960 + 240 * (i / 2), 480 + 240 * (i % 2), 150, 135}; }

// Share frame, element j: element 0 shares element 1's slot, so that showing
// elements 0 to n puts exactly n blocks on view.
int ShareSlot(int j) { return std::max(j, 1) - 1; }
kit::Place ShareFlatSlot() { return {240, 360, 900, 900}; }
kit::Place ShareRodSlot(int j) { return {240, 1320 + 240 * ShareSlot(j), 900, 90}; }
kit::Place ShareCubeSlot(int j) {
  const int s = ShareSlot(j);
  return {120 + 240 * (s / 2), 3480 + 240 * (s % 2), 150, 135};
}
// Frame 6's label stands further right than the others.
kit::Place QuotientSlot(int i) { return {i == 6 ? 600 : 480, 0, 855, 255}; }

kit::Place SentenceSlot(int left, int width) { return {left, 7320, width, 495}; }
const kit::Font kSentenceFont{14.25};
const kit::Font kDigitFont{27.75};
const kit::Font kDivisorFont{21.75};

void ShowFirst(kit::Group<kit::Picture>& slots, int n) {
  for (int i = 0; i < n; ++i) slots[i].SetVisible(true);
}
void HideAll(kit::Group<kit::Picture>& slots) {
  for (int i = 0; i < kSlots; ++i) slots[i].SetVisible(false);
}

// Every share array shows elements 0 to n; for n = 0 all are hidden again,
// because element 0 alone would still show one block.
void ShowShares(kit::Group<kit::Group<kit::Picture>>& arrays, int n) {
  arrays.ForEach([n](kit::Group<kit::Picture>& slots, int) {
    for (int j = 0; j <= n; ++j) slots[j].SetVisible(true);
  });
  if (n == 0) arrays.ForEach([](kit::Group<kit::Picture>& slots, int) { HideAll(slots); });
}
void HideShares(kit::Group<kit::Group<kit::Picture>>& arrays) {
  arrays.ForEach([](kit::Group<kit::Picture>& slots, int) { HideAll(slots); });
}

}  // namespace

frmcijferdeel::frmcijferdeel(kit::Hub& hub)
    : kit::ExerciseScreen(hub, QStringLiteral("delen"), 11865, 7935, kit::colours::kBoardGrey),
      lblH(*this, {0, 120, 5415, 2895}),
      lblT(*this, {5400, 120, 1455, 2895}),
      Shape1(*this, {8280, 0, 3615, 3135}, kTableGrey),
      Label1(*this, {9120, 1800, 2175, 495}, QStringLiteral("gedeeld door "), kit::Font{18}),
      lbldelertje(*this, {9000, 2280, 2295, 735}, QString(), kDivisorFont, kit::Align::Centre),
      lbltot(*this, SentenceSlot(120, 735), QString(), kSentenceFont, kit::Align::Left),
      lbltekdeel(*this, SentenceSlot(840, 615), QStringLiteral(":"), kSentenceFont, kit::Align::Centre),
      lbltekdelers(*this, SentenceSlot(1440, 495), QString(), kSentenceFont, kit::Align::Centre),
      lbltekgelijk(*this, SentenceSlot(1920, 615), QStringLiteral("="), kSentenceFont, kit::Align::Centre),
      lblQ(*this, SentenceSlot(2520, 735), QString(), kSentenceFont, kit::Align::Centre),
      lbltekrest(*this, SentenceSlot(3240, 735), QStringLiteral("rest"), kSentenceFont, kit::Align::Centre),
      lblrest(*this, SentenceSlot(3960, 495), QString(), kSentenceFont, kit::Align::Left),
      cmdstart(kit::FrameButton(*this, kit::FrameButtonKind::Start, {6840, 7080, 1815, 855})),
      cmdstop2(kit::FrameButton(*this, kit::FrameButtonKind::Stop, {9000, 7080, 1815, 855})),
      Image2(*this, {11280, 7440, 480, 420}, QStringLiteral(":/res/logo2.svg")) {
  // The panels are made before the blocks so that the blocks lie on them.
  lblshape2.Add(*this, kit::Place{6840, 120, 1335, 1095});
  lblshape2.Add(*this, kit::Place{6840, 1200, 1335, 1815});
  lblmemo.Add(*this, kit::Place{6840, 1320, 1215, 615}, QStringLiteral("rest"), kit::Font{24}, kit::Align::Centre);
  lblmemo.Add(*this, kit::Place{6840, 2040, 1215, 615}, QString(), kit::Font{24}, kit::Align::Centre);
  for (kit::Label* panel : {&lblH, &lblT, &lblshape2[0], &lblshape2[1], &lblmemo[0], &lblmemo[1]}) {
    panel->SetBackColor(kPanelRed);
    panel->SetForeColor(kit::colours::kWhite);
  }
  for (int i = 0; i < kSlots; ++i) {
    img100H.Add(*this, FlatSlot(i), kFlat);
    img10T.Add(*this, RodSlot(i), kRod);
    img1E.Add(*this, CubeSlot(i), kCube);
  }

  Label1.SetBackColor(kTableGrey);
  Label1.SetForeColor(kit::colours::kWhite);
  lbldelertje.SetBackColor(kDivisorOrange);
  lbldelertje.SetVisible(false);
  const QString heads[] = {QStringLiteral("H"), QStringLiteral("T"), QStringLiteral("E")};
  for (int i = 0; i < 3; ++i) {
    kit::TextBox& head = txtorde.Add(*this, kit::Place{9120 + 720 * i, 120, 735, 735}, kDigitFont);
    head.SetText(heads[i]);
    head.SetBackColor(kShareGreen);
    head.SetForeColor(kit::colours::kWhite);
    // Column heads and the dividend's digits are there to be looked at: a
    // pupil clicking into them must not be able to change them.
    head.SetHeardAsText();
    head.SetAccessibleName(kit::PlaceValueWord(heads[i]));
    kit::TextBox& digit = txtquotient.Add(*this, kit::Place{9120 + 720 * i, 960, 735, 735}, kDigitFont);
    digit.SetLocked(true);
    digit.SetAccessibleName(u"deeltal, " + kit::PlaceValueWord(heads[i]));
  }
  for (int i = 0; i < kSlots; ++i) {
    kit::Button& b = cmddeler.Add(*this, kit::Place{9000, 2280, 2295, 735}, kit::NumText(i), QString(), kDivisorFont);
    b.SetBackColor(kDivisorOrange);
    b.onClick = [this, i] { cmddeler_Click(i); };
  }

  for (int i = 0; i < kShares; ++i) {
    kit::Frame& frame = frmdeler.Add(*this, kit::Place{1320 * i, 3120, 1335, 3975}, kit::NumText(i + 1),
                                     kit::Font{15.75});
    frame.SetBackColor(kShareGreen);
    frame.SetForeColor(kit::colours::kWhite);
    if (i == 0) img100deel.Add(frame, ShareFlatSlot(), kFlat);
    img100deel.Add(frame, ShareFlatSlot(), kFlat);
    kit::Group<kit::Picture>& rods = img10Tk.Add();
    for (int j = 0; j < kSlots; ++j) rods.Add(frame, ShareRodSlot(j), kRod);
    kit::Group<kit::Picture>& cubes = img1Ek.Add();
    for (int j = 0; j <= kSlots; ++j) cubes.Add(frame, ShareCubeSlot(j), kCube);
    // The eleventh cube slot exists but no routine ever shows it.
    cubes[kSlots].SetVisible(false);
    kit::Label& q = lbluitkomst.Add(frame, QuotientSlot(i), QString(), kit::Font{9.75}, kit::Align::Centre);
    q.SetBackColor(kShareGreen);
    q.SetForeColor(kit::colours::kWhite);
  }

  for (kit::Label* l : Sentence()) {
    l->SetBackColor(kShareGreen);
    l->SetForeColor(kit::colours::kWhite);
  }
  cmdstop2.SetVisible(false);

  cmdstart.onClick = [this] { cmdstart_Click(); };
  cmdstop2.onClick = [this] { cmdstop2_Click(); };
}

std::array<kit::Label*, 7> frmcijferdeel::Sentence() {
  return {&lbltot, &lbltekdeel, &lbltekdelers, &lbltekgelijk, &lblQ, &lbltekrest, &lblrest};
}

void frmcijferdeel::Form_Load() {
  kit::ExerciseScreen::Form_Load();
  ResetBlocks();
}

void frmcijferdeel::Form_Activate() {
  kit::ExerciseScreen::Form_Activate();
  ResetBlocks();
  cmdstart.SetVisible(true);
  cmdstop2.SetVisible(true);
}

void frmcijferdeel::ResetBlocks() {
  HideAll(img100H);
  txtquotient[0].SetText(QString());
  HideAll(img10T);
  txtquotient[1].SetText(QString());
  HideAll(img1E);
  txtquotient[2].SetText(QString());
  frmdeler.ForEach([](kit::Frame& f, int) { f.SetVisible(false); });
  cmddeler.ForEach([](kit::Button& b, int) { b.SetVisible(false); });
  img100deel.ForEach([](kit::Picture& p, int) { p.SetVisible(false); });
  lblmemo[0].SetVisible(false);
  lblmemo[1].SetVisible(false);
  lblmemo[1].SetCaption(QString());
  lbluitkomst.ForEach([](kit::Label& l, int) { l.SetCaption(QString()); });
  HideShareTens();
  HideShareUnits();
  for (kit::Label* l : Sentence()) {
    l->SetVisible(false);
  }
}

void frmcijferdeel::ShowShareTens() { ShowShares(img10Tk, quotientT); }
void frmcijferdeel::HideShareTens() { HideShares(img10Tk); }
void frmcijferdeel::ShowShareUnits() { ShowShares(img1Ek, quotientE); }
void frmcijferdeel::HideShareUnits() { HideShares(img1Ek); }

void frmcijferdeel::cmdstart_Click() {
  ResetBlocks();
  kit::RandomSource& rnd = hub_.Random();
  rnd.Randomize();
  deler = static_cast<std::int16_t>(rnd.Divisor());
  cmddeler[deler].SetVisible(true);
  for (int i = 0; i < deler; ++i) frmdeler[i].SetVisible(true);

  // At most one flat per share, so that quotientH stays 0 or 1.
  do {
    deeltalH = static_cast<std::int16_t>(rnd.Digit());
  } while (deeltalH >= 2 * deler);
  ShowFirst(img100H, deeltalH);
  txtquotient[0].SetText(kit::NumText(deeltalH));
  deeltalT = static_cast<std::int16_t>(rnd.Digit());
  ShowFirst(img10T, deeltalT);
  txtquotient[1].SetText(kit::NumText(deeltalT));
  deeltalE = static_cast<std::int16_t>(rnd.Digit());
  ShowFirst(img1E, deeltalE);
  txtquotient[2].SetText(kit::NumText(deeltalE));

  deeltal = static_cast<std::int16_t>(100 * deeltalH + 10 * deeltalT + deeltalE);
  lbltot.SetCaption(kit::NumText(deeltal));
  quotient = static_cast<std::int16_t>(deeltal / deler);
  lblQ.SetCaption(kit::NumText(quotient));
  quotientH = static_cast<std::int16_t>(quotient / 100);
  quotientT = static_cast<std::int16_t>((quotient - 100 * quotientH) / 10);
  quotientE = static_cast<std::int16_t>(quotient - 100 * quotientH - 10 * quotientT);
  rest = static_cast<std::int16_t>(deeltal - deler * quotient);
  lblrest.SetCaption(kit::NumText(rest));
  lbltekdelers.SetCaption(kit::NumText(deler));

  cmdstart.SetVisible(false);
  cmddeler[deler].SetFocus();
  cmdstop2.SetVisible(false);
  Say(kit::NumText(deeltal) + u": " + Hundreds(deeltalH) + u", " + Tens(deeltalT) + u" en " + Units(deeltalE) +
      u". Verdeel ze over " + kit::NumText(deler) + u" groepen.");
}

// Only cmddeler(deler) can be visible, so the index tells nothing new.
void frmcijferdeel::cmddeler_Click(int /*Index*/) {
  if (quotientH == 1) img100deel.ForEach([](kit::Picture& p, int) { p.SetVisible(true); });
  HideAll(img100H);
  HideAll(img10T);
  HideAll(img1E);
  ShowFirst(img1E, rest);
  lblmemo[0].SetVisible(true);
  lblmemo[1].SetVisible(true);
  lblmemo[1].SetCaption(kit::NumText(rest));
  ShowShareTens();
  ShowShareUnits();
  lbluitkomst.ForEach([this](kit::Label& l, int) { l.SetCaption(kit::NumText(quotient)); });
  cmddeler.ForEach([](kit::Button& b, int) { b.SetVisible(false); });
  cmdstart.SetVisible(true);
  cmdstart.SetFocus();
  lbldelertje.SetVisible(true);
  lbldelertje.SetCaption(kit::NumText(deler));
  cmdstop2.SetVisible(true);
  QString sentence;
  for (kit::Label* l : Sentence()) {
    l->SetVisible(true);
    sentence += l->Caption() + u' ';
  }
  Say(u"Elke groep krijgt " + Hundreds(quotientH) + u", " + Tens(quotientT) + u" en " + Units(quotientE) + u". " +
      kit::Spoken(sentence) + u'.');
}

void frmcijferdeel::cmdstop2_Click() {
  ResetBlocks();
  cmdstart.SetVisible(true);
  cmdstop2.SetVisible(true);
  hub_.ShowMenu();
  Hide();
}

}  // namespace blocks
