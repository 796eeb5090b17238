#pragma once
// What a screen reader hears. A pupil who cannot see the board hears each
// window as a window, each control by a Dutch name, and learns through the
// window's description whether the answer was right, since green and red
// alone tell nothing to whom cannot see them. Here the words; how each
// platform makes them heard is its backend's (Window::Say).

#include <QColor>
#include <QString>
#include <QStringView>
#include <functional>

namespace kit {

// The Dutch word for a column head's caption ("H" -> "honderdtallen", "t" ->
// "tienden"); the caption itself when it is none of the place values.
QString PlaceValueWord(QStringView caption);

// What a background colour tells: "goed" for the green of a right answer,
// "fout" for the red of a wrong one, nothing for any other colour.
QString ColourVerdict(const QColor& colour);

// A line as the screen shows it ("53 : 3 = 17 rest 2"), in the words a
// screen reader should say ("53 gedeeld door 3 is 17 rest 2"): a speech
// engine reads ":" and "=" as punctuation, not as sums. Signs count only
// with a blank on either side, as the screens write a sum.
QString Spoken(const QString& shown);
// The task of a division as a screen reader says it: "53 gedeeld door 3."
QString SpokenDivision(const QString& dividend, const QString& divisor);

// Words a screen makes heard, read when they are heard (after the handler
// that says them), so that they are what the screen shows by then. A lambda
// must say `-> QString`: a sum of strings would otherwise come back as a
// string builder that points into the lambda's own temporaries.
using Words = std::function<QString()>;

// What words are, for a screen reader that weighs or groups them: a verdict
// may cut into what is still being read, help and the rest wait their turn.
// (The task of a new exercise has its own call, Window::SayTask.)
enum class Heard { Said, Help, Verdict };

}  // namespace kit
