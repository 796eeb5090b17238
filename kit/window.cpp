// What a window is on every platform; kit/qt and kit/web put it on screen.

#include "kit/window.h"

namespace kit {

void Window::Load() {
  if (loaded_) return;
  loaded_ = true;
  Form_Load();
}

void Window::Say(const QString& text, Heard kind) {
  Say([text]() -> QString { return text; }, kind);
}

unsigned long long Window::NextShowing() {
  static unsigned long long count = 0;
  return ++count;
}

Window* Window::InUseAbove() const {
  Window* last = nullptr;
  for (Window* w : above_)
    if (w->Visible() && (!last || w->shownAt_ > last->shownAt_)) last = w;
  return last;
}

}  // namespace kit
