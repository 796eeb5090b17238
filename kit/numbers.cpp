#include "kit/numbers.h"

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

std::int16_t ReadInt16(QStringView text) {
  const double v = std::trunc(ReadNumber(text));
  return static_cast<std::int16_t>(std::clamp(v, double(INT16_MIN), double(INT16_MAX)));
}

}  // namespace kit
