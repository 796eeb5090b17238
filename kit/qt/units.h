#pragma once
// Fonts on the desktop: a kit::Font as the QFont that draws it.

#include <QFont>

#include "kit/units.h"

namespace kit {

// Where the desktop lacks Arial, the font names its metric-compatible
// stand-in (the substitutes registered once in InstallFontSubstitutes), so
// Qt need not search for it.
QFont ToQFont(const Font& font);
void InstallFontSubstitutes();

}  // namespace kit
