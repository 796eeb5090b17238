#include "support/monkey.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <algorithm>
#include <map>
#include <string_view>

#include "app/frminfo.h"
#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "app/mdiform2.h"
#include "app/program.h"
#include "kit/exercise.h"
#include "kit/numbers.h"
#include "support/board_probe.h"
#include "support/pupil.h"
#include "support/solve_screens.h"
#include "kit/qt/native.h"

namespace testing_support {

namespace {

// The program's own source of chance, drawn from the monkey's seed instead of
// the clock, so that a seed replays the same exercises. Reseeding on START
// keeps the sequence going: the clock would make a failing run unrepeatable.
class SeededRandom final : public kit::RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
  void Randomize() override {}
  double Rnd() override { return double(engine_() >> 11) * 0x1.0p-53; }

 private:
  std::mt19937_64 engine_;
};

constexpr int kTrailLength = 30;
// A fast-forwarded info screen that has not ended the run after this many
// ticks never will (it ends after 151).
constexpr int kTickLimit = 400;
// The way back to the menu is at most this many actions long. A written
// screen hides STOP until its series is closed, so the way leads through the
// rest of the series: ten place-value exercises, worked digit by digit, are
// the longest.
constexpr int kHomeActions = 400;

// Where each menu button leads, and the length of that screen's series (0 when
// the screen has no series, or one whose count may pass its verdict).
struct MenuEntry {
  kit::Button app::frmkiesbasis::*button;
  const char* screen;
  int series;
};
const MenuEntry kMenu[] = {
    {&app::frmkiesbasis::Command1, "frmcijferdeel", 0},   {&app::frmkiesbasis::Command8, "frmschat100", 0},
    {&app::frmkiesbasis::Command2, "frmschat", 0},        {&app::frmkiesbasis::Command6, "frmkomma", 0},
    {&app::frmkiesbasis::Command3, "frmcijferdeel0", 5},  {&app::frmkiesbasis::Command7, "frmcijferdelen", 0},
    {&app::frmkiesbasis::cmdkies, "frmcijferdelen2", 5},  {&app::frmkiesbasis::Command5, "frmcijferdelen4", 3},
    {&app::frmkiesbasis::Command4, "frmcijferdelen5", 3},
};

// Texts a child might have on the clipboard.
const char* const kClipboardTexts[] = {
    "7",  "12", "0",   "00",  "-",   "-5",  "5-", "1.5", "2,5", "1.2.3", ".", ",", "a1", "abc", " 3",
    "3 ", "+4", "1e3", "3\n4", "\n", "", "٣", "５", "½", "-0", "0.0", "99999", "32768", "-32769",
};

struct KeyChoice {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  const char* name;
};
const KeyChoice kKeys[] = {
    {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
    {Qt::Key_Delete, Qt::NoModifier, "Delete"},
    {Qt::Key_Left, Qt::NoModifier, "Left"},
    {Qt::Key_Right, Qt::NoModifier, "Right"},
    {Qt::Key_Up, Qt::NoModifier, "Up"},
    {Qt::Key_Down, Qt::NoModifier, "Down"},
    {Qt::Key_Home, Qt::NoModifier, "Home"},
    {Qt::Key_End, Qt::NoModifier, "End"},
    {Qt::Key_Home, Qt::ShiftModifier, "Shift+Home"},
    {Qt::Key_Return, Qt::NoModifier, "Enter"},
    {Qt::Key_Enter, Qt::KeypadModifier, "keypad Enter"},
    {Qt::Key_Escape, Qt::NoModifier, "Escape"},
    {Qt::Key_Tab, Qt::NoModifier, "Tab"},
    {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    {Qt::Key_Space, Qt::NoModifier, "Space"},
    {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
    {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
    {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
    {Qt::Key_Insert, Qt::ShiftModifier, "Shift+Ins"},
    {Qt::Key_Insert, Qt::ControlModifier, "Ctrl+Ins"},
    {Qt::Key_Delete, Qt::ShiftModifier, "Shift+Del"},
    {Qt::Key_Backspace, Qt::AltModifier, "Alt+Backspace"},
    {Qt::Key_Backspace, Qt::ControlModifier, "Ctrl+Backspace"},
    {Qt::Key_Delete, Qt::ControlModifier, "Ctrl+Del"},
    {Qt::Key_K, Qt::ControlModifier, "Ctrl+K"},
    {Qt::Key_F1, Qt::NoModifier, "F1"},
    {Qt::Key_5, Qt::KeypadModifier, "keypad 5"},
};

// Characters typed as text: digits most of all, then what a child hits by mistake.
const char16_t* const kTyped[] = {u"-", u".", u",", u"a", u"E", u"x", u" ", u"+", u"é", u"ß", u"٣", u"５", u"€"};

const char* const kMenuEntries[] = {"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"};

template <class T, std::size_t N>
constexpr int Count(const T (&)[N]) {
  return int(N);
}

bool InsideButtonOrMenuBar(const QWidget* w) {
  for (const QWidget* p = w; p && !p->isWindow(); p = p->parentWidget()) {
    if (p != w && qobject_cast<const QAbstractButton*>(p)) return true;
    if (qobject_cast<const QMenuBar*>(p)) return true;
  }
  return false;
}

bool Editable(const QLineEdit* e) { return e->isVisible() && e->isEnabled() && !e->isReadOnly(); }

// The screen's first widget of kind T that fits, or null.
template <class T, class Fits>
T* FirstOf(kit::Window& w, Fits fits) {
  for (T* widget : kit::qt::Top(w)->findChildren<T*>())
    if (fits(widget)) return widget;
  return nullptr;
}

// A lone "-" is a number being begun, where a sign may be typed.
bool HoldsNumberText(const QString& t, bool signAllowed) {
  return t.isEmpty() || (t == u"-" && signAllowed) || kit::IsNumber(t);
}

QString Quoted(QString t) {
  t.replace(u'\n', QStringLiteral("\\n"));
  return u'"' + t + u'"';
}

// The offscreen platform warns on every window that gets a size hint: a
// million actions print thousands of these, and Qt Test stops printing after
// its warning limit, the monkey's summary with them. Every other message goes
// on to the handler that was there before (Qt Test's).
QtMessageHandler gPassOn = nullptr;
int gQuieted = 0;  // monkeys alive
long gSizeHintWarnings = 0;

void LeaveOutSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.contains(u"propagateSizeHints")) {
    ++gSizeHintWarnings;
    return;
  }
  if (gPassOn) gPassOn(type, context, message);
}

}  // namespace

// ------------------------------------------------------------------ set-up

Monkey::Monkey(std::uint32_t seed) : seed_(seed), rng_(seed) {
  if (gQuieted++ == 0) gPassOn = qInstallMessageHandler(LeaveOutSizeHintWarnings);
  // The clipboard outlives programs: what an earlier run left there would be
  // pasted by the first Ctrl+V and change what this seed does.
  Pupil::SetClipboard(QString());
  StartProgram();
}

Monkey::~Monkey() {
  if (--gQuieted == 0) qInstallMessageHandler(gPassOn);
}

void Monkey::StartProgram() {
  program_.reset();
  screens_.clear();
  watched_.clear();
  expected_ = 0;
  actionInRun_ = 0;
  welcomeLeft_ = false;
  lastInUse_ = nullptr;
  pendingFailure_.clear();
  program_ = std::make_unique<app::Program>(nullptr, clock_);
  program_->SetRandom(std::make_unique<SeededRandom>(std::uint64_t(seed_) * 1000003u + std::uint64_t(counts_.runs)));
  ++counts_.runs;
  Record(QStringLiteral("start a fresh program"));
  program_->Start();
  QApplication::processEvents();
  Observe();
}

int Monkey::Pick(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng_); }
bool Monkey::Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < p; }

void Monkey::Record(const QString& what) {
  if (traceLimit_ > 0 && trace_.size() >= traceLimit_) trace_.remove(0, trace_.size() - traceLimit_ + 1);
  trace_.append(QStringLiteral("#%1 run %2.%3: %4").arg(counts_.actions).arg(counts_.runs).arg(actionInRun_).arg(what));
}

// ------------------------------------------------------------------ the loop

QString Monkey::Run(long actions) {
  for (long i = 0; i < actions; ++i)
    if (QString broken = Act(); !broken.isEmpty()) return broken;
  return {};
}

QString Monkey::Act() {
  if (program_->Ended()) {
    if (program_->ExitCode() != 0) {
      const QString report = Report(QStringLiteral("the program ended with exit code %1").arg(program_->ExitCode()));
      ++counts_.breaks;
      return report;
    }
    StartProgram();
  }
  ++counts_.actions;
  ++actionInRun_;
  Step();
  QApplication::processEvents();
  const QString broken = Check();
  if (broken.isEmpty()) return {};
  ++counts_.breaks;
  return Report(broken);
}

void Monkey::Restart() { StartProgram(); }

void Monkey::Step() {
  const bool infoUp = program_->InfoLoaded() && program_->frminfo().Visible();
  if (infoUp && Chance(0.35)) return LetTimePass();
  if (WorkExercise()) return;
  const int r = Pick(1000);
  if (r < 380) return ClickSomething();
  if (r < 420) return ClickRefused();
  if (r < 760) return PressKey();
  if (r < 860) return PasteSomething();
  if (r < 930) return ContextMenuEntry();
  if (r < 955) return CloseSomething();
  if (r < 975) return ChooseBasis();
  if (r < 985) return GoHome();
  if (r < 993) return AskHelp();
  return PressKey();
}

QString Monkey::Report(const QString& failure) const {
  QString text = QStringLiteral("monkey seed %1, action %2 (run %3, action %4 of that run): %5\nlast actions:\n")
                     .arg(seed_)
                     .arg(counts_.actions)
                     .arg(counts_.runs)
                     .arg(actionInRun_)
                     .arg(failure);
  const int from = std::max(0, int(trace_.size()) - kTrailLength);
  for (int i = from; i < trace_.size(); ++i) text += QStringLiteral("  ") + trace_[i] + u'\n';
  return text;
}

// ------------------------------------------------------------------ watching

// Every button's click is watched (after the screen's own handler has run), so
// that START and CONTROLE are seen however they were pressed: by a click, by
// Enter or Space on a focused button.
void Monkey::Observe() {
  // A screen has all its controls from the start, so its buttons are found once.
  for (kit::Window* w : program_->Screens()) {
    if (std::find(watched_.begin(), watched_.end(), w) != watched_.end()) continue;
    watched_.push_back(w);
    for (QAbstractButton* b : kit::qt::Top(*w)->findChildren<QAbstractButton*>())
      QObject::connect(b, &QAbstractButton::clicked, b, [this, b] { OnButtonClicked(b); });
  }
  kit::Window* now = InUse();
  if (now && now != lastInUse_) counts_.visits[NameOf(now)] += 1;
  lastInUse_ = now;
}

void Monkey::OnButtonClicked(QAbstractButton* button) {
  kit::Window* w = WindowOf(button);
  if (!w) return;
  if (auto* menu = dynamic_cast<app::frmkiesbasis*>(w)) {
    for (const MenuEntry& e : kMenu) {
      if (kit::qt::Widget((menu->*e.button)) != button) continue;
      for (kit::Window* s : VisibleScreens()) {
        if (!dynamic_cast<kit::ExerciseScreen*>(s)) continue;
        ScreenInfo& info = Info(s);
        if (info.name.isEmpty()) {
          info.name = QString::fromLatin1(e.screen);
          info.seriesLength = e.series;
        }
      }
    }
    return;
  }
  if (!dynamic_cast<kit::ScoringScreen*>(w)) return;
  const QString tip = button->toolTip();
  ScreenInfo& info = Info(w);
  if (tip == u"START") {
    ++counts_.starts;
    info.counted = false;
    info.diligent = Chance(0.6);
  } else if (tip == u"NOG EENS" || tip == u"NIEUW" || tip == u"STOP") {
    // No exercise is in hand until the next START: work checked before it
    // counts nothing.
    if (dynamic_cast<kit::SeriesScreen*>(w)) info.counted = true;
    if (tip == u"NOG EENS") ++counts_.seriesClosed;
  } else if (tip == u"CONTROLE") {
    ++counts_.checks;
    const bool green = w->BackColor() == kit::colours::kRight;
    for (const ScreenSolver& s : Solvers()) {
      if (!s.owns(*w) || !s.answerRight || s.answerRight(*w) == green) continue;
      pendingFailure_ = QStringLiteral("CONTROLE on %1 judged the answer %2, but it is %3")
                            .arg(NameOf(w), green ? QStringLiteral("right") : QStringLiteral("wrong"),
                                 green ? QStringLiteral("wrong") : QStringLiteral("right"));
    }
    if (w->BackColor() == kit::colours::kRight && !info.counted) {
      info.counted = true;
      ++expected_;
      counts_.highestTotal = std::max(counts_.highestTotal, expected_);
      ++counts_.correct;
      counts_.correctOn[NameOf(w)] += 1;
    }
  }
}

kit::Window* Monkey::WindowOf(const QWidget* widget) const {
  if (!widget) return nullptr;
  const QWidget* top = widget->window();
  for (kit::Window* w : program_->Screens())
    if (kit::qt::Top(*w) == top) return w;
  return nullptr;
}

std::vector<kit::Window*> Monkey::VisibleScreens() const {
  std::vector<kit::Window*> out;
  for (kit::Window* w : program_->Screens())
    if (w->Visible() && !dynamic_cast<app::MDIForm2*>(w)) out.push_back(w);
  return out;
}

kit::Window* Monkey::InUse() const {
  const auto v = VisibleScreens();
  return v.size() == 1 ? v.front() : nullptr;
}

Monkey::ScreenInfo& Monkey::Info(kit::Window* w) { return screens_[w]; }

QString Monkey::NameOf(kit::Window* w) {
  if (dynamic_cast<app::MDIForm2*>(w)) return QStringLiteral("MDIForm2");
  if (dynamic_cast<app::frmmecenaat1*>(w)) return QStringLiteral("frmmecenaat1");
  if (dynamic_cast<app::frmkiesbasis*>(w)) return QStringLiteral("frmkiesbasis");
  if (dynamic_cast<app::frminfo*>(w)) return QStringLiteral("frminfo");
  const ScreenInfo& info = Info(w);
  return info.name.isEmpty() ? Quoted(w->Caption()) : info.name;
}

QString Monkey::Describe(const QWidget* widget) {
  if (!widget) return QStringLiteral("nothing");
  kit::Window* w = WindowOf(widget);
  const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
  QString what;
  if (auto* b = qobject_cast<const QAbstractButton*>(widget)) {
    what = b->toolTip().isEmpty() ? Quoted(b->text()) : b->toolTip();
    // A picture button with a caption keeps the caption in a label of its own.
    if (what == u"\"\"")
      for (const QLabel* caption : b->findChildren<QLabel*>())
        if (!caption->text().isEmpty()) what = Quoted(caption->text());
  }
  else if (auto* e = qobject_cast<const QLineEdit*>(widget))
    what = Quoted(e->text());
  else if (auto* l = qobject_cast<const QLabel*>(widget))
    what = Quoted(l->text().left(24));
  return QStringLiteral("%1 %2 at (%3, %4) %5")
      .arg(w ? NameOf(w) : QStringLiteral("?"), QString::fromLatin1(widget->metaObject()->className()))
      .arg(kit::Twips(at.x()))
      .arg(kit::Twips(at.y()))
      .arg(what);
}

// The controls of every screen: those the pupil can click now (usable), or
// those that are hidden or disabled, whose clicks must be refused.
std::vector<QWidget*> Monkey::Controls(bool usable) const {
  std::vector<QWidget*> out;
  for (kit::Window* w : program_->Screens()) {
    if (usable && !w->Visible()) continue;
    for (QWidget* c : kit::qt::Top(*w)->findChildren<QWidget*>()) {
      if (c->testAttribute(Qt::WA_TransparentForMouseEvents) || InsideButtonOrMenuBar(c)) continue;
      if (qobject_cast<QMenuBar*>(c) || qobject_cast<QMenu*>(c) || c->isWindow()) continue;
      if (Pupil::CanClick(c) == usable) out.push_back(c);
    }
  }
  return out;
}

std::vector<QLineEdit*> Monkey::AnswerBoxes(kit::Window& w) const {
  std::vector<QLineEdit*> out;
  for (const ScreenSolver& s : Solvers())
    if (s.owns(w)) s.answerBoxes(w, out);
  // Whatever else the pupil can type into on a scoring screen answers too.
  if (dynamic_cast<kit::ScoringScreen*>(&w)) {
    for (QLineEdit* e : kit::qt::Top(w)->findChildren<QLineEdit*>())
      if (Editable(e) && std::find(out.begin(), out.end(), e) == out.end()) out.push_back(e);
  }
  return out;
}

// An exercise screen with nothing left to press or type into, while the main
// window's menu is unavailable too: the pupil cannot go on.
bool Monkey::DeadEnd(kit::Window& w) const {
  if (!dynamic_cast<kit::ExerciseScreen*>(&w)) return false;
  for (QAbstractButton* b : kit::qt::Top(w)->findChildren<QAbstractButton*>())
    if (Pupil::CanClick(b)) return false;
  for (QLineEdit* e : kit::qt::Top(w)->findChildren<QLineEdit*>())
    if (Editable(e)) return false;
  return !Pupil::CanClick(kit::qt::Main(program_->MDIForm2())->menuBar());
}

// ------------------------------------------------------------------ invariants

QString Monkey::Check() {
  QStringList broken;
  // Found inside a handler's aftermath (a wrong verdict, a click that went through).
  if (!pendingFailure_.isEmpty()) broken << pendingFailure_;
  if (program_->Ended()) return broken.join(QStringLiteral("; "));
  Observe();
  app::MDIForm2& main = program_->MDIForm2();
  if (!main.Visible()) broken << QStringLiteral("the main window is not on screen");

  const auto visible = VisibleScreens();
  if (visible.size() != 1) {
    QStringList names;
    for (kit::Window* w : visible) names << NameOf(w);
    broken << QStringLiteral("%1 screens in use at once: %2").arg(visible.size()).arg(names.join(QStringLiteral(", ")));
  }

  if (visible.size() == 1 && !visible.front()->Available())
    broken << QStringLiteral("%1 is in use but unavailable to the pupil").arg(NameOf(visible.front()));
  if (program_->InfoLoaded() && program_->frminfo().Visible() && !main.Available())
    broken << QStringLiteral("the info screen is up but the main window is unavailable");
  if (program_->InfoLoaded() && program_->frminfo().Visible()) {
    const app::frminfo& info = program_->frminfo();
    if (info.tikteller < 0 || info.tikteller > 150 || info.ProgressBar1.Value() != info.tikteller)
      broken << QStringLiteral("the info screen's progress bar reads %1 at tick %2")
                    .arg(info.ProgressBar1.Value())
                    .arg(info.tikteller);
  }
  // The welcome screen is only hidden once the menu has come; it never returns.
  if (auto* welcome = &program_->frmmecenaat1(); welcome->Visible() && welcomeLeft_)
    broken << QStringLiteral("the welcome screen is back");
  else if (!welcome->Visible())
    welcomeLeft_ = true;

  app::frmkiesbasis* menu = nullptr;
  for (kit::Window* w : program_->Screens())
    if (auto* m = dynamic_cast<app::frmkiesbasis*>(w)) menu = m;

  // The total: the scoring screen in use holds it, otherwise the menu's label.
  const QString caption = menu ? menu->lblgemaakt.Caption() : QString();
  if (menu && !kit::IsNumber(caption)) broken << QStringLiteral("lblgemaakt reads %1, not a number").arg(Quoted(caption));
  auto* scoring = visible.size() == 1 ? dynamic_cast<kit::ScoringScreen*>(visible.front()) : nullptr;
  if (scoring) {
    if (scoring->totaaljuist != expected_)
      broken << QStringLiteral("%1 totaaljuist is %2, but %3 exercises were judged correct")
                    .arg(NameOf(scoring))
                    .arg(scoring->totaaljuist)
                    .arg(expected_);
  } else if (menu && kit::IsNumber(caption) && visible.size() == 1) {
    if (kit::ReadNumber(caption) != double(expected_))
      broken << QStringLiteral("lblgemaakt reads %1, but %2 exercises were judged correct")
                    .arg(Quoted(caption))
                    .arg(expected_);
  }

  for (kit::Window* w : program_->Screens()) {
    if (auto* s = dynamic_cast<kit::SeriesScreen*>(w)) {
      const int length = Info(w).seriesLength;
      if (s->reeksjuist < 0 || s->reeksjuist > s->reeksgemaakt)
        broken << QStringLiteral("%1 reeksjuist %2 against reeksgemaakt %3").arg(NameOf(w)).arg(s->reeksjuist).arg(s->reeksgemaakt);
      if (s->reeksgemaakt < 0 || (length > 0 && s->reeksgemaakt > length))
        broken << QStringLiteral("%1 reeksgemaakt %2 outside its series of %3").arg(NameOf(w)).arg(s->reeksgemaakt).arg(length);
      if (s->lblteller.Caption() != kit::NumText(s->reeksjuist) || s->lbltotaal.Caption() != kit::NumText(s->reeksgemaakt))
        broken << QStringLiteral("%1 counters show %2 and %3 for reeksjuist %4 and reeksgemaakt %5")
                      .arg(NameOf(w), Quoted(s->lblteller.Caption()), Quoted(s->lbltotaal.Caption()))
                      .arg(s->reeksjuist)
                      .arg(s->reeksgemaakt);
    }
    if (dynamic_cast<kit::ExerciseScreen*>(w)) {
      const bool signAllowed = BoxCharacters(*w).contains(u'-');
      for (QLineEdit* box : AnswerBoxes(*w))
        if (!HoldsNumberText(box->text(), signAllowed))
          broken << QStringLiteral("answer box %1 holds %2").arg(Describe(box), Quoted(box->text()));
    }
  }

  for (kit::Window* w : visible)
    for (const ScreenSolver& s : Solvers())
      if (s.owns(*w) && s.screenCheck)
        if (const QString wrong = s.screenCheck(*w); !wrong.isEmpty()) broken << NameOf(w) + QStringLiteral(": ") + wrong;

  if (visible.size() == 1 && DeadEnd(*visible.front()))
    broken << QStringLiteral("%1 leaves the pupil no way on").arg(NameOf(visible.front()));
  return broken.join(QStringLiteral("; "));
}

// ------------------------------------------------------------------ actions

void Monkey::ClickSomething() {
  const std::vector<QWidget*> pool = Controls(true);
  if (pool.empty()) return PressKey();
  // Buttons and boxes are what a child goes for; labels and pictures now and then.
  std::vector<int> weights;
  for (QWidget* c : pool)
    weights.push_back(qobject_cast<QAbstractButton*>(c) ? 6 : qobject_cast<QLineEdit*>(c) ? 3 : 1);
  std::discrete_distribution<int> pick(weights.begin(), weights.end());
  QWidget* target = pool[std::size_t(pick(rng_))];
  // The click lands on whatever lies on top at that spot.
  QWidget* top = target->window();
  if (QWidget* hit = top->childAt(target->mapTo(top, target->rect().center())); hit && Pupil::CanClick(hit))
    target = hit;
  ++counts_.clicks;
  Record(QStringLiteral("click ") + Describe(target));
  Pupil::Click(target);
}

void Monkey::ClickRefused() {
  const std::vector<QWidget*> pool = Controls(false);
  if (pool.empty()) return;
  QWidget* target = pool[std::size_t(Pick(int(pool.size())))];
  ++counts_.refusedClicks;
  Record(QStringLiteral("click hidden or disabled ") + Describe(target));
  if (Pupil::Click(target)) pendingFailure_ = QStringLiteral("a click on a hidden or disabled control went through");
}

void Monkey::PressKey() {
  ++counts_.keys;
  const QString into = Describe(Pupil::Focused());
  const int r = Pick(100);
  if (r < 45) {
    const QString digit(QChar(u'0' + Pick(10)));
    Record(QStringLiteral("type %1 into %2").arg(digit, into));
    Pupil::Type(digit);
  } else if (r < 60) {
    const QString c = QString::fromUtf16(kTyped[Pick(Count(kTyped))]);
    Record(QStringLiteral("type %1 into %2").arg(Quoted(c), into));
    Pupil::Type(c);
  } else {
    const KeyChoice& k = kKeys[Pick(Count(kKeys))];
    Record(QStringLiteral("key %1 into %2").arg(QString::fromLatin1(k.name), into));
    Pupil::Key(k.key, k.modifiers);
  }
}

// The "?" button (F1 is among the keys): a sentence comes, the focus stays.
void Monkey::AskHelp() {
  QWidget* before = Pupil::Focused();
  QAbstractButton* help = InUse() ? Pupil::Offered(*InUse(), u"HULP") : nullptr;
  if (!help) return PressKey();
  Record(QStringLiteral("click HULP, the focus in %1").arg(Describe(before)));
  if (Pupil::Click(help) && Pupil::Focused() != before) pendingFailure_ = QStringLiteral("the help button took the focus");
}

QString Monkey::RandomClipboardText() {
  if (Chance(0.7)) return QString::fromUtf8(kClipboardTexts[Pick(Count(kClipboardTexts))]);
  // A long run of digits, now and then with a sign or a separator in it.
  QString t;
  const int n = 2 + Pick(24);
  for (int i = 0; i < n; ++i) t += QChar(u'0' + Pick(10));
  if (Chance(0.3)) t.insert(Pick(int(t.size())), Chance(0.5) ? u'.' : u'-');
  return t;
}

void Monkey::PasteSomething() {
  ++counts_.pastes;
  const QString text = RandomClipboardText();
  Pupil::SetClipboard(text);
  QLineEdit* box = Pupil::FocusedBox();
  const int how = Pick(10);
  if (how < 4 || !box) {
    Record(QStringLiteral("Ctrl+V %1 into %2").arg(Quoted(text), Describe(Pupil::Focused())));
    Pupil::Paste();
  } else if (how < 6) {
    Record(QStringLiteral("Shift+Ins %1 into %2").arg(Quoted(text), Describe(box)));
    Pupil::Key(Qt::Key_Insert, Qt::ShiftModifier);
  } else {
    Record(QStringLiteral("context-menu paste %1 into %2").arg(Quoted(text), Describe(box)));
    Pupil::PasteFromContextMenu(box);
  }
}

void Monkey::ContextMenuEntry() {
  QLineEdit* box = Pupil::FocusedBox();
  if (!box || Chance(0.3)) {
    std::vector<QLineEdit*> boxes;
    for (QWidget* c : Controls(true))
      if (auto* e = qobject_cast<QLineEdit*>(c)) boxes.push_back(e);
    if (boxes.empty()) return PressKey();
    box = boxes[std::size_t(Pick(int(boxes.size())))];
  }
  ++counts_.contextMenu;
  const char* entry = kMenuEntries[Pick(Count(kMenuEntries))];
  if (std::string_view(entry) == "Paste") Pupil::SetClipboard(RandomClipboardText());
  Record(QStringLiteral("context menu %1 on %2").arg(QString::fromLatin1(entry), Describe(box)));
  Pupil::ContextMenuAction(box, entry);
}

void Monkey::CloseSomething() {
  kit::Window* w = Chance(0.85) ? InUse() : &program_->MDIForm2();
  if (!w) w = &program_->MDIForm2();
  ++counts_.closes;
  Record(QStringLiteral("close box of ") + NameOf(w));
  const bool wasUp = w->Visible();
  Pupil::Close(*w);
  // A close box that does what STOP does ends the exercise in hand too.
  if (wasUp && !w->Visible() && dynamic_cast<kit::SeriesScreen*>(w)) Info(w).counted = true;
}

void Monkey::ChooseBasis() {
  QMenuBar* bar = kit::qt::Main(program_->MDIForm2())->menuBar();
  QAction* basis = nullptr;
  for (QAction* m : bar->actions())
    if (m->menu())
      for (QAction* a : m->menu()->actions())
        if (a->text() == u"&Basis") basis = a;
  if (!basis) {
    pendingFailure_ = QStringLiteral("the main window has no menu item &Basis");
    return;
  }
  ++counts_.basis;
  if (!Pupil::CanClick(bar)) {
    Record(QStringLiteral("menu OPENEN > &Basis: the main window is unavailable, nothing happens"));
    return;
  }
  Record(QStringLiteral("menu OPENEN > &Basis"));
  basis->trigger();
}

void Monkey::LetTimePass() {
  app::frminfo& info = program_->frminfo();
  ++counts_.ticks;
  if (Chance(0.2)) {
    Record(QStringLiteral("wait for one tick of the info screen"));
    if (info.Timer1.Enabled()) info.Timer1.Fire();
    return;
  }
  // The run ends after 151 ticks of 75 ms; waiting them out for real would
  // spend most of the monkey's time standing still, so the ticks are fired.
  Record(QStringLiteral("let the info screen's time run out"));
  for (int i = 0; i < kTickLimit && !program_->Ended() && info.Visible(); ++i) info.Timer1.Fire();
  if (!program_->Ended()) pendingFailure_ = QStringLiteral("the info screen did not end the run");
}

bool Monkey::WorkExercise() {
  kit::Window* w = InUse();
  if (!w || !dynamic_cast<kit::ScoringScreen*>(w)) return false;
  const double p = Info(w).diligent ? 0.9 : 0.35;
  QWidget* focused = Pupil::Focused();
  if (WindowOf(focused) == w) {
    for (const ScreenSolver& s : Solvers()) {
      if (!s.owns(*w)) continue;
      const NextMove move = s.next(*w, focused);
      if (move.kind == NextMove::Kind::None || !Chance(p)) break;
      ++counts_.worked;
      if (move.kind == NextMove::Kind::Type) {
        Record(QStringLiteral("work: type %1 into %2").arg(move.text, Describe(focused)));
        Pupil::Type(move.text);
      } else {
        Record(QStringLiteral("work: click %1 to empty it").arg(Describe(focused)));
        Pupil::Click(focused);
      }
      return true;
    }
  }
  // CONTROLE when it is shown; otherwise on to the next exercise.
  for (const char16_t* tip : {u"CONTROLE", u"START", u"NIEUW", u"NOG EENS"}) {
    for (QAbstractButton* b : kit::qt::Top(*w)->findChildren<QAbstractButton*>()) {
      if (b->toolTip() != QStringView(tip) || !Pupil::CanClick(b)) continue;
      if (!Chance(tip[0] == u'C' ? p : p / 2)) return false;
      ++counts_.worked;
      Record(QStringLiteral("work: click ") + Describe(b));
      Pupil::Click(b);
      return true;
    }
  }
  return false;
}

// From any state the pupil can get back to the menu: by the close box, the
// frame's buttons, and where the exercise hides them, by working it (any digits
// do, the solver's are simply at hand), for the check brings the buttons back.
void Monkey::GoHome() {
  ++counts_.homeward;
  Record(QStringLiteral("go back to the menu"));
  kit::Window* from = InUse();
  retyped_.clear();
  for (int step = 0; step < kHomeActions; ++step) {
    kit::Window* w = InUse();
    // The info screen ends the run (LetTimePass watches that); no screen in use is Check's to report.
    if (!w || program_->Ended() || dynamic_cast<app::frminfo*>(w)) return;
    if (dynamic_cast<app::frmkiesbasis*>(w)) return;
    if (auto* welcome = dynamic_cast<app::frmmecenaat1*>(w)) {
      HomeClick(kit::qt::Widget(welcome->cmdkombinnen));
    } else if (!HomeStep(*w)) {
      break;
    }
    QApplication::processEvents();
    if (!pendingFailure_.isEmpty()) return;
  }
  pendingFailure_ = QStringLiteral("no way back to the menu from %1 within %2 actions")
                        .arg(from ? NameOf(from) : QStringLiteral("?"))
                        .arg(kHomeActions);
  if (auto* s = dynamic_cast<kit::SeriesScreen*>(InUse()))
    pendingFailure_ += QStringLiteral(" (its series stands at %1 of %2)").arg(s->reeksjuist).arg(s->reeksgemaakt);
}

bool Monkey::HomeClick(QWidget* widget) {
  if (!widget) return false;
  Record(QStringLiteral("  home: click ") + Describe(widget));
  Pupil::Click(widget);
  return true;
}

bool Monkey::HomeStep(kit::Window& w) {
  auto button = [&w](QStringView tip) { return Pupil::Offered(w, tip); };
  // The close box does what STOP does, where STOP is shown. START comes last:
  // a board that keeps it on view during the work would only begin again.
  for (QStringView tip : {u"STOP", u"NOG EENS", u"CONTROLE", u"NIEUW"})
    if (HomeClick(button(tip))) return true;
  QLineEdit* box = qobject_cast<QLineEdit*>(Pupil::Focused());
  if (!box || WindowOf(box) != &w || !Editable(box)) {
    if (HomeClick(FirstOf<QLineEdit>(w, Editable)) || HomeClick(button(u"START"))) return true;
    // A screen of its own kind (the block screen shares out with its divisor button).
    return HomeClick(FirstOf<QAbstractButton>(w, [](QAbstractButton* b) { return Pupil::CanClick(b); }));
  }
  for (const ScreenSolver& s : Solvers()) {
    if (!s.owns(w)) continue;
    const NextMove move = s.next(w, box);
    if (move.kind == NextMove::Kind::Type) {
      Record(QStringLiteral("  home: type %1 into %2").arg(move.text, Describe(box)));
      Pupil::Type(move.text);
      return true;
    }
    // A box that holds the right digit already may not have opened the next
    // one (it came in by paste, or out of order): typed again, it does.
    if (!box->text().isEmpty() && !retyped_.contains(box)) {
      retyped_.insert(box);
      Record(QStringLiteral("  home: click %1 to empty it").arg(Describe(box)));
      Pupil::Click(box);
      if (box->text().isEmpty()) return true;
    }
  }
  Record(QStringLiteral("  home: Tab from ") + Describe(box));
  Pupil::Key(Qt::Key_Tab);
  return true;
}

QString Monkey::Summary() const {
  QString s = QStringLiteral(
                  "seed %1: %2 actions in %3 runs; %4 clicks, %5 refused clicks, %6 keys, %7 pastes, %8 "
                  "context-menu entries, %9 close boxes, %10 &Basis, %11 info-screen waits; %12 worked moves; "
                  "%13 STARTs, %14 CONTROLEs, %15 exercises judged correct (at most %16 in one run), %17 series "
                  "closed; %18 walks back to the menu; %19 broken invariants (%20 size-hint warnings of the "
                  "platform left out in this process)")
                  .arg(seed_)
                  .arg(counts_.actions)
                  .arg(counts_.runs)
                  .arg(counts_.clicks)
                  .arg(counts_.refusedClicks)
                  .arg(counts_.keys)
                  .arg(counts_.pastes)
                  .arg(counts_.contextMenu)
                  .arg(counts_.closes)
                  .arg(counts_.basis)
                  .arg(counts_.ticks)
                  .arg(counts_.worked)
                  .arg(counts_.starts)
                  .arg(counts_.checks)
                  .arg(counts_.correct)
                  .arg(counts_.highestTotal)
                  .arg(counts_.seriesClosed)
                  .arg(counts_.homeward)
                  .arg(counts_.breaks)
                  .arg(gSizeHintWarnings);
  s += QStringLiteral("\n  visits:");
  for (const auto& [name, n] : counts_.visits) s += QStringLiteral(" %1 %2").arg(name).arg(n);
  s += QStringLiteral("\n  correct:");
  for (const auto& [name, n] : counts_.correctOn) s += QStringLiteral(" %1 %2").arg(name).arg(n);
  return s;
}

}  // namespace testing_support
