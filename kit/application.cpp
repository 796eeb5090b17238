#include "kit/application.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QStyleFactory>

#include "kit/artwork.h"
#include "kit/units.h"

static void InitResources() { Q_INIT_RESOURCE(rekentol); }

namespace kit {

void SetUpApplication(QApplication& app) {
  InitResources();
  // The icon is asked for first, so that it is drawn (artwork.h) while this
  // thread reads the desktop's fonts below, the dearest step of the start:
  // the first drawing also pays for starting the drawer, and the first
  // screen's pictures then find it idle and ready, and the event loop's first
  // pass finds the icon done. It is set once the event loop runs; windows
  // take it over when it comes. A pixmap rather than the SVG file: QIcon
  // would load an icon engine plugin at start-up for one small picture.
  QMetaObject::invokeMethod(
      &app,
      [icon = Artwork(QStringLiteral(":/res/icon.svg"), {})] {
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon.Image())));
      },
      Qt::QueuedConnection);
  // One style everywhere, so that boards look alike on every desktop.
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
  InstallFontSubstitutes();
  QFont base = Font{9.75}.ToQFont();
  QApplication::setFont(base);
  app.setQuitOnLastWindowClosed(false);
  app.setApplicationName(QStringLiteral("rekentol"));
  // The desktop entry the installed program comes with: Wayland matches the
  // windows to it (and to its icon) by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("nl.rekentol.Rekentol"));
}

}  // namespace kit
