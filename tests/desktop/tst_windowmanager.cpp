// Under a real window manager (openbox on Xvfb, see under_openbox.sh): the
// screen in use lies above the main window and holds the keyboard from the
// moment it is shown, after every screen change and after the pupil brings
// the main window forward, and it stands centred in its frame. The stacking,
// the active window and the frames are read from the window manager's own
// properties, keys go in through X.

#include <QGuiApplication>
#include <QScreen>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>

#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "app/mdiform2.h"
#include "app/program.h"
#include "support/pupil.h"
#include "support/testmain.h"
#include "written/frmcijferdeel0.h"
#include "kit/qt/native.h"

using testing_support::Pupil;

namespace {

QString Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(5000);
  return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// Window ids in a root-window property, in its order.
QList<WId> RootWindows(const char* property) {
  QList<WId> ids;
  const QString out = Run(QStringLiteral("xprop"), {QStringLiteral("-root"), QString::fromLatin1(property)});
  static const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
  for (auto it = hex.globalMatch(out); it.hasNext();) ids << WId(it.next().captured().toULongLong(nullptr, 16));
  return ids;
}

WId Id(kit::Window& w) { return kit::qt::Top(w)->winId(); }

// Of the program's windows on view, the one the window manager stacks highest.
WId TopOf(app::Program& p) {
  QList<WId> ours;
  for (kit::Window* w : p.Screens())
    if (w->Visible()) ours << Id(*w);
  const QList<WId> stacking = RootWindows("_NET_CLIENT_LIST_STACKING");  // bottom to top
  for (auto it = stacking.rbegin(); it != stacking.rend(); ++it)
    if (ours.contains(*it)) return *it;
  return 0;
}

WId Active() {
  const QList<WId> active = RootWindows("_NET_ACTIVE_WINDOW");
  return active.isEmpty() ? 0 : active.first();
}

// The window manager has stacked `screen` on top, made it the active window,
// and Qt agrees that the keyboard goes there.
bool InUse(app::Program& p, kit::Window& screen) {
  return TopOf(p) == Id(screen) && Active() == Id(screen) &&
         QGuiApplication::focusWindow() == kit::qt::Top(screen)->windowHandle();
}

QString Describe(app::Program& p, kit::Window& screen) {
  auto name = [&](WId id) -> QString {
    for (kit::Window* w : p.Screens())
      if (Id(*w) == id) return w->Caption();
    return QStringLiteral("0x%1").arg(id, 0, 16);
  };
  const QWindow* focus = QGuiApplication::focusWindow();
  return QStringLiteral("wanted \"%1\"; on top \"%2\", active \"%3\", keyboard \"%4\"")
      .arg(screen.Caption(), name(TopOf(p)), name(Active()), focus ? focus->title() : QStringLiteral("none"));
}

// The window manager's frame round `screen` has its middle in the middle of
// the display (to the pixel, for odd sizes). The inner area comes from X, the
// frame's edges from the window manager's _NET_FRAME_EXTENTS.
bool FrameCentred(kit::Window& screen) {
  const QString id = QString::number(Id(screen));
  const QString info = Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
  static const QRegularExpression number(QStringLiteral("-?\\d+"));
  auto value = [&](const char* label) {
    const int at = info.indexOf(QString::fromLatin1(label));
    return at < 0 ? -100000 : number.match(info, at + int(std::strlen(label))).captured().toInt();
  };
  const QString extents =
      Run(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")});
  QList<int> edge;  // left, right, top, bottom
  for (auto it = number.globalMatch(extents, extents.indexOf(u'=')); it.hasNext();) edge << it.next().captured().toInt();
  if (edge.size() != 4) return false;
  const QRect display = QGuiApplication::primaryScreen()->geometry();
  const int dx = 2 * (value("Absolute upper-left X:") - edge[0]) + value("Width:") + edge[0] + edge[1] - display.width();
  const int dy = 2 * (value("Absolute upper-left Y:") - edge[2]) + value("Height:") + edge[2] + edge[3] - display.height();
  if (std::abs(dx) <= 1 && std::abs(dy) <= 1) return true;
  qWarning("frame of \"%s\" off centre by %d/2, %d/2 pixels", qPrintable(screen.Caption()), dx, dy);
  return false;
}

void XKey(const char* key) { Run(QStringLiteral("xdotool"), {QStringLiteral("key"), QString::fromLatin1(key)}); }

// The pupil brings the main window forward, as with a click or Alt+Tab.
void ActivateMain(app::Program& p) {
  Run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QString::number(Id(p.MDIForm2()))});
}

}  // namespace

class WindowManagerTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    if (QGuiApplication::platformName() != u"xcb") QSKIP("needs an X display with a window manager");
  }

  void theScreenInUseStaysOnTopWithTheKeyboard() {
    app::Program p;
    p.Start();
    app::frmmecenaat1& welcome = p.frmmecenaat1();
    QTRY_VERIFY2_WITH_TIMEOUT(InUse(p, welcome), qPrintable(Describe(p, welcome)), 5000);
    QTRY_VERIFY(FrameCentred(welcome));
    // The keyboard is in the big button at once: Space starts.
    QCOMPARE(QApplication::focusWidget(), kit::qt::Widget(welcome.cmdkombinnen));

    XKey("space");
    app::frmkiesbasis& menu = p.frmkiesbasis();
    QTRY_VERIFY2_WITH_TIMEOUT(InUse(p, menu), qPrintable(Describe(p, menu)), 5000);
    QVERIFY(!welcome.Visible());
    QTRY_VERIFY(FrameCentred(menu));

    ActivateMain(p);
    QTest::qWait(300);
    QTRY_VERIFY2_WITH_TIMEOUT(InUse(p, menu), qPrintable(Describe(p, menu)), 5000);

    QVERIFY(Pupil::Click(menu.Command3));
    written::frmcijferdeel0& board = p.frmcijferdeel0();
    QTRY_VERIFY2_WITH_TIMEOUT(InUse(p, board), qPrintable(Describe(p, board)), 5000);
    QTRY_VERIFY(FrameCentred(board));

    ActivateMain(p);
    QTest::qWait(300);
    QTRY_VERIFY2_WITH_TIMEOUT(InUse(p, board), qPrintable(Describe(p, board)), 5000);

    QVERIFY(Pupil::Click(board.cmdstop));
    QTRY_VERIFY2_WITH_TIMEOUT(InUse(p, menu), qPrintable(Describe(p, menu)), 5000);
    QTRY_VERIFY(FrameCentred(menu));
  }
};

REKENTOL_TEST_MAIN(WindowManagerTest)
#include "tst_windowmanager.moc"
