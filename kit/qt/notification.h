#pragma once
// Words raised to Windows' screen readers (NVDA, Narrator) as a UI Automation
// notification. Qt 6.4's UI Automation bridge passes on focus, values and
// text, but nothing of a notification object coming into view, so on Windows
// the words Voice (accessible.cpp) shows are raised here as well; elsewhere
// this does nothing.

#include <QString>

#include "kit/accessible.h"

class QWidget;

namespace kit {

// What the words are: a screen reader groups notifications of one kind, and a
// verdict goes before what it is still reading.
enum class Notification { Said, Task, Help, Verdict };

// What one handler's words are, from whether they hold a task and the
// weightiest kind the rest was said as: a verdict outweighs the task it
// follows (CONTROLE's verdict and the next task never share a handler, but
// START on a judged board may say both), the task the help.
constexpr Notification Weigh(bool task, Heard kind) {
  return kind == Heard::Verdict ? Notification::Verdict
         : task                 ? Notification::Task
         : kind == Heard::Help  ? Notification::Help
                                : Notification::Said;
}

#if defined(_WIN32)
// Raises `words` for the top-level `window`, once, if it is the foreground
// window (a screen reader drops a background window's notification anyway).
// On a Windows without the call (before Windows 10 1709) nothing is raised.
void RaiseNotification(QWidget* window, const QString& words, Notification kind);
#else
inline void RaiseNotification(QWidget*, const QString&, Notification) {}
#endif

}  // namespace kit
