// Draws our SVG pictures at build time, so that packaging, and builds without
// Qt SVG, need no SVG tool beside Qt, and the program's first screen need not
// draw its pictures at all.
//
//   render_icon <icon.svg> <theme dir> <name> <size>...
//     writes <theme dir>/<size>x<size>/apps/<name>.png for every size: the
//     icons desktops look up in the hicolor theme.
//   render_icon --pictures <out dir> <picture.svg>...
//     writes <out dir>/<picture>@1x.png, @1.5x.png and @2x.png: each picture at
//     its own size and at the two larger display scales.
//   render_icon --ico <icon.svg> <out.ico> <size>...
//     writes one Windows icon holding the icon at every size.
//   render_icon --builtin <out.cpp> <picture.svg>[=<width>x<height>]...
//     writes a C++ source holding each picture as premultiplied ARGB32
//     pixels, at the size given or its own, for kit/qt/artwork.cpp to show
//     without drawing.

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <QtEndian>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

bool ParseSize(const char* text, int& size) {
  char* end = nullptr;
  const long parsed = std::strtol(text, &end, 10);
  if (*end != '\0' || parsed < 1 || parsed > 1024) {
    std::fprintf(stderr, "render_icon: not a size: %s\n", text);
    return false;
  }
  size = static_cast<int>(parsed);
  return true;
}

QImage Draw(QSvgRenderer& svg, QSize size) {
  QImage image{size, QImage::Format_ARGB32_Premultiplied};
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return image;
}

int HicolorIcons(int argc, char* argv[]) {
  QSvgRenderer svg{QString::fromLocal8Bit(argv[1])};
  if (!svg.isValid()) {
    std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
    return 1;
  }
  const QString theme = QString::fromLocal8Bit(argv[2]);
  const QString name = QString::fromLocal8Bit(argv[3]);
  for (int i = 4; i < argc; ++i) {
    int size = 0;
    if (!ParseSize(argv[i], size)) return 2;
    const QImage image = Draw(svg, {size, size});
    const QString dir = theme + QStringLiteral("/%1x%1/apps").arg(size);
    const QString file = QStringLiteral("%1/%2.png").arg(dir, name);
    if (!QDir().mkpath(dir) || !image.save(file, "PNG")) {
      std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}

int Pictures(int argc, char* argv[]) {
  // Some pictures hold text, and text needs the font database of an
  // application; no display is needed for it.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  // The text in our pictures asks for Liberation Sans or Arial, as the
  // program's own fonts do.
  QFont::insertSubstitutions(QStringLiteral("Arial"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  const QString out = QString::fromLocal8Bit(argv[2]);
  if (!QDir().mkpath(out)) {
    std::fprintf(stderr, "render_icon: cannot make %s\n", qPrintable(out));
    return 1;
  }
  for (int i = 3; i < argc; ++i) {
    const QString path = QString::fromLocal8Bit(argv[i]);
    QSvgRenderer svg{path};
    if (!svg.isValid()) {
      std::fprintf(stderr, "render_icon: cannot read %s\n", argv[i]);
      return 1;
    }
    const QString base = QFileInfo(path).completeBaseName();
    // The scales displays commonly run at; between them the program scales the
    // next larger one down, which keeps edges sharp.
    for (const char* scale : {"1", "1.5", "2"}) {
      const QSize size = svg.defaultSize() * QByteArray(scale).toDouble();
      const QString file = QStringLiteral("%1/%2@%3x.png").arg(out, base, QLatin1StringView(scale));
      if (!Draw(svg, size).save(file, "PNG")) {
        std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(file));
        return 1;
      }
    }
  }
  return 0;
}

// A Windows icon file: a directory of entries, each a whole PNG file (which
// Windows reads in icons since Vista).
int WindowsIcon(int argc, char* argv[]) {
  QSvgRenderer svg{QString::fromLocal8Bit(argv[2])};
  if (!svg.isValid()) {
    std::fprintf(stderr, "render_icon: cannot read %s\n", argv[2]);
    return 1;
  }
  std::vector<std::pair<int, QByteArray>> pngs;
  for (int i = 4; i < argc; ++i) {
    int size = 0;
    if (!ParseSize(argv[i], size) || size > 256) return 2;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    Draw(svg, {size, size}).save(&buffer, "PNG");
    pngs.emplace_back(size, png);
  }
  QByteArray ico;
  const auto u16 = [&ico](quint16 v) { v = qToLittleEndian(v); ico.append(reinterpret_cast<const char*>(&v), 2); };
  const auto u32 = [&ico](quint32 v) { v = qToLittleEndian(v); ico.append(reinterpret_cast<const char*>(&v), 4); };
  u16(0);  // reserved
  u16(1);  // an icon, not a cursor
  u16(static_cast<quint16>(pngs.size()));
  quint32 offset = 6 + 16 * static_cast<quint32>(pngs.size());
  for (const auto& [size, png] : pngs) {
    ico.append(static_cast<char>(size == 256 ? 0 : size));  // 0 stands for 256
    ico.append(static_cast<char>(size == 256 ? 0 : size));
    ico.append('\0');  // no palette
    ico.append('\0');  // reserved
    u16(1);            // colour planes
    u16(32);           // bits per pixel
    u32(static_cast<quint32>(png.size()));
    u32(offset);
    offset += static_cast<quint32>(png.size());
  }
  for (const auto& entry : pngs) ico.append(entry.second);
  QFile file(QString::fromLocal8Bit(argv[3]));
  if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size()) {
    std::fprintf(stderr, "render_icon: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}

// The pictures a screen shows the moment the program starts, drawn here
// rather than at every start. Drawn as kit/qt/artwork.cpp draws them at run
// time, step for step, so that the pupil sees the same pixels either way
// (tests/kit/tst_artwork.cpp compares them).
int BuiltIn(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  struct Entry {
    QString resource;
    QSize own;
    QImage image;
  };
  std::vector<Entry> entries;
  for (int i = 3; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    const qsizetype at = arg.lastIndexOf(u'=');
    const QString path = at < 0 ? arg : arg.left(at);
    QFile file(path);
    const QByteArray svg = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
      std::fprintf(stderr, "render_icon: cannot read %s\n", qPrintable(path));
      return 1;
    }
    // Text is laid out in the fonts of the machine it is shown on.
    if (svg.contains("<text")) {
      std::fprintf(stderr, "render_icon: %s holds text; it cannot be drawn at build time\n", qPrintable(path));
      return 1;
    }
    QSize size = renderer.defaultSize();
    if (at >= 0) {
      const QStringList wh = arg.mid(at + 1).split(u'x');
      int w = 0, h = 0;
      if (wh.size() != 2) {
        std::fprintf(stderr, "render_icon: not <width>x<height>: %s\n", qPrintable(arg));
        return 2;
      }
      if (!ParseSize(qPrintable(wh[0]), w) || !ParseSize(qPrintable(wh[1]), h)) return 2;
      size = {w, h};
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    p.end();
    entries.push_back({QStringLiteral(":/res/") + QFileInfo(path).fileName(), renderer.defaultSize(), image});
  }

  QByteArray cpp;
  cpp += "// Written by render_icon --builtin at build time; not to be edited.\n"
         "#include \"kit/qt/artwork.h\"\n\n"
         "namespace {\n";
  char word[16];
  for (std::size_t n = 0; n < entries.size(); ++n) {
    const QImage& image = entries[n].image;
    cpp += "alignas(16) const quint32 picture" + QByteArray::number(qulonglong(n)) + "[] = {";
    for (int y = 0; y < image.height(); ++y) {
      const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        cpp += (x % 8 == 0) ? "\n" : " ";
        std::snprintf(word, sizeof word, "0x%08" PRIx32 ",", row[x]);
        cpp += word;
      }
    }
    cpp += "\n};\n";
  }
  cpp += "}  // namespace\n\n"
         "namespace kit {\n"
         "extern const BuiltInPicture kBuiltInPictures[];\n"
         "extern const int kBuiltInPictureCount;\n"
         "const BuiltInPicture kBuiltInPictures[] = {\n";
  for (std::size_t n = 0; n < entries.size(); ++n) {
    const Entry& e = entries[n];
    cpp += QStringLiteral("    {\"%1\", {%2, %3}, {%4, %5}, picture%6},\n")
               .arg(e.resource)
               .arg(e.own.width())
               .arg(e.own.height())
               .arg(e.image.width())
               .arg(e.image.height())
               .arg(n)
               .toUtf8();
  }
  cpp += "};\n"
         "const int kBuiltInPictureCount = " + QByteArray::number(qulonglong(entries.size())) + ";\n"
         "}  // namespace kit\n";

  const QString out = QString::fromLocal8Bit(argv[2]);
  QFile file(out);
  if (!file.open(QIODevice::WriteOnly) || file.write(cpp) != cpp.size()) {
    std::fprintf(stderr, "render_icon: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
  if (mode == "--pictures" && argc >= 4) return Pictures(argc, argv);
  if (mode == "--ico" && argc >= 5) return WindowsIcon(argc, argv);
  if (mode == "--builtin" && argc >= 4) return BuiltIn(argc, argv);
  if (argc >= 5 && !mode.startsWith("--")) return HicolorIcons(argc, argv);
  std::fputs(
      "usage: render_icon <icon.svg> <theme dir> <name> <size>...\n"
      "       render_icon --pictures <out dir> <picture.svg>...\n"
      "       render_icon --ico <icon.svg> <out.ico> <size>...\n"
      "       render_icon --builtin <out.cpp> <picture.svg>[=<width>x<height>]...\n",
      stderr);
  return 2;
}
