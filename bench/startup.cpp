// Start-up cost: the program's own start against a bare Qt window.
//
//   bench_startup [runs]     compares, runs times each (default 15, at least 10)
//   bench_startup program    one start of the program (used by the comparison)
//
// "program" takes the path of main(): kit::SetUpApplication, app::Program and
// Start(), and quits once the welcome screen has been painted. The yardsticks
// are bench_bare beside this executable: the bare window, and the bare window
// with the welcome screen's texts (Qt's own first drawing of text, which no
// program that shows those texts can avoid). Time is judged against the
// second, memory against the first. Each run is a fresh process, timed from
// fork to its exit; peak memory is the child's ru_maxrss. The three
// alternate, after one unmeasured warm-up each, and the medians are compared.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/frmmecenaat1.h"
#include "app/program.h"
#include "kit/qt/application.h"
#include "quit_on_first_paint.h"
#include "kit/qt/native.h"

namespace {

constexpr double kTimeTarget = 1.05;    // of the bare window with the texts
constexpr double kMemoryTarget = 1.1;   // of the bare window

int RunProgram(int argc, char* argv[]) {
  QApplication qapp(argc, argv);
  kit::SetUpApplication(qapp);
  app::Program program([](int code) { QCoreApplication::exit(code); });
  program.Start();
  QuitOnFirstPaint quit(kit::qt::Top(program.frmmecenaat1()));
  QTimer::singleShot(10000, &qapp, [] { QCoreApplication::exit(2); });
  return QApplication::exec();
}

struct Sample {
  double ms = 0;
  long maxrssKiB = 0;
};

// One run of a child process; false when it could not start or failed.
bool RunOnce(const std::vector<std::string>& command, Sample& out) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    std::vector<char*> args;
    for (const std::string& a : command) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // The platform's own chatter would drown the figures.
    if (const int null = open("/dev/null", O_WRONLY); null >= 0) dup2(null, STDERR_FILENO);
    execv(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  out.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  out.maxrssKiB = usage.ru_maxrss;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <class T>
T Median(std::vector<T> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string SelfDir() {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  std::string path(buf, std::size_t(n));
  return path.substr(0, path.rfind('/'));
}

int Compare(int runs) {
  const std::string dir = SelfDir();
  const std::vector<std::string> program{dir + "/bench_startup", "program"};
  const std::vector<std::string> bare{dir + "/bench_bare"};
  const std::vector<std::string> bareTexts{dir + "/bench_bare", "texts"};
  Sample s;
  if (!RunOnce(program, s) || !RunOnce(bare, s) || !RunOnce(bareTexts, s)) {
    std::fprintf(stderr, "bench_startup: a warm-up run failed (is there a display or QT_QPA_PLATFORM?)\n");
    return 2;
  }
  std::vector<double> progMs, bareMs, textsMs;
  std::vector<long> progKiB, bareKiB, textsKiB;
  for (int i = 0; i < runs; ++i) {
    if (!RunOnce(program, s)) return 2;
    progMs.push_back(s.ms);
    progKiB.push_back(s.maxrssKiB);
    if (!RunOnce(bare, s)) return 2;
    bareMs.push_back(s.ms);
    bareKiB.push_back(s.maxrssKiB);
    if (!RunOnce(bareTexts, s)) return 2;
    textsMs.push_back(s.ms);
    textsKiB.push_back(s.maxrssKiB);
  }
  const double pm = Median(progMs), bm = Median(bareMs);
  const double pk = double(Median(progKiB)), bk = double(Median(bareKiB));
  const double tm = Median(textsMs), tk = double(Median(textsKiB));
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  std::printf("start-up to the first window painted, median of %d alternating runs (platform %s)\n", runs,
              platform && *platform ? platform : "default");
  std::printf("%-10s %12s %16s\n", "", "time (ms)", "peak RSS (MiB)");
  std::printf("%-10s %12.1f %16.1f\n", "bare Qt", bm, bk / 1024.0);
  std::printf("%-10s %12.1f %16.1f\n", "rekentol", pm, pk / 1024.0);
  const double rt = pm / bm, rm = pk / bk;
  std::printf("%-10s %11.2fx %15.2fx   (memory target: at most %.2fx)\n", "ratio", rt, rm, kMemoryTarget);
  std::printf("%-10s %12.1f %16.1f   (bare Qt with the welcome texts: %.2fx the bare window;\n", "bare+texts", tm,
              tk / 1024.0, tm / bm);
  std::printf("%-10s %12s %16s    rekentol is %.2fx this, time target: at most %.2fx)\n", "", "", "", pm / tm,
              kTimeTarget);
  const bool met = pm / tm <= kTimeTarget && rm <= kMemoryTarget;
  std::printf("%s\n", met ? "within target" : "OVER TARGET");
  return met ? 0 : 3;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc > 1 && std::strcmp(argv[1], "program") == 0) return RunProgram(argc, argv);
  const int runs = argc > 1 ? std::max(10, std::atoi(argv[1])) : 15;
  return Compare(runs);
}
