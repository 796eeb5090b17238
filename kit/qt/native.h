#pragma once
// The Qt backend's side of the controls and windows: the widget behind each,
// for the backend's own files and for the desktop's test drivers, which reach
// past the screens to press keys into real widgets. Screens never include it.

#include <QPointer>
#include <QWidget>
#include <vector>

#include "kit/controls.h"
#include "kit/window.h"

class QLabel;
class QLineEdit;
class QMainWindow;
class QStatusBar;

namespace kit {

struct Native {
  QPointer<QWidget> widget;
  // A caption drawn by a label: under a button's picture, or at its edge.
  QLabel* captionUnder = nullptr;
  // A status bar's panels.
  std::vector<QLabel*> panels;
};

namespace qt {

QWidget* Widget(const Control& control);
QLineEdit* Edit(const TextBox& box);
QStatusBar* Bar(const StatusBar& bar);
// The window's top-level widget, and the widget its controls are placed on.
QWidget* Top(const Window& window);
QWidget* Surface(const Container& container);
QMainWindow* Main(const FrameWindow& window);

}  // namespace qt
}  // namespace kit
