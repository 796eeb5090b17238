#pragma once
// Where the timers' time comes from. The program runs on the wall clock. A run
// that must replay exactly at any speed (the random pupil, the tests that step
// the info screen tick by tick) hands the Program a manual clock instead: its
// enabled timers tick only when Timer::Fire() is called, never by themselves.

namespace kit {

class Clock {
 public:
  virtual ~Clock() = default;
  // Whether time passes by itself, so that an enabled timer ticks on its own.
  virtual bool Runs() const = 0;
};

class WallClock final : public Clock {
 public:
  bool Runs() const override { return true; }
};

class ManualClock final : public Clock {
 public:
  bool Runs() const override { return false; }
};

}  // namespace kit
