#pragma once
// Places and sizes are written in twips, as on the boards' drawings, and turned
// into device-independent pixels here and nowhere else.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cmath>

namespace kit {

inline constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel, halves away from zero.
constexpr int Px(int twips) {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
constexpr int Twips(int pixels) { return pixels * kTwipsPerPixel; }

// (left, top), width x height in twips, relative to the container's client area.
struct Place {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  QRect Pixels() const { return {Px(left), Px(top), Px(width), Px(height)}; }
  // For what only the platform can measure (a status bar's panels).
  static Place FromPixels(const QRect& r) { return {Twips(r.x()), Twips(r.y()), Twips(r.width()), Twips(r.height())}; }
};

// A point in twips, for the end points of lines.
struct TwipPoint {
  int x = 0;
  int y = 0;
  QPoint Pixels() const { return {Px(x), Px(y)}; }
};

inline QColor RGB(int r, int g, int b) { return QColor(r, g, b); }

// The colours that mean the same on every screen.
namespace colours {
inline const QColor kWrong = RGB(255, 0, 0);
inline const QColor kRight = RGB(0, 255, 0);
inline const QColor kFresh = RGB(255, 255, 255);
inline const QColor kBoardGrey = RGB(192, 192, 192);
inline const QColor kLightYellow = RGB(255, 255, 128);
inline const QColor kWhite = RGB(255, 255, 255);
inline const QColor kBlack = RGB(0, 0, 0);
// The desktop's own window colour, for a screen whose background is left at
// the system default until the program first colours it.
QColor SystemWindowColour();
}  // namespace colours

// A font given as on the drawings: family and size in points. Sizes are turned
// into pixels at 96 dots per inch so that text keeps its size against the
// twips-based boards whatever the display's dpi. Where the platform lacks
// Arial, the backend draws the font in its metric-compatible stand-in.
struct Font {
  double points = 9.75;
  bool bold = false;
  bool italic = false;
  QString family = QStringLiteral("Arial");
  // The size in pixels at 96 dots per inch.
  int Pixels() const { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }
};

// The whole display, in twips.
int DisplayWidth();
int DisplayHeight();

}  // namespace kit
