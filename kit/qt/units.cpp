#include "kit/qt/units.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QPalette>
#include <QScreen>

namespace kit {

// A font names the family that will draw it: the one asked for where the
// desktop has it, else the first of its substitutes that it has. Asked by a
// name it does not have, Qt sends every font through fontconfig's fallback
// search first, which costs the start about a millisecond and gives the same
// face. GUI thread only, as fonts are.
static QString InstalledFamily(const QString& family) {
  static QHash<QString, QString> installed;
  if (auto found = installed.constFind(family); found != installed.constEnd()) return *found;
  const QStringList families = QFontDatabase::families();
  QString use = family;
  if (!families.contains(family, Qt::CaseInsensitive)) {
    for (const QString& substitute : QFont::substitutes(family)) {
      if (families.contains(substitute, Qt::CaseInsensitive)) {
        use = substitute;
        break;
      }
    }
  }
  installed.insert(family, use);
  return use;
}

QFont ToQFont(const Font& font) {
  QFont f(InstalledFamily(font.family));
  f.setPixelSize(font.Pixels());
  f.setBold(font.bold);
  f.setItalic(font.italic);
  return f;
}

void InstallFontSubstitutes() {
  QFont::insertSubstitutions(QStringLiteral("Arial"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

QColor colours::SystemWindowColour() { return QGuiApplication::palette().color(QPalette::Window); }

static QRect DisplayPixels() {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

int DisplayWidth() { return Twips(DisplayPixels().width()); }
int DisplayHeight() { return Twips(DisplayPixels().height()); }

}  // namespace kit
