#pragma once
// Our SVG pictures, drawn once per size and shared by every control that shows
// them at that size.
//
// Drawing the pictures is the dearest part of opening a screen. A picture is
// therefore read and drawn off the GUI thread from the moment a control asks
// for it, while the screen goes on building itself; the control needs it only
// when it is first painted. A picture not yet begun by then is drawn there and
// then by the GUI thread rather than waited for. A picture that holds text is
// always drawn on the GUI thread, at that first paint: not every platform lets
// another thread use the fonts.
//
// The pictures of the first screen are not drawn at all: the build drew them
// at the sizes that screen asks for at device pixel ratio 1 (res/builtin.cmake)
// and they are compiled in as pixels, shown where they lie in the program
// file. Asked for at any other size or ratio, they are drawn like the rest.
//
// Where Qt has no SVG module (the Windows build), the build has drawn every
// picture as PNG at one, one and a half and two times its own size; a picture
// is then the smallest of those that covers the size asked for, scaled down.

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <utility>

namespace kit {

enum class Fit {
  Stretch,     // fills the size given
  KeepAspect,  // the largest size with the picture's own proportions that fits
};

class Artwork {
 public:
  Artwork() = default;
  // size in logical pixels; empty for the picture's own size. Only the GUI
  // thread asks for pictures.
  Artwork(const QString& resource, QSize size, Fit fit = Fit::Stretch);

  // The drawn picture at the display's device pixel ratio; the first time,
  // it waits for the drawing or draws it. A resource that is missing or not
  // an SVG gives a null image, which paints nothing.
  const QImage& Image() const;
  // Its size in logical pixels; known before the drawing for a picture asked
  // for at its own size.
  QSize Size() const;

  // The pictures the build drew, as resource and size at ratio 1.
  static QList<std::pair<QString, QSize>> BuiltIn();
  // Every picture asked for so far that the build had not drawn, as
  // "<resource> <width>x<height> at <ratio>" with the size as asked ("own
  // size" for none): those are drawn at run time.
  static QStringList NotBuiltIn();

  // One picture at one size, shared by every Artwork that asks for it
  // (artwork.cpp).
  struct Picture;

 private:
  std::shared_ptr<Picture> picture_;
};

// One picture the build drew, in the source it writes (render_icon --builtin).
struct BuiltInPicture {
  const char* resource;
  QSize own;              // the SVG's own size, which a fit is worked out from
  QSize size;             // drawn at, in pixels at device pixel ratio 1
  const quint32* pixels;  // premultiplied ARGB32, row after row
};

}  // namespace kit
