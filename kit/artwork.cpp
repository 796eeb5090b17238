#include "kit/artwork.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <QThread>
#include <QThreadPool>
#include <QXmlStreamReader>
#include <memory>

namespace kit {

namespace {

struct Request {
  QByteArray svg;
  QSize size;
  Fit fit;
  qreal dpr;
};

QImage Draw(const Request& r) {
  QSvgRenderer renderer(r.svg);
  if (!renderer.isValid()) return {};
  QSize size = renderer.defaultSize();
  if (!r.size.isEmpty()) size.scale(r.size, r.fit == Fit::Stretch ? Qt::IgnoreAspectRatio : Qt::KeepAspectRatio);
  if (size.isEmpty()) return {};
  // Drawn for the sharpest display there is, and no sharper: a picture at
  // twice the pixels costs four times the drawing and the memory.
  QImage image(size * r.dpr, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(r.dpr);
  image.fill(Qt::transparent);
  QPainter p(&image);
  renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
  return image;
}

// One worker: the GUI thread keeps a core of its own on a two-core machine,
// and the pictures of a screen come in the order they were asked for. Qt's
// global pool is left to Qt's own parallel image work, which may wait for it.
QThreadPool& Worker() {
  static QThreadPool* const pool = [] {
    auto* p = new QThreadPool;
    p->setMaxThreadCount(1);
    // A drawing still running when the application goes would outlive the
    // font and image machinery it uses.
    qAddPostRoutine([] { Worker().waitForDone(); });
    return p;
  }();
  return *pool;
}

std::shared_future<QImage> Start(Request r) {
  // Text needs the font database, which only the GUI thread may use on some
  // platforms; such pictures wait until they are first shown.
  if (r.svg.contains("<text")) return std::async(std::launch::deferred, Draw, std::move(r)).share();
  auto promise = std::make_shared<std::promise<QImage>>();
  std::shared_future<QImage> image = promise->get_future().share();
  Worker().start([promise, r = std::move(r)] { promise->set_value(Draw(r)); });
  return image;
}

// The size an SVG gives itself on its root element, read without drawing it;
// invalid where it gives none in plain pixels.
QSize OwnSize(const QByteArray& svg) {
  QXmlStreamReader xml(svg);
  if (!xml.readNextStartElement() || xml.name() != u"svg") return {};
  const auto pixels = [&xml](QLatin1StringView name) {
    QStringView v = xml.attributes().value(name);
    if (v.endsWith(u"px")) v.chop(2);
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok && d > 0 ? qRound(d) : -1;
  };
  const QSize size(pixels(QLatin1StringView("width")), pixels(QLatin1StringView("height")));
  return size.isValid() ? size : QSize();
}

}  // namespace

Artwork::Artwork(const QString& resource, QSize size, Fit fit) {
  Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
  // The pictures live as long as the program: a handful of sizes per picture.
  struct Drawn {
    std::shared_future<QImage> image;
    QSize ownSize;
  };
  static QHash<QString, Drawn> drawn;
  const qreal dpr = qApp->devicePixelRatio();
  const QString key = QStringLiteral("%1|%2x%3|%4|%5")
                          .arg(resource)
                          .arg(size.width())
                          .arg(size.height())
                          .arg(int(fit))
                          .arg(dpr);
  auto found = drawn.constFind(key);
  if (found == drawn.constEnd()) {
    QFile file(resource);
    QByteArray svg = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QSize own = size.isEmpty() ? OwnSize(svg) : QSize();
    found = drawn.insert(key, {Start({std::move(svg), size, fit, dpr}), own});
  }
  image_ = found->image;
  size_ = found->ownSize;
}

const QImage& Artwork::Image() const {
  static const QImage none;
  return image_.valid() ? image_.get() : none;
}

QSize Artwork::Size() const {
  // A picture at its own size is placed without waiting for its drawing.
  if (size_.isValid()) return size_;
  const QImage& image = Image();
  return image.deviceIndependentSize().toSize();
}

}  // namespace kit
