#include "kit/exercise.h"

#include <QStringList>

#include "kit/accessible.h"
#include "kit/numbers.h"

namespace kit {

namespace {
struct Look {
  const char16_t* tip;
  const char* picture;
  QColor back;
};
Look LookOf(FrameButtonKind kind) {
  switch (kind) {
    case FrameButtonKind::Start: return {u"START", ":/res/btn_start.svg", RGB(192, 0, 192)};
    case FrameButtonKind::Controle: return {u"CONTROLE", ":/res/btn_controle.svg", RGB(128, 255, 255)};
    case FrameButtonKind::Nieuw: return {u"NIEUW", ":/res/btn_nieuw.svg", RGB(128, 255, 128)};
    case FrameButtonKind::NogEens: return {u"NOG EENS", ":/res/btn_nogeens.svg", RGB(255, 128, 128)};
    case FrameButtonKind::Stop: break;
  }
  return {u"STOP", ":/res/btn_stop.svg", RGB(128, 0, 0)};
}
const Font kCounterFont{27.75, true};
// The counters and their caption are centred across the whole panel.
constexpr int kCounterPanelWidth = 1095;
}  // namespace

Button FrameButton(Container& parent, FrameButtonKind kind, const Place& place) {
  const Look look = LookOf(kind);
  return Button(parent, place, ButtonLook{QString::fromLatin1(look.picture), QString::fromUtf16(look.tip), look.back});
}

// ---------------------------------------------------------------- ExerciseScreen

ExerciseScreen::ExerciseScreen(Hub& hub, const QString& caption, int clientWidth, int clientHeight,
                               const QColor& back)
    : Window(caption, clientWidth, clientHeight, back), hub_(hub) {
  onClose = [this] {
    Button& stop = StopButton();
    if (stop.Visible() && stop.onClick) stop.onClick();
  };
}

void ExerciseScreen::Form_Load() { CentreOnDisplay(); }
void ExerciseScreen::Form_Activate() { CentreOnDisplay(); }

// ---------------------------------------------------------------- ScoringScreen

void ScoringScreen::Form_Load() {
  ExerciseScreen::Form_Load();
  TakeOverTotal();
}
void ScoringScreen::Form_Activate() {
  ExerciseScreen::Form_Activate();
  TakeOverTotal();
}
void ScoringScreen::TakeOverTotal() { totaaljuist = ReadInt16(hub_.MenuTotal().Caption()); }
void ScoringScreen::WriteBackTotal() { hub_.MenuTotal().SetCaption(NumText(totaaljuist)); }

bool ScoringScreen::CountCorrect() {
  if (counted_) return false;
  counted_ = true;
  totaaljuist = CountUp(totaaljuist);
  return true;
}

// ---------------------------------------------------------------- SeriesScreen

QString SeriesScreen::Verdicts::WordFor(int juist) const {
  if (juist >= primaFrom) return QStringLiteral("prima");
  if (juist >= mooiZoFrom) return QStringLiteral("mooi zo");
  return QStringLiteral("kan beter");
}

SeriesScreen::SeriesScreen(Hub& hub, const QString& caption, int clientWidth, int clientHeight,
                           const QColor& back, const Layout& layout, const Verdicts& verdicts)
    : ScoringScreen(hub, caption, clientWidth, clientHeight, back),
      cmdstart(FrameButton(*this, FrameButtonKind::Start, layout.spot)),
      cmdcontrole(FrameButton(*this, FrameButtonKind::Controle, layout.spot)),
      cmdnieuw(FrameButton(*this, FrameButtonKind::Nieuw, layout.spot)),
      cmdnogeens(FrameButton(*this, FrameButtonKind::NogEens, layout.spot)),
      cmdstop(FrameButton(*this, FrameButtonKind::Stop, layout.stop)),
      lblprima(*this, layout.prima, QString(), Font{24, true}, Align::Centre),
      shpteller(*this, {layout.countersLeft, 0, kCounterPanelWidth, 4095}, RGB(0, 128, 128)),
      lneteller(*this, {layout.countersLeft, layout.dividerTop}, {layout.countersLeft + 1080, layout.dividerTop}, 6,
                RGB(224, 224, 224)),
      lblteller(*this, {layout.countersLeft, layout.tellerTop, kCounterPanelWidth, 855}, QStringLiteral("0"),
                kCounterFont, Align::Centre),
      lbltotaal(*this, {layout.countersLeft, layout.totaalTop, kCounterPanelWidth, 855}, QStringLiteral("0"),
                kCounterFont, Align::Centre),
      lblmemo2(*this, {layout.countersLeft, layout.memoTop, kCounterPanelWidth, 495}, QStringLiteral("juist"),
               Font{14.25, true}, Align::Centre),
      verdicts_(verdicts) {
  // The four share one spot, and a step may show one while another is still
  // there (CONTROLE when the last box is typed again after the check).
  for (Button* b : {&cmdstart, &cmdcontrole, &cmdnieuw, &cmdnogeens}) b->ComeToFrontWhenShown();
  cmdcontrole.SetVisible(false);
  cmdnieuw.SetVisible(false);
  cmdnogeens.SetVisible(false);
  cmdstop.SetVisible(false);
  lblprima.SetVisible(false);
  lblprima.SetBackColor(RGB(0, 128, 0));
  lblprima.SetForeColor(colours::kWhite);
  for (Label* l : {&lblteller, &lbltotaal, &lblmemo2}) {
    l->SetBackColor(RGB(0, 128, 128));
    l->SetForeColor(colours::kWhite);
  }
  cmdstart.onClick = [this] { cmdstart_Click(); };
  cmdcontrole.onClick = [this] { cmdcontrole_Click(); };
  cmdnieuw.onClick = [this] { cmdnieuw_Click(); };
  cmdnogeens.onClick = [this] { cmdnogeens_Click(); };
  cmdstop.onClick = [this] { cmdstop_Click(); };
}

void SeriesScreen::Form_Load() {
  ScoringScreen::Form_Load();
  SeriesReset();
}
void SeriesScreen::Form_Activate() {
  ScoringScreen::Form_Activate();
  SeriesReset();
}

void SeriesScreen::ResetCounts() {
  reeksjuist = 0;
  reeksgemaakt = 0;
  lblteller.SetCaption(NumText(reeksjuist));
  lbltotaal.SetCaption(NumText(reeksgemaakt));
}

void SeriesScreen::SeriesReset() {
  ResetCounts();
  cmdstop.SetVisible(true);
}

void SeriesScreen::StartRules() {
  NewExercise();
  reeksgemaakt = CountUp(reeksgemaakt);
  lbltotaal.SetCaption(NumText(reeksgemaakt));
  HideForWork();
  SayTask([this]() -> QString { return Task(); });
}

void SeriesScreen::HideForWork() {
  cmdstop.SetVisible(false);
  cmdstart.SetVisible(false);
}

void SeriesScreen::Judge(bool correct) {
  Score(correct);
  OfferNieuw();
  Verdict();
}

void SeriesScreen::Score(bool correct) {
  if (correct) {
    SetBackColor(colours::kRight);
    if (CountCorrect()) {
      reeksjuist = CountUp(reeksjuist);
      lblteller.SetCaption(NumText(reeksjuist));
    }
  } else {
    SetBackColor(colours::kWrong);
  }
  // The counters as they stand now: a verdict at ten starts them over.
  const QString counted = NumText(reeksjuist) + u" van " + NumText(reeksgemaakt) + u" juist.";
  Say([this, counted]() -> QString {
    QStringList said{ColourVerdict(BackColor()) + u'.', Result(), Faults(), counted};
    if (lblprima.Visible()) said << lblprima.Caption() + u'!';
    said.removeAll(QString());
    return said.join(u' ');
  }, Heard::Verdict);
}

void SeriesScreen::OfferNieuw() {
  cmdnieuw.SetVisible(true);
  cmdnieuw.SetFocus();
  if (cmdnogeens.Visible()) {
    cmdnieuw.SetVisible(false);
    cmdnogeens.SetFocus();
  }
}

void SeriesScreen::Verdict() {
  if (reeksgemaakt < verdicts_.length) return;
  lblprima.SetCaption(verdicts_.WordFor(reeksjuist));
  lblprima.SetVisible(true);
  cmdnogeens.SetVisible(true);
  cmdcontrole.SetVisible(false);
  cmdstop.SetVisible(true);
  cmdnieuw.SetVisible(false);
  // The series is closed: leave the keyboard on the way on, not in a box that
  // could reopen the check.
  cmdnogeens.SetFocus();
}

void SeriesScreen::ClearFrame() {
  ForgetHelp();
  SetBackColor(colours::kBoardGrey);
  lblprima.SetVisible(false);
  lblprima.SetCaption(QString());
  cmdnogeens.SetVisible(false);
}

void SeriesScreen::cmdnieuw_Click() {
  CloseExercise();
  ClearBoard();
  cmdnieuw.SetVisible(false);
  cmdcontrole.SetVisible(false);
  cmdstart.SetVisible(true);
  SetBackColor(colours::kBoardGrey);
  EmptyAnswer();
  cmdstart.SetFocus();
  AfterNieuw();
}

void SeriesScreen::cmdnogeens_Click() {
  CloseExercise();
  ResetCounts();
  cmdstart.SetVisible(true);
  cmdnogeens.SetVisible(false);
  ClearBoard();
  cmdnieuw.SetVisible(false);
  cmdcontrole.SetVisible(false);
  SetBackColor(colours::kBoardGrey);
  lblprima.SetVisible(false);
  lblprima.SetCaption(QString());
  EmptyAnswer();
  cmdstart.SetFocus();
  AfterNogEens();
}

void SeriesScreen::cmdstop_Click() {
  CloseExercise();
  ClearBoard();
  cmdstart.SetVisible(true);
  cmdstop.SetVisible(true);
  hub_.ShowMenu();
  Hide();
  WriteBackTotal();
}

}  // namespace kit
