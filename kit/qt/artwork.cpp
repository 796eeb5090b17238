#include "kit/qt/artwork.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QThread>
#include <QThreadPool>
#include <QXmlStreamReader>
#include <memory>

// The one switch for a Qt without its SVG module (the Windows build): there
// the pictures come as PNGs the build drew from the same SVGs (res/png.cmake).
#ifdef REKENTOL_PNG_ARTWORK
#include <QImageReader>
static void InitPictures() { Q_INIT_RESOURCE(rekentol_png); }
#else
#include <QSvgRenderer>
#endif

namespace kit {

namespace {

struct Request {
  QByteArray svg;  // in a PNG build, the resource name of the SVG instead
  QSize size;
  Fit fit;
  qreal dpr;
};

QSize Fitted(QSize own, const Request& r) {
  if (!r.size.isEmpty()) own.scale(r.size, r.fit == Fit::Stretch ? Qt::IgnoreAspectRatio : Qt::KeepAspectRatio);
  return own;
}

#ifndef REKENTOL_PNG_ARTWORK

QImage Draw(const Request& r) {
  QSvgRenderer renderer(r.svg);
  if (!renderer.isValid()) return {};
  const QSize size = Fitted(renderer.defaultSize(), r);
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

#else

// The drawn versions of ":/res/<name>.svg", smallest first; empty for any
// other resource.
QStringList Drawings(const QString& resource) {
  static const QString prefix = QStringLiteral(":/res/");
  static const QString suffix = QStringLiteral(".svg");
  if (!resource.startsWith(prefix) || !resource.endsWith(suffix)) return {};
  const QString name = resource.mid(prefix.size(), resource.size() - prefix.size() - suffix.size());
  QStringList files;
  for (const char* scale : {"1", "1.5", "2"})
    files << QStringLiteral(":/res/png/%1@%2x.png").arg(name, QLatin1StringView(scale));
  return files;
}

QImage Draw(const Request& r) {
  const QStringList files = Drawings(QString::fromUtf8(r.svg));
  if (files.isEmpty()) return {};
  const QSize size = Fitted(QImageReader(files.first()).size(), r);
  if (size.isEmpty()) return {};
  const QSize pixels = size * r.dpr;
  // The smallest drawing that covers the size asked for, scaled down: that
  // keeps edges as sharp as the drawing itself. Past the largest, scaled up.
  QString best = files.last();
  for (const QString& file : files) {
    const QSize drawn = QImageReader(file).size();
    if (drawn.width() >= pixels.width() && drawn.height() >= pixels.height()) {
      best = file;
      break;
    }
  }
  QImage image(best);
  if (image.isNull()) return {};
  if (image.size() != pixels) image = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(r.dpr);
  return image;
}

#endif

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
  // platforms; such pictures wait until they are first shown. (A PNG holds no
  // text to lay out.)
  if (r.svg.contains("<text")) return std::async(std::launch::deferred, Draw, std::move(r)).share();
  auto promise = std::make_shared<std::promise<QImage>>();
  std::shared_future<QImage> image = promise->get_future().share();
  Worker().start([promise, r = std::move(r)] { promise->set_value(Draw(r)); });
  return image;
}

#ifndef REKENTOL_PNG_ARTWORK
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

#endif

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
#ifdef REKENTOL_PNG_ARTWORK
    static const bool compiledIn = (InitPictures(), true);
    Q_UNUSED(compiledIn);
    const QStringList files = Drawings(resource);
    const QSize own = size.isEmpty() && !files.isEmpty() ? QImageReader(files.first()).size() : QSize();
    found = drawn.insert(key, {Start({resource.toUtf8(), size, fit, dpr}), own});
#else
    QFile file(resource);
    QByteArray svg = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QSize own = size.isEmpty() ? OwnSize(svg) : QSize();
    found = drawn.insert(key, {Start({std::move(svg), size, fit, dpr}), own});
#endif
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
