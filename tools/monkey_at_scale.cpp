// The random pupil at scale: a million actions (or as many as asked) in one
// go, outside the test run. A broken invariant is printed with its seed and
// action number and the run goes on in a fresh program; a hang stops the run
// through the watchdog, which names the action that never returned.
//
//   monkey_at_scale [actions] [seed] [watchdog seconds]
//
// Defaults: 1000000 actions, a seed from the clock, 60 seconds. The same
// actions and seed replay the same run, action for action. Exit code 0 when
// every invariant held, 1 when one broke, 2 on a hang. A watchdog of 0 seconds
// calls every action a hang: that is how the watchdog itself is tested.

#include <QApplication>
#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "kit/qt/application.h"
#include "support/monkey.h"

namespace {

long Argument(int argc, char** argv, int i, long otherwise) {
  return argc > i ? std::strtol(argv[i], nullptr, 10) : otherwise;
}

void Print(const QString& text) {
  std::fputs(qPrintable(text + u'\n'), stdout);
  std::fflush(stdout);
}

// Watches the main thread from beside it: an action that has not returned
// after the limit is a hang (a modal loop nobody closes, a loop without end).
class Watchdog {
 public:
  Watchdog(std::uint32_t seed, int seconds) : seed_(seed), limit_(seconds * 1000L) {
    thread_ = std::thread([this] { Watch(); });
  }
  ~Watchdog() {
    done_ = true;
    thread_.join();
  }
  void Begin(long action) {
    action_ = action;
    since_ = Now();
  }

 private:
  static long Now() {  // milliseconds
    return long(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count());
  }
  void Watch() {
    while (!done_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      if (Now() - since_ > limit_) {
        std::fprintf(stdout, "HANG: seed %u, action %ld has not returned after %ld ms\n", seed_, action_.load(), limit_);
        std::fflush(stdout);
        std::_Exit(2);
      }
    }
  }

  std::uint32_t seed_;
  long limit_;
  std::atomic<long> action_{0};
  std::atomic<long> since_{Now()};
  std::atomic<bool> done_{false};
  std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  kit::SetUpApplication(app);

  const long actions = Argument(argc, argv, 1, 1000000);
  const auto seed = std::uint32_t(
      Argument(argc, argv, 2, long(std::chrono::system_clock::now().time_since_epoch().count() & 0x7fffffff)));
  const int watchdogSeconds = int(Argument(argc, argv, 3, 60));
  Print(QStringLiteral("monkey at scale: %1 actions, seed %2, watchdog %3 s").arg(actions).arg(seed).arg(watchdogSeconds));

  testing_support::Monkey monkey(seed);
  monkey.SetTraceLimit(100);  // enough for a report, not a million lines
  Watchdog watchdog(seed, watchdogSeconds);
  QElapsedTimer clock;
  clock.start();
  for (long i = 1; i <= actions; ++i) {
    watchdog.Begin(i);
    if (const QString broken = monkey.Act(); !broken.isEmpty()) {
      Print(QStringLiteral("BROKEN: ") + broken);
      monkey.Restart();
    }
    if (i % 100000 == 0)
      Print(QStringLiteral("%1 actions, %2 s, %3 broken").arg(i).arg(clock.elapsed() / 1000).arg(monkey.Totals().breaks));
  }
  Print(monkey.Summary());
  Print(QStringLiteral("%1 actions in %2 s").arg(monkey.Totals().actions).arg(clock.elapsed() / 1000.0, 0, 'f', 1));
  return monkey.Totals().breaks == 0 ? 0 : 1;
}
