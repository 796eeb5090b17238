// What one pupil key press costs on the three-digit division board (the key
// event through the key filter, the repair pass over the box's group and the
// step reaction) against the same key press into a bare QLineEdit, measured in
// one run. Painting is left out of both: posted events are processed between
// key presses, outside the timed part.
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
#include <vector>

#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "app/program.h"
#include "kit/application.h"
#include "written/frmcijferdeel0.h"
#include "written/frmcijferdelen5.h"

namespace {

// Every START draws 852 : 4, so that each exercise follows the same path.
class Same852 final : public kit::RandomSource {
 public:
  void Randomize() override {}
  double Rnd() override {
    return (next_ = !next_) ? kit::ScriptedRandom::For(4, 9) : kit::ScriptedRandom::For(213, 999);
  }

 private:
  bool next_ = false;
};

const char kKeys[] = "28010413120";  // 852 : 4 worked right, one key per box
constexpr int kKeyCount = sizeof(kKeys) - 1;

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

// Every START draws 12345,678 : 7 on the decimal-comma board, the deepest one:
// thirty subtraction boxes in the repair pass, and a row for every one of them.
class Same12345 final : public kit::RandomSource {
 public:
  void Randomize() override {}
  double Rnd() override {
    return (next_ = !next_) ? kit::ScriptedRandom::For(7, 9) : kit::ScriptedRandom::For(12345678 - 1, 99999999);
  }

 private:
  bool next_ = false;
};

// 12345,678 : 7 worked right from quotient box 1 on (the screen writes step 1).
const char kKeys12345[] = "1075749464223214642464258562";
constexpr int kKeyCount12345 = sizeof(kKeys12345) - 1;

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
  program.SetRandom(std::make_unique<Same852>());
  program.Start();
  // A benchmark has no pupil: it presses the buttons' handlers itself.
  program.frmmecenaat1().cmdkombinnen.onClick();
  program.frmkiesbasis().Command3.onClick();
  written::frmcijferdeel0& board = program.frmcijferdeel0();

  QWidget bare;
  auto* edit = new QLineEdit(&bare);
  edit->setFont(kit::Font{27.75}.ToQFont());
  edit->setAlignment(Qt::AlignCenter);
  edit->setGeometry(10, 10, 49, 49);

  std::vector<double> boardNs, bareNs;
  for (int b = 0; b < batches; ++b) {
    qint64 spent = 0;
    board.Show();
    QApplication::processEvents();
    for (int e = 0; e < perBatch; ++e) {
      board.cmdstart.onClick();
      QApplication::processEvents();
      for (int k = 0; k < kKeyCount; ++k) {
        spent += Press(kKeys[k]);
        QApplication::processEvents();
      }
      board.cmdcontrole.onClick();
      if (board.cmdnieuw.Visible()) board.cmdnieuw.onClick();
      else board.cmdnogeens.onClick();
    }
    boardNs.push_back(double(spent) / (perBatch * kKeyCount));

    spent = 0;
    bare.show();
    bare.activateWindow();
    edit->setFocus();
    QApplication::processEvents();
    for (int e = 0; e < perBatch; ++e) {
      edit->clear();
      QApplication::processEvents();
      for (int k = 0; k < kKeyCount; ++k) {
        spent += Press(kKeys[k]);
        QApplication::processEvents();
      }
    }
    bareNs.push_back(double(spent) / (perBatch * kKeyCount));
    bare.hide();
  }

  const double onBoard = Median(boardNs) / 1000.0;
  const double onBare = Median(bareNs) / 1000.0;
  std::printf("key presses: %d batches x %d exercises x %d keys, median of batch means\n", batches, perBatch,
              kKeyCount);
  std::printf("board (filter, repair pass, step reaction): %8.2f us per key\n", onBoard);
  std::printf("bare QLineEdit:                             %8.2f us per key\n", onBare);
  std::printf("ratio board / bare:                         %8.2f x (target at most 3 x)\n", onBoard / onBare);

  // The decimal-comma board, against the bare box again in the same batches.
  program.SetRandom(std::make_unique<Same12345>());
  written::frmcijferdelen5& comma = program.frmcijferdelen5();
  edit->setFont(kit::Font{12, true}.ToQFont());
  edit->setGeometry(10, 10, 25, 21);
  boardNs.clear();
  bareNs.clear();
  for (int b = 0; b < batches; ++b) {
    qint64 spent = 0;
    comma.Show();
    QApplication::processEvents();
    for (int e = 0; e < perBatch; ++e) {
      comma.cmdstart.onClick();
      QApplication::processEvents();
      for (int k = 0; k < kKeyCount12345; ++k) {
        spent += Press(kKeys12345[k]);
        QApplication::processEvents();
      }
      comma.cmdcontrole.onClick();
      if (comma.cmdnieuw.Visible()) comma.cmdnieuw.onClick();
      else comma.cmdnogeens.onClick();
    }
    boardNs.push_back(double(spent) / (perBatch * kKeyCount12345));
    comma.Hide();

    spent = 0;
    bare.show();
    bare.activateWindow();
    edit->setFocus();
    QApplication::processEvents();
    for (int e = 0; e < perBatch; ++e) {
      edit->clear();
      QApplication::processEvents();
      for (int k = 0; k < kKeyCount12345; ++k) {
        spent += Press(kKeys12345[k]);
        QApplication::processEvents();
      }
    }
    bareNs.push_back(double(spent) / (perBatch * kKeyCount12345));
    bare.hide();
  }
  const double onComma = Median(boardNs) / 1000.0;
  const double onBare2 = Median(bareNs) / 1000.0;
  std::printf("decimal-comma board (30 boxes):             %8.2f us per key\n", onComma);
  std::printf("bare QLineEdit:                             %8.2f us per key\n", onBare2);
  std::printf("ratio decimal-comma board / bare:           %8.2f x (target at most 2.5 x)\n", onComma / onBare2);
  return 0;
}
