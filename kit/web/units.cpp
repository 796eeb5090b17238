#include "kit/units.h"

#include "kit/web/native.h"

namespace kit {

// The page's own window colour, as rekentol.css paints a control's face.
QColor colours::SystemWindowColour() { return QColor(239, 239, 239); }

namespace {
int Viewport(const char* which) {
  const auto v = web::Document()["documentElement"][which];
  return v.isNumber() ? v.as<int>() : 0;
}
}  // namespace

int DisplayWidth() { return Twips(Viewport("clientWidth")); }
int DisplayHeight() { return Twips(Viewport("clientHeight")); }

}  // namespace kit
