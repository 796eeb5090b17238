#include "kit/window.h"

#include "kit/qt/native.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QWindow>
#include <algorithm>

#include "kit/qt/accessible.h"

namespace kit {

namespace {

// Platforms without window stacking (the headless one) only complain about it.
bool CanRaise() {
  static const bool can = QGuiApplication::platformName() != QLatin1String("offscreen");
  return can;
}

// A top-level widget whose close box asks its owner instead of closing.
template <class Base>
class OwnedTop final : public Base {
 public:
  std::function<void()>* onClose = nullptr;

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    if (onClose && *onClose) (*onClose)();
  }
};


}  // namespace

struct Window::Parts {
  class OwnerWatch;
  class FrameWatch;
  std::unique_ptr<QWidget> top;
  Native topNative;  // the top-level widget
  Native surface;    // the widget the controls are placed on
  std::unique_ptr<OwnerWatch> ownerWatch;  // on an owner: its activation and exposure
  std::unique_ptr<FrameWatch> frameWatch;
  bool centreWhenFramed = false;  // centred while the desktop's frame was not yet known
};

// Watches an owner window: its first exposure after each show, and its
// activation by the desktop.
class Window::Parts::OwnerWatch final : public QObject {
 public:
  explicit OwnerWatch(Window& owner) : owner_(owner) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    QWidget* top = owner_.parts_->top.get();
    if (watched == top && event->type() == QEvent::Show) {
      exposed_ = false;
    } else if (watched == top->windowHandle() && event->type() == QEvent::Expose && !exposed_ &&
               top->windowHandle()->isExposed()) {
      exposed_ = true;
      owner_.FrontAbove();
    } else if (watched == top && event->type() == QEvent::WindowActivate && owner_.InUseAbove()) {
      // Handed on after the event: activating inside the activation of
      // another window is undone by it. A menu of the owner that the click
      // opened keeps the keyboard until it closes.
      QMetaObject::invokeMethod(this, [this] {
        if (QApplication::activePopupWidget()) return;
        if (Window* w = owner_.InUseAbove()) w->parts_->top->activateWindow();
      }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  Window& owner_;
  bool exposed_ = false;
};

// Centres a window again once the desktop has put its frame round it. Until
// then Qt knows only the inner size and places the inner area where the frame
// should go, so a window centred before the desktop framed it stands off by
// half its title bar. The frame is known by the window's first activation, or
// the first move the desktop makes, whichever comes first; a window shown
// again is framed anew.
class Window::Parts::FrameWatch final : public QObject {
 public:
  explicit FrameWatch(Window& window) : window_(window) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if ((event->type() == QEvent::Move || event->type() == QEvent::WindowActivate) &&
        window_.parts_->centreWhenFramed && Framed(*window_.parts_->top))
      window_.CentreOnDisplay();
    return false;
  }

  static bool Framed(const QWidget& top) { return top.frameGeometry() != top.geometry(); }

 private:
  Window& window_;
};

Window::Window(const QString& caption, int clientWidth, int clientHeight, const QColor& back)
    : parts_(std::make_unique<Parts>()) {
  auto top = std::make_unique<OwnedTop<QWidget>>();
  top->onClose = &onClose;
  top->setWindowFlag(Qt::Window);
  top->setFixedSize(Px(clientWidth), Px(clientHeight));
  parts_->surface.widget = top.get();
  parts_->top = std::move(top);
  Init(caption, back);
}

Window::Window(WithMenuBar, const QString& caption, int width, int height, const QColor& back)
    : parts_(std::make_unique<Parts>()) {
  auto main = std::make_unique<OwnedTop<QMainWindow>>();
  main->onClose = &onClose;
  main->resize(Px(width), Px(height));
  main->setCentralWidget(new QWidget);
  parts_->surface.widget = main.get();
  parts_->top = std::move(main);
  Init(caption, back);
}

void Window::Init(const QString& caption, const QColor& back) {
  parts_->topNative.widget = parts_->top.get();
  InstallAccessibleWindows();
  SetCaption(caption);
  parts_->top->setAttribute(Qt::WA_DeleteOnClose, false);
  SetBackColor(back);
  parts_->frameWatch = std::make_unique<Parts::FrameWatch>(*this);
  parts_->top->installEventFilter(parts_->frameWatch.get());
}

Window::~Window() {
  if (owner_) std::erase(owner_->above_, this);
  for (Window* w : above_) w->owner_ = nullptr;
}

Native& Window::Surface() const { return parts_->surface; }
Native& Window::Platform() const { return parts_->topNative; }
QWidget* qt::Top(const Window& window) { return window.Platform().widget; }
QMainWindow* qt::Main(const FrameWindow& window) { return static_cast<QMainWindow*>(qt::Top(window)); }

void Window::OnHelpKey(std::function<void()> handler) {
  // A window shortcut: a box does not take F1 for itself, so it reaches here
  // from every control of the window.
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), parts_->top.get());
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, parts_->top.get(), std::move(handler));
}

void Window::Show() {
  Load();
  shownAt_ = NextShowing();
  parts_->top->show();
  if (CanRaise()) parts_->top->raise();
  parts_->top->activateWindow();
  Form_Activate();
}

void Window::Hide() { parts_->top->hide(); }
bool Window::Visible() const { return parts_->top->isVisible(); }
void Window::Raise() {
  if (CanRaise()) parts_->top->raise();
  parts_->top->activateWindow();
}

// A screen reader names a window by its title; one without a title (the
// welcome screen) would be announced as nothing at all.
void Window::SetCaption(const QString& caption) {
  parts_->top->setWindowTitle(caption);
  parts_->top->setAccessibleName(caption.isEmpty() ? QStringLiteral("Rekentol") : QString());
}
QString Window::Caption() const { return parts_->top->windowTitle(); }

void Window::SetBackColor(const QColor& colour) {
  back_ = colour;
  QPalette pal = parts_->surface.widget->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    pal.setColor(group, QPalette::Window, colour);
  parts_->surface.widget->setPalette(pal);
  parts_->surface.widget->setAutoFillBackground(true);
  parts_->surface.widget->update();
  // Green and red are the verdict; the window says it in words as well.
  Announce(parts_->top.get(), ColourVerdict(colour));
}

void Window::Say(std::function<QString()> words, Heard kind) {
  kit::Say(parts_->top.get(), std::move(words), kind);
}
void Window::SayTask(std::function<QString()> words) { kit::SayTask(parts_->top.get(), std::move(words)); }
void Window::ForgetSaid() { kit::ForgetSaid(parts_->top.get()); }

void Window::SetAvailable(bool available) { parts_->top->setEnabled(available); }
bool Window::Available() const { return parts_->top->isEnabled(); }

int Window::Width() const { return Twips(parts_->top->frameGeometry().width()); }
int Window::Height() const { return Twips(parts_->top->frameGeometry().height()); }
int Window::Left() const { return Twips(parts_->top->frameGeometry().x()); }
int Window::Top() const { return Twips(parts_->top->frameGeometry().y()); }
void Window::Move(int left, int top) { parts_->top->move(Px(left), Px(top)); }

void Window::CentreOnDisplay() {
  Move((DisplayWidth() - Width()) / 2, (DisplayHeight() - Height()) / 2);
  parts_->centreWhenFramed = !Parts::FrameWatch::Framed(*parts_->top);
}

void Window::KeepAbove(Window& owner) {
  // Desktops keep a window above its transient parent only for dialog-like
  // window types (the X11 platform does not even announce a transient parent
  // for a plain window), so the screen becomes a dialog of the owner: still
  // a free-standing window with its own caption and close box.
  parts_->top->setWindowFlags((parts_->top->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
  parts_->top->winId();
  owner.parts_->top->winId();
  if (parts_->top->windowHandle() && owner.parts_->top->windowHandle())
    parts_->top->windowHandle()->setTransientParent(owner.parts_->top->windowHandle());
  owner.above_.push_back(this);
  owner_ = &owner;
  if (!owner.parts_->ownerWatch) {
    owner.parts_->ownerWatch = std::make_unique<Parts::OwnerWatch>(owner);
    owner.parts_->top->installEventFilter(owner.parts_->ownerWatch.get());
    owner.parts_->top->windowHandle()->installEventFilter(owner.parts_->ownerWatch.get());
  }
}


void Window::FrontAbove() {
  std::vector<Window*> shown;
  for (Window* w : above_)
    if (w->Visible()) shown.push_back(w);
  std::sort(shown.begin(), shown.end(), [](Window* a, Window* b) { return a->shownAt_ < b->shownAt_; });
  for (Window* w : shown) w->Raise();
}

// ---------------------------------------------------------------- FrameWindow

FrameWindow::FrameWindow(const QString& caption, int width, int height, const QColor& back)
    : Window(WithMenuBar{}, caption, width, height, back) {}

MenuItem& FrameWindow::AddMenu(const QString& menuCaption, const QString& itemCaption) {
  items_.push_back(std::make_unique<MenuItem>());
  MenuItem* item = items_.back().get();
  QMainWindow* main = qt::Main(*this);
  QMenu* menu = main->menuBar()->addMenu(menuCaption);
  QAction* action = menu->addAction(itemCaption);
  QObject::connect(action, &QAction::triggered, main, [item] {
    if (item->onClick) item->onClick();
  });
  return *item;
}

}  // namespace kit
