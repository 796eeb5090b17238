#include "kit/keyfilter.h"

#include "kit/numbers.h"

namespace kit {

namespace {
// A lone "-" is a number being begun, but only in a box whose keys could have
// begun it; in a digits-only box it can only have been pasted.
bool NeedsRepair(const QString& text, QStringView allowed) {
  return !text.isEmpty() && !(text == u"-" && allowed.contains(u'-')) && !IsNumber(text);
}
}  // namespace

void OnlyNumberS(TextBox& txtctrl, int& KeyAscii, int mode, QStringView allowed) {
  // Only a paste and the repair look at the clipboard. Reading it is a round
  // trip to the program that owns it on X11 and Wayland, which no digit key
  // should wait for.
  const QString clip = (mode == 1 || KeyAscii == 22) ? ClipboardText() : QString();
  if (mode == 1 && !clip.isEmpty()) {
    const QString t = txtctrl.Text();
    const qsizetype at = t.indexOf(clip);
    if (at >= 0) txtctrl.SetText(t.left(at) + t.mid(at + clip.size()));
  }
  auto swallow = [&KeyAscii] { KeyAscii = 0; };

  const QString t = txtctrl.Text();
  const int s = txtctrl.SelStart();
  const int l = txtctrl.SelLength();
  const QChar c = (KeyAscii > 0 && KeyAscii <= 0xFFFF) ? QChar(char16_t(KeyAscii)) : QChar();

  // 1. One separator, and a minus sign only once and only at the very start.
  if (c == u'.' && t.contains(u'.')) return swallow();
  if (c == u'-' && (t.contains(u'-') || s != 0)) return swallow();

  // 2. Classify.
  const bool digit = !c.isNull() && allowed.contains(c);
  const int dots = int(clip.contains(u'.')) + int(t.contains(u'.')) + int(clip.contains(u','));
  const bool paste = KeyAscii == 22 && IsNumber(clip) && dots < 2;

  // 3. Anything else is swallowed, Backspace excepted.
  if (!digit && !paste) {
    if (KeyAscii != 8) swallow();
    return;
  }

  // 4. What the box would hold after the key. At the start a selection is not
  //    taken out of the candidate (the box itself still replaces it).
  const QString ins = KeyAscii == 22 ? clip : QString(c);
  const QString candidate = s != 0 ? QString(t.left(s) + ins + t.mid(s + l)) : QString(ins + t);

  // 5. The candidate must be a number; a lone minus sign may start one.
  if (!IsNumber(candidate) && !(c == u'-' && t.isEmpty())) swallow();
}

void KeyPressRule(TextBox& box, int& KeyAscii, QStringView allowed) {
  if (KeyAscii == 26 || KeyAscii == 3) return;
  OnlyNumberS(box, KeyAscii, 0, allowed);
}

void ChangeRule(TextBox& box, QStringView allowed) {
  if (!NeedsRepair(box.Text(), allowed)) return;
  int key = 69;  // "E": swallowed by the filter, so the cut is the only effect
  OnlyNumberS(box, key, 1, allowed);
  if (NeedsRepair(box.Text(), allowed)) box.SetText(QString());
}

void FilterAsNumber(TextBox& box, QStringView allowed) {
  box.onKeyPress = [&box, allowed](int& key) { KeyPressRule(box, key, allowed); };
  box.onChange = [&box, allowed] { ChangeRule(box, allowed); };
}

}  // namespace kit
