// The yardstick for bench_startup: a bare Qt program, built in the same tree
// with the same flags, that shows what the program's start shows in the
// barest form: a main window with a menu bar and one more window. It quits as
// soon as that second window has been painted.

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

namespace {
// Quits once anything in the window has been painted (a window whose children
// cover it is never painted itself).
class QuitOnFirstPaint final : public QObject {
 public:
  explicit QuitOnFirstPaint(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && !seen_ && o->isWidgetType() && static_cast<QWidget*>(o)->window() == window_) {
      seen_ = true;
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return false;
  }

 private:
  QWidget* window_;
  bool seen_ = false;
};
}  // namespace

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
