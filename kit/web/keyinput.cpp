// What the keyboard and the other ways of entering text mean to a text box in
// the page, decided before the box sees them (the desktop's rules, kit/qt/keyinput.h):
// - A key becomes the key code the key-press handlers know and reaches the
//   handler before the box applies it; code 0 swallows it. The backend then
//   applies the key itself and keeps the browser from doing so, so a
//   swallowed key never shows, not even for a frame.
// - A paste reaches the handler as 22 once its text is known, so the key
//   rule judges the text that is pasted (ClipboardText), whether it came by
//   Ctrl+V, Shift+Ins or the browser's own menu.
// - On-screen keyboards and dictation type through beforeinput: each
//   character is a key press, a deletion backwards is Backspace. Text that
//   enters in any other way (drops, replacement text, composition) is
//   refused, and whatever the browser put into the box behind our back is
//   put right at once.

#include <optional>

#include "kit/keyfilter.h"
#include "kit/web/native.h"

namespace kit {

using web::val;

namespace {

QString& Clipboard() {
  static QString text;
  return text;
}

bool Is(const std::string& key, char lower) {
  return key.size() == 1 && (key[0] == lower || key[0] == lower - 'a' + 'A');
}

// The key code of a keydown, as kit/qt's KeyAsciiOf gives it for the same key.
std::optional<int> KeyAsciiOf(const val& e) {
  const std::string key = e["key"].as<std::string>();
  const bool meta = e["metaKey"].as<bool>();
  const bool alt = e["altKey"].as<bool>();
  const bool shift = e["shiftKey"].as<bool>();
  // AltGr comes as Ctrl+Alt on Windows and types a character.
  const bool altGr = e["ctrlKey"].as<bool>() && alt && !meta;
  const bool ctrl = (e["ctrlKey"].as<bool>() || meta) && !altGr;
  if ((ctrl && Is(key, 'v')) || (shift && !ctrl && key == "Insert")) return 22;
  if ((ctrl && Is(key, 'c')) || (ctrl && key == "Insert")) return 3;
  if ((ctrl && !shift && Is(key, 'z')) || (alt && !ctrl && key == "Backspace")) return 26;
  if ((ctrl && Is(key, 'x')) || (shift && !ctrl && key == "Delete")) return 24;
  if ((ctrl && Is(key, 'y')) || (ctrl && shift && Is(key, 'z'))) return 25;
  if (ctrl && (key == "Backspace" || key == "Delete")) return 127;
  if (key == "Backspace") return alt ? 127 : 8;
  if (key == "Enter") return 13;
  if (key == "Escape") return 27;
  if (key == "Tab") return std::nullopt;  // focus travel
  if (ctrl && key.size() == 1 && ((key[0] >= 'a' && key[0] <= 'z') || (key[0] >= 'A' && key[0] <= 'Z')))
    return (key[0] | 0x20) - 'a' + 1;
  if (ctrl) return 127;  // other chords type nothing useful
  // A key that types one character carries it; named keys (arrows, Home,
  // F1, Dead, Process) type nothing and reach the box.
  const QString text = QString::fromStdString(key);
  if (text.isEmpty()) return std::nullopt;
  const QChar first = text.at(0);
  const bool pair = first.isHighSurrogate() && text.size() == 2 && text.at(1).isLowSurrogate();
  if (text.size() == 1) return int(first.unicode());
  if (pair) return int(QChar::surrogateToUcs4(first, text.at(1)));
  return std::nullopt;
}

void Prevent(val& e) { e.call<void>("preventDefault"); }

struct Box {
  TextBox& box;
  Native& n;

  int Handler(int code) {
    int keyAscii = code;
    if (box.onKeyPress) box.onKeyPress(keyAscii);
    return keyAscii;
  }

  // Replaces the selection with ins and puts the caret after it, as a box
  // applies a key; the change handler follows, as on the desktop.
  void Edit(const QString& ins, int from, int to) {
    const QString before = n.text;
    const int s = std::clamp(from, 0, int(before.size()));
    const int e = std::clamp(to, s, int(before.size()));
    const QString after = before.left(s) + ins + before.mid(e);
    if (after == before) return;
    n.text = after;
    n.undoText = before;
    n.undoable = true;
    web::Render(n);
    const int caret = s + int(ins.size());
    n.el.call<void>("setSelectionRange", val(caret), val(caret));
    if (box.onChange) box.onChange();
  }
  void Insert(const QString& ins) { Edit(ins, box.SelStart(), box.SelStart() + box.SelLength()); }
  void Backspace() {
    const int s = box.SelStart(), l = box.SelLength();
    if (l > 0)
      Edit({}, s, s + l);
    else if (s > 0)
      Edit({}, s - 1 - int(s > 1 && n.text.at(s - 1).isLowSurrogate() && n.text.at(s - 2).isHighSurrogate()), s);
  }
  void DeleteForward() {
    const int s = box.SelStart(), l = box.SelLength();
    if (l > 0)
      Edit({}, s, s + l);
    else if (s < n.text.size())
      Edit({}, s, s + 1 + int(n.text.at(s).isHighSurrogate() && s + 1 < n.text.size()));
  }
  QString Selected() const { return n.text.mid(box.SelStart(), box.SelLength()); }

  // One character typed, by a key or by an on-screen keyboard.
  void Typed(int code) {
    if (Handler(code) == 0 || n.locked) return;
    Insert(code > 0xFFFF ? QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1)
                         : QString(QChar(char16_t(code))));
  }

  void Paste(const QString& text) {
    web::SetClipboard(text);
    if (Handler(22) == 0 || n.locked || text.isEmpty()) return;
    Insert(text);
  }

  void KeyDown(val& e) {
    if (e["isComposing"].as<bool>() || e["keyCode"].as<int>() == 229) return;  // beforeinput brings it
    const std::string key = e["key"].as<std::string>();
    const auto code = KeyAsciiOf(e);
    if (!code) {
      // Delete edits without a key code, as on the desktop: no handler, and the
      // change rule sees the result.
      if (key == "Delete" && !e["shiftKey"].as<bool>()) {
        Prevent(e);
        if (!n.locked) DeleteForward();
      }
      return;
    }
    if (*code == 22) {
      // Judged in the paste event, where its text is known.
      if (n.locked) Prevent(e);
      return;
    }
    const int k = Handler(*code);
    if (k == 0) return Prevent(e);
    switch (*code) {
      case 3: return;  // the browser copies (the copy event notes it)
      case 24:
        if (n.locked) return Prevent(e);
        n.cutByKey = true;  // the cut event follows; its key was judged
        return;
      case 8:
        Prevent(e);
        if (!n.locked) Backspace();
        return;
      case 26:
        Prevent(e);
        if (!n.locked && n.undoable) {
          // Text that enters without a key: the change rule judges it.
          const QString back = n.undoText;
          n.undoable = false;
          n.undoText = n.text;
          n.text = back;
          web::Render(n);
          if (box.onChange) box.onChange();
        }
        return;
      default: break;
    }
    if (*code < 32 || *code == 127) {
      // Enter and Escape stay in the box; the other chords edit nothing.
      if (*code == 13 || *code == 27 || *code == 25 || *code == 127) Prevent(e);
      return;
    }
    Prevent(e);
    if (n.locked) return;
    Insert(QString::fromStdString(key));
  }

  void BeforeInput(val& e) {
    const std::string type = e["inputType"].as<std::string>();
    const val data = e["data"];
    if (type == "insertText" && data.isString()) {
      Prevent(e);
      const QString text = QString::fromStdString(data.as<std::string>());
      for (char32_t c : text.toUcs4()) Typed(int(c));
    } else if (type == "deleteContentBackward") {
      Prevent(e);
      if (Handler(8) != 0 && !n.locked) Backspace();
    } else if (type == "insertFromPaste") {
      Prevent(e);
      QString text = data.isString() ? QString::fromStdString(data.as<std::string>()) : QString();
      const val transfer = e["dataTransfer"];
      if (text.isEmpty() && !transfer.isNull() && !transfer.isUndefined())
        text = web::FromJs(transfer.call<val>("getData", val("text/plain")));
      Paste(text);
    } else if (type == "insertLineBreak") {
      Prevent(e);
      Handler(13);
    } else {
      Prevent(e);  // not cancellable for composition; Input() puts it right
    }
  }

  void Event(const std::string& type, val e) {
    if (n.heardAsText) {
      if (type == "click" && box.onClick) box.onClick();
      return;
    }
    if (type == "keydown") {
      KeyDown(e);
    } else if (type == "beforeinput") {
      BeforeInput(e);
    } else if (type == "paste") {
      Prevent(e);
      const val data = e["clipboardData"];
      Paste(data.isNull() || data.isUndefined() ? QString() : web::FromJs(data.call<val>("getData", val("text/plain"))));
    } else if (type == "cut") {
      const bool byKey = n.cutByKey;
      n.cutByKey = false;
      Prevent(e);
      if ((!byKey && Handler(24) == 0) || n.locked) return;
      const QString cut = Selected();
      if (cut.isEmpty()) return;
      const val data = e["clipboardData"];
      if (!data.isNull() && !data.isUndefined()) data.call<void>("setData", val("text/plain"), val(web::Utf8(cut)));
      web::SetClipboard(cut);
      Edit({}, box.SelStart(), box.SelStart() + box.SelLength());
    } else if (type == "copy") {
      if (const QString copied = Selected(); !copied.isEmpty()) web::SetClipboard(copied);
    } else if (type == "input" || type == "compositionend") {
      web::Render(n);
    } else if (type == "dragover" || type == "drop" || type == "dragenter") {
      Prevent(e);
    } else if (type == "focus") {
      if (n.window) n.window->focus = &n;
    } else if (type == "click") {
      if (box.onClick) box.onClick();
    }
  }
};

}  // namespace

void web::InstallTextBox(TextBox& box, Native& native) {
  native.onEvent = [&box, &native](const std::string& type, val e) { Box{box, native}.Event(type, std::move(e)); };
  Listen(native, {"keydown", "beforeinput", "input", "compositionend", "paste", "cut", "copy", "dragenter",
                  "dragover", "drop", "focus", "click"});
}

void web::Render(Native& box) {
  if (box.heardAsText) {
    box.el.set("textContent", val(Utf8(box.text)));
    return;
  }
  const std::string want = Utf8(box.text);
  if (box.el["value"].as<std::string>() != want) box.el.set("value", val(want));
}

void web::SetClipboard(const QString& text) { Clipboard() = text; }

// The page cannot read the clipboard without asking; what a paste brings is
// known in its event, and that is what a rule judges.
QString ClipboardText() { return Clipboard(); }

void web::FocusGone(Native& native) {
  Native* focused = Focused();
  const val active = Document()["activeElement"];
  const bool inside = focused == &native || (!active.isNull() && native.el.call<bool>("contains", active));
  if (!inside && !(active.isNull() || active == Document()["body"])) return;
  if (!native.window) return;
  // The next control after it in Tab order that can take the focus, else the first.
  const std::vector<Native*> candidates = TabStops(native.window->el, false);
  Native* next = nullptr;
  constexpr int kFollowing = 4;  // Node.DOCUMENT_POSITION_FOLLOWING
  for (Native* c : candidates)
    if ((native.el.call<int>("compareDocumentPosition", c->el) & kFollowing) && !native.el.call<bool>("contains", c->el)) {
      next = c;
      break;
    }
  if (!next && !candidates.empty()) next = candidates.front();
  if (next) Focus(*next);
  else if (native.window->focus == &native) native.window->focus = nullptr;
}

}  // namespace kit
