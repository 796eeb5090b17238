#include "kit/numbers.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace kit {

bool IsNumber(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
  int digits = 0;
  int separators = 0;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c >= u'0' && c <= u'9') {
      ++digits;
    } else if (c == u'.' || c == u',') {
      if (++separators > 1) return false;
    } else {
      return false;
    }
  }
  return digits > 0;
}

double ReadNumber(QStringView text) {
  if (!IsNumber(text)) return 0.0;
  QString plain = text.trimmed().toString();
  plain.replace(u',', u'.');
  bool ok = false;
  const double value = plain.toDouble(&ok);
  return ok && std::isfinite(value) ? value : 0.0;
}

QString NumText(long long value) { return QString::number(value); }

QString DecimalText(double value) {
  if (!std::isfinite(value)) return QString::number(value);
  // Written in the C locale and only the separator taken from the desktop:
  // some locales would otherwise bring their own digits or a minus sign.
  // Adding 0.0 turns a negative zero (from "-0" in a box) into plain 0.
  QString text = QString::number(value + 0.0, 'f', QLocale::FloatingPointShortest);
  const QString separator = QLocale::system().decimalPoint();
  if (separator != u".") text.replace(u'.', separator);
  return text;
}

std::int16_t ReadInt16(QStringView text) {
  const double v = std::trunc(ReadNumber(text));
  return static_cast<std::int16_t>(std::clamp(v, double(INT16_MIN), double(INT16_MAX)));
}

}  // namespace kit
