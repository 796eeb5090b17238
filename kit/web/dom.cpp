#include "kit/web/native.h"

#include <emscripten/bind.h>

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <cstdio>
#include <unordered_map>

namespace kit {

namespace {
std::unordered_map<int, Native*>& Listeners() {
  static std::unordered_map<int, Native*> listeners;
  return listeners;
}

// Takes no string from the page: embind's invoker without eval keeps the
// destructors of its arguments where a nested call (a focus event fired by a
// focus() inside a click) runs them twice.
void Dispatch(int id, emscripten::val event) {
  const auto found = Listeners().find(id);
  if (found == Listeners().end() || !found->second->onEvent) return;
  const std::string type = event["type"].as<std::string>();
  // A copy: the handler may replace the native's own (a control going away).
  const auto handler = found->second->onEvent;
  handler(type, std::move(event));
}
}  // namespace

Native::Native() = default;
Native::~Native() {
  if (id) Listeners().erase(id);
}

namespace web {

val Document() { return val::global("document"); }

val Create(const char* tag, const char* cls) {
  val el = Document().call<val>("createElement", val(tag));
  if (cls) el.set("className", val(cls));
  return el;
}

std::string Utf8(const QString& s) { return s.toStdString(); }
QString FromJs(const val& v) {
  if (v.isNull() || v.isUndefined()) return {};
  return QString::fromStdString(v.as<std::string>());
}

std::string Css(const QColor& c) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "rgb(%d,%d,%d)", c.red(), c.green(), c.blue());
  return buf;
}

std::string CssPx(double px) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%gpx", px);
  return buf;
}

std::string CssFont(const Font& font) {
  // Arial where the device has it, else the faces drawn to its metrics, so
  // captions fit the twips-sized places they were written for.
  std::string family = "Arial, Arimo, \"Liberation Sans\", sans-serif";
  if (font.family.compare(u"Arial", Qt::CaseInsensitive) != 0)
    family = "\"" + Utf8(font.family) + "\", " + family;
  return std::string(font.italic ? "italic " : "") + (font.bold ? "bold " : "") + std::to_string(font.Pixels()) +
         "px " + family;
}

void ApplyFont(val& el, const Font& font) { el["style"].set("font", val(CssFont(font))); }

void SetPlace(val& el, const Place& place) {
  const QRect r = place.Pixels();
  val style = el["style"];
  style.set("left", val(CssPx(r.x())));
  style.set("top", val(CssPx(r.y())));
  if (place.width > 0 || place.height > 0) {
    style.set("width", val(CssPx(r.width())));
    style.set("height", val(CssPx(r.height())));
  }
}

void Listen(Native& native, std::initializer_list<const char*> types, bool passive) {
  static int next = 0;
  if (!native.id) {
    native.id = ++next;
    Listeners()[native.id] = &native;
  }
  val list = val::array();
  for (const char* t : types) list.call<void>("push", val(t));
  native.el.set("kitId", native.id);
  val::module_property("kitListen")(native.el, native.id, list, passive);
}

bool Focusable(const Native& native) {
  if (native.el.isUndefined() || native.disabled) return false;
  // Shown up to its window, the window itself left out: focus given to a
  // control of a hidden window is the one it gets when the window comes.
  val node = native.el;
  const val windowEl = native.window ? native.window->el : val::undefined();
  while (!node.isNull() && !node.isUndefined() && !(node == windowEl)) {
    if (node["hidden"].as<bool>() || node.call<bool>("hasAttribute", val("disabled"))) return false;
    node = node["parentElement"];
  }
  return true;
}

std::vector<Native*> TabStops(const val& windowEl, bool withMenuBar) {
  std::vector<Native*> stops;
  const val all = windowEl.call<val>("querySelectorAll",
                                     val(withMenuBar ? "input.box, button.button, nav button" : "input.box, button.button"));
  for (int i = 0, n = all["length"].as<int>(); i < n; ++i) {
    const val el = all[i];
    if (el["tabIndex"].as<int>() < 0 || el["kitId"].isUndefined()) continue;
    if (Native* c = ById(el["kitId"].as<int>()); c && Focusable(*c)) stops.push_back(c);
  }
  return stops;
}

namespace {
Native* ByElement(const val& el) {
  if (el.isNull() || el.isUndefined()) return nullptr;
  const val id = el["kitId"];
  if (id.isUndefined()) return nullptr;
  const auto found = Listeners().find(id.as<int>());
  return found == Listeners().end() ? nullptr : found->second;
}
}  // namespace

Native* ById(int id) {
  const auto found = Listeners().find(id);
  return found == Listeners().end() ? nullptr : found->second;
}

Native* Focused() { return ByElement(Document()["activeElement"]); }

void Focus(Native& native) {
  if (native.window) native.window->focus = &native;
  const val windowEl = native.window ? native.window->el : val::undefined();
  // Only where the window is on view and in use; otherwise the window gives
  // it the focus when it comes into use (window.cpp).
  if (!windowEl.isUndefined() && (windowEl["hidden"].as<bool>() || windowEl["inert"].as<bool>())) return;
  val options = val::object();
  options.set("preventScroll", true);
  native.el.call<void>("focus", options);
}

namespace {
struct Svg {
  std::string url;
  QSize size;
};
const Svg& Load(const QString& resource) {
  static QHash<QString, Svg> cache;
  if (auto found = cache.constFind(resource); found != cache.constEnd()) return *found;
  Svg svg;
  QFile file(resource);
  if (file.open(QIODevice::ReadOnly)) {
    const QByteArray data = file.readAll();
    svg.url = "data:image/svg+xml;base64," + data.toBase64().toStdString();
    // The picture's own size, as its root element gives it.
    const QString head = QString::fromUtf8(data.left(2048));
    static const QRegularExpression root(QStringLiteral("<svg\\b[^>]*>"));
    const QString tag = root.match(head).captured(0);
    auto attribute = [&tag](const char* name) {
      const QRegularExpression re(QStringLiteral("\\s%1\\s*=\\s*\"([0-9.]+)(px)?\"").arg(QLatin1String(name)));
      return re.match(tag).captured(1).toDouble();
    };
    int w = int(std::lround(attribute("width")));
    int h = int(std::lround(attribute("height")));
    if (w <= 0 || h <= 0) {
      static const QRegularExpression box(QStringLiteral("viewBox\\s*=\\s*\"\\s*[-0-9.]+[ ,]+[-0-9.]+[ ,]+([0-9.]+)[ ,]+([0-9.]+)"));
      const auto m = box.match(tag);
      w = int(std::lround(m.captured(1).toDouble()));
      h = int(std::lround(m.captured(2).toDouble()));
    }
    svg.size = QSize(w, h);
  }
  return *cache.insert(resource, svg);
}
}  // namespace

std::string PictureUrl(const QString& resource) { return Load(resource).url; }
QSize PictureSize(const QString& resource) { return Load(resource).size; }

}  // namespace web
}  // namespace kit

EMSCRIPTEN_BINDINGS(kit_web) { emscripten::function("kitDispatch", &kit::Dispatch); }
