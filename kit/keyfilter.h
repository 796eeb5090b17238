#pragma once
// The numeric key filter shared by every answer box: a key press goes through
// OnlyNumberS before the box sees it, and every change of a box's text is
// checked by the change rule, which takes out text pasted by other means.

#include <QStringView>

#include "kit/controls.h"

namespace kit {

// The characters a box accepts besides Backspace and sound pastes.
inline constexpr QStringView kDigits = u"0123456789";
inline constexpr QStringView kDigitsSignPoint = u"0123456789-.";

// mode 0: judge the key KeyAscii for the box (sets it to 0 to swallow it).
// mode 1: first cut the clipboard's text out of the box's text, if it holds it.
void OnlyNumberS(TextBox& txtctrl, int& KeyAscii, int mode, QStringView allowed);

// The rule of every answer box's key-press handler: copy (3) and undo (26) pass
// untouched, every other key goes through OnlyNumberS in mode 0.
void KeyPressRule(TextBox& box, int& KeyAscii, QStringView allowed);

// The rule of every answer box's change handler: text that is not empty, not a
// number and not a lone "-" in a box that accepts a sign is repaired by
// OnlyNumberS in mode 1. Text that the repair cannot turn back into a number
// (it did not come from the clipboard) is emptied, so that no check ever meets
// a box that is not a number.
void ChangeRule(TextBox& box, QStringView allowed);

// Wires both rules into a box; for screens whose change handler does nothing else.
void FilterAsNumber(TextBox& box, QStringView allowed);

// The text that a paste would put into a box now: the clipboard's on the
// desktop, the text being pasted in the page. Each backend gives it.
QString ClipboardText();

}  // namespace kit
