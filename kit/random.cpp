#include "kit/random.h"

#include <chrono>

namespace kit {

ClockRandom::ClockRandom() { Randomize(); }

void ClockRandom::Randomize() {
  engine_.seed(static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

double ClockRandom::Rnd() {
  const double r = uniform_(engine_);
  return r < 1.0 ? r : 0.0;  // some library versions can return the upper bound
}

double ScriptedRandom::Rnd() {
  if (script_.empty()) {
    overrun_ = true;
    return fallback_.Rnd();
  }
  const double r = script_.front();
  script_.pop_front();
  return r;
}

}  // namespace kit
