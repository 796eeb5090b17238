// The key code each press carries to the key-press handlers, whatever the
// platform puts into the event's text.

#include <QKeyEvent>
#include <QTest>

#include "kit/qt/keyinput.h"
#include "support/testmain.h"

class KeyCodeTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void codes_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");  // -1: no key press for the handler
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const int shift = Qt::ShiftModifier;
    const int alt = Qt::AltModifier;
    QTest::newRow("digit") << int(Qt::Key_7) << none << "7" << int('7');
    QTest::newRow("keypad digit") << int(Qt::Key_7) << int(Qt::KeypadModifier) << "7" << int('7');
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << int('a');
    QTest::newRow("shifted") << int(Qt::Key_Exclam) << shift << "!" << int('!');
    QTest::newRow("non-ascii") << int(Qt::Key_unknown) << none << QString(QChar(0xE9)) << 0xE9;
    // The box types these too, though they are not printable.
    QTest::newRow("zero-width space") << int(Qt::Key_unknown) << none << QString(QChar(0x200B)) << 0x200B;
    QTest::newRow("private use") << int(Qt::Key_unknown) << none << QString(QChar(0xE000)) << 0xE000;
    QTest::newRow("beyond 16 bits") << int(Qt::Key_unknown) << none << QString::fromUcs4(U"\U0001D7CF") << 0x1D7CF;
    QTest::newRow("several characters") << int(Qt::Key_5) << none << "5x" << 127;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << 8;
    QTest::newRow("enter") << int(Qt::Key_Return) << none << "\r" << 13;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13;
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << 27;
    // Under a test harness Ctrl+V carries "v" as its text; real keyboards send
    // control characters. Either way the code is 22.
    QTest::newRow("ctrl+v text v") << int(Qt::Key_V) << ctrl << "v" << 22;
    QTest::newRow("ctrl+v control char") << int(Qt::Key_V) << ctrl << "\x16" << 22;
    QTest::newRow("shift+insert") << int(Qt::Key_Insert) << shift << "" << 22;
    QTest::newRow("ctrl+c") << int(Qt::Key_C) << ctrl << "c" << 3;
    QTest::newRow("ctrl+insert") << int(Qt::Key_Insert) << ctrl << "" << 3;
    QTest::newRow("ctrl+z") << int(Qt::Key_Z) << ctrl << "z" << 26;
    QTest::newRow("alt+backspace") << int(Qt::Key_Backspace) << alt << "" << 26;
    QTest::newRow("ctrl+x") << int(Qt::Key_X) << ctrl << "x" << 24;
    QTest::newRow("shift+delete") << int(Qt::Key_Delete) << shift << "" << 24;
    QTest::newRow("ctrl+y") << int(Qt::Key_Y) << ctrl << "y" << 25;
    QTest::newRow("ctrl+shift+z") << int(Qt::Key_Z) << (ctrl | shift) << "Z" << 25;
    QTest::newRow("ctrl+a") << int(Qt::Key_A) << ctrl << "a" << 1;
    QTest::newRow("ctrl+backspace") << int(Qt::Key_Backspace) << ctrl << "" << 127;
    QTest::newRow("ctrl+delete") << int(Qt::Key_Delete) << ctrl << "" << 127;
    QTest::newRow("ctrl+digit") << int(Qt::Key_5) << ctrl << "5" << 127;
    QTest::newRow("arrow") << int(Qt::Key_Left) << none << "" << -1;
    QTest::newRow("delete") << int(Qt::Key_Delete) << none << "" << -1;
    QTest::newRow("home") << int(Qt::Key_Home) << none << "" << -1;
    QTest::newRow("tab") << int(Qt::Key_Tab) << none << "\t" << -1;
    QTest::newRow("f1") << int(Qt::Key_F1) << none << "" << -1;
  }
  void codes() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, code);
    const QKeyEvent e(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    const std::optional<int> got = kit::KeyAsciiOf(e);
    QCOMPARE(got.value_or(-1), code);
  }
};

REKENTOL_TEST_MAIN(KeyCodeTest)
#include "tst_keycodes.moc"
