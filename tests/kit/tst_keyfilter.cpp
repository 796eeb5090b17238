// The numeric key filter, driven through real key events into a box.

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include "kit/keyfilter.h"
#include "kit/numbers.h"
#include "kit/window.h"
#include "support/pupil.h"
#include "support/testmain.h"
#include "kit/qt/native.h"

using testing_support::Pupil;

namespace {

struct Board {
  kit::Window window{QStringLiteral("test"), 3000, 1500, kit::colours::kBoardGrey};
  kit::TextBox box{window, {120, 120, 2000, 500}};
  int changes = 0;
  explicit Board(QStringView allowed) {
    kit::FilterAsNumber(box, allowed);
    auto rule = box.onChange;
    box.onChange = [this, rule] {
      ++changes;
      rule();
    };
    window.Show();
    box.SetFocus();
  }
  // Puts text in the box as a start state, caret at `caret`.
  void Start(const QString& text, int caret = -1) {
    box.SetTextQuiet(text);
    box.SetSelStart(caret < 0 ? int(text.size()) : caret);
  }
};

// Counts the key presses that reach a widget, by key.
class KeySpy final : public QObject {
 public:
  explicit KeySpy(QWidget* w) { w->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::KeyPress) ++seen[static_cast<QKeyEvent*>(e)->key()];
    return false;
  }
  std::map<int, int> seen;
};

}  // namespace

class KeyFilterTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void isNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("number");
    QTest::newRow("digit") << "7" << true;
    QTest::newRow("blanks and sign") << "  -12" << true;
    QTest::newRow("plus") << "+3" << true;
    QTest::newRow("point") << "1.5" << true;
    QTest::newRow("comma") << "1,5" << true;
    QTest::newRow("trailing separator") << "-5." << true;
    QTest::newRow("leading separator") << ".5" << true;
    QTest::newRow("two separators") << "1.5," << false;
    QTest::newRow("lone minus") << "-" << false;
    QTest::newRow("minus point") << "-." << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("letters") << "a1" << false;
    QTest::newRow("trailing blank") << "12 " << false;
    QTest::newRow("inner sign") << "1-2" << false;
    QTest::newRow("exponent") << "1e5" << false;
    QTest::newRow("arabic-indic digit") << QString(QChar(0x0663)) << false;
  }
  void isNumber() {
    QFETCH(QString, text);
    QFETCH(bool, number);
    QCOMPARE(kit::IsNumber(text), number);
  }

  void readNumber() {
    QCOMPARE(kit::ReadNumber(u""), 0.0);
    QCOMPARE(kit::ReadNumber(u"-"), 0.0);
    QCOMPARE(kit::ReadNumber(u"abc"), 0.0);
    QCOMPARE(kit::ReadNumber(u" 12"), 12.0);
    QCOMPARE(kit::ReadNumber(u"2,5"), 2.5);
    QCOMPARE(kit::ReadNumber(u"-0.5"), -0.5);
    QCOMPARE(kit::ReadInt16(u"40000"), std::int16_t(32767));
    QCOMPARE(kit::CountUp(std::int16_t(32767)), std::int16_t(32767));
  }

  // Typed keys into an empty box, for both character sets.
  void typing_data() {
    QTest::addColumn<QString>("allowed");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    const QString digits = kit::kDigits.toString();
    const QString signed_ = kit::kDigitsSignPoint.toString();
    QTest::newRow("digit accepted") << digits << "7" << "7";
    QTest::newRow("minus swallowed") << digits << "-" << "";
    QTest::newRow("point swallowed") << digits << "." << "";
    QTest::newRow("comma swallowed") << digits << "," << "";
    QTest::newRow("letters swallowed") << digits << "a7b" << "7";
    // Not printable, yet the box would type it; the change rule then emptied the box.
    QTest::newRow("zero-width space swallowed") << digits << QStringLiteral("7\u200B") << "7";
    QTest::newRow("private-use character swallowed") << signed_ << QStringLiteral("-7\uE000") << "-7";
    QTest::newRow("several digits") << digits << "123" << "123";
    QTest::newRow("lone minus accepted") << signed_ << "-" << "-";
    QTest::newRow("second minus swallowed") << signed_ << "--" << "-";
    QTest::newRow("point after lone minus swallowed") << signed_ << "-." << "-";
    QTest::newRow("point after a digit") << signed_ << "-5." << "-5.";
    QTest::newRow("second point swallowed") << signed_ << "5.." << "5.";
    QTest::newRow("point first swallowed") << signed_ << ".5" << "5";
    QTest::newRow("comma swallowed with sign set") << signed_ << "5," << "5";
  }
  void typing() {
    QFETCH(QString, allowed);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    Board b(allowed);
    Pupil::Type(keys);
    QCOMPARE(b.box.Text(), result);
  }

  void minusOnlyAtTheStart() {
    Board b(kit::kDigitsSignPoint);
    b.Start(QStringLiteral("12"), 1);
    Pupil::Type(QStringLiteral("-"));
    QCOMPARE(b.box.Text(), QStringLiteral("12"));
  }

  void controlKeys() {
    Board b(kit::kDigits);
    b.Start(QStringLiteral("34"));
    Pupil::Backspace();
    QCOMPARE(b.box.Text(), QStringLiteral("3"));
    b.Start(QStringLiteral("34"), 0);
    kit::qt::Edit(b.box)->selectAll();
    Pupil::Key(Qt::Key_X, Qt::ControlModifier);  // cut: swallowed
    QCOMPARE(b.box.Text(), QStringLiteral("34"));
    Pupil::Key(Qt::Key_Delete, Qt::ShiftModifier);  // cut by its other binding
    QCOMPARE(b.box.Text(), QStringLiteral("34"));
    Pupil::SetClipboard(QString());
    Pupil::Key(Qt::Key_C, Qt::ControlModifier);  // copy passes
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("34"));
  }

  // The box ignores Enter, Escape and Up, so Qt hands them on to the window;
  // Enter and Escape must stay in the box even when its handler lets them pass
  // (the numeric filter would swallow them).
  void enterAndEscapeStayInTheBox() {
    Board b(kit::kDigits);
    b.box.onKeyPress = nullptr;
    KeySpy window(kit::qt::Surface(b.window));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Up}) Pupil::Key(key);
    QCOMPARE(window.seen, (std::map<int, int>{{Qt::Key_Up, 1}}));
  }

  void undoPassesAndIsRepaired() {
    Board b(kit::kDigits);
    Pupil::Type(QStringLiteral("5"));
    Pupil::Type(QStringLiteral("6"));
    Pupil::Key(Qt::Key_Z, Qt::ControlModifier);  // the box undoes the typing as one
    QCOMPARE(b.box.Text(), QString());
    Pupil::Type(QStringLiteral("6"));
    Pupil::Key(Qt::Key_Backspace, Qt::AltModifier);  // undo by its other binding
    QCOMPARE(b.box.Text(), QString());
  }

  // Ctrl+V and Shift+Ins, against the clipboard's text.
  void paste_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("selected");  // the start text selected, else the caret at its end
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("result");
    QTest::newRow("digits after the caret") << "3" << false << "12" << "312";
    QTest::newRow("letters refused") << "3" << false << "abc" << "3";
    QTest::newRow("second separator refused") << "2." << false << "1.5" << "2.";
    QTest::newRow("point and comma refused") << "2" << false << "1,5." << "2";
    // Pasted over a selection, an empty clipboard would empty the box.
    QTest::newRow("empty clipboard refused") << "2" << true << "" << "2";
    QTest::newRow("trailing newline refused") << "2" << false << "4\n" << "2";
  }
  void paste() {
    QFETCH(QString, start);
    QFETCH(bool, selected);
    QFETCH(QString, clipboard);
    QFETCH(QString, result);
    for (auto mods : {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
      Board b(kit::kDigits);
      b.Start(start);
      if (selected) kit::qt::Edit(b.box)->selectAll();
      Pupil::SetClipboard(clipboard);
      Pupil::Key(mods == Qt::ControlModifier ? Qt::Key_V : Qt::Key_Insert, mods);
      QCOMPARE(b.box.Text(), result);
    }
  }

  // A paste through the box's own menu sends no key: the change rule takes the
  // clipboard's text out again.
  void contextMenuPasteIsCutOut() {
    Board b(kit::kDigits);
    b.Start(QStringLiteral("23"), 1);
    Pupil::SetClipboard(QStringLiteral("a1"));
    QStringList seen;
    auto rule = b.box.onChange;
    b.box.onChange = [&] {
      seen << b.box.Text();
      rule();
    };
    QVERIFY(Pupil::PasteFromContextMenu(kit::qt::Edit(b.box)));
    QCOMPARE(seen.value(0), QStringLiteral("2a13"));
    QCOMPARE(b.box.Text(), QStringLiteral("23"));
  }

  void contextMenuPasteOfANumberStays() {
    Board b(kit::kDigits);
    b.Start(QStringLiteral("2"));
    Pupil::SetClipboard(QStringLiteral("45"));
    QVERIFY(Pupil::PasteFromContextMenu(kit::qt::Edit(b.box)));
    QCOMPARE(b.box.Text(), QStringLiteral("245"));
  }

  // A right click opens the box's own menu: Dutch, only the entries the key
  // rules allow, each enabled when it can do something; a box that takes no
  // text shows none.
  void contextMenuIsDutchAndOnlyWhatTheRulesAllow() {
    Board b(kit::kDigits);
    b.Start(QStringLiteral("12"));
    kit::qt::Edit(b.box)->selectAll();
    Pupil::SetClipboard(QStringLiteral("3"));
    QStringList shown;
    QTimer::singleShot(0, [&] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (QAction* a : menu->actions())
          if (!a->isSeparator()) shown << a->text().remove(u'&') + (a->isEnabled() ? u"+" : u"-");
        menu->close();
      }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), kit::qt::Edit(b.box)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(kit::qt::Edit(b.box), &event);
    QCOMPARE(shown, (QStringList{QStringLiteral("Ongedaan maken-"), QStringLiteral("Kopi\u00EBren+"),
                                 QStringLiteral("Plakken+"), QStringLiteral("Alles selecteren+")}));

    b.box.SetLocked(true);
    shown.clear();
    bool popped = false;
    QTimer::singleShot(0, [&] {
      if (QWidget* popup = QApplication::activePopupWidget()) {
        popped = true;
        popup->close();
      }
    });
    QApplication::sendEvent(kit::qt::Edit(b.box), &event);
    QTest::qWait(20);
    QVERIFY(!popped);
  }

  // Text that is not a number and not the clipboard's never stays in a box; a
  // lone minus stands only where a sign may be typed.
  void strayTextIsEmptied_data() {
    QTest::addColumn<QString>("allowed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    const QString digits = kit::kDigits.toString(), signed_ = kit::kDigitsSignPoint.toString();
    QTest::newRow("letters") << digits << "x7" << "";
    QTest::newRow("lone minus, digits only") << digits << "-" << "";
    QTest::newRow("lone minus, signed") << signed_ << "-" << "-";
    QTest::newRow("minus and digit, signed") << signed_ << "-3" << "-3";
  }
  void strayTextIsEmptied() {
    QFETCH(QString, allowed);
    QFETCH(QString, text);
    QFETCH(QString, result);
    Board b(allowed);
    Pupil::SetClipboard(QStringLiteral("9"));
    b.box.SetText(text);
    QCOMPARE(b.box.Text(), result);
  }

  // A digit, which the change rule would let stand: only the refusal keeps it out.
  void inputMethodAndDropsRefused() {
    Board b(kit::kDigits);
    b.Start(QStringLiteral("2"));
    QLineEdit* edit = kit::qt::Edit(b.box);
    QInputMethodEvent im;
    im.setCommitString(QStringLiteral("7"));
    QApplication::sendEvent(edit, &im);
    QCOMPARE(b.box.Text(), QStringLiteral("2"));

    QMimeData dragged;
    dragged.setText(QStringLiteral("7"));
    const QPoint at = edit->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    QVERIFY(!enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &drop);
    QCOMPARE(b.box.Text(), QStringLiteral("2"));
    QCOMPARE(b.changes, 0);
  }

  void focusOnHiddenOrDisabledIsHarmless() {
    Board b(kit::kDigits);
    kit::TextBox other(b.window, {120, 720, 600, 500});
    other.SetVisible(false);
    other.SetFocus();
    QVERIFY(b.box.HasFocus());
    other.SetVisible(true);
    other.SetEnabled(false);
    other.SetFocus();
    QVERIFY(b.box.HasFocus());
  }

  void programTextRaisesChangeOnceAndSameTextIsNoChange() {
    Board b(kit::kDigits);
    b.box.SetText(QStringLiteral("4"));
    QCOMPARE(b.changes, 1);
    b.box.SetText(QStringLiteral("4"));
    QCOMPARE(b.changes, 1);
    b.box.SetTextQuiet(QString());
    QCOMPARE(b.changes, 1);
  }

  void keyPressReachesHandlerBeforeTheBox() {
    Board b(kit::kDigits);
    QString textAtKey = QStringLiteral("unset");
    b.box.onKeyPress = [&](int& key) {
      textAtKey = b.box.Text();
      QCOMPARE(key, int('8'));
    };
    Pupil::Type(QStringLiteral("8"));
    QCOMPARE(textAtKey, QString());
    QCOMPARE(b.box.Text(), QStringLiteral("8"));
  }
};

REKENTOL_TEST_MAIN(KeyFilterTest)
#include "tst_keyfilter.moc"
