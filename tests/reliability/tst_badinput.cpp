// The bad-input catalogue: what a pupil can do wrong with keyboard, mouse and
// clipboard on every exercise screen, the close box in every state a screen
// reaches, and counters driven to the top of their 16-bit range. Whatever the
// input, afterwards the program runs, every answer box holds empty text or a
// number (a lone "-" only where a sign may be typed), and the total of correct
// exercises is what the pupil earned.

#include <QAbstractButton>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>

#include "app/frminfo.h"
#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "app/mdiform2.h"
#include "blocks/frmcijferdeel.h"
#include "kit/exercise.h"
#include "kit/numbers.h"
#include "support/board_probe.h"
#include "support/open_screen.h"
#include "support/pupil.h"
#include "support/solve_screens.h"
#include "support/testmain.h"
#include "kit/qt/native.h"

using testing_support::NextMove;
using testing_support::ProgramRun;
using testing_support::Pupil;

namespace {

enum class Kind { Blocks, Scoring, Series };
struct ScreenFacts {
  const char* name;
  Kind kind;
};
const ScreenFacts kScreens[] = {
    {"frmcijferdeel", Kind::Blocks},   {"frmschat100", Kind::Scoring},   {"frmschat", Kind::Scoring},
    {"frmkomma", Kind::Scoring},       {"frmcijferdeel0", Kind::Series}, {"frmcijferdelen", Kind::Series},
    {"frmcijferdelen2", Kind::Series}, {"frmcijferdelen4", Kind::Series}, {"frmcijferdelen5", Kind::Series},
};
const ScreenFacts& Facts(const QString& name) {
  return *std::find_if(std::begin(kScreens), std::end(kScreens),
                       [&](const ScreenFacts& f) { return name == QLatin1String(f.name); });
}

// Divisor 2 and the largest dividend: the estimation screens' quotient has at
// least two digits, so an estimate whose first digit is 5 off is wrong. The
// other screens take what they can of it and draw the rest.
const QList<double> kChance{kit::ScriptedRandom::For(2, 9), 0.9999};
constexpr int kEarlier = 3;  // the total as earlier work left it
constexpr int kTop = 32767;

// What a box may hold, written apart from the program's own rule: blanks, a
// sign, digits with at most one separator, at least one digit.
bool Acceptable(const QString& text, bool signPoint) {
  static const QRegularExpression number(QStringLiteral("^ *[+-]?([0-9]+[.,]?[0-9]*|[.,][0-9]+)$"));
  return text.isEmpty() || number.match(text).hasMatch() || (signPoint && text == u"-");
}

enum Way { Keys, CtrlV, ShiftIns, MenuPaste, InputMethod, Drop, MiddleClick };
const char* const kWayNames[] = {"keys", "Ctrl+V", "Shift+Ins", "menu Plakken", "input method", "drop", "middle click"};

// A held key types this much of a long text; the rest would only repeat it.
constexpr int kTypedLength = 200;

// False when the way is not open to the pupil (a box that takes no text shows
// no menu).
bool Feed(QLineEdit* box, Way way, const QString& text) {
  QMimeData dragged;
  const QPoint middle = box->rect().center();
  switch (way) {
    case Keys: Pupil::Type(text.left(kTypedLength)); break;
    case CtrlV: Pupil::SetClipboard(text); Pupil::Key(Qt::Key_V, Qt::ControlModifier); break;
    case ShiftIns: Pupil::SetClipboard(text); Pupil::Key(Qt::Key_Insert, Qt::ShiftModifier); break;
    case MenuPaste:
      Pupil::SetClipboard(text);
      if (!Pupil::PasteFromContextMenu(box)) return box->isReadOnly();
      break;
    case InputMethod: {
      QInputMethodEvent commit;
      commit.setCommitString(text);
      QApplication::sendEvent(box, &commit);
      break;
    }
    case Drop: {
      dragged.setText(text);
      QDragEnterEvent enter(middle, Qt::CopyAction | Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(box, &enter);
      QDropEvent drop(middle, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(box, &drop);
      break;
    }
    case MiddleClick:
      QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
      QTest::mouseClick(box, Qt::MiddleButton, Qt::NoModifier, middle);
      break;
  }
  QApplication::processEvents();
  return true;
}

// The boxes the pupil answers in: the solver's, and whatever else can be typed into.
std::vector<QLineEdit*> AnswerBoxes(kit::Window& s) {
  std::vector<QLineEdit*> boxes;
  if (const auto* solver = testing_support::SolverFor(s)) solver->answerBoxes(s, boxes);
  for (QLineEdit* e : kit::qt::Top(s)->findChildren<QLineEdit*>())
    if (e->isVisible() && e->isEnabled() && !e->isReadOnly() && std::find(boxes.begin(), boxes.end(), e) == boxes.end())
      boxes.push_back(e);
  return boxes;
}

bool Press(kit::Window& s, QStringView tip) {
  QAbstractButton* b = Pupil::Offered(s, tip);
  return b && Pupil::Click(b);
}

// The screens in use besides the main window.
int InUse(app::Program& p) {
  const std::vector<kit::Window*> screens = p.Screens();
  return int(std::count_if(screens.begin(), screens.end(),
                           [](kit::Window* w) { return w->Visible() && !dynamic_cast<app::MDIForm2*>(w); }));
}

// The total: the scoring screen in use holds it, the menu's label otherwise.
int Total(app::Program& p) {
  for (kit::Window* w : p.Screens())
    if (auto* s = dynamic_cast<kit::ScoringScreen*>(w); s && s->Visible()) return s->totaaljuist;
  const QString caption = p.frmkiesbasis().lblgemaakt.Caption();
  return Acceptable(caption, false) && !caption.isEmpty() ? int(kit::ReadNumber(caption)) : -1;
}

// Works the exercise in hand as the pupil who can divide does, until CONTROLE
// is on offer; with a mistake, the first digit is typed 5 off and left so.
bool Work(kit::Window& s, bool mistake) {
  const testing_support::ScreenSolver* solver = testing_support::SolverFor(s);
  if (!solver) return false;
  for (int step = 0; step < 120; ++step) {
    const NextMove move = solver->next(s, Pupil::Focused());
    if (move.kind == NextMove::Kind::Type) {
      Pupil::Type(mistake ? QString::number((move.text.toInt() + 5) % 10) : move.text);
      mistake = false;
    } else if (Pupil::Offered(s, u"CONTROLE")) {
      return true;
    } else {
      Pupil::Key(Qt::Key_Tab);
    }
  }
  return false;
}

// Works one exercise from START to the verdict; tells whether it was right.
bool Exercise(kit::Window& s, bool mistake, bool* right) {
  Press(s, u"NIEUW");  // after an earlier exercise of the series
  if (!Press(s, u"START") || !Work(s, mistake) || !Press(s, u"CONTROLE")) return false;
  *right = s.BackColor() == kit::colours::kRight;
  return true;
}

struct Input {
  const char* tag;
  QString text;
};
std::vector<Input> Inputs() {
  std::vector<Input> in{{"1 MB of digits", QString(1 << 20, u'7')}, {"1 MB of letters", QString(1 << 20, u'x')}};
  for (const char* t : {"\u0663\u0664\u0665", "\uFF11\uFF12", "\u00BD", "\u00E9", "\t", "\n", "1\n2", "\r", "\x01",
                        "-0", "1e5", "12,5", "1.5", "-", "--1", " 5", "+3"})
    in.push_back({t, QString::fromUtf8(t)});
  return in;
}

// Control characters spelt out, for row names and messages.
QString Printable(QString t) {
  for (const auto& [c, name] : {std::pair{u'\n', "\\n"}, {u'\r', "\\r"}, {u'\t', "\\t"}, {u'\x01', "\\x01"}})
    t.replace(QChar(c), QLatin1String(name));
  return t;
}

}  // namespace

class BadInputTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Every bad input, every way it can enter, one box per screen: the box the
  // screen hands the keyboard after START (on the block screen, where nothing
  // is typed, a digit box the pupil can click into).
  void entry_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<int>("way");
    QTest::addColumn<QString>("text");
    const bool selection = QGuiApplication::clipboard()->supportsSelection();
    for (const ScreenFacts& f : kScreens)
      for (int way = Keys; way <= MiddleClick; ++way)
        for (const Input& in : Inputs()) {
          if (way == MiddleClick && !selection) continue;
          QTest::addRow("%s %s %s", f.name, kWayNames[way], qPrintable(Printable(QString::fromUtf8(in.tag))))
              << QString::fromLatin1(f.name) << way << in.text;
        }
    if (!selection) QTest::newRow("middle click") << QString() << int(MiddleClick) << QString();
  }
  void entry() {
    QFETCH(QString, screen);
    QFETCH(int, way);
    QFETCH(QString, text);
    if (screen.isEmpty()) QSKIP("this platform has no selection to paste with the middle button");
    const ScreenFacts& f = Facts(screen);
    Pupil::SetClipboard(QString());
    ProgramRun run(kChance);
    QVERIFY(run.ToMenu());
    run.p.frmkiesbasis().lblgemaakt.SetCaption(kit::NumText(kEarlier));
    auto& s = run.Open<kit::ExerciseScreen>(f.name);
    QVERIFY(run.Ok() && Press(s, u"START"));
    QLineEdit* box = Pupil::FocusedBox();
    for (QLineEdit* e : kit::qt::Top(s)->findChildren<QLineEdit*>())
      if (!box && Pupil::CanClick(e)) box = e;
    QVERIFY(box);
    if (Pupil::FocusedBox() != box) QVERIFY(Pupil::Click(box));
    QCOMPARE(box->isReadOnly(), f.kind == Kind::Blocks);
    const QString before = box->text();
    const QString allowed = testing_support::BoxCharacters(s).toString();
    const bool signPoint = allowed.contains(u'-');

    QVERIFY(Feed(box, Way(way), text));

    QVERIFY(!run.p.Ended());
    QVERIFY(s.Visible());
    QCOMPARE(InUse(run.p), 1);
    if (box->isReadOnly() || way >= InputMethod) {
      QCOMPARE(box->text(), before);
    } else if (way != Keys) {
      // A paste into the empty box: a number stands whole (as much as the box
      // holds), whatever the box's keys allow; anything else leaves nothing,
      // but the box's own menu may leave the "-" that a sign key could type.
      const bool stands = Acceptable(text, false) || (way == MenuPaste && signPoint && text == u"-");
      QCOMPARE(box->text(), stands ? text.left(box->maxLength()) : QString());
    }
    for (QLineEdit* e : AnswerBoxes(s)) {
      const QString held = e->text();
      QVERIFY2(Acceptable(held, signPoint), qPrintable(Printable(held.left(40))));
      // Typed, what the box's set lacks is refused, key by key.
      if (way == Keys)
        QVERIFY2(std::all_of(held.begin(), held.end(), [&](QChar c) { return allowed.contains(c); }),
                 qPrintable(Printable(held.left(40))));
    }
    QCOMPARE(Total(run.p), kEarlier);
  }

  // The window's close box in every state a screen can reach.
  void closeBox_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("state");
    for (const char* shell : {"welcome", "menu", "info"}) QTest::newRow(shell) << shell << QString();
    for (const ScreenFacts& f : kScreens) {
      QStringList states{QStringLiteral("before START"), QStringLiteral("mid-exercise")};
      if (f.kind == Kind::Blocks) states << QStringLiteral("shared out");
      if (f.kind != Kind::Blocks) states << QStringLiteral("right") << QStringLiteral("wrong");
      if (f.kind == Kind::Series) states << QStringLiteral("series ended");
      for (const QString& state : states) QTest::addRow("%s %s", f.name, qPrintable(state)) << f.name << state;
    }
  }
  void closeBox() {
    QFETCH(QString, screen);
    QFETCH(QString, state);
    ProgramRun run(kChance);
    app::Program& p = run.p;
    int right = 0;
    kit::Window* closed = nullptr;
    if (screen == u"welcome") {
      p.Start();
      closed = &p.frmmecenaat1();
    } else {
      QVERIFY(run.ToMenu());
      p.frmkiesbasis().lblgemaakt.SetCaption(kit::NumText(kEarlier));
      if (screen == u"menu") closed = &p.frmkiesbasis();
      if (screen == u"info") {
        QVERIFY(Pupil::Click(p.frmkiesbasis().cmdeinde));
        closed = &p.frminfo();
      }
    }
    if (!closed) {
      auto& s = run.Open<kit::ExerciseScreen>(qPrintable(screen));
      QVERIFY(run.Ok());
      QCOMPARE(dynamic_cast<kit::SeriesScreen*>(&s) != nullptr, Facts(screen).kind == Kind::Series);
      closed = &s;
      if (state == u"mid-exercise" || state == u"shared out") QVERIFY(Press(s, u"START"));
      if (state == u"mid-exercise" && Pupil::FocusedBox()) Pupil::Type(QStringLiteral("1"));
      if (state == u"shared out") {
        auto& blocks = dynamic_cast<blocks::frmcijferdeel&>(s);
        QVERIFY(Pupil::Click(blocks.cmddeler[blocks.deler]));
      }
      if (state == u"right" || state == u"wrong") {
        bool judged = false;
        QVERIFY(Exercise(s, state == u"wrong", &judged));
        QCOMPARE(judged, state == u"right");
        right += judged;
      }
      // The series is worked right to its verdict.
      for (int n = 0; state == u"series ended" && !Pupil::Offered(s, u"NOG EENS") && n < 12; ++n) {
        bool judged = false;
        QVERIFY(Exercise(s, false, &judged));
        QVERIFY(judged);
        ++right;
      }
      if (state == u"series ended") QVERIFY(Pupil::Offered(s, u"NOG EENS"));
    }
    const bool stopOffered = Pupil::Offered(*closed, u"STOP") != nullptr;

    Pupil::Close(*closed);
    QApplication::processEvents();

    const bool ends = screen == u"welcome" || screen == u"info";
    QCOMPARE(p.Ended(), ends);
    if (ends) {
      QCOMPARE(p.ExitCode(), 0);
      QCOMPARE(InUse(p), 0);
      return;
    }
    QCOMPARE(InUse(p), 1);
    if (screen == u"menu") QVERIFY(p.frminfo().Visible());
    // An exercise screen's close box is its STOP while STOP is on offer, and
    // nothing otherwise.
    if (dynamic_cast<kit::ExerciseScreen*>(closed)) QCOMPARE(p.frmkiesbasis().Visible(), stopOffered);
    QCOMPARE(Total(p), kEarlier + right);
  }

  // A counter one below the top and at the top, then one more right exercise.
  void countersAtTheTop_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<int>("start");
    for (const ScreenFacts& f : kScreens) {
      if (f.kind == Kind::Blocks) continue;
      QStringList counters{QStringLiteral("menu total"), QStringLiteral("totaaljuist")};
      if (f.kind == Kind::Series) counters << QStringLiteral("series");
      for (const QString& counter : counters)
        for (int start : {kTop - 1, kTop})
          QTest::addRow("%s %s %d", f.name, qPrintable(counter), start) << f.name << counter << start;
    }
  }
  void countersAtTheTop() {
    QFETCH(QString, screen);
    QFETCH(QString, counter);
    QFETCH(int, start);
    ProgramRun run(kChance);
    QVERIFY(run.ToMenu());
    app::frmkiesbasis& menu = run.p.frmkiesbasis();
    menu.lblgemaakt.SetCaption(kit::NumText(counter == u"menu total" ? start : kEarlier));
    auto& s = run.Open<kit::ScoringScreen>(qPrintable(screen));
    QVERIFY(run.Ok());
    auto* series = dynamic_cast<kit::SeriesScreen*>(&s);
    if (counter == u"totaaljuist") s.totaaljuist = std::int16_t(start);
    if (counter == u"series") {
      series->reeksgemaakt = series->reeksjuist = std::int16_t(start);
      series->lblteller.SetCaption(kit::NumText(start));
      series->lbltotaal.SetCaption(kit::NumText(start));
    }
    const int total = s.totaaljuist;
    if (counter != u"series") QCOMPARE(total, start);
    const int after = std::min(start + 1, kTop);

    QVERIFY(Press(s, u"START"));
    if (counter == u"series") {
      QCOMPARE(int(series->reeksgemaakt), after);
      QCOMPARE(series->lbltotaal.Caption(), kit::NumText(after));
    }
    QVERIFY(Work(s, false) && Press(s, u"CONTROLE"));
    QCOMPARE(s.BackColor(), kit::colours::kRight);

    QVERIFY(!run.p.Ended());
    QCOMPARE(int(s.totaaljuist), std::min(total + 1, kTop));
    if (series) {
      // The place-value boards start a series over after a right exercise at
      // ten or beyond; otherwise the count stands at the top.
      if (counter == u"series" && series->reeksgemaakt != 0) QCOMPARE(int(series->reeksjuist), after);
      QVERIFY(series->reeksjuist >= 0 && series->reeksjuist <= series->reeksgemaakt);
      QCOMPARE(series->lblteller.Caption(), kit::NumText(series->reeksjuist));
      QCOMPARE(series->lbltotaal.Caption(), kit::NumText(series->reeksgemaakt));
    }
    // Where the screen lets the pupil go (always without a series), the total
    // it hands back is the number it counted.
    const bool leaves = Press(s, u"STOP");
    QVERIFY(leaves || series);
    if (leaves) {
      QVERIFY(menu.Visible());
      QCOMPARE(menu.lblgemaakt.Caption(), kit::NumText(std::min(total + 1, kTop)));
    }
  }
};

REKENTOL_TEST_MAIN(BadInputTest)
#include "tst_badinput.moc"
