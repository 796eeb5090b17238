#!/usr/bin/python3
"""One pupil in WebKit, the engine of every iPad browser: WebKitGTK's
MiniBrowser driven by WebKitWebDriver under Xvfb. From the welcome screen to
the menu, an estimation exercise and a written division worked by keyboard
and judged by CONTROLE, every control found by its accessible name. The
pupil's arithmetic is board.js, run in the page.

    /usr/bin/python3 tests/web/webkit_run.py [SITE_DIR]

Exit code 0 when the run went through with both verdicts "goed", 1 otherwise.
"""

import glob
import os
import re
import shutil
import subprocess
import sys
import time

from selenium import webdriver
from selenium.webdriver.common.keys import Keys

HERE = os.path.dirname(os.path.abspath(__file__))
SITE = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "../../build/web/site"))
BOARD = open(os.path.join(HERE, "board.js"), encoding="utf-8").read()
MINIBROWSER = (glob.glob("/usr/lib/*/webkit2gtk-4.1/MiniBrowser") + glob.glob("/usr/lib/*/webkit2gtk-4.0/MiniBrowser"))
FOCUS = """const a = document.activeElement;
return a && a !== document.body ? (a.getAttribute('aria-label') || a.textContent || '').replace(/\\s+/g, ' ').trim() : '';"""
WELCOME = "Klik hier en start !"


def clean(s):
    return re.sub(r"\s+", " ", s or "").strip()


class Pupil:
    def __init__(self, driver):
        self.d = driver

    def focus(self):
        return self.d.execute_script(FOCUS)

    def heard(self):
        return clean(self.d.execute_script("const h = document.getElementById('heard'); return h ? h.textContent : '';"))

    def key(self, key):
        self.d.switch_to.active_element.send_keys(key)

    def tab_to(self, name, limit=40):
        for _ in range(limit + 1):
            if self.focus() == clean(name):
                return
            self.key(Keys.TAB)
        raise AssertionError(f"Tab never reached {name!r}; the focus is on {self.focus()!r}")

    def press(self, name, key=Keys.ENTER):
        self.tab_to(name)
        self.key(key)

    def wait_heard(self, test, what, seconds=10):
        end = time.monotonic() + seconds
        said = ""
        while time.monotonic() < end:
            said = self.heard()
            if test(said):
                return said
            time.sleep(0.2)
        raise AssertionError(f"the live region should say {what}; it says {said!r}")

    def work(self, limit=200):
        """Types what the focused box should hold until nothing is left to write."""
        moves = 0
        for _ in range(limit):
            move = self.d.execute_script(BOARD + "\nreturn nextMove(readBoard());")
            if not move:
                return moves
            self.key(Keys.BACKSPACE if move.get("erase") else move["type"])
            moves += 1
        raise AssertionError(f"still writing after {limit} moves")


def run(driver, url):
    pupil = Pupil(driver)
    driver.get(url)
    end = time.monotonic() + 60
    while not driver.execute_script(f"return !!document.querySelector('button[aria-label=\"{WELCOME}\"]')"):
        if time.monotonic() > end:
            raise AssertionError("the welcome screen never came")
        time.sleep(0.5)
    pupil.press(WELCOME)
    print("menu:", pupil.wait_heard(lambda s: s == "Totaal aantal juiste oefeningen: 0.", "the menu's total 0"))

    pupil.press("Ik schat een deling : tot 100", Keys.SPACE)
    pupil.press("START")
    task = pupil.wait_heard(lambda s: "Schat de uitkomst." in s, "the estimation task")
    print("estimation task:", task)
    if pupil.work() == 0:
        raise AssertionError("nothing to write on the estimation screen")
    pupil.press("CONTROLE")
    print("estimation verdict:", pupil.wait_heard(lambda s: s.startswith("goed. "), '"goed. ..."'))
    pupil.press("STOP")
    pupil.wait_heard(lambda s: s == "Totaal aantal juiste oefeningen: 1.", "the menu's total 1")

    pupil.press("Ik deel zonder rest", Keys.SPACE)
    pupil.press("START")
    print("written task:", pupil.wait_heard(lambda s: " gedeeld door " in s, "the written task"))
    moves = pupil.work()
    pupil.press("CONTROLE")
    verdict = pupil.wait_heard(lambda s: s.startswith("goed. Jouw uitkomst: "), '"goed. Jouw uitkomst: ..."')
    print(f"written verdict after {moves} keys:", verdict)


def main():
    if not os.path.isfile(os.path.join(SITE, "index.html")):
        print(f"no site in {SITE}: build it first")
        return 1
    if not MINIBROWSER:
        print("no MiniBrowser: apt-get install libwebkit2gtk-4.1-0 webkit2gtk-driver")
        return 1
    started = []
    try:
        server = subprocess.Popen(["node", os.path.join(HERE, "serve.mjs"), SITE, "127.0.0.1:0"],
                                  stdout=subprocess.PIPE, text=True)
        started.append(server)
        url = re.search(r"http://\S+", server.stdout.readline()).group(0) + "index.html"
        env = dict(os.environ)
        if not env.get("DISPLAY"):
            display = f":{100 + os.getpid() % 300}"
            started.append(subprocess.Popen(["Xvfb", display, "-screen", "0", "1366x768x24", "-nolisten", "tcp"],
                                            stderr=subprocess.DEVNULL))
            for _ in range(50):
                if os.path.exists(f"/tmp/.X11-unix/X{display[1:]}"):
                    break
                time.sleep(0.1)
            os.environ["DISPLAY"] = display
        options = webdriver.WebKitGTKOptions()
        options.binary_location = MINIBROWSER[0]
        options.add_argument("--automation")
        driver = webdriver.WebKitGTK(executable_path=shutil.which("WebKitWebDriver") or "/usr/bin/WebKitWebDriver",
                                     options=options)
        try:
            run(driver, url)
        finally:
            driver.quit()
        print("webkit run: 1 passed, 0 failed")
        return 0
    except AssertionError as e:
        print(f"webkit run failed: {e}")
        print("webkit run: 0 passed, 1 failed")
        return 1
    finally:
        for proc in reversed(started):
            proc.terminate()
            try:
                proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                proc.kill()


if __name__ == "__main__":
    sys.exit(main())
