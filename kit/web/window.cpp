#include "kit/window.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <vector>

#include "kit/accessible.h"
#include "kit/web/native.h"

namespace kit {

using web::val;

namespace {


// The caption bar over each screen, as a desktop frames a window; the menu
// bar of the main window. Both in CSS px, as rekentol.css draws them.
constexpr int kTitleBar = 28;
constexpr int kMenuBar = 44;
constexpr int kMargin = 8;
// Boards are drawn for a small desktop window; on a big display they may grow
// this much, so that a finger finds the buttons, and no more.
constexpr double kMostScale = 2.0;

val Stage() { return web::Document().call<val>("getElementById", val("rekentol")); }

}  // namespace

struct Window::Parts {
  web::WindowState state;
  Native top;      // the window's element
  Native surface;  // the client area the controls are placed on
  val title = val::undefined();
  int clientWidth = 0;  // px
  int clientHeight = 0;
  int left = 0;  // twips, as the screen last placed itself
  int topEdge = 0;
  bool frame = false;

  static std::vector<Window*>& All() {
    static std::vector<Window*> all;
    return all;
  }
  static Window*& InUse() {
    static Window* inUse = nullptr;
    return inUse;
  }
  // Which window is in use, who lies over whom, what is inert, the scale.
  static void Restack();
  static void Help();
  static bool WrapTab(bool backwards);
  void Build(Window& self, const QString& caption, const QColor& back);
};

void Window::Parts::Restack() {
  // The window in use: of each window that is kept above no other, the one
  // kept above it that was shown last, else itself; of those, the last shown.
  Window* inUse = nullptr;
  auto shown = [](Window* w) { return w->Visible(); };
  for (Window* w : All()) {
    if (w->owner_) continue;
    Window* candidate = w->InUseAbove();
    if (!candidate && shown(w)) candidate = w;
    if (candidate && (!inUse || candidate->shownAt_ > inUse->shownAt_)) inUse = candidate;
  }
  InUse() = inUse;

  std::vector<Window*> screens;
  bool backdrop = false;
  for (Window* w : All()) {
    Parts& p = *w->parts_;
    const bool usable = w == inUse && p.state.available;
    val::module_property("kitSetInert")(p.state.el, !usable);
    if (!shown(w)) continue;
    if (p.frame)
      backdrop = true;
    else
      screens.push_back(w);
  }
  std::sort(screens.begin(), screens.end(), [](Window* a, Window* b) { return a->shownAt_ < b->shownAt_; });
  std::stable_partition(screens.begin(), screens.end(), [inUse](Window* w) { return w != inUse; });

  const val stage = Stage();
  const double vw = stage["clientWidth"].as<double>();
  const double vh = stage["clientHeight"].as<double>();
  const double top0 = backdrop ? kMenuBar : 0;
  double scale = 1;
  if (inUse && !inUse->parts_->frame) {
    const Parts& p = *inUse->parts_;
    scale = std::min({(vw - 2 * kMargin) / p.clientWidth, (vh - top0 - 2 * kMargin) / (p.clientHeight + kTitleBar),
                      kMostScale});
    scale = std::max(scale, 0.1);
  }
  int z = 1;
  for (Window* w : screens) {
    Parts& p = *w->parts_;
    const double outerW = p.clientWidth, outerH = p.clientHeight + kTitleBar;
    val style = p.state.el["style"];
    style.set("zIndex", val(++z));
    style.set("left", val(web::CssPx(std::max(0.0, (vw - outerW * scale) / 2))));
    style.set("top", val(web::CssPx(top0 + std::max(0.0, (vh - top0 - outerH * scale) / 2))));
    style.set("transform", val("scale(" + std::to_string(scale) + ")"));
    // For the controls that answer a finger in more room than they are drawn in.
    style.call<void>("setProperty", val("--scale"), val(std::to_string(scale)));
  }

  // The keyboard goes with the window in use, at once (an iPad opens its
  // keyboard only for a focus given inside the pupil's tap or key).
  if (!inUse || !inUse->parts_->state.available) return;
  web::WindowState& s = inUse->parts_->state;
  const val active = web::Document()["activeElement"];
  if (!active.isNull() && s.el.call<bool>("contains", active) && !(active == s.el)) return;
  if (s.focus && web::Focusable(*s.focus)) return web::Focus(*s.focus);
  if (const std::vector<Native*> stops = web::TabStops(s.el, true); !stops.empty()) return web::Focus(*stops.front());
  val options = val::object();
  options.set("preventScroll", true);
  s.el.call<void>("focus", options);
}

void web::Relayout() { Window::Parts::Restack(); }

void web::HelpKey() { Window::Parts::Help(); }

bool web::WrapTab(bool backwards) { return Window::Parts::WrapTab(backwards); }

bool Window::Parts::WrapTab(bool backwards) {
  Window* w = InUse();
  if (!w || !w->parts_->state.available) return false;
  const val active = web::Document()["activeElement"];
  const std::vector<Native*> order = web::TabStops(w->parts_->state.el, true);
  if (order.empty()) return false;
  Native* end = backwards ? order.front() : order.back();
  if (!(end->el == active)) return false;
  web::Focus(*(backwards ? order.back() : order.front()));
  return true;
}

void Window::Parts::Help() {
  Window* w = InUse();
  if (w && w->parts_->state.available && w->parts_->state.help) w->parts_->state.help();
}

void Window::Parts::Build(Window& self, const QString& caption, const QColor& back) {
  state.window = &self;
  state.el = web::Create("div", frame ? "window frame" : "window screen");
  state.el.call<void>("setAttribute", val("role"), val("dialog"));
  state.el.set("tabIndex", -1);
  state.el.set("hidden", true);
  top.el = state.el;
  top.window = &state;
  if (frame) {
    val& nav = state.nav;
    nav = web::Create("nav", "menubar");
    nav.call<void>("setAttribute", val("aria-label"), val("Menu"));
    title = web::Create("span", "menutitle");
    title.call<void>("setAttribute", val("aria-hidden"), val("true"));
    nav.call<void>("append", title);
    state.el.call<void>("append", nav);
  } else {
    val bar = web::Create("div", "titlebar");
    bar.call<void>("setAttribute", val("aria-hidden"), val("true"));
    title = web::Create("span", "title");
    bar.call<void>("append", title);
    // No close box: a page's windows are no desktop windows, and what the
    // close box does on a desktop (STOP, where STOP is shown) the screens'
    // own STOP does, for the finger, the mouse and the keys alike.
    state.el.call<void>("append", bar);
    state.el["style"].set("width", val(web::CssPx(clientWidth)));
    state.el["style"].set("height", val(web::CssPx(clientHeight + kTitleBar)));
  }
  surface.el = web::Create("div", "client");
  surface.window = &state;
  if (!frame) {
    surface.el["style"].set("width", val(web::CssPx(clientWidth)));
    surface.el["style"].set("height", val(web::CssPx(clientHeight)));
    // A screen is worked like a program: its keys are the pupil's, and what
    // it says comes through the live region. Screen readers with a browse
    // mode hand an application's keys to the page; without that they may
    // take a digit for their own key (1 to 6 jump to headings). Orca 43
    // switches to focus mode only when it hears the focus arrive in a box,
    // which a control leaving the tree in the same update hides from it
    // (glue.js, kitLeave).
    surface.el.call<void>("setAttribute", val("role"), val("application"));
  }
  state.el.call<void>("append", surface.el);
  Stage().call<void>("append", state.el);
  All().push_back(&self);
  self.SetCaption(caption);
  self.SetBackColor(back);
}

Window::Window(const QString& caption, int clientWidth, int clientHeight, const QColor& back)
    : parts_(std::make_unique<Parts>()) {
  parts_->clientWidth = Px(clientWidth);
  parts_->clientHeight = Px(clientHeight);
  Init(caption, back);
}

Window::Window(WithMenuBar, const QString& caption, int width, int height, const QColor& back)
    : parts_(std::make_unique<Parts>()) {
  parts_->frame = true;
  parts_->clientWidth = Px(width);
  parts_->clientHeight = Px(height);
  Init(caption, back);
}

void Window::Init(const QString& caption, const QColor& back) { parts_->Build(*this, caption, back); }

Window::~Window() {
  if (owner_) std::erase(owner_->above_, this);
  for (Window* w : above_) w->owner_ = nullptr;
  std::erase(Parts::All(), this);
  if (Parts::InUse() == this) Parts::InUse() = nullptr;
  web::WindowGone(parts_->state);
  parts_->top.onEvent = nullptr;
  parts_->state.el.call<void>("remove");
}

Native& Window::Surface() const { return parts_->surface; }
Native& Window::Platform() const { return parts_->top; }

void Window::OnHelpKey(std::function<void()> handler) { parts_->state.help = std::move(handler); }

void Window::Show() {
  Load();
  shownAt_ = NextShowing();
  parts_->state.el.set("hidden", false);
  web::WindowShown(parts_->state);
  Parts::Restack();
  Form_Activate();
}

void Window::Hide() {
  if (parts_->state.el["hidden"].as<bool>()) return;
  val::module_property("kitLeave")(parts_->state.el);
  parts_->state.el.set("hidden", true);
  web::WindowHidden(parts_->state);
  Parts::Restack();
}
bool Window::Visible() const { return !parts_->state.el["hidden"].as<bool>(); }
void Window::Raise() { Parts::Restack(); }

// A screen reader names a window by its title; one without a title (the
// welcome screen) would be announced as nothing at all.
void Window::SetCaption(const QString& caption) {
  parts_->title.set("textContent", val(web::Utf8(caption.trimmed())));
  parts_->state.el.call<void>("setAttribute", val("aria-label"),
                              val(web::Utf8(caption.trimmed().isEmpty() ? QStringLiteral("Rekentol") : caption.trimmed())));
  parts_->state.el.set("kitCaption", val(web::Utf8(caption)));
}
QString Window::Caption() const { return web::FromJs(parts_->state.el["kitCaption"]); }

void Window::SetBackColor(const QColor& colour) {
  back_ = colour;
  parts_->surface.el["style"].set("backgroundColor", val(web::Css(colour)));
  if (parts_->frame) parts_->state.el["style"].set("backgroundColor", val(web::Css(colour)));
  // Green and red are the verdict; the window says it in words as well.
  const QString verdict = ColourVerdict(colour);
  if (verdict.isEmpty())
    parts_->state.el.call<void>("removeAttribute", val("aria-description"));
  else
    parts_->state.el.call<void>("setAttribute", val("aria-description"), val(web::Utf8(verdict)));
}

// One live region for every kind of words: the page has no way to let a
// verdict cut in that every screen reader follows alike.
void Window::Say(std::function<QString()> words, Heard) { web::Say(parts_->state, std::move(words), false); }
void Window::SayTask(std::function<QString()> words) { web::Say(parts_->state, std::move(words), true); }
void Window::ForgetSaid() { web::ForgetSaid(parts_->state); }

void Window::SetAvailable(bool available) {
  if (parts_->state.available == available) return;
  parts_->state.available = available;
  Parts::Restack();
}
bool Window::Available() const { return parts_->state.available; }

int Window::Width() const { return Twips(parts_->clientWidth); }
int Window::Height() const { return Twips(parts_->clientHeight + (parts_->frame ? kMenuBar : kTitleBar)); }
int Window::Left() const { return parts_->left; }
int Window::Top() const { return parts_->topEdge; }
// The page places its windows itself (centred on the stage, Restack); a
// screen's own place is kept for it to read back.
void Window::Move(int left, int top) {
  parts_->left = left;
  parts_->topEdge = top;
}
void Window::CentreOnDisplay() { Move((DisplayWidth() - Width()) / 2, (DisplayHeight() - Height()) / 2); }

void Window::KeepAbove(Window& owner) {
  owner.above_.push_back(this);
  owner_ = &owner;
  Parts::Restack();
}


void Window::FrontAbove() { Parts::Restack(); }

// ---------------------------------------------------------------- FrameWindow

FrameWindow::FrameWindow(const QString& caption, int width, int height, const QColor& back)
    : Window(WithMenuBar{}, caption, width, height, back) {}

MenuItem& FrameWindow::AddMenu(const QString& menuCaption, const QString& itemCaption) {
  items_.push_back(std::make_unique<MenuItem>());
  MenuItem* item = items_.back().get();
  web::WindowState& p = *Platform().window;
  // One item a menu: the menu's caption stands before its button for the eye.
  val head = web::Create("span", "menuhead");
  head.call<void>("setAttribute", val("aria-hidden"), val("true"));
  head.set("textContent", val(web::Utf8(menuCaption.trimmed())));
  QString name = itemCaption;
  name.remove(u'&');
  auto native = std::make_unique<Native>();
  native->el = web::Create("button", "menuitem");
  native->el.set("type", val("button"));
  native->el.set("textContent", val(web::Utf8(name)));
  native->window = &p;
  native->onEvent = [item, n = native.get()](const std::string& type, val) {
    if (type == "click" && item->onClick) item->onClick();
    if (type == "focus" && n->window) n->window->focus = n;
  };
  web::Listen(*native, {"click", "focus"});
  const val title = p.nav["lastElementChild"];
  p.nav.call<void>("insertBefore", head, title);
  p.nav.call<void>("insertBefore", native->el, title);
  p.menu.push_back(std::move(native));
  return *item;
}

}  // namespace kit
