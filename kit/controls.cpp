#include "kit/controls.h"

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
#include "kit/artwork.h"
#include "kit/clock.h"
#include "kit/keyinput.h"

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

}  // namespace

// ---------------------------------------------------------------- Container

void Container::Adopt(QWidget* widget, bool windowed) {
  if (windowed) {
    widget->raise();
    if (!firstWindowed_) firstWindowed_ = widget;
  } else if (firstWindowed_) {
    widget->stackUnder(firstWindowed_);
  } else {
    widget->raise();
  }
}

// ---------------------------------------------------------------- Control

Control::Control(Container& parent, QWidget* widget, const Place& place, Layer layer)
    : widget_(widget), place_(place) {
  widget->setParent(parent.Surface());
  if (place.width > 0 || place.height > 0) widget->setGeometry(place.Pixels());
  parent.Adopt(widget, layer == Layer::Windowed);
  back_ = widget->palette().color(QPalette::Window);
  fore_ = widget->palette().color(QPalette::WindowText);
  widget->show();
}

Control::~Control() { delete widget_.data(); }

bool Control::Visible() const { return widget_ && !widget_->isHidden(); }
void Control::SetVisible(bool visible) {
  if (visible && frontWhenShown_ && widget_->isHidden()) widget_->raise();
  widget_->setVisible(visible);
}
bool Control::Enabled() const { return !widget_->testAttribute(Qt::WA_ForceDisabled); }
void Control::SetEnabled(bool enabled) { widget_->setEnabled(enabled); }
void Control::SetToolTipText(const QString& text) { widget_->setToolTip(text); }
QString Control::ToolTipText() const { return widget_->toolTip(); }
void Control::SetAccessibleName(const QString& name) { widget_->setAccessibleName(name); }
QString Control::AccessibleName() const { return widget_->accessibleName(); }
void Control::SetAccessibleDescription(const QString& text) { widget_->setAccessibleDescription(text); }
void Control::SetFont(const Font& font) { widget_->setFont(font.ToQFont()); }

void Control::SetBackColor(const QColor& colour) {
  back_ = colour;
  ApplyColours();
}
void Control::SetForeColor(const QColor& colour) {
  fore_ = colour;
  ApplyColours();
}

void Control::ApplyColours() {
  widget_->setAutoFillBackground(true);
  Recolour(widget_, {{QPalette::Window, back_}, {QPalette::WindowText, fore_}});
}

void Control::Move(const Place& place) {
  place_ = place;
  widget_->setGeometry(place.Pixels());
}

void Control::SetFocus() {
  if (!widget_->isVisibleTo(widget_->window()) || !widget_->isEnabled()) return;
  widget_->setFocus(Qt::OtherFocusReason);
}
bool Control::HasFocus() const { return widget_->window()->focusWidget() == widget_; }

// ---------------------------------------------------------------- TextBox

TextBox::TextBox(Container& parent, const Place& place, const Font& font, Align align)
    : Control(parent, new QLineEdit, place, Layer::Windowed) {
  QLineEdit* e = Edit();
  e->setFont(font.ToQFont());
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

QLineEdit* TextBox::Edit() const { return static_cast<QLineEdit*>(Widget()); }
QString TextBox::Text() const { return Edit()->text(); }
void TextBox::SetText(const QString& text) { Edit()->setText(text); }
void TextBox::SetTextQuiet(const QString& text) {
  const QSignalBlocker block(Edit());
  Edit()->setText(text);
}
void TextBox::SetItalic(bool italic) {
  QFont f = Edit()->font();
  f.setItalic(italic);
  Edit()->setFont(f);
}
bool TextBox::Italic() const { return Edit()->font().italic(); }

int TextBox::SelStart() const {
  QLineEdit* e = Edit();
  return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}
void TextBox::SetSelStart(int start) { Edit()->setCursorPosition(start); }
int TextBox::SelLength() const { return static_cast<int>(Edit()->selectedText().size()); }
void TextBox::SetSelLength(int length) {
  QLineEdit* e = Edit();
  const int start = e->cursorPosition();
  e->setSelection(start, length);
}
void TextBox::SetLocked(bool locked) { Edit()->setReadOnly(locked); }
void TextBox::SetHeardAsText() {
  SetLocked(true);
  Edit()->setProperty(kStaticTextProperty, true);
  // Qt keeps the interface it made for the box when it was built; the next
  // one asked for is made anew, as text.
  QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(Edit())));
}

void TextBox::ApplyColours() {
  // Display-only boxes must stay legible for a child: a dark grey, not the pale default.
  const QColor disabledText = ForeColor() == colours::kBlack ? QColor(70, 70, 70) : ForeColor();
  Recolour(Edit(), {{QPalette::Base, BackColor()}, {QPalette::Window, BackColor()}, {QPalette::Text, ForeColor()}},
           {{QPalette::Text, disabledText}});
  // A box the check turned red says so to a pupil who cannot see the colour.
  Edit()->setAccessibleDescription(ColourVerdict(BackColor()));
}

// ---------------------------------------------------------------- Label

Label::Label(Container& parent, const Place& place, const QString& caption, const Font& font, Align align)
    : Control(parent, new QLabel, place, Layer::Graphical), label_(static_cast<QLabel*>(Widget())) {
  label_->setText(caption);
  label_->setTextFormat(Qt::PlainText);
  label_->setFont(font.ToQFont());
  label_->setWordWrap(true);
  label_->setAlignment(ToQt(align));
  new ClickFilter(label_, &onClick);
}
QString Label::Caption() const { return label_->text(); }
void Label::SetCaption(const QString& caption) { label_->setText(caption); }
void Label::SetMargin(int twips) { label_->setMargin(Px(twips)); }

// ---------------------------------------------------------------- Button

Button::Button(Container& parent, const Place& place, const QString& caption, const QString& picture,
               const Font& font)
    : Control(parent, new MarkedButton, place, Layer::Windowed), button_(static_cast<QPushButton*>(Widget())) {
  button_->setFont(font.ToQFont());
  button_->setFocusPolicy(Qt::StrongFocus);
  // Enter on a focused button presses it, as on the desktop the pupils know.
  button_->setAutoDefault(true);
  if (picture.isEmpty()) {
    button_->setText(caption);
  } else {
    // The picture and any caption are children that let the clicks through
    // to the button.
    const int captionHeight = caption.isEmpty() ? 0 : QFontMetrics(button_->font()).height() + 6;
    const QSize inner = place.Pixels().size() - QSize(8, 8 + captionHeight);
    auto* layout = new QVBoxLayout(button_);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* image = new PictureView(Artwork(picture, inner, Fit::KeepAspect));
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(image, 1);
    if (!caption.isEmpty()) {
      captionUnder_ = new QLabel(caption);
      captionUnder_->setAlignment(Qt::AlignCenter);
      captionUnder_->setAttribute(Qt::WA_TransparentForMouseEvents);
      layout->addWidget(captionUnder_);
    }
  }
  QObject::connect(button_, &QPushButton::clicked, button_, [this] {
    if (onClick) onClick();
  });
  Rename();
}

Button::Button(Container& parent, const Place& place, const ButtonLook& look)
    : Button(parent, place, QString(), look.picture) {
  SetToolTipText(look.toolTip);
  SetBackColor(look.back);
}

void Button::KeepFocusAway() {
  button_->setFocusPolicy(Qt::NoFocus);
  button_->setAutoDefault(false);
}

void Button::SetToolTipText(const QString& text) {
  Control::SetToolTipText(text);
  Rename();
}
void Button::Rename() {
  const QString caption = Caption();
  button_->setAccessibleName(caption.trimmed().isEmpty() ? ToolTipText().trimmed() : caption.trimmed());
}

QString Button::Caption() const { return captionUnder_ ? captionUnder_->text() : button_->text(); }
void Button::SetCaption(const QString& caption) {
  if (captionUnder_)
    captionUnder_->setText(caption);
  else
    button_->setText(caption);
  Rename();
}
void Button::SetCaptionVAlign(VAlign align) {
  if (!captionUnder_) {
    captionUnder_ = new QLabel(button_->text(), button_);
    captionUnder_->setTextFormat(Qt::PlainText);
    captionUnder_->setAttribute(Qt::WA_TransparentForMouseEvents);
    captionUnder_->setForegroundRole(QPalette::ButtonText);
    // Inside the button's bevel; boards never resize a button.
    captionUnder_->setGeometry(button_->rect().adjusted(3, 1, -3, -1));
    button_->setText(QString());
    captionUnder_->show();
    Rename();
  }
  const Qt::Alignment vertical = align == VAlign::Top      ? Qt::AlignTop
                                 : align == VAlign::Bottom ? Qt::AlignBottom
                                                           : Qt::AlignVCenter;
  captionUnder_->setAlignment(Qt::AlignHCenter | vertical);
}
void Button::ApplyColours() {
  Recolour(button_, {{QPalette::Button, BackColor()}, {QPalette::ButtonText, ForeColor()}});
}

// ---------------------------------------------------------------- Picture

Picture::Picture(Container& parent, const Place& place, const QString& resource)
    : Control(parent, new PictureView(Artwork(resource, place.Pixels().size())), place, Layer::Graphical) {
  auto* view = static_cast<PictureView*>(Widget());
  if (place.width == 0 && place.height == 0) view->resize(view->Art().Size());
  new ClickFilter(view, &onClick);
}

// ---------------------------------------------------------------- Line, Shape, Frame

Line::Line(Container& parent, TwipPoint from, TwipPoint to, int pixelWidth, const QColor& colour)
    : Control(parent, new LineWidget(nullptr, from.Pixels(), to.Pixels(), pixelWidth, colour), Place{},
              Layer::Graphical),
      from_(from),
      to_(to) {}

Shape::Shape(Container& parent, const Place& place, const QColor& fill, const QColor& border)
    : Control(parent, new ShapeWidget(nullptr, fill, border), place, Layer::Graphical) {}

Frame::Frame(Container& parent, const Place& place, const QString& caption, const Font& font)
    : Control(parent, new FrameWidget(nullptr, caption), place, Layer::Windowed) {
  Widget()->setFont(font.ToQFont());
}
QString Frame::Caption() const { return static_cast<FrameWidget*>(Widget())->caption_; }

// ---------------------------------------------------------------- Timer

Timer::Timer(int intervalMs, const Clock& clock) : clock_(clock) {
  timer_.setInterval(intervalMs);
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { Fire(); });
}
void Timer::SetEnabled(bool enabled) {
  if (enabled && !enabled_ && clock_.Runs()) timer_.start();
  if (!enabled) timer_.stop();
  enabled_ = enabled;
}
bool Timer::Enabled() const { return enabled_; }
int Timer::Interval() const { return timer_.interval(); }
void Timer::Fire() {
  if (onTimer) onTimer();
}

// ---------------------------------------------------------------- StatusBar

StatusBar::StatusBar(Container& parent, const Place& place, const std::vector<int>& panelStretch)
    : Control(parent, new QStatusBar, place, Layer::Windowed) {
  QStatusBar* bar = Bar();
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
    panels_.push_back(panel);
    tags_.emplace_back();
  }
  bar->ensurePolished();
  LayOut();
}
// Lays the panels out now, so that their widths are known before the window is shown.
void StatusBar::LayOut() const {
  if (Bar()->layout()) Bar()->layout()->activate();
}
QStatusBar* StatusBar::Bar() const { return static_cast<QStatusBar*>(Widget()); }
int StatusBar::PanelCount() const { return static_cast<int>(panels_.size()); }
QString StatusBar::PanelText(int panel) const { return panels_.at(std::size_t(panel))->text(); }
void StatusBar::SetPanelText(int panel, const QString& text) { panels_.at(std::size_t(panel))->setText(text); }
QString StatusBar::PanelTag(int panel) const { return tags_.at(std::size_t(panel)); }
void StatusBar::SetPanelTag(int panel, const QString& tag) { tags_.at(std::size_t(panel)) = tag; }
Place StatusBar::PanelRect(int panel) const {
  LayOut();
  return Place::FromPixels(panels_.at(std::size_t(panel))->geometry());
}
int StatusBar::PanelWidth(int panel) const { return PanelRect(panel).width; }
int StatusBar::BlankWidth() const {
  return Twips(std::max(1, QFontMetrics(panels_.front()->font()).horizontalAdvance(u' ')));
}

// ---------------------------------------------------------------- ProgressBar

ProgressBar::ProgressBar(Container& parent)
    : Control(parent, new QProgressBar, Place{}, Layer::Windowed), bar_(static_cast<QProgressBar*>(Widget())) {
  bar_->setTextVisible(false);
  bar_->hide();
}
void ProgressBar::SetRange(int min, int max) { bar_->setRange(min, max); }
int ProgressBar::Minimum() const { return bar_->minimum(); }
int ProgressBar::Maximum() const { return bar_->maximum(); }
void ProgressBar::SetValue(int value) { bar_->setValue(value); }
int ProgressBar::Value() const { return bar_->value(); }
void ProgressBar::PlaceInto(StatusBar& bar, const Place& place) {
  bar_->setParent(bar.Bar());
  Move(place);
  bar_->show();
  bar_->raise();
  bar_->setValue(0);
}
void ProgressBar::TakeBack(Container& owner) {
  bar_->setParent(owner.Surface());
  bar_->hide();
}

}  // namespace kit
