// The yardstick for bench_startup: a bare Qt program, built in the same tree
// with the same flags, that shows what the program's start shows in the
// barest form: a main window with a menu bar and one more window. It quits as
// soon as that second window has been painted.
//
//   bench_bare          the yardstick
//   bench_bare texts    the same, with the welcome screen's five texts in its
//                       four fonts as plain labels: what Qt alone pays to draw
//                       that text for the first time, the floor that the
//                       program's start-up time is held against

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstring>

#include "quit_on_first_paint.h"

namespace {

QFont WelcomeFont(int pixels, bool bold) {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

void AddWelcomeTexts(QWidget& window) {
  struct Text {
    const char* text;
    int pixels;
    bool bold;
    int top;
  };
  static constexpr Text kTexts[] = {
      {"Educatieve software voor de  basisschool.", 15, true, 24},
      {"Pimpelwerk ", 32, true, 328},
      {"Gratis te verspreiden software", 21, true, 368},
      {"Ontwikkeld op basisschool Het Deeltal in Rekendorp, 2024 - 2026", 15, false, 408},
  };
  for (const Text& t : kTexts) {
    auto* label = new QLabel(QString::fromUtf8(t.text), &window);
    label->setFont(WelcomeFont(t.pixels, t.bold));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, t.top, 762, t.pixels + 8);
  }
  auto* button = new QPushButton(QStringLiteral("Klik hier en start !"), &window);
  button->setFont(WelcomeFont(21, true));
  button->setGeometry(240, 72, 257, 233);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow main;
  main.menuBar()->addMenu(QStringLiteral("OPENEN "))->addAction(QStringLiteral("&Basis"));
  main.resize(662, 455);
  main.show();
  QWidget second;
  second.resize(762, 441);
  if (argc > 1 && std::strcmp(argv[1], "texts") == 0) AddWelcomeTexts(second);
  QuitOnFirstPaint quit(&second);
  second.show();
  // Never hang a benchmark run on a platform that does not paint.
  QTimer::singleShot(10000, &app, [] { QCoreApplication::exit(2); });
  return QApplication::exec();
}
