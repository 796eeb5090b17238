#pragma once
// The exercise frame: what every exercise screen shares, written once.
//
// ExerciseScreen  placement on load and on every activation; the close box
// ScoringScreen   + the take-over and hand-back of the menu's total, counted
//                   once per exercise
// SeriesScreen    + the series counters, the verdict word and the rules of
//                   START, CONTROLE, NIEUW, NOG EENS and STOP that the
//                   written-division screens share
// A screen's own module holds only its problem logic, its board and where it
// departs from these rules.

#include <QString>
#include <cstdint>
#include <memory>

#include "kit/controls.h"
#include "kit/random.h"
#include "kit/window.h"

namespace kit {

// What an exercise screen needs of the rest of the program.
class Hub {
 public:
  virtual ~Hub() = default;
  virtual Label& MenuTotal() = 0;  // the menu's label that holds the total
  virtual void ShowMenu() = 0;
  virtual RandomSource& Random() = 0;
};

enum class FrameButtonKind { Start, Controle, Nieuw, NogEens, Stop };

// A picture button of the frame with its tool tip, picture and background.
Button FrameButton(Container& parent, FrameButtonKind kind, const Place& place);

class ExerciseScreen : public Window {
 public:
  ExerciseScreen(Hub& hub, const QString& caption, int clientWidth, int clientHeight, const QColor& back);

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  // The button that leads back to the menu; the close box does what it does
  // while it is shown, and nothing while it is hidden.
  virtual Button& StopButton() = 0;
  Hub& hub_;
};

class ScoringScreen : public ExerciseScreen {
 public:
  using ExerciseScreen::ExerciseScreen;
  std::int16_t totaaljuist = 0;

  // The help, once the screen has placed it (PlaceHelp): a "?" button that
  // never takes the focus, and one line for the sentence it shows.
  std::unique_ptr<Button> cmdhulp;
  std::unique_ptr<Label> lblhulp;

 protected:
  // What the help says and what it is about: asking again about the same
  // subject gives the second, stronger hint, and never a third.
  struct Hint {
    QString text;
    int subject = 0;
  };
  // Creates the help button and the hint line; F1 anywhere on the screen asks too.
  void PlaceHelp(const Place& button, const Place& line);
  // The hint (level 1 or 2) for what the pupil is at now: the box in focus.
  virtual Hint HelpPrompt(int level);
  // After the check: why the first faulty step is wrong; empty when none is.
  virtual QString HelpReason() { return {}; }
  // F1 and the help button.
  void AskHelp();
  // After the check; nothing shows when the check found nothing wrong.
  void OfferReason();
  // A box changed, a new exercise, the board cleared: the sentence goes, and
  // what was heard of the board with it.
  void ForgetHelp();

  void Form_Load() override;
  void Form_Activate() override;
  void TakeOverTotal();
  void WriteBackTotal();
  // A new exercise may count once more.
  void NewExercise() {
    counted_ = false;
    ForgetHelp();
  }
  // No exercise is in hand until the next START: whatever is checked before
  // it counts nothing (it would be judged against the last exercise).
  void CloseExercise() { counted_ = true; }
  // Raises totaaljuist for the exercise in hand, the first time only; tells
  // whether it counted now. Checking the same exercise again must not raise
  // the total twice.
  bool CountCorrect();

 private:
  void ShowHelpLine(const QString& text);
  bool counted_ = true;
  int helpSubject_ = 0;
  int helpLevel_ = 0;  // the level of the prompt on view; 0: none (nothing, or a reason)
};

class SeriesScreen : public ScoringScreen {
 public:
  struct Layout {
    Place spot;  // START, CONTROLE, NIEUW and NOG EENS, one at a time
    Place stop;
    Place prima;
    int countersLeft = 10800;
    int dividerTop = 2040;  // the line between the two counters
    // The counters' tops: the divider must run between them, not through one.
    int tellerTop = 840;
    int totaalTop = 2280;
    int memoTop = 3240;
  };
  // The verdict word for reeksjuist after `length` exercises: "prima" from
  // primaFrom on, "mooi zo" from mooiZoFrom on (equal to primaFrom where the
  // screen has no "mooi zo"), "kan beter" below.
  struct Verdicts {
    int length = 5;
    int primaFrom = 4;
    int mooiZoFrom = 4;
    QString WordFor(int reeksjuist) const;
  };

  SeriesScreen(Hub& hub, const QString& caption, int clientWidth, int clientHeight, const QColor& back,
               const Layout& layout, const Verdicts& verdicts);

  std::int16_t reeksgemaakt = 0;
  std::int16_t reeksjuist = 0;

  Button cmdstart;
  Button cmdcontrole;
  Button cmdnieuw;
  Button cmdnogeens;
  Button cmdstop;
  Label lblprima;
  Shape shpteller;  // the counter column's panel
  Line lneteller;   // the divider between the two counters
  Label lblteller;
  Label lbltotaal;
  Label lblmemo2;

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  Button& StopButton() override { return cmdstop; }

  virtual void cmdstart_Click() = 0;
  virtual void cmdcontrole_Click() = 0;
  // The screen's clear routine; it calls ClearFrame at its own moment.
  virtual void ClearBoard() = 0;

  // The frame's rules as named parts, for the screens' handlers to call in
  // their own order; the hooks below are where a screen bends them.
  // Both series counters and their captions back to 0.
  void ResetCounts();
  // ResetCounts, and STOP on view.
  void SeriesReset();
  // A new exercise in the series: the counter rises, then HideForWork.
  void StartRules();
  // After the check: Score, OfferNieuw, then the verdict.
  void Judge(bool correct);
  // Background green and the counters up (once per exercise), or red.
  void Score(bool correct);
  // NIEUW on view with the focus; NOG EENS keeps it when the series is closed.
  void OfferNieuw();
  // The part of the clear routine that every such screen shares.
  void ClearFrame();

  void cmdnieuw_Click();
  void cmdnogeens_Click();
  void cmdstop_Click();

  // Hooks; the defaults are the common order.
  // START and STOP go while the pupil works.
  virtual void HideForWork();
  // The series verdict: the word, NOG EENS and STOP once the series is full.
  virtual void Verdict();
  // What NIEUW and NOG EENS empty after the clear routine (the first answer
  // box, on the boards that have one).
  virtual void EmptyAnswer() {}
  // Resets a screen adds at the end of NIEUW and of NOG EENS.
  virtual void AfterNieuw() {}
  virtual void AfterNogEens() {}

  const Verdicts& SeriesVerdicts() const { return verdicts_; }

  // What a pupil who cannot see the board hears (kit/accessible.h): the task
  // at START, and after the check the result as the screen shows it and the
  // rows the check turned red; empty where the screen has none.
  virtual QString Task() const { return {}; }
  virtual QString Result() const { return {}; }
  virtual QString Faults() const { return {}; }

 private:
  Verdicts verdicts_;
};

}  // namespace kit
