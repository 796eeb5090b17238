#pragma once
// Reads a board's text boxes as data, so that a test states a whole row, or a
// set of boxes, in one line and learns the first box that differs by its name.
//
// A new board's test names the boxes it looks at, in the order it lists them:
//   BoardProbe row;
//   row.Add(u"H", s.txtHx).Add(u"r", s.txtHr).Add(u"rest", s.txtrest);
//   QCOMPARE(row.Mismatch({"2", "1", "", "0"}), QString());   // texts, in order
//   QCOMPARE(row.Where(Look::Red), QStringLiteral("r1"));      // the red boxes
//   QCOMPARE(row.Focus(), QStringLiteral("H0"));               // the focused box
// A group's element is named prefix + index ("a7"); a single box by its name.

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <vector>

#include "kit/controls.h"

namespace board {
class BoardScreen;
}
namespace kit {
class Window;
}

namespace testing_support {

enum class Look {
  Visible,  // the box's own setting, whether or not its window is on view
  Enabled,
  Italic,
  Red,      // background the colour of a wrong answer
  White,    // background white
  Focus,    // the box has the keyboard focus
};

class BoardProbe {
 public:
  // Every element of the group (indices the group skips left out).
  BoardProbe& Add(const QString& prefix, kit::Group<kit::TextBox>& group);
  // Only these elements, in this order.
  BoardProbe& Add(const QString& prefix, kit::Group<kit::TextBox>& group, std::initializer_list<int> indices);
  BoardProbe& Add(const QString& name, kit::TextBox& box);

  QStringList Names() const;
  QStringList Texts() const;
  static bool Is(const kit::TextBox& box, Look look);
  // The names of the boxes for which the look holds, blank-separated in order.
  QString Where(Look look) const;
  // The focused box's name; empty when the focus is on none of them.
  QString Focus() const { return Where(Look::Focus); }
  // Empty when the texts equal `expected` box by box; otherwise the first box
  // that differs, with what it holds and what was expected.
  QString Mismatch(const QStringList& expected) const;

 private:
  struct Entry {
    QString name;
    kit::TextBox* box;
  };
  static bool Holds(const kit::TextBox& box, Look look, const QWidget* focused);
  std::vector<Entry> boxes_;
};

// The board's subtraction lines on view, blank-separated: "min0 HT1_1 E0 HT".
QString LinesShown(board::BoardScreen& s);

// The characters the key filter lets a pupil type into the screen's answer
// boxes: a board's own set, digits alone on the screens without a board.
QStringView BoxCharacters(const kit::Window& screen);

}  // namespace testing_support
