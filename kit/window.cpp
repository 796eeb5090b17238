#include "kit/window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWindow>

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
  top_->setWindowTitle(caption);
  top_->setAttribute(Qt::WA_DeleteOnClose, false);
  SetBackColor(back);
}

Window::~Window() = default;

QWidget* Window::Surface() const { return surface_; }

void Window::Load() {
  if (loaded_) return;
  loaded_ = true;
  Form_Load();
}

void Window::Show() {
  Load();
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

void Window::SetCaption(const QString& caption) { top_->setWindowTitle(caption); }
QString Window::Caption() const { return top_->windowTitle(); }

void Window::SetBackColor(const QColor& colour) {
  back_ = colour;
  QPalette pal = surface_->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    pal.setColor(group, QPalette::Window, colour);
  surface_->setPalette(pal);
  surface_->setAutoFillBackground(true);
  surface_->update();
}

void Window::SetAvailable(bool available) { top_->setEnabled(available); }
bool Window::Available() const { return top_->isEnabled(); }

int Window::Width() const { return Twips(top_->frameGeometry().width()); }
int Window::Height() const { return Twips(top_->frameGeometry().height()); }
int Window::Left() const { return Twips(top_->frameGeometry().x()); }
int Window::Top() const { return Twips(top_->frameGeometry().y()); }
void Window::Move(int left, int top) { top_->move(Px(left), Px(top)); }

void Window::CentreOnDisplay() { Move((DisplayWidth() - Width()) / 2, (DisplayHeight() - Height()) / 2); }

void Window::KeepAbove(Window& owner) {
  top_->winId();
  owner.top_->winId();
  if (top_->windowHandle() && owner.top_->windowHandle())
    top_->windowHandle()->setTransientParent(owner.top_->windowHandle());
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
