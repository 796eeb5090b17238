// Draws the program's SVG icon at the PNG sizes desktops look up in the hicolor
// theme. Built and run at build time, so packaging needs no SVG tool beside Qt.
//
//   render_icon <icon.svg> <theme dir> <name> <size>...
//
// writes <theme dir>/<size>x<size>/apps/<name>.png for every size.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  if (argc < 5) {
    std::fputs("usage: render_icon <icon.svg> <theme dir> <name> <size>...\n", stderr);
    return 2;
  }
  QSvgRenderer svg{QString::fromLocal8Bit(argv[1])};
  if (!svg.isValid()) {
    std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
    return 1;
  }
  const QString theme = QString::fromLocal8Bit(argv[2]);
  const QString name = QString::fromLocal8Bit(argv[3]);
  for (int i = 4; i < argc; ++i) {
    char* end = nullptr;
    const long parsed = std::strtol(argv[i], &end, 10);
    if (*end != '\0' || parsed < 1 || parsed > 1024) {
      std::fprintf(stderr, "render_icon: not a size: %s\n", argv[i]);
      return 2;
    }
    const int size = static_cast<int>(parsed);
    QImage image{size, size, QImage::Format_ARGB32_Premultiplied};
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      svg.render(&painter);
    }
    const QString dir = theme + QStringLiteral("/%1x%1/apps").arg(size);
    const QString file = QStringLiteral("%1/%2.png").arg(dir, name);
    if (!QDir().mkpath(dir) || !image.save(file, "PNG")) {
      std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
