#!/usr/bin/python3
"""Listens on AT-SPI, as a screen reader does, while a pupil answers one
estimate right and one wrong, and prints every event that arrives.

    tests/a11y/atspi_verdict.py [--all] [program]

The program defaults to build/package/rekentol, else build/test/rekentol.
The script starts itself again under `xvfb-run -a dbus-run-session`, so it
needs no display; that session bus starts at-spi2-core's bus launcher when the
program asks for the accessibility bus. Not part of ctest:
it shows what reaches the bus, it has no opinion on what should. With --all
it listens to every object, window and focus event instead of the list below
(Qt then sends every kind of event it has, so the run shows all it can say).

Exit code 0 when both verdicts were announced on the window (an
accessible-description change whose text, read fresh from the program, is
"goed" or "fout"), 1 otherwise.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))

if not os.environ.get("REKENTOL_ATSPI_INSIDE"):
    # One X server and one session bus of our own, so that no other program's
    # events and no desktop's screen reader get in the way.
    env = dict(os.environ, REKENTOL_ATSPI_INSIDE="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_QPA_PLATFORM="xcb")
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)
    runtime = tempfile.mkdtemp(prefix="rekentol-atspi-")
    env["XDG_RUNTIME_DIR"] = runtime
    cmd = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24",
           "dbus-run-session", "--", sys.executable, os.path.abspath(__file__)] + sys.argv[1:]
    try:
        sys.exit(subprocess.call(cmd, env=env))
    finally:
        shutil.rmtree(runtime, ignore_errors=True)

import pyatspi  # noqa: E402  (only inside the session)
from gi.repository import GLib  # noqa: E402

# Kinds of event a screen reader such as Orca handles, and any that could
# carry the verdict.
EVENTS = [
    "object:property-change:accessible-description",
    "object:property-change:accessible-name",
    "object:state-changed",
    "object:announcement",
    "object:children-changed",
    "object:text-changed",
    "object:value-changed",
    "object:active-descendant-changed",
    "object:attributes-changed",
    "window:activate",
    "window:deactivate",
    "window:create",
    "window:destroy",
    "focus:",
]

start = time.monotonic()
log = []      # (seconds, phase, line)
phase = "start"
verdicts = {}  # phase -> fresh description text seen on a description change
failures = []


def stamp():
    return f"{time.monotonic() - start:6.2f}s"


def say(line):
    print(f"{stamp()} {line}", flush=True)


def describe(acc):
    try:
        return f"[{acc.getRoleName()}] {acc.name!r}"
    except Exception as e:  # the object may be gone by the time we ask
        return f"[gone: {e.__class__.__name__}]"


def fresh_description(acc):
    """The description as the program holds it now, past libatspi's cache."""
    try:
        acc.clearCache()
    except Exception:
        pass
    try:
        return acc.description
    except Exception as e:
        return f"<{e.__class__.__name__}>"


def on_event(event):
    src = event.source
    any_data = event.any_data
    if isinstance(any_data, pyatspi.Accessible):
        data = "object " + describe(any_data)
    else:
        data = repr(any_data)
    line = (f"{event.type} source={describe(src)} detail1={event.detail1} "
            f"detail2={event.detail2} any_data={data}")
    try:
        role = src.getRole()
    except Exception:
        role = None
    if role in (pyatspi.ROLE_ALERT, pyatspi.ROLE_NOTIFICATION):
        line += "  <-- alert/notification role"
    if event.type.startswith("object:property-change:accessible-description"):
        # The event carries no text: read what the program holds on arrival.
        now = fresh_description(src)
        line += f" description on arrival={now!r}"
        if now in ("goed", "fout"):
            verdicts.setdefault(phase, []).append(now)
    log.append((stamp(), phase, line))
    say(f"  EVENT {line}")


def app_root(name_hint, pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None:
            continue
        try:
            if app.get_process_id() == pid:
                return app
        except Exception:
            if name_hint in (app.name or "").lower():
                return app
    return None


def showing(acc):
    # libatspi keeps a control's states from when it was first read and updates
    # only those the program sends events for; Qt sends none for "visible".
    try:
        acc.clearCache()
        states = acc.getState()
        return states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)
    except Exception:
        return False


def find(root, role, name=None, pred=None):
    """A showing object of `role` (and `name`) in a showing window of the program."""
    for i in range(root.childCount):
        window = root.getChildAtIndex(i)
        if window is None or not showing(window):
            continue
        hit = pyatspi.findDescendant(
            window,
            lambda a: a is not None and a.getRole() == role and showing(a)
            and (name is None or (a.name or "").strip() == name.strip())
            and (pred is None or pred(a)))
        if hit is not None:
            return hit
    return None


def press(root, name):
    button = find(root, pyatspi.ROLE_PUSH_BUTTON, name)
    if button is None:
        raise RuntimeError(f"no showing button {name!r}")
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    index = next((i for i, n in enumerate(names) if n.lower() == "press"), 0)
    say(f"--> press {describe(button)} (action {names[index]!r})")
    action.doAction(index)


def exercise(root):
    """The dividend and divisor on the estimation screen, read from its labels."""
    window = None
    for i in range(root.childCount):
        w = root.getChildAtIndex(i)
        if w is not None and showing(w) and (w.name or "").startswith("schatten"):
            window = w
    if window is None:
        raise RuntimeError("the estimation screen is not showing")
    labels = []
    pyatspi.findAllDescendants(window, lambda a: a.getRole() == pyatspi.ROLE_LABEL and labels.append(a))
    names = [(a.name or "").strip() for a in labels]
    colon = names.index(":")
    return int(names[colon - 1]), int(names[colon + 1]), window


def type_estimate(root, text):
    box = find(root, pyatspi.ROLE_TEXT, pred=lambda a: "schat" in (a.name or "").lower())
    if box is None:
        raise RuntimeError("no estimate box")
    say(f"--> type {text!r} into {describe(box)}")
    box.queryEditableText().setTextContents(text)


def main():
    global phase
    args = sys.argv[1:]
    listen_all = "--all" in args
    args = [a for a in args if a != "--all"]
    program = args[0] if args else None
    if program is None:
        for candidate in ("build/package/rekentol", "build/test/rekentol"):
            if os.access(os.path.join(SOURCE, candidate), os.X_OK):
                program = os.path.join(SOURCE, candidate)
                break
    if program is None:
        sys.exit("no program: build it or pass its path")
    say(f"program {program}")

    for e in (["object:", "window:", "focus:"] if listen_all else EVENTS):
        pyatspi.Registry.registerEventListener(on_event, e)

    proc = subprocess.Popen([program], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    state = {"root": None}

    def steps():
        global phase
        # Wait for the program on the bus.
        for _ in range(100):
            state["root"] = app_root(os.path.basename(program), proc.pid)
            if state["root"] is not None and find(state["root"], pyatspi.ROLE_PUSH_BUTTON,
                                                  "Klik hier en start !"):
                break
            yield 100
        root = state["root"]
        if root is None:
            raise RuntimeError("the program never appeared on the accessibility bus")
        say(f"application {describe(root)} pid {proc.pid}")
        phase = "welcome"
        press(root, "Klik hier en start !")
        yield 1000
        phase = "menu"
        press(root, "Ik schat een deling :  tot 100")
        yield 1000
        for answer in ("right", "wrong"):
            phase = f"start ({answer})"
            press(root, "START")
            yield 800
            dividend, divisor, window = exercise(root)
            quotient = dividend // divisor
            estimate = quotient if answer == "right" else quotient + 20
            say(f"    exercise {dividend} : {divisor}, quotient {quotient}; "
                f"window {describe(window)} description now {fresh_description(window)!r}")
            phase = f"typing ({answer})"
            type_estimate(root, str(estimate))
            yield 800
            phase = f"CONTROLE ({answer})"
            press(root, "CONTROLE")
            yield 2000
            say(f"    window description after CONTROLE: {fresh_description(window)!r}")
        phase = "end"

    it = steps()

    def tick():
        try:
            delay = next(it)
        except StopIteration:
            pyatspi.Registry.stop()
            return False
        except Exception as e:
            failures.append(f"{e.__class__.__name__}: {e}")
            say(f"!! {failures[-1]}")
            pyatspi.Registry.stop()
            return False
        GLib.timeout_add(delay, tick)
        return False

    GLib.timeout_add(500, tick)
    GLib.timeout_add_seconds(90, lambda: (failures.append("timed out"), pyatspi.Registry.stop()))
    pyatspi.Registry.start()

    proc.terminate()
    try:
        out, _ = proc.communicate(timeout=10)
    except subprocess.TimeoutExpired:
        proc.kill()
        out, _ = proc.communicate()
    if out.strip():
        print("program printed:\n" + "\n".join("  " + l for l in out.splitlines()))

    print("\nsummary")
    for p in ("CONTROLE (right)", "CONTROLE (wrong)"):
        during = [l for (_, ph, l) in log if ph == p]
        print(f"  {p}: {len(during)} events; verdict read on a description change: {verdicts.get(p)}")
        for line in during:
            if "accessible-description" in line or "alert" in line or "announcement" in line:
                print(f"    {line}")
    right, wrong = verdicts.get("CONTROLE (right)", []), verdicts.get("CONTROLE (wrong)", [])
    ok = not failures and "goed" in right and "fout" not in right and "fout" in wrong and "goed" not in wrong
    print("RESULT:", "verdicts announced" if ok else "verdicts NOT both announced", *failures)
    sys.exit(0 if ok else 1)


main()
