#!/usr/bin/env python3
"""What a pupil who cannot see the screen is told on Windows: takes the real
program the pupil's way, as pupil_run.py does, while the stand-in
UIAutomationCore.dll (heard/uiautomationcore.c) writes every notification the
program raises into <dir>/words.txt. The numbers of each task are taken from
the words heard, as such a pupil takes them.

    heard_run.py <dir> <program> [arguments...]

The way: the estimation exercise up to 100, judged right and then wrong; the
written division of three digits, with F1 in its first box and a slip in the
third product, judged. Each START, CONTROLE and F1 must raise exactly one
notification, and together they must hold the division, "goed", "fout", a
prompt and the reason for the slip. Exit status 0 when they do.
"""

import os
import re
import sys
import time

import pupil_run as pupil

MENU_WRITTEN = (4320, 3188, 5295, 495)  # "Ik deel zonder rest"
TASK_STOP = (8160, 6960, 1815, 855)
WRITTEN_BUTTON = (5640, 5880, 1815, 855)  # START, and CONTROLE once the board is full
DIVISION = re.compile(r"(\d+) gedeeld door (\d+)\.")


class Ear:
    """The lines of words.txt that came since the last call."""

    def __init__(self, path):
        self.path, self.count = path, 0

    def lines(self):
        try:
            with open(self.path, encoding="utf-8") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def new(self, settle=1.5):
        time.sleep(settle)
        lines = self.lines()
        fresh, self.count = lines[self.count:], len(lines)
        for line in fresh:
            pupil.log(f"heard: {line}")
        return fresh


def one(ear, what, pattern=None):
    """The one notification an action must raise."""
    fresh = ear.new()
    if len(fresh) != 1:
        raise SystemExit(f"heard: {what} raised {len(fresh)} notifications, not one: {fresh}")
    if pattern and not re.search(pattern, fresh[0]):
        raise SystemExit(f"heard: {what} raised {fresh[0]!r}")
    return fresh[0]


def division(line):
    found = DIVISION.search(line)
    if not found:
        raise SystemExit(f"heard: no division in {line!r}")
    return int(found.group(1)), int(found.group(2))


def written_keys(dividend, divisor):
    """The digits of the pupil's path on the three-digit board, with the third
    product one too high: quotient digit, product, difference for each digit of
    the dividend; a product from the second step on takes two boxes. When the
    leading digit is smaller than the divisor, the board writes the first step
    itself."""
    keys, carry = "", 0
    for step, digit in enumerate(str(dividend)):
        part = carry * 10 + int(digit)
        q = part // divisor
        product = q * divisor
        carry = part - product
        if step == 0:
            if q:
                keys += f"{q}{product}{carry}"
            continue
        slip = 1 if step == 2 else 0
        keys += f"{q}{product + slip:02d}{carry}"
    return keys


def type_keys(keys):
    pupil.run("xdotool", "type", "--delay", "200", keys)


def main():
    out, program = sys.argv[1], sys.argv[2:]
    os.makedirs(out, exist_ok=True)
    ear = Ear(os.path.join(out, "words.txt"))
    heard = {}
    with pupil.running(program):
        welcome = pupil.wait_for_window(pupil.WELCOME_SIZE, pupil.WELCOME_BACK, "welcome screen", 120)
        ear.new()
        pupil.click(welcome, pupil.WELCOME_BUTTON)
        menu = pupil.wait_for_window(pupil.MENU_SIZE, pupil.MENU_BACK, "menu")
        ear.new()
        pupil.click(menu, pupil.MENU_SCHAT100)
        task = pupil.wait_for_window(pupil.TASK_SIZE, pupil.TASK_BACK, "estimation screen")
        ear.new()
        for verdict, off in (("goed", 0), ("fout", 20)):
            pupil.click(task, pupil.TASK_START)
            heard["the division"] = one(ear, "START", DIVISION.pattern)
            dividend, divisor = division(heard["the division"])
            type_keys(str(dividend // divisor + off))
            ear.new(0.5)
            pupil.click(task, pupil.TASK_CONTROLE)
            heard[verdict] = one(ear, f"CONTROLE ({verdict})", f"^{verdict}\\.")
            pupil.Shot(os.path.join(out, f"estimation-{verdict}.png"))
        pupil.click(task, TASK_STOP)
        menu = pupil.wait_for_window(pupil.MENU_SIZE, pupil.MENU_BACK, "menu")
        ear.new()
        pupil.click(menu, MENU_WRITTEN)
        board = pupil.wait_for_window(pupil.TASK_SIZE, None, "written board", other_than=task)
        ear.new()
        pupil.click(board, WRITTEN_BUTTON)
        dividend, divisor = division(one(ear, "START on the written board", DIVISION.pattern))
        pupil.run("xdotool", "key", "F1")
        heard["a prompt"] = one(ear, "F1")
        type_keys(written_keys(dividend, divisor))
        ear.new()
        pupil.click(board, WRITTEN_BUTTON)
        heard["the reason"] = one(ear, "CONTROLE on the written board", r" keer \d+ is niet \d+")
        pupil.Shot(os.path.join(out, "written-judged.png"))
    for what, line in heard.items():
        pupil.log(f"{what}: {line}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
