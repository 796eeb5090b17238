#include "kit/accessible.h"

#include "kit/units.h"

namespace kit {

QString Spoken(const QString& shown) {
  struct Sign {
    const char16_t* shown;
    const char16_t* said;
  };
  // Only with blanks round them: a colon that ends a clause stays a colon.
  static constexpr Sign kSigns[] = {
      {u" : ", u" gedeeld door "}, {u" = ", u" is "}, {u" \u00d7 ", u" keer "}, {u" \u2212 ", u" min "},
  };
  QString said = shown;
  for (const Sign& s : kSigns) said.replace(QString::fromUtf16(s.shown), QString::fromUtf16(s.said));
  return said.simplified();
}

QString SpokenDivision(const QString& dividend, const QString& divisor) {
  return Spoken(dividend + u" : " + divisor) + u'.';
}

QString PlaceValueWord(QStringView caption) {
  struct Word {
    const char16_t* caption;
    const char16_t* word;
  };
  static constexpr Word kWords[] = {
      {u"HD", u"honderdduizendtallen"}, {u"TD", u"tienduizendtallen"}, {u"D", u"duizendtallen"},
      {u"H", u"honderdtallen"},         {u"T", u"tientallen"},         {u"E", u"eenheden"},
      {u"t", u"tienden"},               {u"h", u"honderdsten"},        {u"d", u"duizendsten"},
  };
  const QStringView trimmed = caption.trimmed();
  for (const Word& w : kWords)
    if (trimmed == QStringView(w.caption)) return QString::fromUtf16(w.word);
  return trimmed.toString();
}

QString ColourVerdict(const QColor& colour) {
  if (colour == colours::kRight) return QStringLiteral("goed");
  if (colour == colours::kWrong) return QStringLiteral("fout");
  return {};
}

}  // namespace kit
