#include "kit/application.h"

#include <QCoreApplication>
#include <QTimer>

#include "kit/web/native.h"

static void InitResources() { Q_INIT_RESOURCE(rekentol); }

namespace kit {

using web::val;

struct Application::Parts {
  std::unique_ptr<QCoreApplication> app;
  std::function<void()> start;
  // The page's own events: the help key and a new viewport.
  Native page;
  Native view;
  static Parts*& Current() {
    static Parts* current = nullptr;
    return current;
  }
};

namespace {
// F1 asks the window in use for help, wherever the focus is in it; the
// browser's own help stays shut. Tab goes round inside the window in use.
void PageEvent(const std::string& type, val e) {
  if (type != "keydown") return;
  const std::string key = e["key"].as<std::string>();
  if (key == "F1") {
    e.call<void>("preventDefault");
    web::HelpKey();
  } else if (key == "Tab" && !e["ctrlKey"].as<bool>() && !e["altKey"].as<bool>() && !e["metaKey"].as<bool>() &&
             web::WrapTab(e["shiftKey"].as<bool>())) {
    e.call<void>("preventDefault");
  }
}
}  // namespace

Application::Application(int& argc, char** argv) : parts_(std::make_unique<Parts>()) {
  parts_->app = std::make_unique<QCoreApplication>(argc, argv);
  InitResources();
  Parts::Current() = parts_.get();
  parts_->page.el = web::Document();
  parts_->page.onEvent = PageEvent;
  web::Listen(parts_->page, {"keydown"});
  parts_->view.el = val::global("window");
  parts_->view.onEvent = [](const std::string&, val) { web::Relayout(); };
  web::Listen(parts_->view, {"resize", "orientationchange"}, true);
}

Application::~Application() {
  if (Parts::Current() == parts_.get()) Parts::Current() = nullptr;
}

int Application::Run(const std::function<void()>& start) {
  parts_->start = start;
  start();
  // In the page the loop is the browser's: exec hands control back to it and
  // does not return.
  return QCoreApplication::exec();
}

// A page cannot close its tab: the run ends and a new one starts on the
// welcome screen, once the handler that ended it has returned and the old
// run's screens are gone.
void Application::End(int) {
  QTimer::singleShot(0, [] {
    if (Parts* p = Parts::Current(); p && p->start) p->start();
  });
}

}  // namespace kit
