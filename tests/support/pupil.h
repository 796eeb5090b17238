#pragma once
// The Pupil drives the program as a child does: types into whatever has the
// focus with real key events, pastes through the clipboard (Ctrl+V, Shift+Ins
// and the box's own context menu) and clicks only what is on screen and enabled.

#include <QColor>
#include <QString>
#include <QWidget>
#include <optional>

#include "kit/controls.h"
#include "kit/window.h"

class QAbstractButton;
class QLineEdit;

namespace testing_support {

class Pupil {
 public:
  // The widget that has the keyboard focus, or null.
  static QWidget* Focused();
  // The box that has the focus, or null when the focus is not in a text box.
  static QLineEdit* FocusedBox();

  // Types each character of text as its own key press into the focused widget;
  // a control character as the key that makes it (newline: Enter, 1: Ctrl+A).
  static void Type(const QString& text);
  // One key (with modifiers) into the focused widget.
  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  static void Backspace() { Key(Qt::Key_Backspace); }
  static void Paste() { Key(Qt::Key_V, Qt::ControlModifier); }

  static void SetClipboard(const QString& text);
  // Pastes through the focused box's own context menu: no key press at all.
  static bool PasteFromContextMenu(QLineEdit* box);
  // Any entry of the box's own menu by its English name: "Undo", "Redo", "Cut",
  // "Copy", "Paste", "Delete", "Select All". False when it is not offered.
  static bool ContextMenuAction(QLineEdit* box, const char* name);

  // A left click on the control; only a control the pupil can see and use can
  // be clicked: returns false (and does nothing) otherwise. The click lands in
  // the middle of the control, or, where another control lies across the
  // middle, at the point of the part on view nearest to it; a control that
  // others cover wholly cannot be clicked.
  static bool Click(const kit::Control& control);
  static bool Click(QWidget* widget);
  static bool CanClick(const QWidget* widget);
  // The window's button with this tool tip (the frame's START, CONTROLE, ...)
  // that the pupil can click now; null when none is on offer.
  static QAbstractButton* Offered(kit::Window& window, QStringView tip);
  // Where in the widget a click reaches it, if anywhere.
  static std::optional<QPoint> ClickPoint(const QWidget* widget);
  // The window's close box.
  static void Close(kit::Window& window);

  // The background colour of the window, read from its pixels at a point in
  // twips that no control covers.
  static QColor PixelAt(kit::Window& window, int xTwips, int yTwips);
  static QColor PixelAt(const kit::Control& control, int xTwips, int yTwips);
};

// Saves a picture of the window as <dir>/<name>.png when REKENTOL_SHOTS names a
// folder, so that a person can look at what a test left on screen. Does nothing
// otherwise.
void Shot(kit::Window& window, const QString& name);

}  // namespace testing_support
