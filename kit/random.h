#pragma once
// The one source of chance: a uniform r with 0 <= r < 1, reseeded from the clock
// at every START. Tests put a script of r values in its place so that every
// drawing rule, the redraw loops included, runs as written.

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <random>

namespace kit {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void Randomize() = 0;  // reseed from the clock
  virtual double Rnd() = 0;      // 0 <= r < 1
  // Int(r x n) + 1: a whole number from 1 to n, each equally likely.
  int Draw(int n) { return static_cast<int>(Rnd() * n) + 1; }
  int Digit() { return Draw(9); }
  // The divisor of every division screen, 2 to 9: a digit drawn again while
  // it is 1.
  int Divisor() {
    int d = Digit();
    while (d < 2) d = Digit();
    return d;
  }
};

class ClockRandom final : public RandomSource {
 public:
  ClockRandom();
  void Randomize() override;
  double Rnd() override;

 private:
  std::mt19937_64 engine_;
  std::uniform_real_distribution<double> uniform_{0.0, 1.0};
};

// Hands out the scripted values in order. Reseeding does not disturb the script.
// A script that runs out carries on with clock draws, so that a short script can
// never hang a redraw loop; Overrun() tells a test that this happened.
class ScriptedRandom final : public RandomSource {
 public:
  ScriptedRandom() = default;
  ScriptedRandom(std::initializer_list<double> values) : script_(values) {}
  void Push(double r) { script_.push_back(r); }
  void Randomize() override { ++seeds_; }
  double Rnd() override;
  bool Overrun() const { return overrun_; }
  int Seeds() const { return seeds_; }
  std::size_t Left() const { return script_.size(); }
  // An r that Draw(n) turns into value (1 <= value <= n).
  static double For(int value, int n) { return (value - 0.5) / n; }

 private:
  std::deque<double> script_;
  ClockRandom fallback_;
  bool overrun_ = false;
  int seeds_ = 0;
};

}  // namespace kit
