#pragma once
// The help: one short sentence about the box the pupil is in, and after the
// check one about the first step that went wrong. It reads the division from
// the board layer's sheet (what each step divides, the pupil's digit, product
// and difference) and picks its words from sentences.cpp. Pure: nothing here
// touches a screen.

#include <QString>

#include "board/board.h"

namespace help {

// The hint for the box of this role: level 1 names only numbers on the board;
// level 2, asked for the same box again, is stronger (the multiples on either
// side of the digit) and still leaves the choice to the pupil.
QString Prompt(const board::Sheet& sheet, board::Role role, int level);

// Why the first faulty step, in the order the pupil worked, is wrong; empty
// when no step is. `right` is CONTROLE's verdict: a wrong quotient always
// gets a reason, also when no step can name one. `about`, where given, gets
// the box the reason is about (the step's first box that went wrong).
QString Reason(const board::Sheet& sheet, bool right, board::Role* about = nullptr);

// The estimation drills: the hint for the estimate, and why an estimate that
// was not accepted lies too far off (empty for an accepted one).
QString EstimatePrompt(double dividend, double divisor, int level);
QString EstimateReason(double dividend, double divisor, double estimate, bool accepted);

// With no exercise in hand, and with the focus on no box of the steps.
QString IdlePrompt();
QString NoBoxPrompt();

// The above, for a board to ask (board::HelpWords).
board::HelpWords BoardWords();

}  // namespace help
