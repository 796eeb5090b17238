#include "kit/qt/accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QStringList>
#include <QTimer>
#include <QMainWindow>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

#include "kit/qt/notification.h"
#include "kit/units.h"

namespace kit {

const char* const kStaticTextProperty = "rekentolStaticText";

namespace {
const char* const kVoiceProperty = "rekentolVoice";
const char* const kVoiceOfProperty = "rekentolVoiceOf";
}  // namespace

namespace {

// Qt hears a plain top-level QWidget as a client area ("filler" to AT-SPI):
// a pupil's screen reader would then never say that a new window opened.
// A box that only shows a caption (a column head) is text to read, not a
// field to fill: Qt would call even a read-only line edit editable.
QAccessibleInterface* WindowFactory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (className == QLatin1String("QWidget") && widget->isWindow())
    return new QAccessibleWidget(widget, QAccessible::Window);
  if (widget->property(kVoiceProperty).toBool()) return new QAccessibleWidget(widget, QAccessible::Notification);
  if (className == QLatin1String("QLineEdit") && widget->property(kStaticTextProperty).toBool())
    return new QAccessibleWidget(widget, QAccessible::StaticText);
  return nullptr;
}

// What a window says, gathered until its handler has finished, then shown
// as a notification (see Say). A widget of one transparent pixel that takes no
// focus and no clicks: seeing pupils see nothing of it.
class Voice final : public QWidget {
 public:
  explicit Voice(QWidget* window) : QWidget(window) {
    setObjectName(QLatin1String(kName));
    setProperty(kVoiceProperty, true);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    hide();
    settle_.setSingleShot(true);
    QObject::connect(&settle_, &QTimer::timeout, this, [this] { Deliver(); });
    heard_.setSingleShot(true);
    QObject::connect(&heard_, &QTimer::timeout, this, [this] { Forget(); });
    window->installEventFilter(this);
    if (window->isActiveWindow()) activated_.start();
  }
  static constexpr const char* kName = "rekentolVoice";

  // The window's voice, if it has spoken; kept on the window itself, since
  // every change of a box asks for it (ForgetSaid) and a window has a
  // hundred children to search.
  static Voice* Find(QWidget* window) {
    return static_cast<Voice*>(qvariant_cast<QObject*>(window->property(kVoiceOfProperty)));
  }
  static Voice* Of(QWidget* window) {
    if (Voice* found = Find(window)) return found;
    auto* voice = new Voice(window);
    window->setProperty(kVoiceOfProperty, QVariant::fromValue<QObject*>(voice));
    return voice;
  }

  // Words once heard are taken out of view and emptied, so that a pupil who
  // reads the window with the screen reader's review keys finds nothing the
  // board no longer shows. Words still waiting for their handler to finish
  // stay: they are the handler's own.
  void Forget() {
    heard_.stop();
    if (accessibleName().isEmpty() && isHidden()) return;
    hide();
    setAccessibleName(QString());
  }

  void Add(Words words, bool task, Heard kind) {
    if (!Pending()) QMetaObject::invokeMethod(this, &Voice::Deliver, Qt::QueuedConnection);
    if (task)
      task_ = std::move(words);
    else
      rest_.push_back(std::move(words));
    kind_ = std::max(kind_, kind);
  }

 private:
  // While the desktop is still handing the activation back and forth (the
  // first window at the start, a screen taking over from the menu), Orca
  // clears its queue of everything but focus and activation: words shown
  // then are lost. They wait until the window has been active a moment.
  static constexpr int kSettleMs = 300;
  // How long shown words stay: a screen reader takes them from the object
  // when it hears that it came into view, within a moment; the rest is room
  // for one that is busy, at a slow speaking rate (espeak-ng's default says
  // about 15 characters a second).
  static int HeardMs(const QString& words) { return 1500 + 70 * int(words.size()); }

  bool Pending() const { return task_ || !rest_.empty(); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != window()) return false;
    if (event->type() == QEvent::WindowActivate) {
      activated_.start();
      if (Pending()) settle_.start(kSettleMs);
    } else if (event->type() == QEvent::Hide) {
      // Shown words would come into view again with the window and be heard
      // a second time.
      settle_.stop();
      task_ = nullptr;
      rest_.clear();
      kind_ = Heard::Said;
      Forget();
    }
    return false;
  }

  void Deliver() {
    if (!Pending() || !window()->isActiveWindow()) return;  // an activation brings it back
    if (!activated_.isValid()) activated_.start();
    if (const qint64 since = activated_.elapsed(); since < kSettleMs) {
      settle_.start(int(kSettleMs - since));
      return;
    }
    QStringList said;
    if (task_) said << task_();
    for (const Words& w : rest_) said << w();
    said.removeAll(QString());
    RaiseNotification(window(), said.join(u' '), Weigh(bool(task_), kind_));
    QWidget* focus = QApplication::focusWidget();
    if (task_ && qobject_cast<QLineEdit*>(focus) && focus->window() == window()) said << focus->accessibleName() + u'.';
    task_ = nullptr;
    rest_.clear();
    kind_ = Heard::Said;
    if (said.isEmpty()) return;
    const QString words = said.join(u' ');
    hide();
    setAccessibleName(words);
    show();
    heard_.start(HeardMs(words));
  }

  Words task_;
  std::vector<Words> rest_;
  Heard kind_ = Heard::Said;  // the weightiest of rest_
  QTimer settle_;
  QTimer heard_;
  QElapsedTimer activated_;
};

}  // namespace

// Also without an assistive technology: the notification is then only a
// widget's state, which costs next to nothing and lets tests hear it.
void Say(QWidget* window, Words words, Heard kind) { Voice::Of(window)->Add(std::move(words), false, kind); }
void ForgetSaid(QWidget* window) {
  if (Voice* voice = Voice::Find(window)) voice->Forget();
}
void SayTask(QWidget* window, Words words) { Voice::Of(window)->Add(std::move(words), true, Heard::Said); }

void InstallAccessibleWindows() {
  static const bool installed = [] {
    QAccessible::installFactory(WindowFactory);
    return true;
  }();
  (void)installed;
}

void Announce(QWidget* widget, const QString& text) {
  widget->setAccessibleDescription(text);
  if (!QAccessible::isActive()) return;
  QAccessibleEvent changed(widget, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
  if (!text.isEmpty()) {
    QAccessibleEvent alert(widget, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
  }
}

}  // namespace kit
