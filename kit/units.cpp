#include "kit/units.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <cmath>

namespace kit {

QFont Font::ToQFont() const {
  QFont f(family);
  f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
  f.setBold(bold);
  f.setItalic(italic);
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
