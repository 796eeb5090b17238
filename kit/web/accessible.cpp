// How the page makes words heard: the live region that is in the page from
// the start (<div id="heard" aria-live="polite">). Everything one handler says
// is gathered and written there once the handler has finished and the focus
// has settled (the focus is heard first); the task of a new exercise comes
// first, and where the focus went into a box, that box's name last. Once
// heard, the region is emptied, so that a pupil who reads the page with the
// screen reader's review keys finds nothing the board no longer shows.

#include <emscripten/emscripten.h>

#include <QStringList>
#include <QTimer>
#include <set>

#include "kit/web/native.h"

namespace kit {

using web::val;

namespace {

// A screen reader drops words that come while it is still saying the window
// that just came into view and the control that took the focus.
constexpr int kSettleMs = 300;
// How long heard words stay: read at once by a screen reader that is idle;
// the rest is room for one that is busy, at a slow speaking rate.
int HeardMs(const QString& words) { return 1500 + 70 * int(words.size()); }

std::set<web::WindowState*>& Live() {
  static std::set<web::WindowState*> live;
  return live;
}

struct Region {
  web::WindowState* owner = nullptr;
  QTimer forget;
  Region() {
    forget.setSingleShot(true);
    QObject::connect(&forget, &QTimer::timeout, [this] { Empty(); });
  }
  static Region& Get() {
    static Region region;
    return region;
  }
  static val Element() { return web::Document().call<val>("getElementById", val("heard")); }
  void Empty() {
    forget.stop();
    owner = nullptr;
    if (val el = Element(); !el.isNull()) el.set("textContent", val(""));
  }
  void Write(web::WindowState& from, const QString& words) {
    val el = Element();
    if (el.isNull()) return;
    // Emptied first, so that the same words said again are a change to hear.
    el.set("textContent", val(""));
    val line = web::Create("p");
    line.set("textContent", val(web::Utf8(words)));
    el.call<void>("append", line);
    owner = &from;
    forget.start(HeardMs(words));
  }
};

void Deliver(web::WindowState* s) {
  if (!Live().count(s)) return;
  s->sayScheduled = false;
  if (!s->task && s->rest.empty()) return;
  if (s->el["hidden"].as<bool>()) {
    s->task = nullptr;
    s->rest.clear();
    return;
  }
  if (const double since = emscripten_get_now() - s->shownAtMs; since < kSettleMs) {
    s->sayScheduled = true;
    QTimer::singleShot(int(kSettleMs - since) + 1, [s] { Deliver(s); });
    return;
  }
  QStringList said;
  if (s->task) said << s->task();
  for (const Words& w : s->rest) said << w();
  const val active = web::Document()["activeElement"];
  if (s->task && !active.isNull() && active["tagName"].as<std::string>() == "INPUT" &&
      s->el.call<bool>("contains", active))
    said << web::FromJs(active.call<val>("getAttribute", val("aria-label"))) + u'.';
  s->task = nullptr;
  s->rest.clear();
  said.removeAll(QString());
  said.removeAll(QStringLiteral("."));
  if (said.isEmpty()) return;
  Region::Get().Write(*s, said.join(u' '));
}

}  // namespace

void web::Say(WindowState& window, Words words, bool task) {
  Live().insert(&window);
  if (task)
    window.task = std::move(words);
  else
    window.rest.push_back(std::move(words));
  if (window.sayScheduled) return;
  window.sayScheduled = true;
  // After the handler that said it: the words are read then, as the screen
  // shows them by that time.
  QTimer::singleShot(0, [w = &window] { Deliver(w); });
}

void web::ForgetSaid(WindowState& window) {
  if (Region::Get().owner == &window) Region::Get().Empty();
}

void web::WindowShown(WindowState& window) {
  Live().insert(&window);
  window.shownAtMs = emscripten_get_now();
}

void web::WindowHidden(WindowState& window) {
  // Words said to a window going away would be heard with the next one.
  window.task = nullptr;
  window.rest.clear();
  ForgetSaid(window);
}

void web::WindowGone(WindowState& window) {
  WindowHidden(window);
  Live().erase(&window);
}

}  // namespace kit
