#!/usr/bin/python3
"""The four exercise windows end to end.

Starts the built program on its own X server with a temporary folder whose
data folder holds the demo content as built, moves the main window away from
its first selection, then for each exercise: opens it from the main window's
menu, chooses the first unit, plays a speaker, answers one question in
exercises 3 and 4, takes a screenshot, and closes it. The main window must
come back with its selections and pages as they were, and no playable sound
copy may be left in the temporary folder. The answer boxes are read from the
trace (VARNELO_AUTO_ANSWER keeps them from blocking).

usage: exercises_e2e.py <build/bin folder> [screenshot folder]
"""
import glob
import json
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "lessons"))
import lesson_browser_e2e as harness  # noqa: E402
from lesson_browser_e2e import expect_equal, fail, wait_until  # noqa: E402

PREFIX = {1: "E", 2: "P", 3: "K", 4: "S"}
# The menu buttons of entries 1 to 4 and each window's close button (window coordinates).
MENU_LEFT = {1: 636, 2: 692, 3: 746, 4: 798}
CLOSE_AT = {1: (904, 30), 2: (906, 30), 3: (902, 30), 4: (904, 30)}
ITEMS_SQL = {
    1: "select * from beginner where unitcode like '%s%%' ",
    2: "select * from jwords where P_UNIT like '%s%%' ",
    3: "select * from kk_reco where unitcode like '%s%%' ",
    4: "select * from jwords where S_UNIT like '%s%%' ",
}
MAIN_VIEWS = ["webListMain", "webListSub", "webSoundRule", "webWords"]


def trim(value):
    return ("" if value is None else str(value)).strip(" ")


class Exercises:
    def __init__(self, proc, trace, devtools, display, tmp, shots):
        self.proc, self.trace, self.devtools = proc, trace, devtools
        self.display, self.tmp, self.shots = display, tmp, shots
        self.db = None

    def mark(self):
        return len(self.trace.events())

    def events(self, since, ev):
        return [e for e in self.trace.events()[since:] if e["ev"] == ev]

    def wait_window(self, name, state, since):
        return self.trace.wait_for("%s %s" % (name, state),
                                   lambda e: e["ev"] == "window" and e["name"] == name and e["state"] == state, since)

    def wait_page(self, form, view, since, what="a page"):
        return self.trace.wait_for("%s in %s.%s" % (what, form, view),
                                   lambda e: e["ev"] == "page" and e["window"] == form and e["view"] == view, since)["html"]

    def wait_sound(self, name, since):
        for state in ("play", "stopped"):
            self.trace.wait_for("sound %s %s" % (name, state),
                                lambda e, s=state: e["ev"] == "sound" and e["name"] == name and e["state"] == s, since)

    def wait_box(self, text, since):
        return self.trace.wait_for("the box " + text, lambda e: e["ev"] == "sysbox" and e["text"] == text, since)

    def view(self, n, name):
        return "frmexam%d/%s" % (n, name)

    def js(self, n, name, expression):
        return self.devtools.evaluate(self.view(n, name), expression)

    def main_window_state(self):
        return {v: self.devtools.evaluate(v, "document.documentElement.outerHTML") for v in MAIN_VIEWS}

    def screenshot(self, n):
        if self.shots:
            subprocess.run(["import", "-display", self.display, "-window", "root",
                            os.path.join(self.shots, "exercise%d.png" % n)], check=True)

    def run(self):
        self.trace.wait_for("the main window", lambda e: e["ev"] == "window" and e["name"] == "frmMain"
                            and e["state"] == "shown")
        self.db = sqlite3.connect(os.path.join(self.tmp, "Varnelo", "vrnbase.mdb"))
        # Leave the first selection: second row of the main list.
        self.trace.wait_for("the word table", lambda e: e["ev"] == "page" and e["view"] == "webWords")
        mark = self.mark()
        self.devtools.click("webListMain", "#td1 td")
        self.trace.wait_for("the new word table", lambda e: e["ev"] == "page" and e["view"] == "webWords", mark)
        wait_until("the main window's pages", lambda: all(
            self.devtools.evaluate(v, "document.readyState") == "complete" for v in MAIN_VIEWS))
        before = self.main_window_state()

        for n in (1, 2, 3, 4):
            self.exercise(n, before)

        # The main window's close button ends the program.
        mark = self.mark()
        harness.window_click(self.display, 958 + 16, 12 + 12)
        self.trace.wait_for("the exit procedure", lambda e: e["ev"] == "exit", mark)
        try:
            expect_equal("exit code", self.proc.wait(30), 0)
        except subprocess.TimeoutExpired:
            fail("the program did not end")

    def exercise(self, n, main_before):
        form = "frmExam%d" % n
        mark = self.mark()
        harness.window_click(self.display, MENU_LEFT[n] + 24, 104 + 24)
        self.wait_window(form, "shown", mark)
        self.wait_window("frmMain", "hidden", mark)
        units = [trim(u) for (u,) in self.db.execute("select unitcode from p_unit where unitcode like ?", (PREFIX[n] + "%",))]
        unit_list = self.wait_page(form, "webSelect", mark)
        expect_equal(form + " unit rows", unit_list.count(" <tr onmouseover="), len(units))
        empty = self.wait_page(form, "webMain", mark)
        if "<table" in empty:
            fail(form + " opened with an exercise page that has a table")

        # The first unit.
        unit = units[0]
        mark = self.mark()
        self.devtools.click(self.view(n, "webSelect"), "tr td")
        self.trace.wait_for("the items query", lambda e: e["ev"] == "sql" and e["text"] == ITEMS_SQL[n] % unit, mark)
        page = self.wait_page(form, "webMain", mark, "the unit's page")
        if "background-color: #FFCA95" not in self.wait_page(form, "webSelect", mark):
            fail(form + ": the chosen unit is not marked in the list")
        wait_until(form + " page shown", lambda: self.js(n, "webMain", "document.readyState") == "complete"
                   and self.js(n, "webMain", "document.querySelectorAll(\"a[href^='cmd:']\").length") > 0)

        if n == 4:
            self.spelling(unit, page, mark)
        else:
            self.list_exercise(n, unit)
        wait_until("no sound playing", lambda: not glob.glob(os.path.join(self.tmp, "vrn_sound*.mp3")))
        self.screenshot(n)

        # Close: the main window comes back as it was left.
        mark = self.mark()
        x, y = CLOSE_AT[n]
        harness.window_click(self.display, x + 24, y + 24)
        self.wait_window(form, "unloaded", mark)
        self.wait_window("frmMain", "shown", mark)
        main_pages = [e for e in self.events(mark, "page") if e["window"] == "frmMain"]
        if main_pages:
            fail("the main window rebuilt pages on its return: %r" % [e["view"] for e in main_pages])
        expect_equal("the main window after " + form, self.main_window_state(), main_before)
        left = glob.glob(os.path.join(self.tmp, "vrn_sound*.mp3"))
        if left:
            fail("playable copies left behind: %r" % left)

    def list_exercise(self, n, unit):
        form = "frmExam%d" % n
        if n == 1:
            first = trim(self.db.execute(ITEMS_SQL[1] % unit).fetchone()[3])  # mp3
        else:
            column = "P_UNIT" if n == 2 else "unitcode"
            table = "jwords" if n == 2 else "kk_reco"
            first = trim(self.db.execute("select word from %s where %s like ?" % (table, column), (unit + "%",)).fetchone()[0])
        mark = self.mark()
        self.devtools.click(self.view(n, "webMain"), "a[href^='cmd:'] img")
        self.wait_sound(first, mark)
        if [e for e in self.events(mark, "page") if e["window"] == form]:
            fail(form + ": the speaker rebuilt a page")

        if n == 3:
            answer = self.js(3, "webMain", "tmpWord[1]")
            mark = self.mark()
            self.devtools.click(self.view(3, "webMain"), "input[onclick*='checkAnswer(1,%d)']" % answer)
            box = self.wait_box("您答對了", mark)
            expect_equal("box", (box["title"], box["icon"]), ("訊息", 64))
            mark_html = self.js(3, "webMain", "document.getElementById('optfield_1_%d').innerHTML" % answer)
            if "ans_ok.gif" not in mark_html:
                fail("no tick beside the right answer: %r" % mark_html)
            wrong = 1 if answer != 1 else 2
            mark = self.mark()
            self.devtools.click(self.view(3, "webMain"), "input[onclick*='checkAnswer(1,%d)']" % wrong)
            self.wait_box("您答錯了，請再想想看", mark)

    def spelling(self, unit, page, mark):
        words = [trim(w) for (w,) in self.db.execute("select word from jwords where S_UNIT like ?", (unit + "%",))]
        # The first word plays by itself once its page is shown.
        self.wait_sound(words[0], mark)
        wait_until("the answer field's focus", lambda: self.js(4, "webMain", "document.activeElement.id") == "inputword")
        expect_equal("word on show", self.js(4, "webMain", "tmpWord"), words[0])

        mark = self.mark()
        self.devtools.click(self.view(4, "webMain"), "a[href^='cmd:'] img")
        self.wait_sound(words[0], mark)

        # The learner types the word and presses Enter.
        mark = self.mark()
        view = self.view(4, "webMain")
        self.devtools.click(view, "#inputword")
        self.devtools.call(view, "Input.insertText", {"text": words[0]})
        for kind in ("keyDown", "keyUp"):
            params = {"type": kind, "key": "Enter", "code": "Enter", "windowsVirtualKeyCode": 13}
            if kind == "keyDown":
                params["text"] = "\r"
            self.devtools.call(view, "Input.dispatchKeyEvent", params)
        box = self.wait_box("您答對了，請按 [確定] 繼續", mark)
        expect_equal("box icon", box["icon"], 64)
        html = self.wait_page("frmExam4", "webMain", mark, "the next word's page")
        if (" var tmpWord = '%s';" % words[1]) not in html:
            fail("the next word's page does not ask %r" % words[1])
        self.wait_sound(words[1], mark)


def main():
    bin_dir = os.path.abspath(sys.argv[1])
    shots = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 else None
    program = os.path.join(bin_dir, "varnelo")
    demo_data = os.path.join(os.path.dirname(bin_dir), "demo-data", "Varnelo")
    if not os.path.exists(os.path.join(demo_data, "vrnbase.mdb")):
        print("no demo data folder in %s: build the content first" % demo_data)
        return 77
    if shots:
        os.makedirs(shots, exist_ok=True)

    work = tempfile.mkdtemp(prefix="vrn-e2e-exercises-")
    tmp, tmpdir = os.path.join(work, "tmp"), os.path.join(work, "tmpdir")
    shutil.copytree(demo_data, os.path.join(tmp, "Varnelo"))
    os.makedirs(tmpdir)
    trace = harness.Trace(os.path.join(work, "trace.jsonl"))
    port = harness.free_port()
    x = harness.XServer()
    env = dict(os.environ, TMP=tmp, TMPDIR=tmpdir, DISPLAY=x.display, VARNELO_TRACE=trace.path,
               QTWEBENGINE_REMOTE_DEBUGGING=str(port), VARNELO_NO_BROWSER="1", VARNELO_AUTO_ANSWER="OK",
               QTWEBENGINE_CHROMIUM_FLAGS=os.environ.get("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox"))
    env.pop("QT_QPA_PLATFORM", None)
    proc = subprocess.Popen([program], env=env)
    try:
        Exercises(proc, trace, harness.DevTools(port), x.display, tmp, shots).run()
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait(10)
        x.stop()
        if os.environ.get("VARNELO_KEEP_E2E") is None:
            shutil.rmtree(work, ignore_errors=True)
        else:
            print("kept", work)
    print("exercises end to end: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
