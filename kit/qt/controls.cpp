#include "kit/controls.h"

#include "kit/qt/native.h"

#include <QAccessible>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "kit/accessible.h"
#include "kit/qt/accessible.h"
#include "kit/qt/artwork.h"
#include "kit/qt/keyinput.h"
#include "kit/qt/units.h"

namespace kit {

namespace {

Qt::Alignment ToQt(Align a) {
  switch (a) {
    case Align::Left: return Qt::AlignLeft | Qt::AlignVCenter;
    case Align::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case Align::Centre: break;
  }
  return Qt::AlignCenter;
}

using Roles = std::initializer_list<std::pair<QPalette::ColorRole, QColor>>;

// Gives the roles their colours in every colour group, so that a control keeps
// its colours when its window is inactive or the control disabled; then the
// roles of disabledOnly for the disabled group alone.
void Recolour(QWidget* w, Roles roles, Roles disabledOnly = {}) {
  QPalette pal = w->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    for (const auto& [role, colour] : roles) pal.setColor(group, role, colour);
  for (const auto& [role, colour] : disabledOnly) pal.setColor(QPalette::Disabled, role, colour);
  w->setPalette(pal);
  w->update();
}

// Raises onClick on a left-button release inside an enabled widget.
class ClickFilter final : public QObject {
 public:
  ClickFilter(QWidget* w, std::function<void()>* handler) : QObject(w), handler_(handler) {
    w->installEventFilter(this);
  }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonRelease) {
      auto* w = static_cast<QWidget*>(o);
      auto* m = static_cast<QMouseEvent*>(e);
      if (m->button() == Qt::LeftButton && w->isEnabled() && w->rect().contains(m->position().toPoint()) &&
          *handler_) {
        (*handler_)();
      }
    }
    return false;
  }

 private:
  std::function<void()>* handler_;
};

class LineWidget final : public QWidget {
 public:
  LineWidget(QWidget* parent, QPoint a, QPoint b, int width, QColor colour)
      : QWidget(parent), width_(width), colour_(colour) {
    const int pad = width / 2 + 1;
    const QRect box = QRect(a, b).normalized().adjusted(-pad, -pad, pad, pad);
    setGeometry(box);
    a_ = a - box.topLeft();
    b_ = b - box.topLeft();
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a_, b_);
  }

 private:
  QPoint a_, b_;
  int width_;
  QColor colour_;
};

class ShapeWidget final : public QWidget {
 public:
  ShapeWidget(QWidget* parent, QColor fill, QColor border) : QWidget(parent), fill_(fill), border_(border) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (fill_.isValid()) p.fillRect(rect(), fill_);
    if (border_.isValid()) {
      p.setPen(QPen(border_, 1));
      p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
  }

 private:
  QColor fill_, border_;
};

class FrameWidget final : public QWidget {
 public:
  FrameWidget(QWidget* parent, const QString& caption) : QWidget(parent), caption_(caption) {}
  QString caption_;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (caption_.isEmpty()) return;  // a plain container
    QPainter p(this);
    const QColor fore = palette().color(QPalette::WindowText);
    const QFontMetrics fm(font());
    const int mid = fm.height() / 2;
    p.setPen(QPen(fore.darker(110), 1));
    p.drawRect(QRect(1, mid, width() - 3, height() - mid - 2));
    const QRect text(8, 0, fm.horizontalAdvance(caption_) + 6, fm.height());
    p.fillRect(text, palette().color(QPalette::Window));
    p.setPen(fore);
    p.drawText(text, Qt::AlignCenter, caption_);
  }
};

// Paints a picture centred in its rectangle, once the picture has been drawn.
// A push button whose keyboard focus shows as a broad black and yellow ring,
// plain to see on every button colour: the style's own mark is a faint
// one-pixel line that a child working with the keyboard does not find.
class MarkedButton final : public QPushButton {
 protected:
  void paintEvent(QPaintEvent* e) override {
    QPushButton::paintEvent(e);
    if (!hasFocus()) return;
    QPainter p(this);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    p.setPen(QPen(QColor(255, 255, 0), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(rect()).adjusted(3, 3, -3, -3));
  }
};

class PictureView final : public QWidget {
 public:
  explicit PictureView(Artwork artwork, QWidget* parent = nullptr) : QWidget(parent), artwork_(std::move(artwork)) {}
  const Artwork& Art() const { return artwork_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    const QImage& image = artwork_.Image();
    if (image.isNull()) return;
    const QSizeF size = image.deviceIndependentSize();
    QPainter p(this);
    p.drawImage(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), image);
  }

 private:
  Artwork artwork_;
};

std::unique_ptr<Native> Wrap(QWidget* widget) {
  auto native = std::make_unique<Native>();
  native->widget = widget;
  return native;
}

}  // namespace

QWidget* qt::Widget(const Control& control) { return control.Platform().widget; }
QLineEdit* qt::Edit(const TextBox& box) { return static_cast<QLineEdit*>(qt::Widget(box)); }
QStatusBar* qt::Bar(const StatusBar& bar) { return static_cast<QStatusBar*>(qt::Widget(bar)); }
QWidget* qt::Surface(const Container& container) { return container.Surface().widget; }

// ---------------------------------------------------------------- Container

// Graphical controls lie under the windowed ones, each kind in creation order:
// a windowed one goes on top, a graphical one under the first windowed one.
struct Container::Stacking {
  QPointer<QWidget> firstWindowed;
};

Container::Container() : stacking_(std::make_unique<Stacking>()) {}
Container::~Container() = default;

// ---------------------------------------------------------------- Control

Control::Control(Container& parent, std::unique_ptr<Native> native, const Place& place, Layer layer)
    : native_(std::move(native)), place_(place) {
  QWidget* widget = native_->widget;
  widget->setParent(parent.Surface().widget);
  if (place.width > 0 || place.height > 0) widget->setGeometry(place.Pixels());
  QPointer<QWidget>& firstWindowed = parent.stacking_->firstWindowed;
  if (layer == Layer::Windowed) {
    widget->raise();
    if (!firstWindowed) firstWindowed = widget;
  } else if (firstWindowed) {
    widget->stackUnder(firstWindowed);
  } else {
    widget->raise();
  }
  back_ = widget->palette().color(QPalette::Window);
  fore_ = widget->palette().color(QPalette::WindowText);
  widget->show();
}

Control::~Control() { delete native_->widget.data(); }

bool Control::Visible() const { return native_->widget && !native_->widget->isHidden(); }
void Control::SetVisible(bool visible) {
  if (visible && frontWhenShown_ && native_->widget->isHidden()) native_->widget->raise();
  native_->widget->setVisible(visible);
}
bool Control::Enabled() const { return !native_->widget->testAttribute(Qt::WA_ForceDisabled); }
void Control::SetEnabled(bool enabled) { native_->widget->setEnabled(enabled); }
void Control::SetToolTipText(const QString& text) { native_->widget->setToolTip(text); }
QString Control::ToolTipText() const { return native_->widget->toolTip(); }
void Control::SetAccessibleName(const QString& name) { native_->widget->setAccessibleName(name); }
QString Control::AccessibleName() const { return native_->widget->accessibleName(); }
void Control::SetAccessibleDescription(const QString& text) { native_->widget->setAccessibleDescription(text); }
void Control::SetFont(const Font& font) { native_->widget->setFont(ToQFont(font)); }


void Control::ApplyColours() {
  native_->widget->setAutoFillBackground(true);
  Recolour(native_->widget, {{QPalette::Window, back_}, {QPalette::WindowText, fore_}});
}

// The desktop is worked with the mouse: the documented places stand.
void Control::SetTouchPlace(const Place&) {}

void Control::Move(const Place& place) {
  place_ = place;
  native_->widget->setGeometry(place.Pixels());
}

void Control::SetFocus() {
  if (!native_->widget->isVisibleTo(native_->widget->window()) || !native_->widget->isEnabled()) return;
  native_->widget->setFocus(Qt::OtherFocusReason);
}
bool Control::HasFocus() const { return native_->widget->window()->focusWidget() == native_->widget; }

// ---------------------------------------------------------------- TextBox

TextBox::TextBox(Container& parent, const Place& place, const Font& font, Align align)
    : Control(parent, Wrap(new QLineEdit), place, Layer::Windowed) {
  QLineEdit* e = qt::Edit(*this);
  e->setFont(ToQFont(font));
  e->setAlignment(ToQt(align));
  e->setTextMargins(0, 0, 0, 0);
  e->setContentsMargins(0, 0, 0, 0);
  new KeyInput(e, [this](int& keyAscii) {
    if (onKeyPress) onKeyPress(keyAscii);
  });
  new ClickFilter(e, &onClick);
  QObject::connect(e, &QLineEdit::textChanged, e, [this] {
    if (onChange) onChange();
  });
  SetBackColor(colours::kFresh);
  SetForeColor(colours::kBlack);
}

TextBox::~TextBox() = default;

QString TextBox::Text() const { return qt::Edit(*this)->text(); }
void TextBox::SetText(const QString& text) { qt::Edit(*this)->setText(text); }
void TextBox::SetTextQuiet(const QString& text) {
  const QSignalBlocker block(qt::Edit(*this));
  qt::Edit(*this)->setText(text);
}
void TextBox::SetItalic(bool italic) {
  QFont f = qt::Edit(*this)->font();
  f.setItalic(italic);
  qt::Edit(*this)->setFont(f);
}
bool TextBox::Italic() const { return qt::Edit(*this)->font().italic(); }

int TextBox::SelStart() const {
  QLineEdit* e = qt::Edit(*this);
  return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}
void TextBox::SetSelStart(int start) { qt::Edit(*this)->setCursorPosition(start); }
int TextBox::SelLength() const { return static_cast<int>(qt::Edit(*this)->selectedText().size()); }
void TextBox::SetSelLength(int length) {
  QLineEdit* e = qt::Edit(*this);
  const int start = e->cursorPosition();
  e->setSelection(start, length);
}
void TextBox::SetLocked(bool locked) { qt::Edit(*this)->setReadOnly(locked); }
void TextBox::SetHeardAsText() {
  SetLocked(true);
  qt::Edit(*this)->setProperty(kStaticTextProperty, true);
  // Qt keeps the interface it made for the box when it was built; the next
  // one asked for is made anew, as text.
  QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(qt::Edit(*this))));
}

void TextBox::ApplyColours() {
  // Display-only boxes must stay legible for a child: a dark grey, not the pale default.
  const QColor disabledText = ForeColor() == colours::kBlack ? QColor(70, 70, 70) : ForeColor();
  Recolour(qt::Edit(*this), {{QPalette::Base, BackColor()}, {QPalette::Window, BackColor()}, {QPalette::Text, ForeColor()}},
           {{QPalette::Text, disabledText}});
  // A box the check turned red says so to a pupil who cannot see the colour.
  qt::Edit(*this)->setAccessibleDescription(ColourVerdict(BackColor()));
}

// ---------------------------------------------------------------- Label

namespace {
QLabel* Of(const Label& label) { return static_cast<QLabel*>(qt::Widget(label)); }
}  // namespace

Label::Label(Container& parent, const Place& place, const QString& caption, const Font& font, Align align)
    : Control(parent, Wrap(new QLabel), place, Layer::Graphical) {
  QLabel* label = Of(*this);
  label->setText(caption);
  label->setTextFormat(Qt::PlainText);
  label->setFont(ToQFont(font));
  label->setWordWrap(true);
  label->setAlignment(ToQt(align));
  new ClickFilter(label, &onClick);
}
QString Label::Caption() const { return Of(*this)->text(); }
void Label::SetCaption(const QString& caption) { Of(*this)->setText(caption); }
void Label::SetMargin(int twips) { Of(*this)->setMargin(Px(twips)); }

// ---------------------------------------------------------------- Button

namespace {
QPushButton* ButtonOf(const Button& button) { return static_cast<QPushButton*>(qt::Widget(button)); }
}  // namespace

Button::Button(Container& parent, const Place& place, const QString& caption, const QString& picture,
               const Font& font)
    : Control(parent, Wrap(new MarkedButton), place, Layer::Windowed) {
  QPushButton* button = ButtonOf(*this);
  button->setFont(ToQFont(font));
  button->setFocusPolicy(Qt::StrongFocus);
  // Enter on a focused button presses it, as on the desktop the pupils know.
  button->setAutoDefault(true);
  if (picture.isEmpty()) {
    button->setText(caption);
  } else {
    // The picture and any caption are children that let the clicks through
    // to the button.
    const int captionHeight = caption.isEmpty() ? 0 : QFontMetrics(button->font()).height() + 6;
    const QSize inner = place.Pixels().size() - QSize(8, 8 + captionHeight);
    auto* layout = new QVBoxLayout(button);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* image = new PictureView(Artwork(picture, inner, Fit::KeepAspect));
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(image, 1);
    if (!caption.isEmpty()) {
      QLabel* under = Platform().captionUnder = new QLabel(caption);
      under->setAlignment(Qt::AlignCenter);
      under->setAttribute(Qt::WA_TransparentForMouseEvents);
      layout->addWidget(under);
    }
  }
  QObject::connect(button, &QPushButton::clicked, button, [this] {
    if (onClick) onClick();
  });
  Rename();
}


void Button::KeepFocusAway() {
  ButtonOf(*this)->setFocusPolicy(Qt::NoFocus);
  ButtonOf(*this)->setAutoDefault(false);
}


QString Button::Caption() const {
  const QLabel* under = Platform().captionUnder;
  return under ? under->text() : ButtonOf(*this)->text();
}
void Button::SetCaption(const QString& caption) {
  if (QLabel* under = Platform().captionUnder)
    under->setText(caption);
  else
    ButtonOf(*this)->setText(caption);
  Rename();
}
void Button::SetCaptionVAlign(VAlign align) {
  QPushButton* button = ButtonOf(*this);
  QLabel*& under = Platform().captionUnder;
  if (!under) {
    under = new QLabel(button->text(), button);
    under->setTextFormat(Qt::PlainText);
    under->setAttribute(Qt::WA_TransparentForMouseEvents);
    under->setForegroundRole(QPalette::ButtonText);
    // Inside the button's bevel; boards never resize a button.
    under->setGeometry(button->rect().adjusted(3, 1, -3, -1));
    button->setText(QString());
    under->show();
    Rename();
  }
  const Qt::Alignment vertical = align == VAlign::Top      ? Qt::AlignTop
                                 : align == VAlign::Bottom ? Qt::AlignBottom
                                                           : Qt::AlignVCenter;
  under->setAlignment(Qt::AlignHCenter | vertical);
}
void Button::ApplyColours() {
  Recolour(ButtonOf(*this), {{QPalette::Button, BackColor()}, {QPalette::ButtonText, ForeColor()}});
}

// ---------------------------------------------------------------- Picture

Picture::Picture(Container& parent, const Place& place, const QString& resource)
    : Control(parent, Wrap(new PictureView(Artwork(resource, place.Pixels().size()))), place, Layer::Graphical) {
  auto* view = static_cast<PictureView*>(qt::Widget(*this));
  if (place.width == 0 && place.height == 0) view->resize(view->Art().Size());
  new ClickFilter(view, &onClick);
}

// ---------------------------------------------------------------- Line, Shape, Frame

Line::Line(Container& parent, TwipPoint from, TwipPoint to, int pixelWidth, const QColor& colour)
    : Control(parent, Wrap(new LineWidget(nullptr, from.Pixels(), to.Pixels(), pixelWidth, colour)), Place{},
              Layer::Graphical),
      from_(from),
      to_(to) {}

Shape::Shape(Container& parent, const Place& place, const QColor& fill, const QColor& border)
    : Control(parent, Wrap(new ShapeWidget(nullptr, fill, border)), place, Layer::Graphical) {}

Frame::Frame(Container& parent, const Place& place, const QString& caption, const Font& font)
    : Control(parent, Wrap(new FrameWidget(nullptr, caption)), place, Layer::Windowed) {
  qt::Widget(*this)->setFont(ToQFont(font));
}
QString Frame::Caption() const { return static_cast<FrameWidget*>(qt::Widget(*this))->caption_; }

// ---------------------------------------------------------------- StatusBar

namespace {
// Lays the panels out now, so that their widths are known before the window is shown.
void LayOut(const StatusBar& bar) {
  if (QLayout* layout = qt::Bar(bar)->layout()) layout->activate();
}
}  // namespace

StatusBar::StatusBar(Container& parent, const Place& place, const std::vector<int>& panelStretch)
    : Control(parent, Wrap(new QStatusBar), place, Layer::Windowed) {
  QStatusBar* bar = qt::Bar(*this);
  bar->setSizeGripEnabled(false);
  for (int stretch : panelStretch) {
    auto* panel = new QLabel;
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setTextFormat(Qt::PlainText);
    // A panel keeps the width its stretch gives it whatever its text: a long
    // text would otherwise widen it and push the other panels (and whatever was
    // placed into them) about.
    panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(panel, stretch);
    Platform().panels.push_back(panel);
    tags_.emplace_back();
  }
  bar->ensurePolished();
  LayOut(*this);
}
int StatusBar::PanelCount() const { return static_cast<int>(Platform().panels.size()); }
QString StatusBar::PanelText(int panel) const { return Platform().panels.at(std::size_t(panel))->text(); }
void StatusBar::SetPanelText(int panel, const QString& text) { Platform().panels.at(std::size_t(panel))->setText(text); }
QString StatusBar::PanelTag(int panel) const { return tags_.at(std::size_t(panel)); }
void StatusBar::SetPanelTag(int panel, const QString& tag) { tags_.at(std::size_t(panel)) = tag; }
Place StatusBar::PanelRect(int panel) const {
  LayOut(*this);
  return Place::FromPixels(Platform().panels.at(std::size_t(panel))->geometry());
}
int StatusBar::PanelWidth(int panel) const { return PanelRect(panel).width; }
int StatusBar::BlankWidth() const {
  return Twips(std::max(1, QFontMetrics(Platform().panels.front()->font()).horizontalAdvance(u' ')));
}

// ---------------------------------------------------------------- ProgressBar

namespace {
QProgressBar* BarOf(const ProgressBar& bar) { return static_cast<QProgressBar*>(qt::Widget(bar)); }
}  // namespace

ProgressBar::ProgressBar(Container& parent)
    : Control(parent, Wrap(new QProgressBar), Place{}, Layer::Windowed) {
  BarOf(*this)->setTextVisible(false);
  BarOf(*this)->hide();
}
void ProgressBar::SetRange(int min, int max) { BarOf(*this)->setRange(min, max); }
int ProgressBar::Minimum() const { return BarOf(*this)->minimum(); }
int ProgressBar::Maximum() const { return BarOf(*this)->maximum(); }
void ProgressBar::SetValue(int value) { BarOf(*this)->setValue(value); }
int ProgressBar::Value() const { return BarOf(*this)->value(); }
void ProgressBar::PlaceInto(StatusBar& bar, const Place& place) {
  BarOf(*this)->setParent(qt::Bar(bar));
  Move(place);
  BarOf(*this)->show();
  BarOf(*this)->raise();
  BarOf(*this)->setValue(0);
}
void ProgressBar::TakeBack(Container& owner) {
  BarOf(*this)->setParent(owner.Surface().widget);
  BarOf(*this)->hide();
}

}  // namespace kit
