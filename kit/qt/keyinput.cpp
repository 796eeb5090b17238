#include "kit/qt/keyinput.h"

#include "kit/keyfilter.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

namespace kit {

std::optional<int> KeyAsciiOf(const QKeyEvent& e) {
  if (e.matches(QKeySequence::Paste)) return 22;
  if (e.matches(QKeySequence::Copy)) return 3;
  if (e.matches(QKeySequence::Undo)) return 26;
  if (e.matches(QKeySequence::Cut)) return 24;
  if (e.matches(QKeySequence::Redo)) return 25;
  if (e.matches(QKeySequence::DeleteStartOfWord) || e.matches(QKeySequence::DeleteEndOfWord) ||
      e.matches(QKeySequence::DeleteEndOfLine) || e.matches(QKeySequence::DeleteCompleteLine)) {
    return 127;
  }
  const auto mods = e.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  const int key = e.key();
  if (key == Qt::Key_Backspace) return mods == Qt::NoModifier ? std::optional<int>(8) : std::optional<int>(127);
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return 13;
  if (key == Qt::Key_Escape) return 27;
  if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return std::nullopt;  // focus travel
  if ((mods & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) return key - Qt::Key_A + 1;
  if (mods & (Qt::ControlModifier | Qt::MetaModifier)) return 127;  // other control chords type nothing useful
  // The box types a key's text when it starts with a printable character, a
  // format character (zero-width space, joiners, direction marks), a
  // private-use one or a character beyond 16 bits (a surrogate pair); all of
  // them must reach the handler, or the box takes in what no rule judged.
  const QString text = e.text();
  if (text.isEmpty()) return std::nullopt;
  const QChar first = text.at(0);
  const bool pair = first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
  const bool types = first.isPrint() || first.category() == QChar::Other_Format ||
                     first.category() == QChar::Other_PrivateUse || pair;
  if (!types) return std::nullopt;
  // A key judged by one character must type no more than that one.
  if (text.size() > (pair ? 2 : 1)) return 127;
  return pair ? int(QChar::surrogateToUcs4(first, text.at(1))) : int(first.unicode());
}

KeyInput::KeyInput(QLineEdit* edit, std::function<void(int&)> onKey) : QObject(edit), onKey_(std::move(onKey)) {
  edit->setAcceptDrops(false);
  edit->setAttribute(Qt::WA_InputMethodEnabled, false);
  edit->installEventFilter(this);
}

bool KeyInput::eventFilter(QObject* watched, QEvent* e) {
  switch (e->type()) {
    case QEvent::KeyPress: {
      // Swallowed on the press, not on the ShortcutOverride before it: that
      // would lose the press and fire an application shortcut instead.
      const auto code = KeyAsciiOf(*static_cast<QKeyEvent*>(e));
      if (!code) return false;
      int keyAscii = *code;
      if (onKey_) onKey_(keyAscii);
      if (keyAscii == 0) {
        e->accept();
        return true;
      }
      return *code == 13 || *code == 27;
    }
    case QEvent::InputMethod: {
      // Setting WA_InputMethodEnabled to false does not stop a commit.
      const auto* im = static_cast<QInputMethodEvent*>(e);
      return !im->commitString().isEmpty() || !im->preeditString().isEmpty();
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      e->ignore();
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton;
    case QEvent::ContextMenu:
      if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
        if (std::unique_ptr<QMenu> menu = BoxMenu(*edit))
          menu->exec(static_cast<QContextMenuEvent*>(e)->globalPos());
      }
      return true;
    default:
      return false;
  }
}

std::unique_ptr<QMenu> BoxMenu(QLineEdit& edit) {
  if (edit.isReadOnly()) return nullptr;
  auto menu = std::make_unique<QMenu>();
  QPointer<QLineEdit> box(&edit);
  auto add = [&](const QString& text, const char* name, bool enabled, std::function<void(QLineEdit&)> does) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setEnabled(enabled);
    QObject::connect(a, &QAction::triggered, &edit, [box, does] {
      if (box) does(*box);
    });
  };
  add(QStringLiteral("&Ongedaan maken"), "undo", edit.isUndoAvailable(), [](QLineEdit& e) { e.undo(); });
  menu->addSeparator();
  add(QStringLiteral("&Kopi\u00EBren"), "copy", edit.hasSelectedText(), [](QLineEdit& e) { e.copy(); });
  add(QStringLiteral("&Plakken"), "paste", !ClipboardText().isEmpty(), [](QLineEdit& e) { e.paste(); });
  menu->addSeparator();
  add(QStringLiteral("Alles &selecteren"), "selectall", !edit.text().isEmpty(), [](QLineEdit& e) { e.selectAll(); });
  return menu;
}

QString ClipboardText() {
  const QClipboard* cb = QGuiApplication::clipboard();
  return cb ? cb->text(QClipboard::Clipboard) : QString();
}

}  // namespace kit
