// The help every scoring screen shares: the "?" button, F1 and the hint line.
// What the sentences say is the screen's (and the help room's); when they show
// and when they go is written here once.

#include "kit/exercise.h"

#include "kit/accessible.h"

namespace kit {

namespace {
// Pale blue with dark blue letters: it stands off the grey, yellow, green and
// red backgrounds alike and looks like none of the white digit boxes.
const QColor kHintBack = RGB(214, 232, 255);
const QColor kHintText = RGB(0, 0, 128);
const Font kHintFont{11.25, true};
constexpr int kHintMargin = 30;
}  // namespace

void ScoringScreen::PlaceHelp(const Place& button, const Place& line) {
  lblhulp = std::make_unique<Label>(*this, line, QString(), kHintFont, Align::Left);
  lblhulp->SetBackColor(kHintBack);
  lblhulp->SetForeColor(kHintText);
  lblhulp->SetMargin(kHintMargin);
  lblhulp->SetVisible(false);
  cmdhulp = std::make_unique<Button>(*this, button,
                                     ButtonLook{QStringLiteral(":/res/btn_hulp.svg"), QStringLiteral("HULP"), kHintBack});
  cmdhulp->KeepFocusAway();
  cmdhulp->onClick = [this] { AskHelp(); };
  OnHelpKey([this] { AskHelp(); });
}

ScoringScreen::Hint ScoringScreen::HelpPrompt(int) { return {}; }

void ScoringScreen::AskHelp() {
  if (!lblhulp) return;
  Hint hint = HelpPrompt(1);
  // Asked again about the same box: the stronger hint, and no further.
  int level = 1;
  if (helpLevel_ > 0 && hint.subject == helpSubject_) {
    level = 2;
    hint = HelpPrompt(2);
  }
  helpSubject_ = hint.subject;
  helpLevel_ = level;
  ShowHelpLine(hint.text);
}

void ScoringScreen::OfferReason() {
  if (!lblhulp) return;
  const QString reason = HelpReason();
  helpLevel_ = 0;
  ShowHelpLine(reason);
}

void ScoringScreen::ForgetHelp() {
  helpLevel_ = 0;
  // What was heard of the board (the verdict, the reason) goes with it.
  ForgetSaid();
  // Called on every change of a box: nothing to do unless a sentence is up.
  if (!lblhulp || !lblhulp->Visible()) return;
  lblhulp->SetVisible(false);
  lblhulp->SetCaption(QString());
  lblhulp->SetAccessibleName(QString());
}

// Every sentence the help shows passes here, and only here.
void ScoringScreen::ShowHelpLine(const QString& text) {
  lblhulp->SetCaption(text);
  lblhulp->SetAccessibleName(text);
  lblhulp->SetVisible(!text.isEmpty());
  if (!text.isEmpty()) Say(Spoken(text), Heard::Help);
}

}  // namespace kit
