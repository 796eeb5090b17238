// What one pupil key press costs on the division boards (the key event through
// the key filter, the repair pass over the box's group and the step reaction)
// against the same key press into a bare QLineEdit, measured in one run: the
// three-digit board and the five-digit board, each against the bare box.
// Painting is left out of both: posted events are processed between key
// presses, outside the timed part.
//
//   bench_keypress [exercises-per-batch] [batches]

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "app/program.h"
#include "kit/qt/application.h"
#include "kit/qt/units.h"
#include "written/frmcijferdeel0.h"
#include "written/frmcijferdelen4.h"
#include "written/frmcijferdelen5.h"

namespace {

// Every START draws the same divisor and dividend (or quotient), so that each
// exercise follows the same path.
class SameProblem final : public kit::RandomSource {
 public:
  SameProblem(double deler, double second) : deler_(deler), second_(second) {}
  void Randomize() override {}
  double Rnd() override { return (next_ = !next_) ? deler_ : second_; }

 private:
  double deler_, second_;
  bool next_ = false;
};

// A board, the draws that give its problem, and that problem worked right,
// one key per box.
struct Board {
  const char* name;
  kit::SeriesScreen& screen;
  double deler, second;
  const char* keys;
};

// One key press and release into the focused widget; nanoseconds taken.
qint64 Press(char c) {
  QWidget* w = QApplication::focusWidget();
  if (!w) {
    std::fprintf(stderr, "no focused widget\n");
    std::exit(1);
  }
  const QString text(QChar::fromLatin1(c));
  const int key = Qt::Key_0 + (c - '0');
  QElapsedTimer t;
  t.start();
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &release);
  return t.nsecsElapsed();
}

// The keys of one exercise; nanoseconds taken.
qint64 PressAll(const char* keys) {
  qint64 spent = 0;
  for (const char* k = keys; *k; ++k) {
    spent += Press(*k);
    QApplication::processEvents();
  }
  return spent;
}

// Mean nanoseconds per key over `exercises` exercises worked on the board.
// A benchmark has no pupil: it presses the buttons' handlers itself.
double OnBoard(app::Program& program, Board& b, int exercises) {
  program.SetRandom(std::make_unique<SameProblem>(b.deler, b.second));
  b.screen.Show();
  QApplication::processEvents();
  qint64 spent = 0;
  for (int e = 0; e < exercises; ++e) {
    b.screen.cmdstart.onClick();
    QApplication::processEvents();
    spent += PressAll(b.keys);
    b.screen.cmdcontrole.onClick();
    if (b.screen.cmdnieuw.Visible()) b.screen.cmdnieuw.onClick();
    else b.screen.cmdnogeens.onClick();
  }
  b.screen.Hide();
  return double(spent) / (exercises * double(std::strlen(b.keys)));
}

// The same keys into a bare box, emptied before each exercise.
double OnBare(QWidget& bare, QLineEdit& edit, const char* keys, int exercises) {
  bare.show();
  bare.activateWindow();
  edit.setFocus();
  QApplication::processEvents();
  qint64 spent = 0;
  for (int e = 0; e < exercises; ++e) {
    edit.clear();
    QApplication::processEvents();
    spent += PressAll(keys);
  }
  bare.hide();
  return double(spent) / (exercises * double(std::strlen(keys)));
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  kit::SetUpApplication(application);
  const int perBatch = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
  const int batches = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;

  app::Program program;
  program.Start();
  program.frmmecenaat1().cmdkombinnen.onClick();
  program.frmkiesbasis().Command3.onClick();
  using kit::ScriptedRandom;
  Board boards[] = {
      {"three-digit board", program.frmcijferdeel0(), ScriptedRandom::For(4, 9), ScriptedRandom::For(213, 999),
       "28010413120"},  // 852 : 4
      {"five-digit board", program.frmcijferdelen4(), ScriptedRandom::For(4, 9), ScriptedRandom::For(85239, 99999),
       "2801041312000039363"},  // 85239 : 4
      // The deepest board: thirty subtraction boxes in the repair pass. Its
      // dividend is drawn as Int(r x 99999999) + 2, in thousandths.
      {"decimal-comma board", program.frmcijferdelen5(), ScriptedRandom::For(7, 9),
       ScriptedRandom::For(12345678 - 1, 99999999), "1075749464223214642464258562"},  // 12345,678 : 7
  };
  // No board may make a key dearer than it was when the board layer came in.
  const double targets[] = {2.2, 2.2, 2.2};
  constexpr int kBoards = int(std::size(boards));

  QWidget bare;
  auto* edit = new QLineEdit(&bare);
  edit->setFont(kit::ToQFont(kit::Font{27.75}));
  edit->setAlignment(Qt::AlignCenter);
  edit->setGeometry(10, 10, 49, 49);

  std::vector<double> boardNs[kBoards], bareNs[kBoards];
  for (int b = 0; b < batches; ++b) {
    for (int i = 0; i < kBoards; ++i) {
      boardNs[i].push_back(OnBoard(program, boards[i], perBatch));
      bareNs[i].push_back(OnBare(bare, *edit, boards[i].keys, perBatch));
    }
  }

  std::printf("key presses: %d batches x %d exercises, median of batch means\n", batches, perBatch);
  for (int i = 0; i < kBoards; ++i) {
    const double onBoard = Median(boardNs[i]) / 1000.0;
    const double onBare = Median(bareNs[i]) / 1000.0;
    std::printf("%s (filter, repair pass, step reaction): %8.2f us per key\n", boards[i].name, onBoard);
    std::printf("  bare QLineEdit:  %8.2f us per key\n", onBare);
    std::printf("  ratio to bare:   %8.2f x (target at most %.1f x)\n", onBoard / onBare, targets[i]);
  }
  return 0;
}
