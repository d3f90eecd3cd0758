#!/usr/bin/python3
"""The lesson browser end to end, as a new learner meets it.

Starts the built program with an empty temporary folder on its own X server,
lets it unpack the installed content package, then clicks through it the way
a learner does: a main-list row and a sub-list row (inside the pages, through
the browser engine's remote-debugging protocol), the type button and the
vowel/consonant tab (native widgets, with xdotool), a word's speaker, and
finally the exit entry of the menu. Everything is checked from the program's
trace and the content database it unpacked.

usage: lesson_browser_e2e.py <build/bin folder> [screenshot.png]
"""
import glob
import json
import os
import shutil
import socket
import sqlite3
import subprocess
import sys
import tempfile
import time
import urllib.request

import websocket

TIMEOUT = 60
VIEWS = ("webListMain", "webListSub", "webSoundRule", "webWords")
SCREEN = (1280, 1024)
WINDOW = (1004, 724)


def fail(message):
    raise AssertionError(message)


def wait_until(what, predicate, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class XServer:
    """A private X server of a known size, so window positions are known."""

    def __init__(self):
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "%dx%dx24" % SCREEN, "-nolisten", "tcp"],
            pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            fail("Xvfb did not start")
        self.display = ":" + number

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.proc.kill()


class Trace:
    def __init__(self, path):
        self.path = path

    def events(self):
        try:
            with open(self.path, encoding="utf-8") as f:
                # The program may be writing a line right now: read whole lines only.
                return [json.loads(line) for line in f if line.endswith("\n") and line.strip()]
        except FileNotFoundError:
            return []

    def wait_for(self, what, match, since=0, timeout=TIMEOUT):
        return wait_until(what, lambda: next((e for e in self.events()[since:] if match(e)), None), timeout)


class DevTools:
    """Clicks inside the program's pages through the remote-debugging port."""

    def __init__(self, port):
        self.port = port
        self.next_id = 0

    def targets(self):
        try:
            with urllib.request.urlopen("http://127.0.0.1:%d/json/list" % self.port, timeout=5) as r:
                return json.load(r)
        except OSError:
            return []

    def target(self, view):
        # Written pages are addressed page://frmmain/<view>/<n>; the newest counts.
        def find():
            found = [t for t in self.targets() if "/%s/" % view in t.get("url", "")]
            return found[0] if found else None
        return wait_until("a page in " + view, find)

    def call(self, view, method, params):
        ws = websocket.create_connection(self.target(view)["webSocketDebuggerUrl"], timeout=TIMEOUT,
                                         suppress_origin=True)
        try:
            self.next_id += 1
            ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
            while True:
                reply = json.loads(ws.recv())
                if reply.get("id") == self.next_id:
                    if "error" in reply:
                        fail("%s failed: %s" % (method, reply["error"]))
                    return reply.get("result", {})
        finally:
            ws.close()

    def url(self, view):
        found = [t["url"] for t in self.targets() if "/%s/" % view in t.get("url", "")]
        return found[0] if found else None

    def urls(self):
        return {v: self.url(v) for v in VIEWS}

    def wait_for_new_pages(self, old, views):
        """Waits until each view shows a page written after old was taken."""
        for view in views:
            wait_until("a new page shown in " + view,
                       lambda: self.url(view) not in (None, old.get(view)) and self.evaluate(
                           view, "document.readyState == 'complete' && document.visibilityState == 'visible'"))

    def evaluate(self, view, expression):
        result = self.call(view, "Runtime.evaluate", {"expression": expression, "returnByValue": True})
        return result.get("result", {}).get("value")

    def click(self, view, selector):
        """A real mouse click (press and release) on the middle of an element."""
        rect = wait_until(
            selector + " in " + view,
            lambda: self.evaluate(view, "(() => { const e = document.querySelector(%s); if (!e) return null;"
                                        " const r = e.getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; })()"
                                  % json.dumps(selector)))
        for kind in ("mousePressed", "mouseReleased"):
            self.call(view, "Input.dispatchMouseEvent",
                      {"type": kind, "x": rect[0], "y": rect[1], "button": "left", "clickCount": 1})


class Content:
    """Expectations computed from the content database the program unpacked."""

    def __init__(self, path):
        self.db = sqlite3.connect(path)

    def column(self, sql, name):
        cur = self.db.execute(sql)
        index = [d[0] for d in cur.description].index(name)
        return [row[index] for row in cur.fetchall()]

    @staticmethod
    def trim(value):
        return (value or "").strip(" ")

    def main_values(self, table, column):
        seen = []
        for v in self.column("select %s, set_order from %s order by set_order" % (column, table), column):
            v = self.trim(v)
            if v not in seen:
                seen.append(v)
        return seen

    def sub_rows(self, table, key_column, value_column, key):
        rows = self.db.execute("select %s, %s, mp3, htm from %s where %s = ? order by set_order"
                               % (key_column, value_column, table, key_column), (key,)).fetchall()
        seen, out = [], []
        for k, v, mp3, htm in rows:
            if self.trim(k) != key or self.trim(v) in seen:
                continue
            seen.append(self.trim(v))
            out.append((self.trim(v), self.trim(mp3), self.trim(htm)))
        return out

    def vowel_words(self, letter_set, sound):
        rows = self.db.execute("select word, pri_char, pri_kk from jwords where pri_char = ? and pri_kk = ? order by word",
                               (letter_set, sound)).fetchall()
        return [self.trim(w) for w, c, k in rows if self.trim(c) == letter_set and self.trim(k) == sound]


def vowel_word_sql(letter_set, sound):
    return ("SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where pri_char = '%s' and pri_kk = '%s'  ORDER BY word"
            % (letter_set, sound))


def start_program(program, display, work):
    """Starts the program as a new learner would: an empty temporary folder of its own."""
    os.makedirs(work)
    tmp, tmpdir = os.path.join(work, "tmp"), os.path.join(work, "tmpdir")
    os.makedirs(tmp)
    os.makedirs(tmpdir)
    trace = Trace(os.path.join(work, "trace.jsonl"))
    port = free_port()
    env = dict(os.environ, TMP=tmp, TMPDIR=tmpdir, DISPLAY=display, VARNELO_TRACE=trace.path,
               QTWEBENGINE_REMOTE_DEBUGGING=str(port), VARNELO_NO_BROWSER="1", VARNELO_AUTO_ANSWER="OK",
               QTWEBENGINE_CHROMIUM_FLAGS=os.environ.get("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox"))
    env.pop("QT_QPA_PLATFORM", None)
    return subprocess.Popen([program], env=env), trace, DevTools(port), tmp


def main():
    bin_dir = os.path.abspath(sys.argv[1])
    screenshot = sys.argv[2] if len(sys.argv) > 2 else None
    program = os.path.join(bin_dir, "varnelo")
    if not os.path.exists(os.path.join(bin_dir, "giz", "vrndata.giz")):
        print("no installed content package in %s: build the content first" % bin_dir)
        return 77  # skipped

    work = tempfile.mkdtemp(prefix="vrn-e2e-lessons-")
    x = XServer()
    procs = []
    try:
        proc, trace, devtools, tmp = start_program(program, x.display, os.path.join(work, "browse"))
        procs.append(proc)
        run(proc, trace, devtools, x.display, tmp, screenshot)
        proc, trace, devtools, tmp = start_program(program, x.display, os.path.join(work, "close"))
        procs.append(proc)
        close_button_ends_without_asking(proc, trace, x.display)
    finally:
        for proc in procs:
            if proc.poll() is None:
                proc.kill()
                proc.wait(10)
        x.stop()
        if os.environ.get("VARNELO_KEEP_E2E") is None:
            shutil.rmtree(work, ignore_errors=True)
        else:
            print("kept", work)
    print("lesson browser end to end: passed")
    return 0


def expect_program_ends(proc, trace, since):
    """The exit procedure ran, the program ended, the startup window went last."""
    trace.wait_for("the exit procedure", lambda e: e["ev"] == "exit", since)
    try:
        code = proc.wait(30)
    except subprocess.TimeoutExpired:
        fail("the program did not end after the exit procedure")
    expect_equal("exit code", code, 0)
    unloaded = [e["name"] for e in trace.events()[since:] if e["ev"] == "window" and e["state"] == "unloaded"]
    if not unloaded or unloaded[-1] != "frmStartUp" or "frmMain" not in unloaded:
        fail("unload order: %r" % unloaded)


def close_button_ends_without_asking(proc, trace, display):
    trace.wait_for("the main window", lambda e: e["ev"] == "window" and e["name"] == "frmMain" and e["state"] == "shown")
    trace.wait_for("the startup to finish", lambda e: e["ev"] == "window" and e["name"] == "frmStartUp" and e["state"] == "shown")
    time.sleep(0.5)  # the fade-in
    mark = len(trace.events())
    window_click(display, 958 + 16, 12 + 12)
    expect_program_ends(proc, trace, mark)
    if any(e["ev"] == "message" for e in trace.events()[mark:]):
        fail("the close button asked a question")


def window_click(display, x, y):
    """Clicks window coordinates of the main window, centred on the screen."""
    left, top = (SCREEN[0] - WINDOW[0]) // 2, (SCREEN[1] - WINDOW[1]) // 2
    subprocess.run(["xdotool", "mousemove", str(left + x), str(top + y), "sleep", "0.2", "click", "1"],
                   env=dict(os.environ, DISPLAY=display), check=True)


def sql_after(trace, since):
    return [e["text"] for e in trace.events()[since:] if e["ev"] == "sql"]


def last_page(trace, view, since=0):
    pages = [e for e in trace.events()[since:] if e["ev"] == "page" and e["view"] == view]
    return pages[-1]["html"] if pages else None


def words_in(html):
    import re
    return re.findall(r"<a href='cmd:([^']*)'>", html)


def expect_equal(what, got, want):
    if got != want:
        fail("%s:\n  got  %r\n  want %r" % (what, got, want))


def wait_for_cascade(trace, since, last_sql, devtools, old_urls, views):
    """Waits until a cascade has run last_sql and its pages are shown."""
    trace.wait_for("the query " + last_sql, lambda e: e["ev"] == "sql" and e["text"] == last_sql, since)
    trace.wait_for("the word table", lambda e: e["ev"] == "page" and e["view"] == "webWords", since)
    devtools.wait_for_new_pages(old_urls, views)


def run(proc, trace, devtools, display, tmp, screenshot):
    data = os.path.join(tmp, "Varnelo")

    # First start: the installed package is unpacked into the empty data folder.
    started = trace.wait_for("the unpacker", lambda e: e["ev"] == "process")
    expect_equal("unpacker arguments", started["args"], ["-d" + data + "/"])
    trace.wait_for("the main window", lambda e: e["ev"] == "window" and e["name"] == "frmMain" and e["state"] == "shown")
    if not os.path.exists(os.path.join(data, "vrnbase.mdb")):
        fail("the data folder was not filled from the package")
    content = Content(os.path.join(data, "vrnbase.mdb"))

    # The first letter set of the vowels is selected, with its sounds, rule page and words.
    letter_sets = content.main_values("vowels_sound", "letter_set")
    first = letter_sets[0]
    subs = content.sub_rows("vowels_sound", "letter_set", "sound", first)
    wait_for_cascade(trace, 0, vowel_word_sql(first, subs[0][0]), devtools, {}, VIEWS)
    expect_equal("startup queries", sql_after(trace, 0)[:3], [
        "select letter_set, set_order from vowels_sound order by set_order",
        "select * from vowels_sound where letter_set = '%s' order by set_order" % first,
        vowel_word_sql(first, subs[0][0]),
    ])
    main_page = last_page(trace, "webListMain")
    for i, v in enumerate(letter_sets):
        if ("location.href='cmd:%d#%s';" % (i, v)) not in main_page:
            fail("main list row %d (%s) missing" % (i, v))
    expect_equal("main list rows", main_page.count("<tr id='td"), len(letter_sets))
    expect_equal("sub list rows", last_page(trace, "webListSub").count("<tr id='td"), len(subs))
    expect_equal("words", words_in(last_page(trace, "webWords")), content.vowel_words(first, subs[0][0]))
    rule = last_page(trace, "webSoundRule")
    if not rule or "<style>" not in rule or "font_s\\" not in rule:
        fail("the rule page is missing, or has no stylesheet or glyphs")
    wait_until("the views to show their pages",
               lambda: devtools.evaluate("webWords", "document.querySelectorAll(\"a[href^='cmd:']\").length")
               == len(content.vowel_words(first, subs[0][0])))
    time.sleep(1)  # the fade-in and the last paints
    if screenshot:
        subprocess.run(["import", "-display", display, "-window", "root", screenshot], check=True)

    # A main-list row with more than one sound, then its second sound.
    row = next(i for i, v in enumerate(letter_sets) if len(content.sub_rows("vowels_sound", "letter_set", "sound", v)) > 1)
    value = letter_sets[row]
    subs = content.sub_rows("vowels_sound", "letter_set", "sound", value)
    mark, old = len(trace.events()), devtools.urls()
    devtools.click("webListMain", "#td%d td" % row)
    wait_for_cascade(trace, mark, vowel_word_sql(value, subs[0][0]), devtools, old, ("webListSub", "webWords"))
    expect_equal("main-list click queries", sql_after(trace, mark), [
        "select * from vowels_sound where letter_set = '%s' order by set_order" % value,
        vowel_word_sql(value, subs[0][0]),
    ])
    expect_equal("sub rows after the click", last_page(trace, "webListSub", mark).count("<tr id='td"), len(subs))

    mark, old = len(trace.events()), devtools.urls()
    devtools.click("webListSub", "#td1 td")
    wait_for_cascade(trace, mark, vowel_word_sql(value, subs[1][0]), devtools, old, ("webWords",))
    expect_equal("sub-list click queries", sql_after(trace, mark), [vowel_word_sql(value, subs[1][0])])
    expect_equal("words of the second sound", words_in(last_page(trace, "webWords", mark)),
                 content.vowel_words(value, subs[1][0]))
    if subs[1][2] and last_page(trace, "webSoundRule", mark) is None:
        fail("the rule page of the second sound was not written")

    # The type button: browse by sound.
    sounds = content.main_values("vowels_sound", "sound")
    letter_sets_of = content.sub_rows("vowels_sound", "sound", "letter_set", sounds[0])
    mark, old = len(trace.events()), devtools.urls()
    window_click(display, 64 + 102, 142 + 30)
    wait_for_cascade(trace, mark, vowel_word_sql(letter_sets_of[0][0], sounds[0]), devtools, old,
                     ("webListMain", "webListSub", "webWords"))
    expect_equal("type button queries", sql_after(trace, mark), [
        "select sound, set_order from vowels_sound order by set_order",
        "select * from vowels_sound where sound = '%s' order by set_order" % sounds[0],
        vowel_word_sql(letter_sets_of[0][0], sounds[0]),
    ])

    # The tab: consonants, still by sound, words through the sound code.
    sounds = content.main_values("consonants_sound", "sound")
    letter_sets_of = content.sub_rows("consonants_sound", "sound", "letter_set", sounds[0])
    code_sql = "SELECT scode  FROM w_sound  where Letter_set = '%s' and kk = '%s' " % (letter_sets_of[0][0], sounds[0])
    mark, old = len(trace.events()), devtools.urls()
    window_click(display, 68 + 49, 238 + 16)
    trace.wait_for("the sound-code query", lambda e: e["ev"] == "sql" and e["text"] == code_sql, mark)
    trace.wait_for("the word table", lambda e: e["ev"] == "page" and e["view"] == "webWords", mark)
    code = content.trim(content.column(
        "select scode from w_sound where Letter_set = '%s' and kk = '%s'" % (letter_sets_of[0][0], sounds[0]), "scode")[0])
    word_sql = ("SELECT word, phonetic, meaning, pri_char, pri_kk  FROM jwords  where snd_word like '%%%s%%' ORDER BY word"
                % code)
    trace.wait_for("the consonant word query", lambda e: e["ev"] == "sql" and e["text"] == word_sql, mark)
    expect_equal("tab queries", sql_after(trace, mark), [
        "select sound, set_order from consonants_sound order by set_order",
        "select * from consonants_sound where sound = '%s' order by set_order" % sounds[0],
        code_sql, word_sql,
    ])
    words = wait_until("the consonant words", lambda: words_in(last_page(trace, "webWords", mark) or ""))
    devtools.wait_for_new_pages(old, ("webListMain", "webListSub", "webWords"))

    # A word's speaker: the word plays to its end and its copy is deleted.
    mark = len(trace.events())
    wait_until("the speakers", lambda: devtools.evaluate("webWords", "document.querySelectorAll(\"a[href^='cmd:']\").length")
               == len(words))
    devtools.click("webWords", "a[href='cmd:%s'] img" % words[0])
    trace.wait_for("the word to play", lambda e: e["ev"] == "sound" and e["name"] == words[0] and e["state"] == "play", mark)
    trace.wait_for("the word to stop", lambda e: e["ev"] == "sound" and e["name"] == words[0] and e["state"] == "stopped", mark)
    left = glob.glob(os.path.join(tmp, "vrn_sound*.mp3"))
    if left:
        fail("playable copies left behind: %r" % left)

    # The exit entry asks message 40; the answer OK fades the window out and
    # ends the program, the startup window unloaded last.
    mark = len(trace.events())
    window_click(display, 906 + 24, 104 + 24)
    asked = trace.wait_for("message 40", lambda e: e["ev"] == "message", mark)
    expect_equal("exit question", (asked["id"], asked["buttons"], asked["icon"]), ("40", "OK_CANCEL", 2))
    expect_program_ends(proc, trace, mark)


if __name__ == "__main__":
    sys.exit(main())
