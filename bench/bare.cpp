// The yardstick for bench_startup: a bare Qt program, built in the same tree
// with the same flags, that shows what the program's start shows in the
// barest form: a main window with a menu bar and one more window. It quits as
// soon as that second window has been painted.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

#include "quit_on_first_paint.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow main;
  main.menuBar()->addMenu(QStringLiteral("OPENEN "))->addAction(QStringLiteral("&Basis"));
  main.resize(662, 455);
  main.show();
  QWidget second;
  second.resize(762, 441);
  QuitOnFirstPaint quit(&second);
  second.show();
  // Never hang a benchmark run on a platform that does not paint.
  QTimer::singleShot(10000, &app, [] { QCoreApplication::exit(2); });
  return QApplication::exec();
}
