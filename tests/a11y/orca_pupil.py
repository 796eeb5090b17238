#!/usr/bin/python3
"""The pupil of orca_session.sh: works the program with the keyboard only
(xdotool) while Orca runs, and prints what Orca spoke after each step.

Run by orca_session.sh inside its session; `orca_pupil.py --probe` prints the
program's focused control and its board as JSON, read in a fresh process each
time because a long-lived AT-SPI client keeps stale values.
"""

import json
import os
import re
import subprocess
import sys
import time

WORK = os.environ.get("REKENTOL_ORCA_WORK", "")
PROGRAM = os.environ.get("REKENTOL_PROGRAM", "")
LOG = os.path.join(WORK, "orca.log")
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*)' ?\{'established")


# ---------------------------------------------------------------- probe

def probe():
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    app = None
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        if a is not None and (a.name or "").startswith("rekentol"):
            app = a
    out = {"focus": None, "window": None, "labels": [], "boxes": []}
    if app is None:
        print(json.dumps(out))
        return

    def states(acc):
        try:
            return acc.getState()
        except Exception:
            return None

    for i in range(app.childCount):
        w = app.getChildAtIndex(i)
        st = states(w) if w is not None else None
        if st is None or not st.contains(pyatspi.STATE_SHOWING):
            continue
        if st.contains(pyatspi.STATE_ACTIVE):
            out["window"] = w.name

        def walk(acc):
            for j in range(acc.childCount):
                c = acc.getChildAtIndex(j)
                if c is None:
                    continue
                s = states(c)
                if s is None or not s.contains(pyatspi.STATE_SHOWING):
                    continue
                role = c.getRoleName()
                text = ""
                try:
                    t = c.queryText()
                    text = t.getText(0, t.characterCount)
                except Exception:
                    pass
                item = {"name": c.name, "role": role, "text": text, "description": c.description}
                if s.contains(pyatspi.STATE_FOCUSED):
                    out["focus"] = item
                if role == "label":
                    out["labels"].append(c.name)
                elif role in ("text", "entry"):
                    out["boxes"].append(item)
                walk(c)

        walk(w)
    print(json.dumps(out))


def look():
    raw = subprocess.run([sys.executable, os.path.abspath(__file__), "--probe"],
                         capture_output=True, text=True, timeout=30).stdout
    return json.loads(raw or "{}")


# ---------------------------------------------------------------- speech

class Ear:
    def __init__(self):
        self.offset = 0

    def lines(self):
        try:
            with open(LOG, encoding="utf-8", errors="replace") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def heard(self, quiet=1.5, longest=8.0):
        """What Orca spoke since the last call, once its log has been quiet."""
        start = time.monotonic()
        count, since = len(self.lines()), time.monotonic()
        while time.monotonic() - start < longest:
            time.sleep(0.25)
            n = len(self.lines())
            if n != count:
                count, since = n, time.monotonic()
            elif time.monotonic() - since >= quiet:
                break
        lines = self.lines()
        new = lines[self.offset:]
        self.offset = len(lines)
        return [m.group(1) for m in (SPEECH.search(l) for l in new) if m]


ear = Ear()


def step(title, keys=None, typed=None):
    if keys:
        subprocess.run(["xdotool", "key", "--delay", "120"] + keys.split(), check=True)
    if typed:
        subprocess.run(["xdotool", "type", "--delay", "150", typed], check=True)
    said = ear.heard()
    print(f"\n== {title}")
    for s in said:
        print(f"   {s}")
    sys.stdout.flush()
    return said


def focus_name():
    f = look().get("focus")
    return (f or {}).get("name") or ""


def tab_to(name, limit=30):
    """Tabs until the named control holds the focus."""
    tabs = 0
    for _ in range(limit):
        if focus_name().strip() == name.strip():
            if tabs:
                step(f"Tab ({tabs}x) to \"{name}\"")
            return
        subprocess.run(["xdotool", "key", "Tab"], check=True)
        tabs += 1
        time.sleep(0.4)
    raise RuntimeError(f"never reached {name!r}; focus on {focus_name()!r}")


# ---------------------------------------------------------------- arithmetic

PLACES = ["honderdduizendtallen", "tienduizendtallen", "duizendtallen",
          "honderdtallen", "tientallen", "eenheden"]


def long_division(dividend, divisor, digits):
    """Each step: (quotient digit, product, difference)."""
    steps, carry = [], 0
    for d in str(dividend).rjust(digits, "0"):
        part = carry * 10 + int(d)
        q = part // divisor
        steps.append((q, q * divisor, part - q * divisor))
        carry = part - q * divisor
    return steps


def written_digit(box_name, dividend, divisor, digits, wrong=False):
    """The digit a box of the written board expects, from its spoken name."""
    columns = PLACES[-digits:]
    row, _, column = box_name.partition(", ")
    col = columns.index(column) if column in columns else -1
    steps = long_division(dividend, divisor, digits)
    words = row.split()
    if words[0].startswith("quoti"):
        return steps[col][0]
    k = int(words[1]) if len(words) > 1 else digits
    q, product, difference = steps[k - 1]
    if words[0] == "aftrekrij":
        return product % 10 if (k == 1 or col == k - 1) else product // 10
    # A wrong exercise: the remainder one off.
    return (difference + 1) % 10 if wrong and words[0] == "rest" else difference


def estimation_numbers():
    for _ in range(10):
        labels = [(l or "").strip() for l in look()["labels"]]
        if ":" in labels:
            colon = labels.index(":")
            return int(labels[colon - 1]), int(labels[colon + 1])
        time.sleep(0.5)
    raise RuntimeError(f"no division on the estimation screen: {look()}")


def written_numbers():
    boxes = look()["boxes"]
    dividend = "".join(b["text"] for b in boxes if (b["name"] or "").startswith("deeltal"))
    divisor = next(b["text"] for b in boxes if (b["name"] or "").startswith("deler"))
    return int(dividend), int(divisor), len(dividend)


def work_written(wrong):
    dividend, divisor, digits = written_numbers()
    print(f"   (board: {dividend} : {divisor})")
    for _ in range(40):
        f = look().get("focus") or {}
        name = f.get("name") or ""
        if f.get("role") != "text" or f.get("text"):
            return
        digit = written_digit(name, dividend, divisor, digits, wrong)
        step(f"type {digit} in \"{name}\"", typed=str(digit))


def work_placevalue():
    """Types 1 in every box the board opens until it offers CONTROLE: one
    exercise, most likely wrong, which is all the session needs to hear."""
    for _ in range(20):
        f = look().get("focus") or {}
        if f.get("role") != "text" or f.get("text"):
            return
        step(f"type 1 in \"{f.get('name')}\"", typed="1")


# ---------------------------------------------------------------- the session

def main():
    if "--probe" in sys.argv:
        probe()
        return
    # Orca first, so that it hears the program's first window.
    for _ in range(60):
        if any("Schermlezer aan" in s for s in ear.heard(quiet=0.5, longest=1.0)):
            break
    run(menu_and_estimation)
    run(written_division)
    run(place_value)
    print("\nsession ran to its end")


def run(part):
    """One start of the program, from the welcome screen to the menu, then `part`."""
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               QT_QPA_PLATFORM="xcb")
    proc = subprocess.Popen([PROGRAM], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        for _ in range(60):
            if look().get("focus"):
                break
            time.sleep(0.5)
        step("the program starts")
        step("Return on the welcome screen's button", keys="Return")
        part()
    finally:
        proc.terminate()
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()
        ear.heard(quiet=1.0)


def menu_and_estimation():
    tab_to("Ik schat een deling :  tot 100")
    step("space on \"Ik schat een deling :  tot 100\"", keys="space")
    for verdict in ("right", "wrong"):
        tab_to("START")
        step("START", keys="space")
        dividend, divisor = estimation_numbers()
        if verdict == "wrong":
            step("F1: help for the estimate", keys="F1")
        estimate = dividend // divisor + (0 if verdict == "right" else 20)
        step(f"type the estimate {estimate} ({verdict})", typed=str(estimate))
        tab_to("CONTROLE")
        step("CONTROLE", keys="space")
    tab_to("STOP")
    step("STOP", keys="space")
    tab_to("S T O P")
    step("the menu's STOP: the info screen", keys="space")


def written_division():
    tab_to("Ik deel zonder rest")
    step("space on \"Ik deel zonder rest\"", keys="space")
    for verdict in ("right", "wrong"):
        tab_to("START" if verdict == "right" else "NIEUW")
        step("START" if verdict == "right" else "NIEUW", keys="space")
        if verdict == "wrong":
            tab_to("START")
            step("START", keys="space")
            step("F1: help for the box in focus", keys="F1")
            step("F1 again: the stronger hint", keys="F1")
        work_written(wrong=verdict == "wrong")
        tab_to("CONTROLE")
        step("CONTROLE", keys="space")


def place_value():
    tab_to("Ik deel tot TE")
    step("space on \"Ik deel tot TE\"", keys="space")
    tab_to("START")
    step("START", keys="space")
    step("F1: help for the box in focus", keys="F1")
    work_placevalue()
    tab_to("CONTROLE")
    step("CONTROLE", keys="space")

if __name__ == "__main__":
    main()
