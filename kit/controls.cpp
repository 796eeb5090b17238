// What the controls are on every platform; kit/qt and kit/web put them on screen.

#include "kit/controls.h"

#include "kit/clock.h"

namespace kit {

// ---------------------------------------------------------------- Control

void Control::SetBackColor(const QColor& colour) {
  back_ = colour;
  ApplyColours();
}
void Control::SetForeColor(const QColor& colour) {
  fore_ = colour;
  ApplyColours();
}

// ---------------------------------------------------------------- Button

Button::Button(Container& parent, const Place& place, const ButtonLook& look)
    : Button(parent, place, QString(), look.picture) {
  SetToolTipText(look.toolTip);
  SetBackColor(look.back);
}

void Button::SetToolTipText(const QString& text) {
  Control::SetToolTipText(text);
  Rename();
}
void Button::Rename() {
  const QString caption = Caption();
  SetAccessibleName(caption.trimmed().isEmpty() ? ToolTipText().trimmed() : caption.trimmed());
}

// ---------------------------------------------------------------- Timer

Timer::Timer(int intervalMs, const Clock& clock) : clock_(clock) {
  timer_.setInterval(intervalMs);
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { Fire(); });
}
void Timer::SetEnabled(bool enabled) {
  if (enabled && !enabled_ && clock_.Runs()) timer_.start();
  if (!enabled) timer_.stop();
  enabled_ = enabled;
}
bool Timer::Enabled() const { return enabled_; }
int Timer::Interval() const { return timer_.interval(); }
void Timer::Fire() {
  if (onTimer) onTimer();
}

}  // namespace kit
