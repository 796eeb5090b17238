#include "kit/application.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QSvgRenderer>

#include "kit/units.h"

static void InitResources() { Q_INIT_RESOURCE(rekentol); }

namespace kit {

namespace {
// Drawn here rather than handed to QIcon as a file: QIcon would load an icon
// engine plugin for the SVG at start-up, for one small picture.
QIcon ProgramIcon() {
  QSvgRenderer svg(QStringLiteral(":/res/icon.svg"));
  const qreal dpr = qApp->devicePixelRatio();
  QPixmap pm(svg.defaultSize() * dpr);
  pm.setDevicePixelRatio(dpr);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  svg.render(&p, QRectF(QPointF(0, 0), QSizeF(svg.defaultSize())));
  p.end();
  return QIcon(pm);
}
}  // namespace

void SetUpApplication(QApplication& app) {
  InitResources();
  // One style everywhere, so that boards look alike on every desktop.
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
  InstallFontSubstitutes();
  QFont base = Font{9.75}.ToQFont();
  QApplication::setFont(base);
  app.setWindowIcon(ProgramIcon());
  app.setQuitOnLastWindowClosed(false);
  app.setApplicationName(QStringLiteral("rekentol"));
}

}  // namespace kit
