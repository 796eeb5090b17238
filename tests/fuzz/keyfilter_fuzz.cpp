// Fuzzes the numeric key filter through a real answer box: the input bytes
// choose the box's character set, its start text, caret and selection, the
// clipboard, and a run of keys, menu entries and program-set texts. After
// every step the box must hold what the filter promises every check:
//
// - empty text, a number, or a lone "-" where a sign may be typed;
// - a character typed by key that is not in the box's set never enters it.
//
// "A number" is decided here by a checker of our own, written apart from the
// filter's rule, so that a fault in that rule cannot hide itself.
//
// Built twice: with libFuzzer (REKENTOL_FUZZ, scripts/fuzz.sh) and, in every
// build, into fuzz_replay, which runs the committed corpus under ctest.

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kit/qt/application.h"
#include "kit/keyfilter.h"
#include "kit/qt/keyinput.h"
#include "kit/window.h"
#include "fuzz_oracle.h"
#include "kit/qt/native.h"

namespace {

// Inputs are kept small: under the sanitizers a key costs some 30
// microseconds (Qt allocates on every one), and ten million runs are meant to
// fit in about an hour. A few steps already reach every branch of the filter;
// longer texts add nothing that a box of a few digits meets.
constexpr int kMaxSteps = 10;
constexpr int kMaxText = 10;

// Reads the input front to back; past its end every byte reads as 0.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : p_(data), n_(size) {}
  std::uint8_t Next() {
    if (n_ == 0) return 0;
    --n_;
    return *p_++;
  }
  bool Empty() const { return n_ == 0; }

 private:
  const std::uint8_t* p_;
  std::size_t n_;
};

// Digits most of all, the separators and signs a pupil might try, blanks,
// letters, control characters and look-alikes from other scripts (a digit
// three, a fullwidth one, a minus sign, the Arabic decimal separator).
constexpr char16_t kAlphabet[32] = {
    u'0', u'1', u'2', u'3', u'4', u'5', u'6', u'7', u'8', u'9', u'-', u'.', u',', u' ', u'+', u'-',
    u'.', u'a', u'E', u'x', u'\n', u'\t', u'\0', 0x0663, 0xFF11, 0x2212, 0x00E9, 0x066B, 0x00A0,
    0x200B, u'1', u'0'};

QChar CharOf(Bytes& in) {
  const std::uint8_t b = in.Next();
  // Now and then any UTF-16 unit at all, lone surrogates included.
  if (b >= 0xF8) {
    const std::uint8_t hi = in.Next();
    return QChar(char16_t((hi << 8) | in.Next()));
  }
  return QChar(kAlphabet[b % 32]);
}

QString TextOf(Bytes& in) {
  const int length = in.Next() % (kMaxText + 1);
  QString text;
  for (int i = 0; i < length && !in.Empty(); ++i) text += CharOf(in);
  return text;
}

// The box, its window and the clipboard outlive the runs: building a window
// per run would cost more than the run itself.
struct Bench {
  kit::Window window{QStringLiteral("fuzz"), 3000, 1500, kit::colours::kBoardGrey};
  kit::TextBox box{window, {120, 120, 2000, 500}};
  Bench() {
    window.Show();
    box.SetFocus();
  }
};

Bench& TheBench() {
  static Bench* bench = new Bench;  // never destroyed: Qt may be gone by then
  return *bench;
}

// One key press and its release, as the desktop delivers them to the box.
void Press(QLineEdit* edit, int key, Qt::KeyboardModifiers mods, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(edit, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(edit, &release);
}

// The key a keyboard reports for a typed character: the Latin letters and
// punctuation carry their own code (upper case for letters), the rest none.
int KeyOf(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'a' && u <= u'z') return u - u'a' + Qt::Key_A;
  if (u > 0x20 && u < 0x7F) return u;
  if (u == u' ') return Qt::Key_Space;
  return Qt::Key_unknown;
}

// A key with a character of its own: shift and the keypad leave the character
// as it is; control, alt and meta make a chord of it.
struct Chord {
  int key;
  Qt::KeyboardModifiers mods;
  const char* name;
};

constexpr Chord kEditingKeys[] = {
    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    {Qt::Key_Delete, Qt::ShiftModifier, "Shift+Delete"},
    {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
    {Qt::Key_Insert, Qt::ControlModifier, "Ctrl+Insert"},
    {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
    {Qt::Key_Backspace, Qt::ControlModifier, "Ctrl+Backspace"},
    {Qt::Key_Delete, Qt::ControlModifier, "Ctrl+Delete"},
    {Qt::Key_K, Qt::ControlModifier, "Ctrl+K"},
    {Qt::Key_U, Qt::ControlModifier, "Ctrl+U"},
    {Qt::Key_Return, Qt::NoModifier, "Enter"},
    {Qt::Key_Escape, Qt::NoModifier, "Escape"},
    {Qt::Key_Tab, Qt::NoModifier, "Tab"},
    {Qt::Key_Backspace, Qt::ShiftModifier, "Shift+Backspace"},
    {Qt::Key_Insert, Qt::NoModifier, "Insert"},
};

constexpr Chord kMovingKeys[] = {
    {Qt::Key_Left, Qt::NoModifier, "Left"},   {Qt::Key_Right, Qt::NoModifier, "Right"},
    {Qt::Key_Home, Qt::NoModifier, "Home"},   {Qt::Key_End, Qt::NoModifier, "End"},
    {Qt::Key_Up, Qt::NoModifier, "Up"},       {Qt::Key_Down, Qt::NoModifier, "Down"},
    {Qt::Key_Left, Qt::ControlModifier, "Ctrl+Left"}, {Qt::Key_Right, Qt::ControlModifier, "Ctrl+Right"},
};

constexpr const char* kMenuEntries[] = {"undo", "copy", "paste", "selectall"};

std::string Shown(const QString& text) {
  std::string out = "\"";
  for (const QChar c : text) {
    if (c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u'"' && c != u'\\') {
      out += char(c.unicode());
    } else {
      char buf[16];
      std::snprintf(buf, sizeof buf, "\\u%04X", unsigned(c.unicode()));
      out += buf;
    }
  }
  return out + "\"";
}

// One input against the box: the first fault, if any; the steps taken go
// into trace when one is given.
std::optional<std::string> Run(const std::uint8_t* data, std::size_t size, bool filtered,
                               std::vector<std::string>* trace) {
  Bench& bench = TheBench();
  kit::TextBox& box = bench.box;
  QLineEdit* edit = kit::qt::Edit(box);
  Bytes in(data, size);

  const bool withSign = in.Next() & 1;
  const QStringView allowed = withSign ? kit::kDigitsSignPoint : kit::kDigits;
  const QString start = TextOf(in);
  const int caret = in.Next();
  const int selection = static_cast<std::int8_t>(in.Next());
  QGuiApplication::clipboard()->setText(TextOf(in));

  box.onKeyPress = nullptr;
  box.onChange = nullptr;
  if (filtered) kit::FilterAsNumber(box, allowed);
  // A box only ever starts from a state the filter could have left: a start
  // text it would not allow is dropped. Setting a text twice also clears the
  // undo history of the run before.
  box.SetTextQuiet(QStringLiteral("#"));
  box.SetTextQuiet(fuzz::BoxMayHold(start, withSign) ? start : QString());
  box.SetSelStart(caret % (int(box.Text().size()) + 1));
  box.SetSelLength(selection);

  // The steps are written down only when a fault is being reported.
  auto note = [trace](auto words) {
    if (trace) trace->push_back(words());
  };
  note([&] {
    return std::string(withSign ? "sign set" : "digits set") + ", start " + Shown(box.Text()) + ", caret " +
           std::to_string(box.SelStart()) + "+" + std::to_string(box.SelLength()) + ", clipboard " +
           Shown(QGuiApplication::clipboard()->text());
  });

  for (int step = 0; step < kMaxSteps && !in.Empty(); ++step) {
    const QString before = box.Text();
    QString typed;  // what a key typed without a chord
    const std::uint8_t op = in.Next();
    switch (op % 16) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4: {
        const std::uint8_t how = in.Next();
        typed = CharOf(in);
        // Two units: a character beyond 16 bits, or a key that types two.
        if (how & 4) typed += CharOf(in);
        // Shift for capitals, the keypad for digits: both still type the text.
        Qt::KeyboardModifiers mods;
        if (how & 1) mods |= Qt::ShiftModifier;
        if (how & 2) mods |= Qt::KeypadModifier;
        Press(edit, KeyOf(typed.at(0)), mods, typed);
        note([&] { return "type " + Shown(typed); });
        break;
      }
      case 5:
        Press(edit, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        note([&] { return std::string("Backspace"); });
        break;
      case 6:
        Press(edit, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7F"));
        note([&] { return std::string("Delete"); });
        break;
      case 7:
        if (in.Next() & 1) {
          Press(edit, Qt::Key_Insert, Qt::ShiftModifier);
          note([&] { return std::string("Shift+Insert"); });
        } else {
          Press(edit, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
          note([&] { return std::string("Ctrl+V"); });
        }
        break;
      case 8:
        if (in.Next() & 1) {
          Press(edit, Qt::Key_Backspace, Qt::AltModifier);
          note([&] { return std::string("Alt+Backspace"); });
        } else {
          Press(edit, Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1A"));
          note([&] { return std::string("Ctrl+Z"); });
        }
        break;
      case 9: {
        const Chord& k = kEditingKeys[in.Next() % std::size(kEditingKeys)];
        Press(edit, k.key, k.mods);
        note([&] { return std::string(k.name); });
        break;
      }
      case 10: {
        const std::uint8_t which = in.Next();
        const Chord& k = kMovingKeys[which % std::size(kMovingKeys)];
        const bool shift = which & 0x80;
        Press(edit, k.key, k.mods | (shift ? Qt::ShiftModifier : Qt::NoModifier));
        note([&] { return std::string(shift ? "Shift+" : "") + k.name; });
        break;
      }
      case 11: {
        // The box's own menu, as a right click opens it: an entry that is
        // shown disabled cannot be chosen.
        const char* name = kMenuEntries[in.Next() % std::size(kMenuEntries)];
        std::unique_ptr<QMenu> menu = kit::BoxMenu(*edit);
        bool chosen = false;
        if (menu) {
          for (QAction* a : menu->actions()) {
            if (a->objectName() == QLatin1String(name) && a->isEnabled()) {
              a->trigger();
              chosen = true;
            }
          }
        }
        note([&] { return std::string("menu ") + name + (chosen ? "" : " (disabled)"); });
        break;
      }
      case 12: {
        const QString text = TextOf(in);
        box.SetText(text);
        note([&] { return "SetText " + Shown(text); });
        break;
      }
      case 13: {
        const QString text = TextOf(in);
        QGuiApplication::clipboard()->setText(text);
        note([&] { return "clipboard " + Shown(text); });
        break;
      }
      case 14: {
        // Where a mouse would put the caret and drag a selection.
        const int at = in.Next() % (int(box.Text().size()) + 1);
        const int length = static_cast<std::int8_t>(in.Next());
        box.SetSelStart(at);
        box.SetSelLength(length);
        note([&] { return "select " + std::to_string(at) + "+" + std::to_string(length); });
        break;
      }
      case 15: {
        // Any key code with any modifiers, with or without a character.
        const std::uint8_t hi = in.Next();
        const std::uint8_t lo = in.Next();
        const std::uint8_t m = in.Next();
        const int key = (hi & 1) ? 0x01000000 | ((hi & 2) << 7) | lo : ((hi >> 2) << 8) | lo;
        Qt::KeyboardModifiers mods;
        if (m & 1) mods |= Qt::ShiftModifier;
        if (m & 2) mods |= Qt::ControlModifier;
        if (m & 4) mods |= Qt::AltModifier;
        if (m & 8) mods |= Qt::MetaModifier;
        if (m & 16) mods |= Qt::KeypadModifier;
        const QString text = (m & 32) ? QString(CharOf(in)) : QString();
        Press(edit, key, mods, text);
        note([&] {
          char buf[64];
          std::snprintf(buf, sizeof buf, "key 0x%X mods 0x%X text ", unsigned(key), unsigned(mods.toInt()));
          return buf + Shown(text);
        });
        break;
      }
    }

    const QString now = box.Text();
    std::string fault;
    if (!fuzz::BoxMayHold(now, withSign)) {
      fault = "the box holds " + Shown(now) + ", which is not empty, not a number" +
              (withSign ? " and not a lone minus" : "");
    } else if (now != before && std::any_of(typed.begin(), typed.end(), [&](QChar c) { return !allowed.contains(c); })) {
      fault = "typed " + Shown(typed) + " is not all in the box's set, yet " + Shown(before) + " became " + Shown(now);
    }
    if (!fault.empty()) return fault;
  }
  return std::nullopt;
}

}  // namespace

namespace fuzz {

std::optional<std::string> Drive(const std::uint8_t* data, std::size_t size, bool filtered) {
  if (!Run(data, size, filtered, nullptr)) return std::nullopt;
  // Once more, writing the steps down: a run starts from the same state each time.
  std::vector<std::string> trace;
  const std::optional<std::string> fault = Run(data, size, filtered, &trace);
  if (!fault) return "a fault that did not come back when the input ran again";
  std::string report = *fault + "\nsteps:";
  for (const std::string& t : trace) report += "\n  " + t;
  return report;
}

}  // namespace fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Headless, whatever the environment says: the fuzzer needs no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "keyfilter_fuzz";
  static char* argv[] = {name, nullptr};
  // Glyphs from other scripts make Qt warn about fonts on every run; faults
  // are reported by the checks, not by Qt's messages.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
  });
  static QApplication* app = new QApplication(argc, argv);  // one for every run, never destroyed
  kit::SetUpApplication(*app);
  TheBench();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (const std::optional<std::string> fault = fuzz::Drive(data, size, true)) {
    std::fprintf(stderr, "key filter fault: %s\n", fault->c_str());
    std::fflush(stderr);
    std::abort();
  }
  return 0;
}
