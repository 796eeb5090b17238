#pragma once
// The end point that both start-up programs share, so that they are timed to
// the same moment.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

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
