#include "kit/qt/artwork.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>
#include <QPainter>
#include <QThread>
#include <QThreadPool>
#include <QWaitCondition>
#include <QXmlStreamReader>
#include <deque>

// The one switch for a Qt without its SVG module (the Windows build): there
// the pictures come as PNGs the build drew from the same SVGs (res/png.cmake).
#ifdef REKENTOL_PNG_ARTWORK
#include <QImageReader>
static void InitPictures() { Q_INIT_RESOURCE(rekentol_png); }
#else
#include <QSvgRenderer>
#endif

namespace kit {

// Written by the build (res/builtin.cmake).
#ifdef REKENTOL_BUILTIN_PICTURES
extern const BuiltInPicture kBuiltInPictures[];
extern const int kBuiltInPictureCount;
#else
static constexpr const BuiltInPicture* kBuiltInPictures = nullptr;
static constexpr int kBuiltInPictureCount = 0;
#endif

namespace {

struct Request {
  QString resource;
  QSize size;
  Fit fit;
  qreal dpr;
};

QSize Fitted(QSize own, const Request& r) {
  if (!r.size.isEmpty()) own.scale(r.size, r.fit == Fit::Stretch ? Qt::IgnoreAspectRatio : Qt::KeepAspectRatio);
  return own;
}

// Read(), OnGuiThreadOnly(), Draw() and OwnSize() are what the two builds do
// differently. Read() gives what Draw() draws from.

#ifndef REKENTOL_PNG_ARTWORK

QByteArray Read(const Request& r) {
  QFile file(r.resource);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Text needs the font database, which only the GUI thread may use on some
// platforms.
bool OnGuiThreadOnly(const QByteArray& svg) { return svg.contains("<text"); }

QImage Draw(const Request& r, const QByteArray& svg) {
  QSvgRenderer renderer(svg);
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

// The size an SVG gives itself on its root element, read without drawing it;
// invalid where it gives none in plain pixels.
QSize OwnSizeOf(const QByteArray& svg) {
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

// The own size of the picture, read from the file (which is kept in *read).
QSize OwnSize(const Request& r, QByteArray* read) {
  *read = Read(r);
  return OwnSizeOf(*read);
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

// A PNG is read where it is drawn, and holds no text to lay out.
QByteArray Read(const Request&) { return {}; }
bool OnGuiThreadOnly(const QByteArray&) { return false; }

QImage Draw(const Request& r, const QByteArray&) {
  const QStringList files = Drawings(r.resource);
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

QSize OwnSize(const Request& r, QByteArray*) {
  const QStringList files = Drawings(r.resource);
  return files.isEmpty() ? QSize() : QImageReader(files.first()).size();
}

#endif

// The picture the build drew for this request, if it drew it: the same
// resource fitted to the same pixels.
const BuiltInPicture* BuiltInFor(const Request& r) {
  if (r.dpr != 1) return nullptr;
  for (int i = 0; i < kBuiltInPictureCount; ++i) {
    const BuiltInPicture& b = kBuiltInPictures[i];
    if (r.resource == QLatin1StringView(b.resource) && Fitted(b.own, r) == b.size) return &b;
  }
  return nullptr;
}

// The requests drawn at run time, for NotBuiltIn().
QStringList& DrawnHere() {
  static QStringList drawn;
  return drawn;
}

}  // namespace

struct Artwork::Picture {
  Request request;
  // Under the drawer's lock:
  enum class State { Waiting, Drawing, Drawn } state = State::Waiting;
  QByteArray read;  // read already: for its own size, or it holds text
  QImage image;
  // GUI thread only:
  bool seen = false;  // drawn, and its image taken by the GUI thread
  bool ownSizeKnown = false;
  QSize ownSize;
};

namespace {

// The pictures are drawn one at a time, in the order they were asked for, by
// one task on Qt's global thread pool that runs while there are pictures to
// draw. One at a time: the GUI thread keeps a core of its own on a two-core
// machine, and Qt's own parallel image work always finds a pool thread free.
// On the global pool: the raster engine splits a large fill across that pool
// unless it already runs on one of its threads, so from a thread of our own
// every picture woke the pool's threads as well, and on two cores they took
// turns with the GUI thread. A pool of one thread would have nothing left for
// Qt; there the pictures keep a thread of their own.
//
// The GUI thread takes over a picture it needs that the drawer has not begun
// (and every picture with text), so it never sits waiting behind the others.
class Drawer {
 public:
  using Picture = Artwork::Picture;

  static Drawer& Instance() {
    static Drawer* const drawer = [] {
      auto* d = new Drawer;
      qAddPostRoutine([] { Instance().Stop(); });
      return d;
    }();
    return *drawer;
  }

  void Add(std::shared_ptr<Picture> picture) {
    const QMutexLocker lock(&mutex_);
    waiting_.push_back(std::move(picture));
    if (busy_) return;
    busy_ = true;
    pool_->start([this] { DrawAll(); });
  }

  // On the GUI thread: the picture drawn, by the drawer or here.
  const QImage& Finish(Picture& p) {
    QMutexLocker lock(&mutex_);
    while (p.state == Picture::State::Drawing) drawn_.wait(&mutex_);
    if (p.state == Picture::State::Drawn) return p.image;
    p.state = Picture::State::Drawing;
    QByteArray read = std::move(p.read);
    lock.unlock();
    if (read.isEmpty()) read = Read(p.request);
    QImage image = Draw(p.request, read);
    lock.relock();
    p.image = std::move(image);
    p.state = Picture::State::Drawn;
    return p.image;
  }

  // When the application goes: the pictures still waiting will not be shown,
  // and a drawing still running would outlive the font and image machinery
  // it uses.
  void Stop() {
    {
      const QMutexLocker lock(&mutex_);
      waiting_.clear();
    }
    pool_->waitForDone();
  }

  // On the GUI thread: keeps what it read for a picture not yet begun.
  void KeepRead(Picture& p, QByteArray read) {
    const QMutexLocker lock(&mutex_);
    if (p.state == Picture::State::Waiting && p.read.isEmpty()) p.read = std::move(read);
  }

 private:
  Drawer() {
    QThreadPool* global = QThreadPool::globalInstance();
    if (global->maxThreadCount() >= 2) {
      pool_ = global;
    } else {
      pool_ = new QThreadPool;
      pool_->setMaxThreadCount(1);
    }
  }

  void DrawAll() {
    QMutexLocker lock(&mutex_);
    while (!waiting_.empty()) {
      const std::shared_ptr<Picture> p = std::move(waiting_.front());
      waiting_.pop_front();
      if (p->state != Picture::State::Waiting) continue;  // taken over meanwhile
      p->state = Picture::State::Drawing;
      QByteArray read = std::move(p->read);
      lock.unlock();
      if (read.isEmpty()) read = Read(p->request);
      const bool here = !OnGuiThreadOnly(read);
      QImage image = here ? Draw(p->request, read) : QImage();
      lock.relock();
      if (here) {
        p->image = std::move(image);
        p->state = Picture::State::Drawn;
      } else {
        p->read = std::move(read);
        p->state = Picture::State::Waiting;
      }
      drawn_.wakeAll();
    }
    busy_ = false;
  }

  QThreadPool* pool_ = nullptr;
  QMutex mutex_;
  QWaitCondition drawn_;
  std::deque<std::shared_ptr<Picture>> waiting_;
  bool busy_ = false;
};

}  // namespace

Artwork::Artwork(const QString& resource, QSize size, Fit fit) {
  Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
#ifdef REKENTOL_PNG_ARTWORK
  static const bool compiledIn = (InitPictures(), true);
  Q_UNUSED(compiledIn);
#endif
  // The pictures live as long as the program: a handful of sizes per picture.
  static QHash<QString, std::shared_ptr<Picture>> pictures;
  const qreal dpr = qApp->devicePixelRatio();
  const QString key = QStringLiteral("%1|%2x%3|%4|%5")
                          .arg(resource)
                          .arg(size.width())
                          .arg(size.height())
                          .arg(int(fit))
                          .arg(dpr);
  std::shared_ptr<Picture>& picture = pictures[key];
  if (!picture) {
    picture = std::make_shared<Picture>();
    picture->request = {resource, size, fit, dpr};
    if (const BuiltInPicture* built = BuiltInFor(picture->request)) {
      // Wrapped, not copied: the pixels stay pages of the program file.
      picture->image = QImage(reinterpret_cast<const uchar*>(built->pixels), built->size.width(),
                              built->size.height(), built->size.width() * 4, QImage::Format_ARGB32_Premultiplied);
      picture->state = Picture::State::Drawn;
      picture->seen = true;
      picture->ownSize = built->own;
      picture->ownSizeKnown = true;
    } else {
      const QString asked = size.isEmpty() ? QStringLiteral("own size")
                                           : QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
      DrawnHere() << QStringLiteral("%1 %2 at %3").arg(resource, asked).arg(dpr);
      Drawer::Instance().Add(picture);
    }
  }
  picture_ = picture;
}

QList<std::pair<QString, QSize>> Artwork::BuiltIn() {
  QList<std::pair<QString, QSize>> built;
  for (int i = 0; i < kBuiltInPictureCount; ++i)
    built.append({QString::fromLatin1(kBuiltInPictures[i].resource), kBuiltInPictures[i].size});
  return built;
}

QStringList Artwork::NotBuiltIn() { return DrawnHere(); }

const QImage& Artwork::Image() const {
  static const QImage none;
  if (!picture_) return none;
  if (!picture_->seen) {
    Drawer::Instance().Finish(*picture_);
    picture_->seen = true;
  }
  return picture_->image;
}

QSize Artwork::Size() const {
  if (!picture_) return {};
  Picture& p = *picture_;
  // A picture at its own size is placed without waiting for its drawing.
  if (p.request.size.isEmpty()) {
    if (!p.ownSizeKnown) {
      QByteArray read;
      p.ownSize = OwnSize(p.request, &read);
      p.ownSizeKnown = true;
      if (!read.isEmpty()) Drawer::Instance().KeepRead(p, std::move(read));
    }
    if (p.ownSize.isValid()) return p.ownSize;
  }
  return Image().deviceIndependentSize().toSize();
}

}  // namespace kit
