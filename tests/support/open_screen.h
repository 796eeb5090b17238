#pragma once
// A fresh Program, its chance scripted, taken the pupil's way to one screen:
// start, the welcome screen's big button, the menu button of the named screen.
//
// A new screen's test opens its screen in one line, with the draws START makes:
//   ProgramRun run({ScriptedRandom::For(4, 9), ScriptedRandom::For(213, 999)});
//   auto& s = run.Open<placevalue::frmcijferdelen>("frmcijferdelen");
// Setup fails loudly: a step that does not happen (a click refused, a screen
// not on view, a screen of another type) fails the test at the line that asked
// for it, naming the step. The screen returned is always a real one, so the
// checks after it cannot crash; ProgramRun::Ok() tells whether setup held.

#include <QList>
#include <QString>
#include <source_location>
#include <stdexcept>
#include <string_view>

#include "app/program.h"
#include "kit/random.h"
#include "kit/window.h"

namespace testing_support {

// Fails the running test at `where` with `why`.
void FailAt(const QString& why, const std::source_location& where);

// Starts p and takes the welcome screen's big button to the menu. False, with
// the step that did not happen in *why, when the menu is not on view after.
[[nodiscard]] bool StartToMenu(app::Program& p, QString* why = nullptr);

// From the menu, the named screen's button ("frmschat", "frmcijferdeel0", ...).
// False, with the reason in *why, when the name is unknown, the menu or its
// button cannot be clicked, or the screen is not on view after the click.
[[nodiscard]] bool OpenFromMenu(app::Program& p, std::string_view name, QString* why = nullptr);
// The menu button that opens the named screen; null for an unknown name.
kit::Button* MenuButton(app::Program& p, std::string_view name);
// The screen of that name, created on first reference as the program does;
// the main window for an unknown name.
kit::Window& ScreenNamed(app::Program& p, std::string_view name);

// Puts a script in the program's place of chance; the script is the program's.
kit::ScriptedRandom& UseScript(app::Program& p, const QList<double>& script);

// The window as the screen type a test asked for; a wrong type is a fault of
// the test itself and stops the test program.
template <class Screen>
Screen& AsScreen(kit::Window& w, std::string_view name, const std::source_location& where) {
  if (auto* screen = dynamic_cast<Screen*>(&w)) return *screen;
  FailAt(QStringLiteral("%1 is not the screen type the test asked for").arg(QLatin1String(name)), where);
  throw std::logic_error("AsScreen: the test names the wrong type for its screen");
}

// The same steps for a Program of the test's own; failures land on the caller.
template <class Screen>
Screen& OpenScreen(app::Program& p, std::string_view name,
                   const std::source_location& where = std::source_location::current()) {
  QString why;
  if (!StartToMenu(p, &why) || !OpenFromMenu(p, name, &why)) FailAt(why, where);
  return AsScreen<Screen>(ScreenNamed(p, name), name, where);
}

// Marks the clock-seeded source: the program draws as it does for a pupil.
struct ClockChance {};

class ProgramRun {
 public:
  // A scripted source holding `script`; push more through `script` later.
  explicit ProgramRun(const QList<double>& draws = {});
  explicit ProgramRun(ClockChance) {}
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  // Start, welcome screen, menu.
  bool ToMenu(const std::source_location& where = std::source_location::current());
  // Opens the named screen from the menu (starting the run first if it has not
  // started) and returns it.
  template <class Screen>
  Screen& Open(std::string_view name, const std::source_location& where = std::source_location::current()) {
    OpenWindow(name, where);
    return AsScreen<Screen>(ScreenNamed(p, name), name, where);
  }
  bool Ok() const { return ok_; }

  app::Program p;
  kit::ScriptedRandom* script = nullptr;  // null when the clock draws

 private:
  void OpenWindow(std::string_view name, const std::source_location& where);
  void Fail(const QString& why, const std::source_location& where);
  bool started_ = false;
  bool ok_ = true;
};

}  // namespace testing_support
