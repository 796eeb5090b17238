// The block screen as the pupil sees it: the dividend laid out in blocks, the
// share-out over the divisor's frames, and the way back to the menu.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <set>

#include "app/frmkiesbasis.h"
#include "blocks/frmcijferdeel.h"
#include "support/open_screen.h"
#include "support/pupil.h"
#include "support/testmain.h"
#include "kit/qt/native.h"

using blocks::frmcijferdeel;
using testing_support::Pupil;
using Slots = QList<int>;

namespace {

// Each problem is scripted as the digits START draws, redraws included:
// divisor, hundreds, tens, units.
frmcijferdeel& Open(app::Program& p, const QList<int>& draws = {},
                    std::source_location where = std::source_location::current()) {
  if (!draws.isEmpty()) {
    QList<double> script;
    for (int d : draws) script << kit::ScriptedRandom::For(d, 9);
    testing_support::UseScript(p, script);
  }
  return testing_support::OpenScreen<frmcijferdeel>(p, "frmcijferdeel", where);
}

bool ScriptUsedUp(app::Program& p) {
  auto& script = dynamic_cast<kit::ScriptedRandom&>(p.Random());
  return script.Left() == 0 && !script.Overrun();
}

bool Seen(const kit::Control& c) { return kit::qt::Widget(c)->isVisibleTo(kit::qt::Widget(c)->window()); }

// The slots in which a block is on view. Blocks that lie on one place count
// once, under the highest index there: a share's element 0 counts as slot 1.
Slots SeenSlots(const kit::Group<kit::Picture>& blocks) {
  std::set<int> seen;
  for (int j = 0; j < blocks.Count(); ++j) {
    if (!Seen(blocks[j])) continue;
    int slot = j;
    for (int k = j + 1; k < blocks.Count(); ++k) {
      const kit::Place a = blocks[j].Geometry(), b = blocks[k].Geometry();
      if (a.left == b.left && a.top == b.top) slot = k;
    }
    seen.insert(slot);
  }
  return Slots(seen.begin(), seen.end());
}
Slots Range(int from, int to) {
  Slots r;
  for (int i = from; i <= to; ++i) r << i;
  return r;
}

// The visible part of the bottom line, read from left to right.
QString Sentence(frmcijferdeel& s) {
  std::vector<kit::Label*> parts{&s.lbltot, &s.lbltekdeel, &s.lbltekdelers, &s.lbltekgelijk,
                                 &s.lblQ,   &s.lbltekrest, &s.lblrest};
  std::sort(parts.begin(), parts.end(), [](auto* a, auto* b) { return a->Geometry().left < b->Geometry().left; });
  QStringList words;
  for (kit::Label* l : parts)
    if (Seen(*l)) words << l->Caption();
  return words.join(u' ');
}

int SeenFrames(frmcijferdeel& s) {
  int n = 0;
  for (int i = 0; i < 9; ++i) n += Seen(s.frmdeler[i]) ? 1 : 0;
  return n;
}

// Everything the screen holds: each widget's place, whether it is shown and its text.
QStringList Snapshot(frmcijferdeel& s) {
  QStringList all;
  for (QWidget* w : kit::qt::Surface(s)->findChildren<QWidget*>()) {
    QString text;
    if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) text = e->text();
    if (auto* b = qobject_cast<QPushButton*>(w)) text = b->text();
    const QRect g = w->geometry();
    all << QStringLiteral("%1 %2,%3 %4 [%5]").arg(w->metaObject()->className()).arg(g.x()).arg(g.y())
               .arg(w->isHidden() ? u"hidden" : u"shown", text);
  }
  return all;
}

// Shares the problem out with the keyboard: the divisor button has the focus.
void ShareOut(frmcijferdeel& s) {
  QCOMPARE(Pupil::Focused(), kit::qt::Widget(s.cmddeler[s.deler]));
  Pupil::Key(Qt::Key_Space);
}

}  // namespace

class BlocksTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void shareOut_data() {
    QTest::addColumn<QList<int>>("draws");
    QTest::addColumn<bool>("flat");
    QTest::addColumn<int>("rods");
    QTest::addColumn<int>("cubes");
    QTest::addColumn<int>("left");
    QTest::addColumn<QString>("sentence");
    // Divisor 1 is drawn again; hundreds 2 x divisor or more too.
    QTest::newRow("111:9") << QList<int>{1, 9, 1, 1, 1} << false << 1 << 2 << 3 << "111 : 9 = 12 rest 3";
    QTest::newRow("399:2") << QList<int>{2, 9, 5, 4, 3, 9, 9} << true << 9 << 9 << 1 << "399 : 2 = 199 rest 1";
    QTest::newRow("347:4") << QList<int>{4, 3, 4, 7} << false << 8 << 6 << 3 << "347 : 4 = 86 rest 3";
    QTest::newRow("246:2") << QList<int>{2, 2, 4, 6} << true << 2 << 3 << 0 << "246 : 2 = 123 rest 0";
    QTest::newRow("927:9 no tens") << QList<int>{9, 9, 2, 7} << true << 0 << 3 << 0 << "927 : 9 = 103 rest 0";
    QTest::newRow("241:2 no units") << QList<int>{2, 2, 4, 1} << true << 2 << 0 << 1 << "241 : 2 = 120 rest 1";
  }
  void shareOut() {
    QFETCH(QList<int>, draws);
    QFETCH(bool, flat);
    QFETCH(int, rods);
    QFETCH(int, cubes);
    QFETCH(int, left);
    QFETCH(QString, sentence);
    app::Program p;
    frmcijferdeel& s = Open(p, draws);
    QVERIFY(Pupil::Click(s.cmdstart));
    QVERIFY(ScriptUsedUp(p));
    const QString dividend = sentence.section(u' ', 0, 0);
    const int deler = sentence.section(u' ', 2, 2).toInt();
    const int h = dividend.at(0).digitValue(), t = dividend.at(1).digitValue(), e = dividend.at(2).digitValue();
    QCOMPARE(SeenSlots(s.img100H), Range(0, h - 1));
    QCOMPARE(SeenSlots(s.img10T), Range(0, t - 1));
    QCOMPARE(SeenSlots(s.img1E), Range(0, e - 1));
    QCOMPARE(s.txtquotient[0].Text() + s.txtquotient[1].Text() + s.txtquotient[2].Text(), dividend);
    QCOMPARE(SeenFrames(s), deler);
    QVERIFY(!Seen(s.cmdstart) && !Seen(s.cmdstop2) && Sentence(s).isEmpty());
    ShareOut(s);

    for (int i = 0; i < deler; ++i) {
      QVERIFY(Seen(s.frmdeler[i]));
      QCOMPARE(Seen(s.img100deel[i + 1]), flat);
      QCOMPARE(SeenSlots(s.img10Tk[i]), Range(1, rods));
      QCOMPARE(SeenSlots(s.img1Ek[i]), Range(1, cubes));
      QCOMPARE(s.lbluitkomst[i].Caption(), sentence.section(u' ', 4, 4));
    }
    QCOMPARE(Seen(s.img100deel[0]), flat);
    QCOMPARE(SeenFrames(s), deler);
    QCOMPARE(SeenSlots(s.img100H), Slots());
    QCOMPARE(SeenSlots(s.img10T), Slots());
    QCOMPARE(SeenSlots(s.img1E), Range(0, left - 1));
    QVERIFY(Seen(s.lblmemo[0]) && Seen(s.lblmemo[1]));
    QCOMPARE(s.lblmemo[0].Caption() + u'=' + s.lblmemo[1].Caption(), QStringLiteral("rest=%1").arg(left));
    QCOMPARE(Sentence(s), sentence);
    QVERIFY(Seen(s.lbldelertje));
    QCOMPARE(s.lbldelertje.Caption(), QString::number(deler));
    for (int i = 0; i < 10; ++i) QVERIFY(!Seen(s.cmddeler[i]));
    QVERIFY(Seen(s.cmdstop2));
    QCOMPARE(Pupil::Focused(), kit::qt::Widget(s.cmdstart));
    testing_support::Shot(s, QStringLiteral("blocks_") + QString::fromLatin1(QTest::currentDataTag()));
  }

  void startAgainClears_data() {
    QTest::addColumn<QList<int>>("draws");
    QTest::newRow("2 frames then 9") << QList<int>{2, 3, 9, 9, 9, 1, 1, 1};
    QTest::newRow("9 frames then 4") << QList<int>{9, 1, 1, 1, 4, 3, 4, 7};
  }
  void startAgainClears() {
    QFETCH(QList<int>, draws);
    app::Program p;
    frmcijferdeel& s = Open(p, draws);
    QVERIFY(Pupil::Click(s.cmdstart));
    ShareOut(s);
    Pupil::Key(Qt::Key_Space);  // START has the focus now
    QVERIFY(ScriptUsedUp(p));
    QCOMPARE(SeenFrames(s), draws.at(4));
    for (int i = 0; i < 9; ++i) {
      QVERIFY(!Seen(s.img100deel[i + 1]));
      QCOMPARE(SeenSlots(s.img10Tk[i]), Slots());
      QCOMPARE(SeenSlots(s.img1Ek[i]), Slots());
      QCOMPARE(s.lbluitkomst[i].Caption(), QString());
    }
    QCOMPARE(SeenSlots(s.img100H), Range(0, draws.at(5) - 1));
    QCOMPARE(SeenSlots(s.img1E), Range(0, draws.at(7) - 1));
    QVERIFY(!Seen(s.lblmemo[0]) && !Seen(s.lblmemo[1]) && Sentence(s).isEmpty());
    // The old divisor label is still there, under the new divisor button.
    QCOMPARE(s.lbldelertje.Caption(), QString::number(draws.at(0)));
    QVERIFY(Seen(s.cmddeler[draws.at(4)]));
    QCOMPARE(s.cmddeler[draws.at(4)].Caption(), QString::number(draws.at(4)));
    testing_support::Shot(s, QStringLiteral("blocks_problem_") + QString::fromLatin1(QTest::currentDataTag()));
  }

  // The digit table is for looking at: whatever the pupil does in it, the
  // heads and the dividend's digits stay as the program wrote them.
  void digitTableCannotBeChanged_data() {
    QTest::addColumn<bool>("head");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("H head") << true << 0 << "H";
    QTest::newRow("tens digit") << false << 1 << "4";
  }
  void digitTableCannotBeChanged() {
    QFETCH(bool, head);
    QFETCH(int, column);
    QFETCH(QString, text);
    app::Program p;
    frmcijferdeel& s = Open(p, {4, 3, 4, 7});
    QVERIFY(Pupil::Click(s.cmdstart));
    kit::TextBox& box = head ? s.txtorde[column] : s.txtquotient[column];
    QVERIFY(Pupil::Click(box));
    QCOMPARE(Pupil::FocusedBox(), kit::qt::Edit(box));
    Pupil::Type(QStringLiteral("9x"));
    Pupil::Backspace();
    Pupil::Key(Qt::Key_Delete);
    Pupil::SetClipboard(QStringLiteral("77"));
    Pupil::Paste();
    Pupil::PasteFromContextMenu(kit::qt::Edit(box));
    QCOMPARE(box.Text(), text);
    QVERIFY(Pupil::Click(s.cmddeler[4]));
    QCOMPARE(Sentence(s), QStringLiteral("347 : 4 = 86 rest 3"));
  }

  void divisorTwoKeepsHundredsSmall() {
    {
      app::Program p;
      frmcijferdeel& s = Open(p, {2, 4, 9, 1, 5, 5});  // 4 is already too many
      QVERIFY(Pupil::Click(s.cmdstart));
      QVERIFY(ScriptUsedUp(p));
      QCOMPARE(s.txtquotient[0].Text(), QStringLiteral("1"));
    }
    // Clock-seeded problems, read off the screen: the divisor from its button,
    // the hundreds from the digit table.
    app::Program p;
    frmcijferdeel& s = Open(p);
    std::set<int> hundredsForTwo;
    for (int run = 0; run < 400; ++run) {
      QVERIFY(Pupil::Click(s.cmdstart));
      int deler = 0;
      for (int i = 0; i < 10; ++i)
        if (Seen(s.cmddeler[i])) deler = i;
      const int h = s.txtquotient[0].Text().toInt();
      QVERIFY2(deler >= 2 && h >= 1 && h < 2 * deler, qPrintable(QStringLiteral("%1 : %2").arg(h).arg(deler)));
      QCOMPARE(SeenFrames(s), deler);
      if (deler == 2) hundredsForTwo.insert(h);
      QVERIFY(Pupil::Click(s.cmddeler[deler]));
    }
    QCOMPARE(hundredsForTwo, (std::set<int>{1, 2, 3}));
  }

  // Leaving and opening again from the menu runs the reset a second time: the
  // screen must look exactly as the first reset left it.
  void resetTwiceIsOnce() {
    app::Program p;
    frmcijferdeel& s = Open(p, {4, 3, 4, 7});
    QVERIFY(Pupil::Click(s.cmdstart));
    ShareOut(s);
    const QStringList shared = Snapshot(s);
    QVERIFY(Pupil::Click(s.cmdstop2));
    const QStringList once = Snapshot(s);
    QVERIFY(once != shared);
    QVERIFY(Pupil::Click(p.frmkiesbasis().Command1));
    QCOMPARE(Snapshot(s), once);
  }

  void activationBringsIdle_data() {
    QTest::addColumn<int>("clicks");  // 0 Idle, 1 Problem, 2 Shared
    QTest::newRow("Idle") << 0;
    QTest::newRow("Problem") << 1;
    QTest::newRow("Shared") << 2;
  }
  void activationBringsIdle() {
    QFETCH(int, clicks);
    app::Program p;
    frmcijferdeel& s = Open(p, {3, 5, 1, 2});
    if (clicks >= 1) QVERIFY(Pupil::Click(s.cmdstart));
    if (clicks >= 2) ShareOut(s);
    if (clicks == 1) {
      // During a problem there is no way out, not even the close box; the
      // screen is shown once more from outside to reach its activation.
      Pupil::Close(s);
      QVERIFY(s.Visible() && Seen(s.cmddeler[3]));
      s.Show();
    } else {
      QVERIFY(Pupil::Click(s.cmdstop2));
      QVERIFY(Pupil::Click(p.frmkiesbasis().Command1));
    }
    QVERIFY(s.Visible() && Seen(s.cmdstart) && Seen(s.cmdstop2));
    QCOMPARE(SeenFrames(s), 0);
    for (int i = 0; i < 10; ++i) QVERIFY(!Seen(s.cmddeler[i]));
    for (int i = 0; i < 3; ++i) QCOMPARE(s.txtquotient[i].Text(), QString());
    QVERIFY(SeenSlots(s.img100H).isEmpty() && SeenSlots(s.img10T).isEmpty() && SeenSlots(s.img1E).isEmpty());
    QVERIFY(!Seen(s.lblmemo[0]) && !Seen(s.lblmemo[1]) && Sentence(s).isEmpty());
    QCOMPARE(Seen(s.lbldelertje), clicks == 2);
  }

  void stopKeepsMenuTotal_data() {
    QTest::addColumn<QString>("total");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("0, STOP") << "0" << false;
    QTest::newRow("7, STOP") << "7" << false;
    QTest::newRow("7, close box") << "7" << true;
  }
  void stopKeepsMenuTotal() {
    QFETCH(QString, total);
    QFETCH(bool, closeBox);
    app::Program p;
    frmcijferdeel& s = Open(p, {5, 9, 9, 9});
    // A total earned elsewhere lives in the menu's label between screens; it
    // is written there directly because earning it belongs to the scoring
    // screens. Writing it while this screen is up also catches a screen that
    // would hand back a total of its own.
    p.frmkiesbasis().lblgemaakt.SetCaption(total);
    QVERIFY(Pupil::Click(s.cmdstart));
    ShareOut(s);
    if (closeBox)
      Pupil::Close(s);
    else
      QVERIFY(Pupil::Click(s.cmdstop2));
    QVERIFY(p.frmkiesbasis().Visible() && !s.Visible());
    QCOMPARE(p.frmkiesbasis().lblgemaakt.Caption(), total);
    QVERIFY(Pupil::Click(p.frmkiesbasis().Command1));
    QCOMPARE(p.frmkiesbasis().lblgemaakt.Caption(), total);
  }
};

REKENTOL_TEST_MAIN(BlocksTest)
#include "tst_frmcijferdeel.moc"
