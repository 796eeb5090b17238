#include "kit/accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMainWindow>
#include <QWidget>

#include "kit/units.h"

namespace kit {

const char* const kStaticTextProperty = "rekentolStaticText";

namespace {

// Qt hears a plain top-level QWidget as a client area ("filler" to AT-SPI):
// a pupil's screen reader would then never say that a new window opened.
// A box that only shows a caption (a column head) is text to read, not a
// field to fill: Qt would call even a read-only line edit editable.
QAccessibleInterface* WindowFactory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (className == QLatin1String("QWidget") && widget->isWindow())
    return new QAccessibleWidget(widget, QAccessible::Window);
  if (className == QLatin1String("QLineEdit") && widget->property(kStaticTextProperty).toBool())
    return new QAccessibleWidget(widget, QAccessible::StaticText);
  return nullptr;
}

}  // namespace

void InstallAccessibleWindows() {
  static const bool installed = [] {
    QAccessible::installFactory(WindowFactory);
    return true;
  }();
  (void)installed;
}

QString PlaceValueWord(QStringView caption) {
  struct Word {
    const char16_t* caption;
    const char16_t* word;
  };
  static constexpr Word kWords[] = {
      {u"HD", u"honderdduizendtallen"}, {u"TD", u"tienduizendtallen"}, {u"D", u"duizendtallen"},
      {u"H", u"honderdtallen"},         {u"T", u"tientallen"},         {u"E", u"eenheden"},
      {u"t", u"tienden"},               {u"h", u"honderdsten"},        {u"d", u"duizendsten"},
  };
  const QStringView trimmed = caption.trimmed();
  for (const Word& w : kWords)
    if (trimmed == QStringView(w.caption)) return QString::fromUtf16(w.word);
  return trimmed.toString();
}

QString ColourVerdict(const QColor& colour) {
  if (colour == colours::kRight) return QStringLiteral("goed");
  if (colour == colours::kWrong) return QStringLiteral("fout");
  return {};
}

void Announce(QWidget* widget, const QString& text) {
  widget->setAccessibleDescription(text);
  if (!QAccessible::isActive()) return;
  QAccessibleEvent changed(widget, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
  if (!text.isEmpty()) {
    QAccessibleEvent alert(widget, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
  }
}

}  // namespace kit
