#include "kit/controls.h"

#include <algorithm>
#include <cmath>

#include "kit/accessible.h"
#include "kit/web/native.h"

namespace kit {

using web::val;

namespace {

std::unique_ptr<Native> Wrap(val el) {
  auto native = std::make_unique<Native>();
  native->el = std::move(el);
  return native;
}

const char* JustifyOf(Align a) {
  switch (a) {
    case Align::Left: return "flex-start";
    case Align::Right: return "flex-end";
    case Align::Centre: break;
  }
  return "center";
}
const char* TextAlignOf(Align a) {
  switch (a) {
    case Align::Left: return "left";
    case Align::Right: return "right";
    case Align::Centre: break;
  }
  return "center";
}

void SetAttr(val& el, const char* name, const QString& value) {
  if (value.isEmpty())
    el.call<void>("removeAttribute", val(name));
  else
    el.call<void>("setAttribute", val(name), val(web::Utf8(value)));
}

// Raises a click handler from the element's clicks.
void ListenClick(Native& native, std::function<void()>* handler) {
  native.onEvent = [handler, &native](const std::string& type, val) {
    if (type == "click" && !native.disabled && *handler) (*handler)();
  };
  web::Listen(native, {"click"});
}

// Buttons keep the focus they are given in their window (Control::HasFocus).
void ListenButton(Native& native, std::function<void()>* handler, bool* keepFocusAway) {
  native.onEvent = [handler, keepFocusAway, &native](const std::string& type, val event) {
    if (type == "click") {
      if (*handler) (*handler)();
    } else if (type == "focus") {
      if (native.window) native.window->focus = &native;
    } else if ((type == "pointerdown" || type == "mousedown") && *keepFocusAway) {
      // The pupil stays in the box this button helps with.
      event.call<void>("preventDefault");
    }
  };
  web::Listen(native, {"click", "focus", "pointerdown", "mousedown"});
}

int NextZ() {
  static int z = 0;
  return ++z;
}

}  // namespace

// ---------------------------------------------------------------- Container

// Graphical controls lie under the windowed ones, each kind in creation
// order: a windowed one is appended, a graphical one goes in before the first
// windowed one. Document order is also the Tab order, which so follows the
// creation order of the controls that take the focus.
struct Container::Stacking {
  val firstWindowed = val::undefined();
};

Container::Container() : stacking_(std::make_unique<Stacking>()) {}
Container::~Container() = default;

// ---------------------------------------------------------------- Control

Control::Control(Container& parent, std::unique_ptr<Native> native, const Place& place, Layer layer)
    : native_(std::move(native)), place_(place) {
  Native& surface = parent.Surface();
  native_->window = surface.window;
  val& el = native_->el;
  el["classList"].call<void>("add", val("control"));
  web::SetPlace(el, place);
  val& first = parent.stacking_->firstWindowed;
  if (layer == Layer::Windowed) {
    surface.el.call<void>("append", el);
    if (first.isUndefined()) first = el;
  } else if (!first.isUndefined()) {
    surface.el.call<void>("insertBefore", el, first);
  } else {
    surface.el.call<void>("append", el);
  }
  back_ = colours::SystemWindowColour();
  fore_ = colours::kBlack;
}

Control::~Control() {
  if (native_->window && native_->window->focus == native_.get()) native_->window->focus = nullptr;
  native_->onEvent = nullptr;
  native_->el.call<void>("remove");
}

bool Control::Visible() const { return !native_->el["hidden"].as<bool>(); }
void Control::SetVisible(bool visible) {
  val& el = native_->el;
  const bool hidden = el["hidden"].as<bool>();
  if (visible && frontWhenShown_ && hidden) el["style"].set("zIndex", val(NextZ()));
  if (hidden == !visible) return;
  if (!visible) val::module_property("kitLeave")(el);
  el.set("hidden", !visible);
  if (!visible) web::FocusGone(*native_);
}
bool Control::Enabled() const { return !native_->disabled; }
void Control::SetEnabled(bool enabled) {
  native_->disabled = !enabled;
  val& el = native_->el;
  const std::string tag = el["tagName"].as<std::string>();
  if (tag == "INPUT" || tag == "BUTTON" || tag == "PROGRESS") {
    el.set("disabled", !enabled);
  } else {
    // A frame takes its controls with it, as a disabled parent does on the desktop.
    el.set("inert", !enabled);
    el["classList"].call<void>("toggle", val("disabled"), !enabled);
  }
  if (!enabled) web::FocusGone(*native_);
}
void Control::SetToolTipText(const QString& text) { SetAttr(native_->el, "title", text); }
QString Control::ToolTipText() const { return web::FromJs(native_->el.call<val>("getAttribute", val("title"))); }
void Control::SetAccessibleName(const QString& name) { SetAttr(native_->el, "aria-label", name); }
QString Control::AccessibleName() const {
  return web::FromJs(native_->el.call<val>("getAttribute", val("aria-label")));
}
void Control::SetAccessibleDescription(const QString& text) { SetAttr(native_->el, "aria-description", text); }
void Control::SetFont(const Font& font) {
  native_->font = font;
  web::ApplyFont(native_->el, font);
}


void Control::ApplyColours() {
  val style = native_->el["style"];
  style.set("backgroundColor", val(web::Css(back_)));
  style.set("color", val(web::Css(fore_)));
}

void Control::Move(const Place& place) {
  place_ = place;
  web::SetPlace(native_->el, place);
}

// A page is worked by touch as well as by mouse and keys: the control moves
// to the place a finger needs, and a caption kept at an edge for the strip
// another button left on view goes back to the middle.
void Control::SetTouchPlace(const Place& place) {
  Move(place);
  native_->touchPlaced = true;
  native_->el["style"].set("justifyContent", val("center"));
}

void Control::SetFocus() {
  if (!web::Focusable(*native_)) return;
  web::Focus(*native_);
}
bool Control::HasFocus() const { return native_->window && native_->window->focus == native_.get(); }

// ---------------------------------------------------------------- TextBox

TextBox::TextBox(Container& parent, const Place& place, const Font& font, Align align)
    : Control(parent, Wrap(web::Create("input", "box")), place, Layer::Windowed) {
  Native& n = Platform();
  n.el.set("type", val("text"));
  // The kit does not know which boxes take a separator (that is the screen's
  // key rule), and every numeric keyboard of the pupils' tablets has the
  // signs a box may take.
  n.el.call<void>("setAttribute", val("inputmode"), val("numeric"));
  n.el.call<void>("setAttribute", val("autocomplete"), val("off"));
  n.el.call<void>("setAttribute", val("autocorrect"), val("off"));
  n.el.call<void>("setAttribute", val("autocapitalize"), val("off"));
  n.el.set("spellcheck", false);
  n.el["style"].set("textAlign", val(TextAlignOf(align)));
  SetFont(font);
  web::InstallTextBox(*this, n);
  SetBackColor(colours::kFresh);
  SetForeColor(colours::kBlack);
}

TextBox::~TextBox() = default;

QString TextBox::Text() const { return Platform().text; }
void TextBox::SetText(const QString& text) {
  Native& n = Platform();
  if (n.text == text) return;
  n.text = text;
  n.undoable = false;
  web::Render(n);
  if (onChange) onChange();
}
void TextBox::SetTextQuiet(const QString& text) {
  Native& n = Platform();
  n.text = text;
  n.undoable = false;
  web::Render(n);
}
void TextBox::SetItalic(bool italic) {
  Native& n = Platform();
  n.font.italic = italic;
  web::ApplyFont(n.el, n.font);
}
bool TextBox::Italic() const { return Platform().font.italic; }

namespace {
int Caret(const val& el, const char* which) {
  const val v = el[which];
  return v.isNumber() ? v.as<int>() : 0;
}
}  // namespace

int TextBox::SelStart() const {
  const Native& n = Platform();
  if (n.heardAsText) return 0;
  return Caret(n.el, "selectionStart");
}
void TextBox::SetSelStart(int start) {
  Native& n = Platform();
  if (n.heardAsText) return;
  start = std::clamp(start, 0, int(n.text.size()));
  n.el.call<void>("setSelectionRange", val(start), val(start));
}
int TextBox::SelLength() const {
  const Native& n = Platform();
  if (n.heardAsText) return 0;
  return Caret(n.el, "selectionEnd") - Caret(n.el, "selectionStart");
}
void TextBox::SetSelLength(int length) {
  Native& n = Platform();
  if (n.heardAsText) return;
  const int start = Caret(n.el, "selectionStart");
  const int end = std::clamp(start + std::max(0, length), 0, int(n.text.size()));
  n.el.call<void>("setSelectionRange", val(start), val(end));
}
void TextBox::SetLocked(bool locked) {
  Native& n = Platform();
  n.locked = locked;
  if (!n.heardAsText) n.el.set("readOnly", locked);
}
void TextBox::SetHeardAsText() {
  Native& n = Platform();
  SetLocked(true);
  if (n.heardAsText) return;
  n.heardAsText = true;
  // A column head is text to read, not a field: an element that is text,
  // with the box's place and look.
  val text = web::Create("div", "control box caption-text");
  // Through the CSSOM: the page's policy refuses style attributes.
  text["style"].set("cssText", n.el["style"]["cssText"]);
  text.set("hidden", n.el["hidden"]);
  for (const char* attr : {"aria-label", "title", "aria-description"}) {
    const val v = n.el.call<val>("getAttribute", val(attr));
    if (!v.isNull()) text.call<void>("setAttribute", val(attr), v);
  }
  text.call<void>("setAttribute", val("role"), val("note"));
  n.el.call<void>("replaceWith", text);
  n.el = text;
  n.el.set("kitId", n.id);
  web::Listen(n, {"click"});
  web::Render(n);
}

void TextBox::ApplyColours() {
  Control::ApplyColours();
  // Display-only boxes stay legible for a child: a dark grey, not the pale default.
  Platform().el["style"].call<void>("setProperty", val("--disabled-fore"),
                                    val(ForeColor() == colours::kBlack ? std::string("rgb(70,70,70)")
                                                                       : web::Css(ForeColor())));
  // A box the check turned red says so to a pupil who cannot see the colour.
  SetAttr(Platform().el, "aria-description", ColourVerdict(BackColor()));
}

// ---------------------------------------------------------------- Label

Label::Label(Container& parent, const Place& place, const QString& caption, const Font& font, Align align)
    : Control(parent, Wrap(web::Create("div", "label")), place, Layer::Graphical) {
  Native& n = Platform();
  n.el["style"].set("justifyContent", val(JustifyOf(align)));
  n.el["style"].set("textAlign", val(TextAlignOf(align)));
  SetCaption(caption);
  SetFont(font);
  ListenClick(n, &onClick);
}
QString Label::Caption() const { return web::FromJs(Platform().el["textContent"]); }
void Label::SetCaption(const QString& caption) { Platform().el.set("textContent", val(web::Utf8(caption))); }
void Label::SetMargin(int twips) { Platform().el["style"].set("padding", val(web::CssPx(Px(twips)))); }

// ---------------------------------------------------------------- Button

Button::Button(Container& parent, const Place& place, const QString& caption, const QString& picture,
               const Font& font)
    : Control(parent, Wrap(web::Create("button", "button")), place, Layer::Windowed) {
  Native& n = Platform();
  n.el.set("type", val("button"));
  SetFont(font);
  if (!picture.isEmpty()) {
    n.picture = web::Create("img", "picture");
    n.picture.set("alt", val(""));
    n.picture.set("draggable", false);
    n.picture.set("src", val(web::PictureUrl(picture)));
    n.el.call<void>("append", n.picture);
    n.el["classList"].call<void>("add", val("with-picture"));
  }
  n.caption = web::Create("span", "caption");
  n.caption.set("textContent", val(web::Utf8(caption)));
  if (caption.isEmpty() && !picture.isEmpty()) n.caption.set("hidden", true);
  n.el.call<void>("append", n.caption);
  ListenButton(n, &onClick, &n.keepFocusAway);
  Rename();
}


void Button::KeepFocusAway() {
  Platform().keepFocusAway = true;
  Platform().el.set("tabIndex", -1);
  // Such a button (the help's "?") stands alone in a free strip: it may
  // answer a finger in more room than it is drawn in (rekentol.css).
  Platform().el["classList"].call<void>("add", val("helper"));
}


QString Button::Caption() const { return web::FromJs(Platform().caption["textContent"]); }
void Button::SetCaption(const QString& caption) {
  Native& n = Platform();
  n.caption.set("textContent", val(web::Utf8(caption)));
  n.caption.set("hidden", caption.isEmpty() && !n.picture.isUndefined());
  Rename();
}
void Button::SetCaptionVAlign(VAlign align) {
  if (Platform().touchPlaced) return;  // nothing lies across it any more
  const char* at = align == VAlign::Top ? "flex-start" : align == VAlign::Bottom ? "flex-end" : "center";
  Platform().el["style"].set("justifyContent", val(at));
}
void Button::ApplyColours() { Control::ApplyColours(); }

// ---------------------------------------------------------------- Picture

Picture::Picture(Container& parent, const Place& place, const QString& resource)
    : Control(parent, Wrap(web::Create("img", "picture")), place, Layer::Graphical) {
  Native& n = Platform();
  n.el.set("alt", val(""));
  n.el.set("draggable", false);
  n.el.set("src", val(web::PictureUrl(resource)));
  if (place.width == 0 && place.height == 0) {
    const QSize size = web::PictureSize(resource);
    n.el["style"].set("width", val(web::CssPx(size.width())));
    n.el["style"].set("height", val(web::CssPx(size.height())));
  }
  ListenClick(n, &onClick);
}

// ---------------------------------------------------------------- Line, Shape, Frame

namespace {
val LineElement(TwipPoint from, TwipPoint to, int width, const QColor& colour) {
  val el = web::Create("div", "line");
  el.call<void>("setAttribute", val("aria-hidden"), val("true"));
  const QPoint a = from.Pixels();
  const QPoint b = to.Pixels();
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double length = std::hypot(dx, dy);
  const double w = std::max(1, width);
  val style = el["style"];
  // A bar from a to b, turned about its start; round ends, as the desktop draws it.
  style.set("width", val(web::CssPx(length + w)));
  style.set("height", val(web::CssPx(w)));
  style.set("marginLeft", val(web::CssPx(-w / 2)));
  style.set("marginTop", val(web::CssPx(-w / 2)));
  style.set("borderRadius", val(web::CssPx(w / 2)));
  style.set("transformOrigin", val(web::CssPx(w / 2) + " 50%"));
  style.set("transform", val("rotate(" + std::to_string(std::atan2(dy, dx)) + "rad)"));
  style.set("backgroundColor", val(web::Css(colour)));
  return el;
}
}  // namespace

Line::Line(Container& parent, TwipPoint from, TwipPoint to, int pixelWidth, const QColor& colour)
    : Control(parent, Wrap(LineElement(from, to, pixelWidth, colour)), Place{from.x, from.y, 0, 0},
              Layer::Graphical),
      from_(from),
      to_(to) {}

Shape::Shape(Container& parent, const Place& place, const QColor& fill, const QColor& border)
    : Control(parent, Wrap(web::Create("div", "shape")), place, Layer::Graphical) {
  val el = Platform().el;
  el.call<void>("setAttribute", val("aria-hidden"), val("true"));
  if (fill.isValid()) el["style"].set("backgroundColor", val(web::Css(fill)));
  if (border.isValid()) el["style"].set("border", val("1px solid " + web::Css(border)));
}

Frame::Frame(Container& parent, const Place& place, const QString& caption, const Font& font)
    : Control(parent, Wrap(web::Create("div", "frame")), place, Layer::Windowed) {
  Native& n = Platform();
  SetFont(font);
  if (!caption.isEmpty()) {
    // The caption is the group's name; the drawn one is only for the eye.
    n.el.call<void>("setAttribute", val("role"), val("group"));
    n.el.call<void>("setAttribute", val("aria-label"), val(web::Utf8(caption)));
    n.el["classList"].call<void>("add", val("captioned"));
    n.caption = web::Create("span", "frame-caption");
    n.caption.call<void>("setAttribute", val("aria-hidden"), val("true"));
    n.caption.set("textContent", val(web::Utf8(caption)));
    n.el.call<void>("append", n.caption);
  }
}
QString Frame::Caption() const {
  return web::FromJs(Platform().el.call<val>("getAttribute", val("aria-label")));
}

// ---------------------------------------------------------------- StatusBar

StatusBar::StatusBar(Container& parent, const Place& place, const std::vector<int>& panelStretch)
    : Control(parent, Wrap(web::Create("div", "statusbar")), place, Layer::Windowed) {
  Native& n = Platform();
  n.el.call<void>("setAttribute", val("role"), val("status"));
  // Each panel keeps the width its stretch gives it whatever its text, so that
  // what is placed into a panel stays where it was put; laid out here, not by
  // the browser, so the widths are known before the window is shown.
  int total = 0;
  for (int s : panelStretch) total += std::max(0, s);
  const int width = place.Pixels().width();
  int left = 0;
  for (std::size_t i = 0; i < panelStretch.size(); ++i) {
    const int w = i + 1 == panelStretch.size() ? width - left
                                               : (total ? width * std::max(0, panelStretch[i]) / total : 0);
    val panel = web::Create("div", "panel");
    panel["style"].set("left", val(web::CssPx(left)));
    panel["style"].set("width", val(web::CssPx(w)));
    n.el.call<void>("append", panel);
    n.panels.push_back(panel);
    tags_.emplace_back();
    left += w;
  }
}
int StatusBar::PanelCount() const { return static_cast<int>(Platform().panels.size()); }
QString StatusBar::PanelText(int panel) const {
  return web::FromJs(Platform().panels.at(std::size_t(panel))["textContent"]);
}
void StatusBar::SetPanelText(int panel, const QString& text) {
  Platform().panels.at(std::size_t(panel)).set("textContent", val(web::Utf8(text)));
}
QString StatusBar::PanelTag(int panel) const { return tags_.at(std::size_t(panel)); }
void StatusBar::SetPanelTag(int panel, const QString& tag) { tags_.at(std::size_t(panel)) = tag; }
Place StatusBar::PanelRect(int panel) const {
  const val p = Platform().panels.at(std::size_t(panel));
  auto px = [&p](const char* what) { return std::atoi(p["style"][what].as<std::string>().c_str()); };
  return Place::FromPixels(QRect(px("left"), 0, px("width"), Geometry().Pixels().height()));
}
int StatusBar::PanelWidth(int panel) const { return PanelRect(panel).width; }
int StatusBar::BlankWidth() const {
  // Measured in the panels' font without laying anything out.
  static val context = web::Create("canvas").call<val>("getContext", val("2d"));
  context.set("font", val(web::CssFont(Platform().font)));
  const double w = context.call<val>("measureText", val(" "))["width"].as<double>();
  return Twips(std::max(1, int(std::lround(w))));
}

// ---------------------------------------------------------------- ProgressBar

ProgressBar::ProgressBar(Container& parent)
    : Control(parent, Wrap(web::Create("progress", "progress")), Place{}, Layer::Windowed) {
  Native& n = Platform();
  n.el.set("hidden", true);
  SetRange(0, 100);
  SetValue(0);
}
namespace {
// The range and value live on the element, as the page shows them.
void Store(Native& n, const char* name, int v) {
  n.el.call<void>("setAttribute", val(name), val(std::to_string(v)));
}
int Stored(const Native& n, const char* name) {
  const val v = n.el.call<val>("getAttribute", val(name));
  return v.isNull() ? 0 : std::atoi(v.as<std::string>().c_str());
}
void ShowValue(Native& n) {
  const int min = Stored(n, "data-min");
  const int span = std::max(1, Stored(n, "data-max") - min);
  n.el.set("max", span);
  n.el.set("value", std::clamp(Stored(n, "data-value") - min, 0, span));
}
}  // namespace
void ProgressBar::SetRange(int min, int max) {
  Store(Platform(), "data-min", min);
  Store(Platform(), "data-max", std::max(min, max));
  SetValue(std::clamp(Value(), min, std::max(min, max)));
}
int ProgressBar::Minimum() const { return Stored(Platform(), "data-min"); }
int ProgressBar::Maximum() const { return Stored(Platform(), "data-max"); }
void ProgressBar::SetValue(int value) {
  if (value < Minimum() || value > Maximum()) return;  // as a QProgressBar leaves it
  Store(Platform(), "data-value", value);
  ShowValue(Platform());
}
int ProgressBar::Value() const { return Stored(Platform(), "data-value"); }
void ProgressBar::PlaceInto(StatusBar& bar, const Place& place) {
  bar.Platform().el.call<void>("append", Platform().el);
  Move(place);
  Platform().el.set("hidden", false);
  SetValue(0);
}
void ProgressBar::TakeBack(Container& owner) {
  owner.Surface().el.call<void>("append", Platform().el);
  Platform().el.set("hidden", true);
}

}  // namespace kit
