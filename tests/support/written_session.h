#pragma once
// A fresh program with one written-division screen open, and what the tests of
// those boards read off it: the focus by box name or button, the boxes and
// lines on view, the red subtraction boxes, and the board that NIEUW and NOG
// EENS leave behind.

#include <QTest>
#include <source_location>
#include <string_view>

#include "kit/units.h"
#include "support/board_probe.h"
#include "support/open_screen.h"
#include "support/pupil.h"
#include "kit/qt/native.h"

namespace testing_support {

template <class Screen>
struct WrittenSession : ProgramRun {
  Screen* s;

  // `draws` is the script START draws from, or ClockChance.
  template <class Draws>
  WrittenSession(Draws draws, std::string_view name, const std::source_location& where)
      : ProgramRun(draws), s(&Open<Screen>(name, where)) {}
  Screen& operator*() { return *s; }
  Screen* operator->() { return s; }

  BoardProbe Board() {
    return BoardProbe().Add(QStringLiteral("q"), s->txtquotient).Add(QStringLiteral("a"), s->txtaftrek);
  }
  // "q1", "a7", a button's tool tip, or "?".
  QString Focus() {
    if (const QString box = Board().Focus(); !box.isEmpty()) return box;
    QWidget* w = Pupil::Focused();
    for (kit::Button* b : {&s->cmdstart, &s->cmdcontrole, &s->cmdnieuw, &s->cmdnogeens, &s->cmdstop})
      if (w == kit::qt::Widget(*b)) return b->ToolTipText();
    return QStringLiteral("?");
  }
  // The group's boxes on view, by index after `name`.
  static QString Shown(kit::Group<kit::TextBox>& g, const QString& name = QString()) {
    return BoardProbe().Add(name, g).Where(Look::Visible);
  }
  QString Lines() { return LinesShown(*s); }
  // The red subtraction boxes by index.
  QString Red() { return BoardProbe().Add(QString(), s->txtaftrek).Where(Look::Red); }
  // No subtraction box or line on view, the quotient boxes empty, shut and
  // upright, no result, the board grey: whatever the board held before.
  void VerifyCleared() {
    QCOMPARE(Shown(s->txtaftrek), QString());
    QCOMPARE(Lines(), QString());
    s->txtquotient.ForEach([](kit::TextBox& b, int) {
      QVERIFY(b.Visible() && !b.Enabled() && b.Text().isEmpty() && !b.Italic());
    });
    QVERIFY(!s->lbluitkomst.Visible());
    QCOMPARE(s->BackColor(), kit::colours::kBoardGrey);
  }
};

}  // namespace testing_support
