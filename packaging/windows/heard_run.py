#!/usr/bin/env python3
"""What a pupil who cannot see the screen is told on Windows: pupil_run.py's
way with mouse and keys while the stand-in UIAutomationCore.dll
(heard/uiautomationcore.c) writes each notification the program raises to
<dir>/words.txt. Each task's numbers come from the words heard, as that
pupil's do.

    heard_run.py <dir> <program> [arguments...]

The estimation up to 100 judged right, then wrong; the three-digit written
division with F1 in its first box and the third product one too high, judged.
Every START, CONTROLE and F1 must raise exactly one notification. Exit status
0 when they do and the task, "goed", "fout", a prompt and the reason are heard.
"""

import os
import re
import sys
import time

import pupil_run as pupil

MENU_WRITTEN = (4320, 3188, 5295, 495)  # "Ik deel zonder rest"
TASK_STOP = (8160, 6960, 1815, 855)
WRITTEN_BUTTON = (5640, 5880, 1815, 855)  # START, then CONTROLE on the same spot
DIVISION = r"(\d+) gedeeld door (\d+)\."


class Ear:
    def __init__(self, path):
        self.path, self.count = path, 0

    def new(self, settle=1.5):
        """The notifications raised since the last call."""
        time.sleep(settle)
        try:
            with open(self.path, encoding="utf-8") as f:
                lines = f.read().splitlines()
        except FileNotFoundError:
            lines = []
        fresh, self.count = lines[self.count:], len(lines)
        for line in fresh:
            pupil.log(f"heard: {line}")
        return fresh

    def one(self, what, pattern=""):
        fresh = self.new()
        if len(fresh) != 1 or not re.search(pattern, fresh[0]):
            raise SystemExit(f"heard: {what} raised {fresh}, not one notification matching {pattern!r}")
        return fresh[0]


def numbers(line):
    return tuple(int(n) for n in re.search(DIVISION, line).groups())


def written_keys(dividend, divisor):
    """The pupil's path on the three-digit board: per digit of the dividend a
    quotient digit, its product (two boxes from the second on) and the
    difference; the third product one too high. A leading digit below the
    divisor has its step written by the board."""
    keys, carry = "", 0
    for step, digit in enumerate(str(dividend)):
        part = carry * 10 + int(digit)
        q = part // divisor
        carry = part - q * divisor
        if step == 0:
            keys += f"{q}{q * divisor}{carry}" if q else ""
        else:
            keys += f"{q}{q * divisor + (step == 2):02d}{carry}"
    return keys


def main():
    out, program = sys.argv[1], sys.argv[2:]
    os.makedirs(out, exist_ok=True)
    ear, heard = Ear(os.path.join(out, "words.txt")), {}
    with pupil.running(program):
        welcome = pupil.wait_for_window(pupil.WELCOME_SIZE, pupil.WELCOME_BACK, "welcome screen", 120)
        ear.new()
        pupil.click(welcome, pupil.WELCOME_BUTTON)
        pupil.click(pupil.wait_for_window(pupil.MENU_SIZE, pupil.MENU_BACK, "menu"), pupil.MENU_SCHAT100)
        task = pupil.wait_for_window(pupil.TASK_SIZE, pupil.TASK_BACK, "estimation screen")
        ear.new()
        for verdict, off in (("goed", 0), ("fout", 20)):
            pupil.click(task, pupil.TASK_START)
            heard["the division"] = ear.one("START", DIVISION)
            dividend, divisor = numbers(heard["the division"])
            pupil.run("xdotool", "type", "--delay", "200", str(dividend // divisor + off))
            ear.new(0.5)
            pupil.click(task, pupil.TASK_CONTROLE)
            heard[verdict] = ear.one(f"CONTROLE ({verdict})", f"^{verdict}\\.")
            pupil.Shot(os.path.join(out, f"estimation-{verdict}.png"))
        pupil.click(task, TASK_STOP)
        pupil.click(pupil.wait_for_window(pupil.MENU_SIZE, pupil.MENU_BACK, "menu"), MENU_WRITTEN)
        board = pupil.wait_for_window(pupil.TASK_SIZE, None, "written board", other_than=task)
        ear.new()
        pupil.click(board, WRITTEN_BUTTON)
        dividend, divisor = numbers(ear.one("START on the written board", DIVISION))
        pupil.run("xdotool", "key", "F1")
        heard["a prompt"] = ear.one("F1")
        pupil.run("xdotool", "type", "--delay", "200", written_keys(dividend, divisor))
        ear.new()
        pupil.click(board, WRITTEN_BUTTON)
        heard["the reason"] = ear.one("CONTROLE on the written board", r" keer \d+ is niet \d+")
        pupil.Shot(os.path.join(out, "written-judged.png"))
    for what, line in heard.items():
        pupil.log(f"{what}: {line}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
