// Pictures drawn off the GUI thread or on it (those with text): the sizes they
// come out at, one drawing shared by every control that asks for the same
// picture, and resources that fail without taking the program down.

#include <QTest>
#if __has_include(<QSvgRenderer>)
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#endif

#include "kit/qt/artwork.h"
#include "support/testmain.h"

class ArtworkTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void sizes_data() {
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<int>("fit");
    QTest::addColumn<QSize>("drawn");
    // welcome.svg is 220 x 170, icon.svg square; btn_start.svg holds text and
    // is drawn on the GUI thread, which must not change its size.
    QTest::newRow("own size") << ":/res/welcome.svg" << QSize() << int(kit::Fit::Stretch) << QSize(220, 170);
    QTest::newRow("stretched") << ":/res/welcome.svg" << QSize(100, 100) << int(kit::Fit::Stretch)
                               << QSize(100, 100);
    QTest::newRow("aspect, width bound") << ":/res/welcome.svg" << QSize(110, 200) << int(kit::Fit::KeepAspect)
                                         << QSize(110, 85);
    QTest::newRow("aspect, height bound") << ":/res/welcome.svg" << QSize(400, 34) << int(kit::Fit::KeepAspect)
                                          << QSize(44, 34);
    QTest::newRow("square into wide") << ":/res/icon.svg" << QSize(90, 30) << int(kit::Fit::KeepAspect)
                                      << QSize(30, 30);
    QTest::newRow("with text, own size") << ":/res/btn_start.svg" << QSize() << int(kit::Fit::Stretch)
                                         << QSize(112, 48);
    QTest::newRow("with text") << ":/res/btn_start.svg" << QSize(120, 120) << int(kit::Fit::KeepAspect)
                               << QSize(120, 51);
  }
  void sizes() {
    QFETCH(QString, resource);
    QFETCH(QSize, asked);
    QFETCH(int, fit);
    QFETCH(QSize, drawn);
    const kit::Artwork art(resource, asked, kit::Fit(fit));
    QCOMPARE(art.Size(), drawn);
    QVERIFY(!art.Image().isNull());
    // An own size read from the file must be the size the drawing comes out at.
    QCOMPARE(art.Image().deviceIndependentSize().toSize(), drawn);
    // Something was drawn: not every pixel is transparent.
    const QImage& image = art.Image();
    bool painted = false;
    for (int y = 0; y < image.height() && !painted; ++y)
      for (int x = 0; x < image.width() && !painted; ++x) painted = qAlpha(image.pixel(x, y)) != 0;
    QVERIFY(painted);
  }

  void samePictureIsDrawnOnce() {
    const kit::Artwork a(QStringLiteral(":/res/block_cube.svg"), QSize(13, 13));
    const kit::Artwork b(QStringLiteral(":/res/block_cube.svg"), QSize(13, 13));
    const kit::Artwork c(QStringLiteral(":/res/block_cube.svg"), QSize(14, 14));
    QCOMPARE(a.Image().constBits(), b.Image().constBits());
    QVERIFY(a.Image().constBits() != c.Image().constBits());
  }

  // The pictures the build drew are what Qt SVG draws here, pixel for pixel:
  // a pupil sees the same whether a picture was built in or drawn.
  void builtInAreTheDrawings() {
#if __has_include(<QSvgRenderer>)
    const auto built = kit::Artwork::BuiltIn();
    if (built.isEmpty()) QSKIP("this build draws every picture at run time");
    for (const auto& [resource, size] : built) {
      const kit::Artwork art(resource, size);
      QFile file(resource);
      QVERIFY(file.open(QIODevice::ReadOnly));
      QSvgRenderer svg(file.readAll());
      QImage drawn(size, QImage::Format_ARGB32_Premultiplied);
      drawn.fill(Qt::transparent);
      QPainter p(&drawn);
      svg.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
      p.end();
      QVERIFY2(art.Image() == drawn, qPrintable(resource));
      // Asked for at its own size, it is the same compiled-in picture.
      if (size == svg.defaultSize())
        QCOMPARE(kit::Artwork(resource, {}).Image().constBits(), art.Image().constBits());
    }
#else
    QSKIP("no Qt SVG to draw them with");
#endif
  }

  void badResourcesPaintNothing() {
    const kit::Artwork missing(QStringLiteral(":/res/none.svg"), QSize(20, 20));
    QVERIFY(missing.Image().isNull());
    QVERIFY(missing.Size().isEmpty());
    QVERIFY(kit::Artwork().Image().isNull());
  }
};

REKENTOL_TEST_MAIN(ArtworkTest)
#include "tst_artwork.moc"
