#!/usr/bin/env python3
"""Takes the real program the pupil's way, on an X display that already runs:
from the welcome screen through the menu to one estimation exercise ("Ik schat
een deling: tot 100"), read off the screen, answered and judged right.

    pupil_run.py <screenshot dir> <program> [arguments...]

Only what a pupil has is used: the pixels on the screen, the mouse and the
keys (xdotool). The task's numbers are read from a screenshot by matching the
digits against Liberation Sans, the font the screen asks for (as Arial). The
screenshots of the welcome screen, the menu, the task and the verdict are kept.
Exit status 0 when the estimate was judged right.
"""

import contextlib
import os
import subprocess
import sys
import time

TWIPS_PER_PIXEL = 15
FONT = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"
CONVERT = "/usr/bin/convert"  # ImageMagick's own

# Colours and places the screens are made of (twips, as in the screens).
WELCOME_BACK = (112, 101, 109)
WELCOME_SIZE = (11430, 6615)
WELCOME_BUTTON = (3600, 1080, 3855, 3495)  # "Klik hier en start !"
MENU_BACK = (255, 255, 255)
MENU_SIZE = (10260, 7530)
MENU_SCHAT100 = (4320, 977, 5295, 495)  # "Ik schat een deling :  tot 100"
TASK_BACK = (255, 255, 128)
TASK_SIZE = (11880, 7935)
TASK_DIVIDEND = (1680, 600, 2295, 975)
TASK_DIVISOR = (4680, 600, 1335, 975)
TASK_START = (6120, 6960, 1815, 855)
TASK_CONTROLE = (4080, 6960, 1815, 855)
LABEL_BACK = (0, 128, 0)
RIGHT = (0, 255, 0)
WRONG = (255, 0, 0)


def log(*words):
    print("pupil:", *words, flush=True)


def run(*cmd, check=True):
    return subprocess.run(cmd, check=check, capture_output=True, text=True).stdout


class Shot:
    """One screenshot of the whole display, as RGB rows."""

    def __init__(self, keep=None):
        ppm = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"], check=True,
                             capture_output=True).stdout
        if keep:
            subprocess.run([CONVERT, "ppm:-", keep], input=ppm, check=True)
        # Binary PPM: "P6\n<w> <h>\n<max>\n" then the pixels.
        fields, pos = [], 0
        while len(fields) < 4:
            while ppm[pos:pos + 1].isspace():
                pos += 1
            end = pos
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[pos:end])
            pos = end
        self.width, self.height = int(fields[1]), int(fields[2])
        self.data = ppm[pos + 1:]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])


def px(twips):
    return (twips + TWIPS_PER_PIXEL // 2) // TWIPS_PER_PIXEL


def windows():
    """The visible top-level windows of the program, with their client areas."""
    found = []
    ids = run("xdotool", "search", "--onlyvisible", "--class", "rekentol", check=False).split()
    for wid in ids:
        geometry = run("xdotool", "getwindowgeometry", "--shell", wid, check=False)
        values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
        if "X" in values:
            found.append((wid, int(values["X"]), int(values["Y"]), int(values["WIDTH"]),
                          int(values["HEIGHT"])))
    return found


def wait_for_window(size, back, what, seconds=60, other_than=None):
    """The client area of the screen's size whose corner shows its back colour
    (any colour for None), other than the window other_than."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        shot = Shot()
        for wid, x, y, w, h in windows():
            if (w, h) == (px(size[0]), px(size[1])) and 0 <= x + 4 < shot.width \
                    and 0 <= y + 4 < shot.height and back in (None, shot.at(x + 4, y + 4)) \
                    and wid != (other_than or (None,))[0]:
                log(f"{what}: window {wid} at {x},{y} size {w}x{h}")
                return wid, x, y
        time.sleep(0.5)
    raise SystemExit(f"pupil: no {what} appeared within {seconds} s")


def click(origin, place):
    left, top, width, height = place
    x = origin[1] + px(left + width // 2)
    y = origin[2] + px(top + height // 2)
    run("xdotool", "mousemove", "--sync", str(x), str(y))
    time.sleep(0.2)
    run("xdotool", "click", "1")


def glyphs(image, width, height, ink):
    """The glyphs of one line of text, left to right: boolean columns split
    where a column holds no ink, each cut to its own rows."""
    columns = [any(ink(image[y][x]) for y in range(height)) for x in range(width)]
    found, x = [], 0
    while x < width:
        if not columns[x]:
            x += 1
            continue
        start = x
        while x < width and columns[x]:
            x += 1
        rows = [y for y in range(height) if any(ink(image[y][c]) for c in range(start, x))]
        found.append([[ink(image[y][c]) for c in range(start, x)] for y in range(rows[0], rows[-1] + 1)])
    return found


def normalised(glyph, w=12, h=18):
    gh, gw = len(glyph), len(glyph[0])
    return [glyph[min(gh - 1, y * gh // h)][min(gw - 1, x * gw // w)] for y in range(h) for x in range(w)]


def templates():
    """The ten digits as Liberation Sans draws them at the task's size (48 pt
    at 96 dpi), white on black."""
    pgm = subprocess.run([CONVERT, "-background", "black", "-fill", "white", "-font", FONT,
                          "-pointsize", "48", "-density", "96", "label:0 1 2 3 4 5 6 7 8 9", "-depth", "8", "pgm:-"],
                         check=True, capture_output=True).stdout
    header = pgm.split(b"\n", 3)
    width, height = map(int, header[1].split())
    raw = header[3]
    image = [[raw[y * width + x] for x in range(width)] for y in range(height)]
    found = glyphs(image, width, height, lambda v: v > 128)
    if len(found) != 10:
        raise SystemExit(f"pupil: the digit templates gave {len(found)} glyphs")
    return [(str(d), normalised(g), len(g[0]) / len(g)) for d, g in enumerate(found)]


def read_number(shot, origin, place, digits):
    left, top, width, height = place
    x0, y0 = origin[1] + px(left) + 3, origin[2] + px(top) + 3
    w, h = px(width) - 6, px(height) - 6
    image = [[shot.at(x0 + x, y0 + y) for x in range(w)] for y in range(h)]
    found = glyphs(image, w, h, lambda p: p[0] > 140 and p[2] > 140)
    text = ""
    for g in found:
        n, aspect = normalised(g), len(g[0]) / len(g)

        def distance(t):
            return sum(a != b for a, b in zip(n, t[1])) + 40 * abs(aspect - t[2])
        text += min(digits, key=distance)[0]
    return int(text) if text else None


@contextlib.contextmanager
def running(program):
    """The program, started, and ended however the run ends."""
    proc = subprocess.Popen(program)
    try:
        yield proc
    finally:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()


def main():
    out, program = sys.argv[1], sys.argv[2:]
    os.makedirs(out, exist_ok=True)
    digits = templates()
    started = time.time()
    with running(program):
        welcome = wait_for_window(WELCOME_SIZE, WELCOME_BACK, "welcome screen", 120)
        log(f"welcome screen after {time.time() - started:.1f} s")
        time.sleep(1.5)  # the pictures come in while the screen is up
        Shot(os.path.join(out, "welcome.png"))
        click(welcome, WELCOME_BUTTON)

        menu = wait_for_window(MENU_SIZE, MENU_BACK, "menu")
        time.sleep(1.5)
        Shot(os.path.join(out, "menu.png"))
        click(menu, MENU_SCHAT100)

        task = wait_for_window(TASK_SIZE, TASK_BACK, "estimation screen")
        time.sleep(0.5)
        click(task, TASK_START)
        time.sleep(1.0)
        shot = Shot(os.path.join(out, "task.png"))
        dividend = read_number(shot, task, TASK_DIVIDEND, digits)
        divisor = read_number(shot, task, TASK_DIVISOR, digits)
        log(f"the task reads {dividend} : {divisor}")
        if not dividend or not divisor:
            raise SystemExit("pupil: could not read the task")
        estimate = round(dividend / divisor)
        # The box has the focus after START: the estimate goes in by keys.
        run("xdotool", "type", "--delay", "120", str(estimate))
        time.sleep(0.5)
        click(task, TASK_CONTROLE)
        time.sleep(1.0)
        shot = Shot(os.path.join(out, "verdict.png"))
        verdict = shot.at(task[1] + 4, task[2] + 4)
        log(f"estimate {estimate}; the screen turned {verdict}")
        if verdict == RIGHT:
            log("judged right")
            return 0
        log("judged WRONG" if verdict == WRONG else "no verdict on the screen")
        return 1


if __name__ == "__main__":
    sys.exit(main())
