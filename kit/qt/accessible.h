#pragma once
// How the desktop makes words heard: Qt's accessibility, as Orca hears it.

#include <QString>

#include "kit/accessible.h"

class QWidget;

namespace kit {

// The property that makes a box heard as static text (TextBox::SetHeardAsText).
extern const char* const kStaticTextProperty;

// Lets every top-level window of the program be heard as a window; idempotent.
void InstallAccessibleWindows();

// Sets the widget's accessible description to `text` and tells the assistive
// technology it changed (also when it is the same, so that it is heard again).
void Announce(QWidget* widget, const QString& text);

// Makes words heard by a screen reader: the one way a screen tells a pupil who
// cannot see it what a seeing pupil reads (the task, the verdict, what the
// board wrote by itself, help). Screens say what (Window::Say); how is decided here.
//
// What Orca 43 speaks with Qt 6.4, found in Orca's own log: not a change of a
// name or a description (Qt's bridge sends the object where Orca wants the
// text: "bad content sent to speak()"), not an alert (the bridge drops it),
// and a control's description only as part of the focus moving to it, which
// Orca skips when the text events of a box emptied just before it took the
// focus have made Orca take that box as the focus quietly. It does speak a
// notification that comes into view. So everything one handler says is
// gathered and, once the handler has finished and the focus has settled (the
// focus is heard first), shown as one notification: a transparent pixel in
// the window, hidden again before it is shown with the next words, so that
// every notification is heard once and none twice, and hidden and emptied
// once heard, so that what stays readable is what the screen shows.
//
// On Windows the same words, less the box's name (NVDA and Narrator say the
// focused control themselves), are also raised as one UI Automation
// notification (kit/qt/notification.h): Qt's bridge passes no word of the
// notification object on.
void Say(QWidget* window, Words words, Heard kind = Heard::Said);
// The task of a new exercise: heard before everything else the handler says;
// where the focus went into a box, that box's name comes last (it may be the
// box Orca took quietly, which would otherwise go unnamed).
void SayTask(QWidget* window, Words words);
// Takes words already heard out of the window now, not only once their time
// is up: for when the board they spoke of is cleared or a new exercise begins.
void ForgetSaid(QWidget* window);

}  // namespace kit
