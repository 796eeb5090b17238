#pragma once
// What the keyboard and the other ways of entering text mean to a text box,
// decided before the box sees them. The controls hand every key press over as
// a key code; the numeric key filter (keyfilter.h) then judges that code.
//
// - A key press becomes the key code the key-press handlers know (KeyAsciiOf)
//   and reaches the handler before the box applies it; code 0 swallows it.
// - Enter and Escape stay in the box: they never reach the window.
// - Text that would enter without a key press and that no rule can check is
//   refused: drops, the X11 middle-click selection paste and input-method
//   commits. (Paste through the box's own menu is left in: the change rule
//   repairs it against the clipboard.)
// - The box's own menu is ours (BoxMenu), not the toolkit's English one.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QKeyEvent;
class QLineEdit;
class QMenu;

namespace kit {

// The key code a press carries, as the key-press handlers know it: the typed
// character, Backspace 8, Enter 13, Escape 27, Ctrl+letter 1 to 26, paste 22
// (Ctrl+V, Shift+Ins), copy 3 (Ctrl+C, Ctrl+Ins), undo 26 (Ctrl+Z, Alt+Backspace),
// cut 24 (Ctrl+X, Shift+Del), redo 25, and 127 for the other editing shortcuts
// (delete word, delete to end of line) and for a key that types several
// characters at once. A character beyond 16 bits carries its full code point,
// which no rule allows. Empty for keys that type nothing and edit nothing
// (arrows, Home, End, Delete, Tab, function keys): they reach the box.
std::optional<int> KeyAsciiOf(const QKeyEvent& event);

// Puts the policy above on a line edit, for as long as the edit lives. onKey
// receives each key code and may set it to 0.
class KeyInput final : public QObject {
 public:
  KeyInput(QLineEdit* edit, std::function<void(int& keyAscii)> onKey);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(int&)> onKey_;
};

// The box's own menu (right click, the Menu key): in Dutch, with the entries
// the key rules allow and no others: "Ongedaan maken", "Kopiëren", "Plakken"
// and "Alles selecteren" (object names undo, copy, paste, selectall). Null for
// a box that takes no text (read-only), which then shows no menu at all.
std::unique_ptr<QMenu> BoxMenu(QLineEdit& edit);


}  // namespace kit
