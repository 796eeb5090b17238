#include "support/pupil.h"

#include "kit/qt/keyinput.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <memory>

#include "kit/qt/keyinput.h"
#include "kit/qt/native.h"

namespace testing_support {

QWidget* Pupil::Focused() {
  // Window activation reaches the application as a queued platform event.
  QApplication::processEvents();
  return QApplication::focusWidget();
}

QLineEdit* Pupil::FocusedBox() { return qobject_cast<QLineEdit*>(Focused()); }

void Pupil::Type(const QString& text) {
  for (const QChar c : text) {
    QWidget* w = Focused();
    if (!w) return;
    if (c.unicode() < 0x20) {
      // A control character as a keyboard makes it: Enter, Tab, Backspace,
      // Escape, or Ctrl with a letter (28 to 31 make no key and are left out).
      const char16_t u = c.unicode();
      if (u == u'\n' || u == u'\r') QTest::keyClick(w, Qt::Key_Return);
      else if (u == u'\t') QTest::keyClick(w, Qt::Key_Tab);
      else if (u == u'\b') QTest::keyClick(w, Qt::Key_Backspace);
      else if (u == 0x1b) QTest::keyClick(w, Qt::Key_Escape);
      else if (u <= 26) QTest::keyClick(w, Qt::Key(Qt::Key_A + u - 1), Qt::ControlModifier);
    } else if (c.unicode() < 128) {
      // The character as the key's text, as a keyboard sends it.
      QTest::keyClick(w, char(c.unicode()));
    } else {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(w, &press);
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(w, &release);
    }
  }
}

void Pupil::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QWidget* w = Focused();
  if (!w) return;
  QTest::keyClick(w, key, modifiers);
}

void Pupil::SetClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }

bool Pupil::ContextMenuAction(QLineEdit* box, const char* name) {
  if (!box || !CanClick(box)) return false;
  // Tests name the entries as the toolkit's own menu does; ours carries an
  // object name for each entry it offers.
  static const std::pair<const char*, const char*> kEntries[] = {
      {"Undo", "undo"}, {"Copy", "copy"}, {"Paste", "paste"}, {"Select All", "selectall"}};
  QString object;
  for (const auto& [english, objectName] : kEntries)
    if (qstrcmp(name, english) == 0) object = QString::fromLatin1(objectName);
  std::unique_ptr<QMenu> menu = kit::BoxMenu(*box);
  if (!menu || object.isEmpty()) return false;
  for (QAction* a : menu->actions()) {
    if (a->objectName() == object) {
      if (!a->isEnabled()) return false;
      a->trigger();
      return true;
    }
  }
  return false;
}

bool Pupil::PasteFromContextMenu(QLineEdit* box) { return ContextMenuAction(box, "Paste"); }

namespace {

// Whether a click at p (in the widget) reaches the widget: what lies on top
// there is the widget itself or one of its own parts.
bool OnTopAt(const QWidget* widget, QPoint p) {
  if (widget->isWindow()) return true;
  const QWidget* top = widget->window();
  const QWidget* hit = top->childAt(widget->mapTo(top, p));
  return hit && (hit == widget || widget->isAncestorOf(hit));
}

}  // namespace

std::optional<QPoint> Pupil::ClickPoint(const QWidget* widget) {
  if (!widget || !widget->isVisible() || !widget->isEnabled() || !widget->window()->isVisible()) return {};
  const QPoint middle = widget->rect().center();
  if (OnTopAt(widget, middle)) return middle;
  // Another control lies across the middle: a child aims at what it still sees.
  std::optional<QPoint> best;
  int bestDistance = 0;
  const QRect r = widget->rect();
  for (int y = r.top() + 1; y < r.bottom(); y += 2)
    for (int x = r.left() + 1; x < r.right(); x += 2) {
      const QPoint p(x, y);
      const int distance = (p - middle).manhattanLength();
      if ((!best || distance < bestDistance) && OnTopAt(widget, p)) {
        best = p;
        bestDistance = distance;
      }
    }
  return best;
}

bool Pupil::CanClick(const QWidget* widget) { return ClickPoint(widget).has_value(); }

bool Pupil::Click(QWidget* widget) {
  const std::optional<QPoint> at = ClickPoint(widget);
  if (!at) return false;
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, *at);
  return true;
}

bool Pupil::Click(const kit::Control& control) { return Click(kit::qt::Widget(control)); }

QAbstractButton* Pupil::Offered(kit::Window& window, QStringView tip) {
  for (QAbstractButton* b : kit::qt::Top(window)->findChildren<QAbstractButton*>())
    if (b->toolTip() == tip && CanClick(b)) return b;
  return nullptr;
}

void Pupil::Close(kit::Window& window) {
  QWidget* top = kit::qt::Top(window);
  QCloseEvent e;
  QApplication::sendEvent(top, &e);
}

QColor Pupil::PixelAt(kit::Window& window, int xTwips, int yTwips) {
  const QImage img = kit::qt::Surface(window)->grab().toImage();
  const qreal dpr = img.devicePixelRatio();
  return img.pixelColor(QPoint(int(kit::Px(xTwips) * dpr), int(kit::Px(yTwips) * dpr)));
}

QColor Pupil::PixelAt(const kit::Control& control, int xTwips, int yTwips) {
  const QImage img = kit::qt::Widget(control)->grab().toImage();
  const qreal dpr = img.devicePixelRatio();
  return img.pixelColor(QPoint(int(kit::Px(xTwips) * dpr), int(kit::Px(yTwips) * dpr)));
}

void Shot(kit::Window& window, const QString& name) {
  const QString dir = qEnvironmentVariable("REKENTOL_SHOTS");
  if (dir.isEmpty()) return;
  QApplication::processEvents();
  kit::qt::Top(window)->grab().save(dir + u'/' + name + u".png");
}

}  // namespace testing_support
