#include "kit/application.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

#include "kit/units.h"

static void InitResources() { Q_INIT_RESOURCE(rekentol); }

namespace kit {

void SetUpApplication(QApplication& app) {
  InitResources();
  // One style everywhere, so that boards look alike on every desktop.
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
  InstallFontSubstitutes();
  QFont base = Font{9.75}.ToQFont();
  QApplication::setFont(base);
  app.setWindowIcon(QIcon(QStringLiteral(":/res/icon.svg")));
  app.setQuitOnLastWindowClosed(false);
  app.setApplicationName(QStringLiteral("rekentol"));
}

}  // namespace kit
