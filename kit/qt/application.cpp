#include "kit/application.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>

#include "kit/qt/application.h"
#include "kit/qt/artwork.h"
#include "kit/qt/units.h"

static void InitResources() { Q_INIT_RESOURCE(rekentol); }

namespace kit {

void SetUpApplication(QApplication& app) {
  InitResources();
  // One style everywhere, so that boards look alike on every desktop.
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
  InstallFontSubstitutes();
  QFont base = ToQFont(Font{9.75});
  QApplication::setFont(base);
  // The icon (drawn by the build at ratio 1, else while the first screens
  // build themselves) is set once the event loop runs; windows take it over
  // when it comes. A pixmap
  // rather than the SVG file: QIcon would load an icon engine plugin at
  // start-up for one small picture.
  QMetaObject::invokeMethod(
      &app,
      [icon = Artwork(QStringLiteral(":/res/icon.svg"), {})] {
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon.Image())));
      },
      Qt::QueuedConnection);
  app.setQuitOnLastWindowClosed(false);
  app.setApplicationName(QStringLiteral("rekentol"));
  // The desktop entry the installed program comes with: Wayland matches the
  // windows to it (and to its icon) by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("nl.rekentol.Rekentol"));
}

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

struct Application::Parts {
  std::unique_ptr<QApplication> app;
};

Application::Application(int& argc, char** argv) : parts_(std::make_unique<Parts>()) {
  if (!HasDisplay()) {
    std::fputs("rekentol: geen beeldscherm gevonden (DISPLAY is leeg); start rekentol op een bureaublad of met xvfb-run.\n",
               stderr);
    return;
  }
  // The program takes no command line; Qt still needs argc/argv for itself.
  parts_->app = std::make_unique<QApplication>(argc, argv);
  SetUpApplication(*parts_->app);
}

Application::~Application() = default;

int Application::Run(const std::function<void()>& start) {
  if (!parts_->app) return 1;
  start();
  return QApplication::exec();
}

void Application::End(int code) { QCoreApplication::exit(code); }

}  // namespace kit
