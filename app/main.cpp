#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/program.h"
#include "kit/application.h"

namespace {
// Without a display Qt would abort with a backtrace; say it in one line instead.
bool HasDisplay() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
  const auto set = [](const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
  return true;
#endif
}
}  // namespace

int main(int argc, char* argv[]) {
  if (!HasDisplay()) {
    std::fputs("rekentol: geen beeldscherm gevonden (DISPLAY is leeg); start rekentol op een bureaublad of met xvfb-run.\n",
               stderr);
    return 1;
  }
  // The program takes no command line; Qt still needs argc/argv for itself.
  QApplication qapp(argc, argv);
  kit::SetUpApplication(qapp);
  app::Program program([](int code) { QCoreApplication::exit(code); });
  program.Start();
  return QApplication::exec();
}
