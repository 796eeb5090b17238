#pragma once
// What a pupil who can divide does on an exercise screen: the right next digit
// for the focused box, computed from the division on the screen, not from what
// the screen expects. The random pupil uses these so that correct exercises
// really happen and the total of correct exercises is really put to the test.

#include <QString>
#include <vector>

class QLineEdit;
class QWidget;

namespace kit {
class Window;
}

namespace testing_support {

struct NextMove {
  enum class Kind {
    None,   // nothing to do in this box (it holds the right text, or is unknown)
    Type,   // type `text`
    Erase,  // the box holds something else: click it to empty it
  };
  Kind kind = Kind::None;
  QString text;
};

// One solver per kind of exercise screen. Each tells whether the window is one
// of its screens; if it is, it answers for the focused widget, lists the
// screen's answer boxes (each of which must always hold "", "-" or a number)
// and judges the answer on the screen.
struct ScreenSolver {
  const char* name;
  bool (*owns)(kit::Window& screen);
  NextMove (*next)(kit::Window& screen, QWidget* focused);
  void (*answerBoxes)(kit::Window& screen, std::vector<QLineEdit*>& out);
  // Whether the answer that stands on the screen right after CONTROLE is the
  // right one, by the division itself: CONTROLE must have judged it so.
  // Null on a screen without a check.
  bool (*answerRight)(kit::Window& screen);
  // What is wrong with what the screen shows, by the numbers it shows; empty
  // when all is well. Null where there is nothing of the kind to check.
  QString (*screenCheck)(kit::Window& screen) = nullptr;
};

// The solvers for the screens whose exercises exist; the monkey asks each in turn.
const std::vector<ScreenSolver>& Solvers();
// The solver of this screen; null for a screen without one.
const ScreenSolver* SolverFor(kit::Window& screen);
std::vector<ScreenSolver> EstimationSolvers();  // frmschat100, frmschat, frmkomma
std::vector<ScreenSolver> WrittenSolvers();     // frmcijferdeel0, frmcijferdelen4, frmcijferdelen5
std::vector<ScreenSolver> PlaceValueSolvers();  // frmcijferdelen, frmcijferdelen2
std::vector<ScreenSolver> BlockSolvers();       // frmcijferdeel

// The keys that turn `have` into `want` one digit at a time, as a pupil who
// knows the answer types it: the next character when `have` is a start of
// `want`, nothing when they are equal, an erase otherwise.
NextMove TowardsText(const QString& have, const QString& want);

}  // namespace testing_support
