#include "kit/window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QWindow>
#include <algorithm>

#include "kit/accessible.h"

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

unsigned long long NextShow() {
  static unsigned long long count = 0;
  return ++count;
}

}  // namespace

// Watches an owner window: its first exposure after each show, and its
// activation by the desktop.
class Window::OwnerWatch final : public QObject {
 public:
  explicit OwnerWatch(Window& owner) : owner_(owner) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    QWidget* top = owner_.top_.get();
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
        if (Window* w = owner_.InUseAbove()) w->top_->activateWindow();
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
class Window::FrameWatch final : public QObject {
 public:
  explicit FrameWatch(Window& window) : window_(window) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if ((event->type() == QEvent::Move || event->type() == QEvent::WindowActivate) && window_.centreWhenFramed_ &&
        Framed(*window_.top_))
      window_.CentreOnDisplay();
    return false;
  }

  static bool Framed(const QWidget& top) { return top.frameGeometry() != top.geometry(); }

 private:
  Window& window_;
};

Window::Window(const QString& caption, int clientWidth, int clientHeight, const QColor& back) {
  auto top = std::make_unique<OwnedTop<QWidget>>();
  top->onClose = &onClose;
  top->setWindowFlag(Qt::Window);
  top->setFixedSize(Px(clientWidth), Px(clientHeight));
  surface_ = top.get();
  top_ = std::move(top);
  Init(caption, back);
}

Window::Window(std::unique_ptr<QWidget> top, const QString& caption, const QColor& back)
    : top_(std::move(top)), surface_(top_.get()) {
  Init(caption, back);
}

void Window::Init(const QString& caption, const QColor& back) {
  InstallAccessibleWindows();
  SetCaption(caption);
  top_->setAttribute(Qt::WA_DeleteOnClose, false);
  SetBackColor(back);
  frameWatch_ = std::make_unique<FrameWatch>(*this);
  top_->installEventFilter(frameWatch_.get());
}

Window::~Window() {
  if (owner_) std::erase(owner_->above_, this);
  for (Window* w : above_) w->owner_ = nullptr;
}

QWidget* Window::Surface() const { return surface_; }

void Window::OnHelpKey(std::function<void()> handler) {
  // A window shortcut: a box does not take F1 for itself, so it reaches here
  // from every control of the window.
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), top_.get());
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, top_.get(), std::move(handler));
}

void Window::Load() {
  if (loaded_) return;
  loaded_ = true;
  Form_Load();
}

void Window::Show() {
  Load();
  shownAt_ = NextShow();
  top_->show();
  if (CanRaise()) top_->raise();
  top_->activateWindow();
  Form_Activate();
}

void Window::Hide() { top_->hide(); }
bool Window::Visible() const { return top_->isVisible(); }
void Window::Raise() {
  if (CanRaise()) top_->raise();
  top_->activateWindow();
}

// A screen reader names a window by its title; one without a title (the
// welcome screen) would be announced as nothing at all.
void Window::SetCaption(const QString& caption) {
  top_->setWindowTitle(caption);
  top_->setAccessibleName(caption.isEmpty() ? QStringLiteral("Rekentol") : QString());
}
QString Window::Caption() const { return top_->windowTitle(); }

void Window::SetBackColor(const QColor& colour) {
  back_ = colour;
  QPalette pal = surface_->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    pal.setColor(group, QPalette::Window, colour);
  surface_->setPalette(pal);
  surface_->setAutoFillBackground(true);
  surface_->update();
  // Green and red are the verdict; the window says it in words as well.
  Announce(top_.get(), ColourVerdict(colour));
}

void Window::Say(const QString& text) {
  kit::Say(top_.get(), [text] { return text; });
}
void Window::Say(std::function<QString()> words) { kit::Say(top_.get(), std::move(words)); }
void Window::SayTask(std::function<QString()> words) { kit::SayTask(top_.get(), std::move(words)); }
void Window::ForgetSaid() { kit::ForgetSaid(top_.get()); }

void Window::SetAvailable(bool available) { top_->setEnabled(available); }
bool Window::Available() const { return top_->isEnabled(); }

int Window::Width() const { return Twips(top_->frameGeometry().width()); }
int Window::Height() const { return Twips(top_->frameGeometry().height()); }
int Window::Left() const { return Twips(top_->frameGeometry().x()); }
int Window::Top() const { return Twips(top_->frameGeometry().y()); }
void Window::Move(int left, int top) { top_->move(Px(left), Px(top)); }

void Window::CentreOnDisplay() {
  Move((DisplayWidth() - Width()) / 2, (DisplayHeight() - Height()) / 2);
  centreWhenFramed_ = !FrameWatch::Framed(*top_);
}

void Window::KeepAbove(Window& owner) {
  // Desktops keep a window above its transient parent only for dialog-like
  // window types (the X11 platform does not even announce a transient parent
  // for a plain window), so the screen becomes a dialog of the owner: still
  // a free-standing window with its own caption and close box.
  top_->setWindowFlags((top_->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
  top_->winId();
  owner.top_->winId();
  if (top_->windowHandle() && owner.top_->windowHandle())
    top_->windowHandle()->setTransientParent(owner.top_->windowHandle());
  owner.above_.push_back(this);
  owner_ = &owner;
  if (!owner.ownerWatch_) {
    owner.ownerWatch_ = std::make_unique<OwnerWatch>(owner);
    owner.top_->installEventFilter(owner.ownerWatch_.get());
    owner.top_->windowHandle()->installEventFilter(owner.ownerWatch_.get());
  }
}

Window* Window::InUseAbove() const {
  Window* last = nullptr;
  for (Window* w : above_)
    if (w->Visible() && (!last || w->shownAt_ > last->shownAt_)) last = w;
  return last;
}

void Window::FrontAbove() {
  std::vector<Window*> shown;
  for (Window* w : above_)
    if (w->Visible()) shown.push_back(w);
  std::sort(shown.begin(), shown.end(), [](Window* a, Window* b) { return a->shownAt_ < b->shownAt_; });
  for (Window* w : shown) w->Raise();
}

// ---------------------------------------------------------------- FrameWindow

namespace {
std::unique_ptr<QWidget> MakeMain(int width, int height) {
  auto main = std::make_unique<OwnedTop<QMainWindow>>();
  main->resize(Px(width), Px(height));
  main->setCentralWidget(new QWidget);
  return main;
}
}  // namespace

FrameWindow::FrameWindow(const QString& caption, int width, int height, const QColor& back)
    : Window(MakeMain(width, height), caption, back) {
  static_cast<OwnedTop<QMainWindow>*>(Main())->onClose = &onClose;
}

QMainWindow* FrameWindow::Main() const { return static_cast<QMainWindow*>(Top_()); }

MenuItem& FrameWindow::AddMenu(const QString& menuCaption, const QString& itemCaption) {
  items_.push_back(std::make_unique<MenuItem>());
  MenuItem* item = items_.back().get();
  QMenu* menu = Main()->menuBar()->addMenu(menuCaption);
  QAction* action = menu->addAction(itemCaption);
  QObject::connect(action, &QAction::triggered, Main(), [item] {
    if (item->onClick) item->onClick();
  });
  return *item;
}

}  // namespace kit
