#pragma once
// What a screen reader hears. A pupil who cannot see the board hears each
// window as a window, each control by a Dutch name, and learns through the
// window's description whether the answer was right, since green and red
// alone tell nothing to whom cannot see them.

#include <QColor>
#include <QString>
#include <QStringView>

class QWidget;

namespace kit {

// The property that makes a box heard as static text (TextBox::SetHeardAsText).
extern const char* const kStaticTextProperty;

// Lets every top-level window of the program be heard as a window; idempotent.
void InstallAccessibleWindows();

// The Dutch word for a column head's caption ("H" -> "honderdtallen", "t" ->
// "tienden"); the caption itself when it is none of the place values.
QString PlaceValueWord(QStringView caption);

// What a background colour tells: "goed" for the green of a right answer,
// "fout" for the red of a wrong one, nothing for any other colour.
QString ColourVerdict(const QColor& colour);

// Sets the widget's accessible description to `text` and tells the assistive
// technology it changed (also when it is the same, so that it is heard again).
void Announce(QWidget* widget, const QString& text);

}  // namespace kit
