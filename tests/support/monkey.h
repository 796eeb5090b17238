#pragma once
// The random pupil ("monkey"): runs thousands of random actions over the whole
// program and checks, after every one, what must hold whatever a child does:
//
// - exactly one screen is in use (menu, one exercise screen, info screen or
//   welcome screen) besides the main window, which stays on screen; the screen
//   in use is available to the pupil, the main window is available while the
//   info screen is up, and the welcome screen does not come back;
// - the total of correct exercises equals the number of exercises that the
//   monkey saw judged correct at least once (a CONTROLE that turned the
//   screen's background RGB(0, 255, 0)); read from the scoring screen's
//   totaaljuist while one is up, from the menu's lblgemaakt otherwise;
// - reeksjuist never exceeds reeksgemaakt, the series counters stay within the
//   series and the counter labels show them;
// - lblgemaakt always holds a number, every answer box empty text, "-" or a
//   number;
// - an exercise screen always leaves the pupil a way on, and now and then the
//   monkey walks back to the menu from wherever it is: that way must exist
//   within a few dozen actions (see GoHome).
//
// One seed drives everything the monkey chooses and every number the program
// draws (the program's random source is replaced by one seeded from the same
// seed), so a failure is replayed by running the same seed again.
//
// Actions: clicks on what is on screen (and clicks on hidden or disabled
// controls, which must be refused), keys of every kind into the focused widget,
// pastes by keys and by the box's context menu, the box's other context-menu
// entries, close boxes, the main window's menu item "&Basis", the help's "?"
// button (which must leave the focus where it was), and time passing
// on the info screen. With a good chance the monkey works the exercise in hand
// the way a pupil who can divide does: the right next digit into the focused
// box, CONTROLE when it is shown. When the program ends, a fresh one starts.

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "kit/clock.h"

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace app {
class Program;
}
namespace kit {
class Window;
}

namespace testing_support {

class Monkey {
 public:
  struct Counts {
    long actions = 0;
    long runs = 0;  // programs started
    long clicks = 0;
    long refusedClicks = 0;
    long keys = 0;
    long pastes = 0;
    long contextMenu = 0;
    long closes = 0;
    long basis = 0;
    long ticks = 0;
    long worked = 0;  // right digits typed and CONTROLEs pressed on purpose
    long starts = 0;
    long checks = 0;    // CONTROLE clicks
    long correct = 0;   // exercises judged correct (counted once each)
    long seriesClosed = 0;  // NOG EENS clicks
    long highestTotal = 0;  // the most correct exercises in one run
    long homeward = 0;  // walks back to the menu
    long breaks = 0;    // broken invariants (Act reported one)
    std::map<QString, long> correctOn;  // by screen
    std::map<QString, long> visits;     // by screen
  };

  explicit Monkey(std::uint32_t seed);
  ~Monkey();
  Monkey(const Monkey&) = delete;
  Monkey& operator=(const Monkey&) = delete;

  // Runs `actions` actions, checking the invariants after each. Returns an
  // empty string, or the report of the first broken invariant: seed, action
  // number and the last actions.
  QString Run(long actions);

  // One action and the invariants after it: empty, or the report of what broke.
  // After a break the program in hand is suspect: Restart() before going on.
  QString Act();
  void Restart();

  // Keeps only the last `lines` of the trace (every line by default); a run of
  // a million actions would otherwise hold them all.
  void SetTraceLimit(int lines) { traceLimit_ = lines; }

  // The invariants as they stand now; empty when all hold.
  QString Check();

  // The program in hand (started on construction).
  app::Program& Program() { return *program_; }
  std::uint32_t Seed() const { return seed_; }
  const Counts& Totals() const { return counts_; }
  // Every action so far, one line each.
  const QStringList& Trace() const { return trace_; }
  QString Summary() const;

 private:
  struct ScreenInfo {
    QString name;
    int seriesLength = 0;      // 0: no upper bound checked
    bool counted = true;       // the exercise in hand was judged correct already (or none began)
    bool diligent = false;     // the monkey works this exercise carefully
  };

  void StartProgram();
  void Step();
  void Observe();
  void Record(const QString& what);
  QString Report(const QString& failure) const;

  // Actions.
  void ClickSomething();
  void ClickRefused();
  void PressKey();
  void PasteSomething();
  void ContextMenuEntry();
  void CloseSomething();
  void ChooseBasis();
  void LetTimePass();
  bool WorkExercise();
  void GoHome();
  void AskHelp();
  bool HomeStep(kit::Window& w);
  bool HomeClick(QWidget* widget);  // false when there is nothing to click

  void OnButtonClicked(QAbstractButton* button);
  kit::Window* WindowOf(const QWidget* widget) const;
  kit::Window* InUse() const;
  std::vector<kit::Window*> VisibleScreens() const;
  ScreenInfo& Info(kit::Window* w);
  QString NameOf(kit::Window* w);
  QString Describe(const QWidget* widget);
  std::vector<QWidget*> Controls(bool usable) const;
  std::vector<QLineEdit*> AnswerBoxes(kit::Window& w) const;
  bool DeadEnd(kit::Window& w) const;
  QString RandomClipboardText();

  int Pick(int n);
  bool Chance(double p);

  std::uint32_t seed_;
  std::mt19937 rng_;
  // A seed must replay the same run at any speed (a sanitizer build runs
  // several times slower), so the info screen ticks only when the monkey
  // lets time pass.
  std::shared_ptr<const kit::Clock> clock_ = std::make_shared<kit::ManualClock>();
  std::unique_ptr<app::Program> program_;
  Counts counts_;
  QStringList trace_;
  int traceLimit_ = 0;  // 0: no limit
  QHash<kit::Window*, ScreenInfo> screens_;
  std::vector<kit::Window*> watched_;  // screens whose buttons are watched
  kit::Window* lastInUse_ = nullptr;
  QSet<const QLineEdit*> retyped_;  // boxes the walk back to the menu typed again
  long expected_ = 0;  // correct exercises seen in this run
  long actionInRun_ = 0;
  bool welcomeLeft_ = false;
  QString pendingFailure_;  // found inside a handler, reported after the action
};

}  // namespace testing_support
