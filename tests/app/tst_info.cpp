// The info screen: the status text that scrolls through the first panel, the
// progress bar that fills the second, and the end of the run after the 151st
// tick of the 75 ms timer.

#include <QElapsedTimer>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>
#include <cmath>

#include "shell_steps.h"
#include "support/testmain.h"
#include "kit/qt/native.h"

using namespace shell_steps;
using testing_support::Shot;

namespace {

const QString kStatusText = QStringLiteral("Pimpelwerk,educatieve software voor de basisschool");

// Waiting for 151 real ticks takes more than 11 seconds, so most tests run the
// program on a manual clock and step the ticks themselves with Fire(); a timer
// on the wall clock would slip extra ticks in whenever the test lets events
// through.
std::shared_ptr<const kit::Clock> Stepped() { return std::make_shared<kit::ManualClock>(); }

// Opens the info screen as a pupil does.
[[nodiscard]] bool OpenInfo(app::Program& p) {
  if (!ToInfo(p)) return false;
  const app::frminfo& info = p.frminfo();
  return info.Timer1.Enabled() && info.Timer1.Interval() == 75 && info.tikteller == 0 &&
         info.ProgressBar1.Minimum() == 0 && info.ProgressBar1.Maximum() == 150;
}

void Tick(app::frminfo& info, int n) {
  for (int i = 0; i < n; ++i) info.Timer1.Fire();
}

// The leftmost column of the first panel that holds ink (dark text pixels),
// as a fraction of the panel's width; -1 when the panel shows no text.
double LeftmostInk(app::frminfo& info) {
  QStatusBar* bar = kit::qt::Bar(info.StatusBar1);
  const QRect panel = info.StatusBar1.PanelRect(0).Pixels().adjusted(2, 2, -2, -2);
  const QImage img = bar->grab(panel).toImage();
  const qreal dpr = img.devicePixelRatio();
  for (int x = 0; x < img.width(); ++x)
    for (int y = 0; y < img.height(); ++y)
      if (qGray(img.pixel(x, y)) < 110) return x / dpr / panel.width();
  return -1;
}

}  // namespace

class InfoTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void ticks_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<bool>("ended");
    QTest::newRow("1") << 1 << false;
    QTest::newRow("2") << 2 << false;
    QTest::newRow("75") << 75 << false;
    QTest::newRow("150: the bar is full") << 150 << false;
    QTest::newRow("151: the end") << 151 << true;
  }
  void ticks() {
    QFETCH(int, ticks);
    QFETCH(bool, ended);
    EndWatch end;
    app::Program p(end.Callback(), Stepped());
    QVERIFY(OpenInfo(p));
    app::frminfo& info = p.frminfo();
    Tick(info, ticks);
    QCOMPARE(p.Ended(), ended);
    QCOMPARE(info.Timer1.Enabled(), !ended);
    if (!ended) {
      QCOMPARE(info.tikteller, ticks);
      QCOMPARE(info.ProgressBar1.Value(), ticks);
      QVERIFY(info.Visible());
      QVERIFY(info.ProgressBar1.Visible());
      QCOMPARE(end.calls, 0);
      return;
    }
    QCOMPARE(end.calls, 1);
    QCOMPARE(end.code, 0);
    QCOMPARE(info.tikteller, 0);
    QVERIFY(!info.Visible());
    QVERIFY(!info.ProgressBar1.Visible());
    for (kit::Window* w : p.Screens()) QVERIFY(!w->Visible());
  }

  // On the manual clock the running timer ticks only when fired, however long
  // the test lets events through.
  void manualClockTicksOnlyWhenFired() {
    app::Program p({}, Stepped());
    QVERIFY(OpenInfo(p));
    app::frminfo& info = p.frminfo();
    QTest::qWait(4 * info.Timer1.Interval());
    QCOMPARE(info.tikteller, 0);
    Tick(info, 2);
    QCOMPARE(info.tikteller, 2);
  }

  void progressBarLiesInTheSecondPanel() {
    app::Program p({}, Stepped());
    QVERIFY(OpenInfo(p));
    app::frminfo& info = p.frminfo();
    QStatusBar* bar = kit::qt::Bar(info.StatusBar1);
    const QRect client = kit::qt::Surface(info)->rect();
    QVERIFY(info.StatusBar1.PanelCount() >= 2);
    QCOMPARE(bar->geometry().bottom(), client.bottom());
    QCOMPARE(bar->geometry().width(), client.width());
    QWidget* progress = kit::qt::Widget(info.ProgressBar1);
    QCOMPARE(progress->parentWidget(), static_cast<QWidget*>(bar));
    const QRect first = info.StatusBar1.PanelRect(0).Pixels();
    const QRect second = info.StatusBar1.PanelRect(1).Pixels();
    QCOMPARE(progress->geometry(), second);
    // The scrolling text must not push the panels about under the bar.
    for (int step = 0; step < 6; ++step) {
      Tick(info, 20);
      QCOMPARE(info.StatusBar1.PanelRect(0).Pixels(), first);
      QCOMPARE(info.StatusBar1.PanelRect(1).Pixels(), second);
      QCOMPARE(progress->geometry(), second);
    }
    Shot(info, QStringLiteral("info_midrun"));
  }

  // The bar fills the panel from the left as the ticks go by.
  void progressBarFillsThePanel() {
    app::Program p({}, Stepped());
    QVERIFY(OpenInfo(p));
    app::frminfo& info = p.frminfo();
    QWidget* progress = kit::qt::Widget(info.ProgressBar1);
    const auto at = [progress](double fraction) {
      const QImage img = progress->grab().toImage();
      const qreal dpr = img.devicePixelRatio();
      return img.pixelColor(int(progress->width() * fraction * dpr), int(progress->height() / 2 * dpr));
    };
    Tick(info, 75);
    QVERIFY(at(0.25) != at(0.75));
    Tick(info, 75);
    QCOMPARE(at(0.9), at(0.25));
  }

  void statusTextScrolls() {
    app::Program p({}, Stepped());
    QVERIFY(OpenInfo(p));
    app::frminfo& info = p.frminfo();
    kit::StatusBar& bar = info.StatusBar1;
    QCOMPARE(bar.PanelText(0), kStatusText);
    QVERIFY(bar.PanelTag(0).isEmpty());

    Tick(info, 1);
    const int n = int(std::lround(double(bar.PanelWidth(0)) / bar.BlankWidth()));
    QVERIFY(n > 10);
    const QString tag = bar.PanelTag(0);
    QCOMPARE(tag, QString(QString(n, u' ') + kStatusText));
    QCOMPARE(bar.PanelText(0), tag.mid(1));
    // The text enters at the right edge of the panel and runs to the left.
    const double first = LeftmostInk(info);
    QVERIFY2(first < 0 || first > 0.85, qPrintable(QString::number(first)));
    Tick(info, n / 2 - 1);
    const double half = LeftmostInk(info);
    QVERIFY2(half > 0.35 && half < 0.65, qPrintable(QString::number(half)));
    Tick(info, n - n / 2);
    const double gone = LeftmostInk(info);
    QVERIFY2(gone >= 0 && gone < 0.1, qPrintable(QString::number(gone)));

    // One character a tick until the text has run out, then from the tag again.
    const int length = int(tag.size());
    QVERIFY2(length + 2 <= 150, "the text must run out before the run ends");
    for (int tick = n + 1; tick <= length; ++tick) {
      Tick(info, 1);
      QCOMPARE(bar.PanelText(0), tag.mid(tick));
    }
    QVERIFY(bar.PanelText(0).isEmpty());
    Tick(info, 1);
    QCOMPARE(bar.PanelText(0), tag);
    Tick(info, 1);
    QCOMPARE(bar.PanelText(0), tag.mid(1));
    QCOMPARE(bar.PanelTag(0), tag);
  }

  // The one test on the real clock: the timer runs by itself and the program
  // ends, with exit code 0, after 151 ticks of 75 ms.
  void endsOnItsOwn() {
    EndWatch end;
    app::Program p(end.Callback());
    QVERIFY(ToInfo(p));
    QElapsedTimer clock;
    clock.start();
    QTRY_VERIFY_WITH_TIMEOUT(p.Ended(), 60000);
    // Coarse timers may fire up to 5% early; 151 ticks still take over 10 s.
    QVERIFY(clock.elapsed() >= 10000);
    QCOMPARE(end.calls, 1);
    QCOMPARE(end.code, 0);
    QVERIFY(!p.frminfo().Timer1.Enabled());
    QVERIFY(!p.frminfo().Visible());
  }
};

REKENTOL_TEST_MAIN(InfoTest)
#include "tst_info.moc"
