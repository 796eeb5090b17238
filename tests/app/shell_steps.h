#pragma once
// The steps a pupil takes through the shell, shared by the shell's tests.

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <cstdlib>
#include <functional>

#include "app/frminfo.h"
#include "app/frmkiesbasis.h"
#include "app/frmmecenaat1.h"
#include "app/mdiform2.h"
#include "app/program.h"
#include "support/open_screen.h"
#include "support/pupil.h"
#include "kit/qt/native.h"

namespace shell_steps {

using testing_support::Pupil;

// Starts the program and takes the welcome screen's big button to the menu.
[[nodiscard]] inline bool ToMenu(app::Program& p) { return testing_support::StartToMenu(p); }

// From start through the menu's STOP to the info screen.
[[nodiscard]] inline bool ToInfo(app::Program& p) {
  return ToMenu(p) && Pupil::Click(p.frmkiesbasis().cmdeinde) && p.frminfo().Visible();
}

// Chooses a menu bar item with the mouse, as a pupil does: a click on the
// menu's title opens it, a click on the item chooses it. False when the menu
// bar cannot be used (the main window is unavailable) or the item is missing.
[[nodiscard]] inline bool ChooseMenuItem(app::MDIForm2& window, const QString& menu, const QString& item) {
  QMenuBar* bar = kit::qt::Main(window)->menuBar();
  if (!Pupil::CanClick(bar)) return false;
  for (QAction* title : bar->actions()) {
    if (title->text() != menu || !title->menu()) continue;
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(title).center());
    QMenu* popup = title->menu();
    if (!popup->isVisible()) return false;
    for (QAction* entry : popup->actions()) {
      if (entry->text() != item) continue;
      if (!entry->isEnabled()) break;
      QTest::mouseClick(popup, Qt::LeftButton, Qt::NoModifier, popup->actionGeometry(entry).center());
      return true;
    }
    popup->close();
    return false;
  }
  return false;
}

// Takes a fresh program to where the pupil meets "welcome", "menu" or "info".
[[nodiscard]] inline bool BringTo(app::Program& p, const QString& where) {
  if (where == u"info") return ToInfo(p);
  if (where == u"menu") return ToMenu(p);
  p.Start();
  return where == u"welcome" && p.frmmecenaat1().Visible();
}

// The shell's windows by name: "main", "welcome", "menu", "info".
inline kit::Window& ShellWindow(app::Program& p, const QString& name) {
  if (name == u"welcome") return p.frmmecenaat1();
  if (name == u"menu") return p.frmkiesbasis();
  if (name == u"info") return p.frminfo();
  return p.MDIForm2();
}

[[nodiscard]] inline bool ChooseBasis(app::Program& p) {
  return ChooseMenuItem(p.MDIForm2(), QStringLiteral("OPENEN "), QStringLiteral("&Basis"));
}

// Counts the calls of the end routine's callback and keeps the last exit code.
struct EndWatch {
  int calls = 0;
  int code = -1;
  std::function<void(int)> Callback() {
    return [this](int c) {
      ++calls;
      code = c;
    };
  }
};

// The window lies centred on the whole display, to the pixel.
[[nodiscard]] inline bool Centred(const kit::Window& w) {
  const QRect frame = kit::qt::Top(w)->frameGeometry();
  const QRect display = kit::qt::Top(w)->screen()->geometry();
  const int dx = (display.width() - frame.width()) / 2 - frame.x();
  const int dy = (display.height() - frame.height()) / 2 - frame.y();
  return std::abs(dx) <= 1 && std::abs(dy) <= 1;
}

// Kept above the main window by the desktop, whatever the main window's state.
[[nodiscard]] inline bool KeptAboveMain(app::Program& p, const kit::Window& w) {
  const QWindow* handle = kit::qt::Top(w)->windowHandle();
  return handle && handle->transientParent() == kit::qt::Top(p.MDIForm2())->windowHandle();
}

}  // namespace shell_steps
