#include "kit/controls.h"

#include "kit/clock.h"

namespace kit {

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
