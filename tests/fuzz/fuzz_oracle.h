#pragma once
// What an answer box may hold, decided without the program's own number rule
// (kit::IsNumber), so that the fuzzer and its replay judge the filter by an
// independent reading of the same definition.

#include <QString>
#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace fuzz {

// Blanks (spaces only) may lead; then one '+' or '-' at most; then ASCII
// digits, at least one, with one '.' or ',' anywhere among them at most.
inline bool LooksLikeANumber(QStringView text) {
  qsizetype at = 0;
  while (at < text.size() && text[at] == QLatin1Char(' ')) ++at;
  if (at < text.size() && (text[at] == QLatin1Char('-') || text[at] == QLatin1Char('+'))) ++at;
  bool sawDigit = false;
  bool sawSeparator = false;
  for (; at < text.size(); ++at) {
    const char16_t c = text[at].unicode();
    if (c >= u'0' && c <= u'9') {
      sawDigit = true;
    } else if ((c == u'.' || c == u',') && !sawSeparator) {
      sawSeparator = true;
    } else {
      return false;
    }
  }
  return sawDigit;
}

// Empty, a number, or a minus sign begun in a box where a sign may be typed.
inline bool BoxMayHold(QStringView text, bool withSign) {
  return text.isEmpty() || LooksLikeANumber(text) || (withSign && text == QLatin1String("-"));
}

// Runs one input against the box; the fault found, if any. Unfiltered, the
// box has no key filter at all: the replay's self-check uses that to see the
// checks fire.
std::optional<std::string> Drive(const std::uint8_t* data, std::size_t size, bool filtered);

}  // namespace fuzz
