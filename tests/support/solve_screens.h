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
// of its screens; if it is, it answers for the focused widget and lists the
// screen's answer boxes (each of which must always hold "", "-" or a number).
struct ScreenSolver {
  const char* name;
  bool (*owns)(kit::Window& screen);
  NextMove (*next)(kit::Window& screen, QWidget* focused);
  void (*answerBoxes)(kit::Window& screen, std::vector<QLineEdit*>& out);
};

// The solvers for the screens whose exercises exist; the monkey asks each in turn.
const std::vector<ScreenSolver>& Solvers();

// The keys that turn `have` into `want` one digit at a time, as a pupil who
// knows the answer types it: the next character when `have` is a start of
// `want`, nothing when they are equal, an erase otherwise.
NextMove TowardsText(const QString& have, const QString& want);

}  // namespace testing_support
