#!/usr/bin/python3
"""The real program on a copy of the demo course, read as a screen reader
reads it: through AT-SPI on the accessibility bus of a private session.

Run by run-screen-reader-test.sh inside dbus-run-session under Xvfb, with
the path of the player. One start of the program does every check:
  - nothing that takes the focus lacks a name or a role, in the main window
    and in one lesson of each type, and no stray window is exposed;
  - passage 1 of the narrated reading is in the page's accessible tree;
  - after Play and Pause the page's reading point (its focus) is the passage
    that stays highlighted, and "Paused" is announced once;
  - so it is after Record and Pause in a recording lesson;
  - a test's countdown announces "Time is up" once and never its seconds;
  - a lesson tree row selected through AT-SPI is announced with its caption.
Exits 0 when all hold, 1 otherwise, 77 when the accessibility bus cannot
be had.
"""

import html.parser
import os
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

SKIP = 77
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, flush=True)
    return condition


def pump(seconds):
    """Lets events arrive for `seconds`."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def wait_for(condition, seconds, step=0.1):
    """Polls `condition` until it holds. An object that goes away while it
    is read (a page being replaced) means the answer is not there yet."""

    def ask():
        try:
            return condition()
        except GLib.Error:
            return None

    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = ask()
        if value:
            return value
        pump(step)
    return ask()


# The course --------------------------------------------------------------


def read_lines(path):
    with open(path, encoding="utf-8", newline="") as file:
        return file.read().split("\r\n")


def write_lines(path, lines):
    with open(path, "w", encoding="utf-8", newline="") as file:
        file.write("\r\n".join(lines))


class PassageText(html.parser.HTMLParser):
    """The text of the element with id "t" + k of a page, for every k."""

    def __init__(self):
        super().__init__()
        self.passages = {}
        self.open = []  # (id or None) per open element

    def handle_starttag(self, tag, attrs):
        self.open.append(dict(attrs).get("id"))

    def handle_endtag(self, tag):
        if self.open:
            self.open.pop()

    def handle_data(self, data):
        for name in self.open:
            if name and name.startswith("t") and name[1:].isdigit():
                key = int(name[1:])
                self.passages[key] = self.passages.get(key, "") + data


def words(text):
    return " ".join(text.replace("\ufffc", " ").split())


# Nodes of the demo course: a lesson of each type, and the test whose time
# limit the copy shortens.
NARRATED_READING = 1
RECORDING = 3
LESSONS = [1, 2, 3, 4, 6, 11, 12, 13, 14]
TIMED_TEST = 6
SORTING = 12  # lists, no page
TIME_LIMIT = 4


def copy_course(source, target):
    shutil.copytree(source, target, dirs_exist_ok=True)
    settings = read_lines(target + "/wind.mtp")
    settings[2] = "0"  # no splash
    write_lines(target + "/wind.mtp", settings)
    times = read_lines(target + "/time.mtp")
    times[TIMED_TEST] = str(TIME_LIMIT)
    write_lines(target + "/time.mtp", times)
    texts = read_lines(target + "/text.mtp")

    def passages(node):
        parser = PassageText()
        page = texts[node].replace("\\", "/")
        with open(target + "/data/text/" + page, encoding="utf-8") as file:
            parser.feed(file.read())
        return {k: words(v) for k, v in parser.passages.items()}

    return read_lines(target + "/wind.mtp")[0], read_lines(target + "/zagol.mtp"), {
        node: passages(node) for node in (NARRATED_READING, RECORDING)
    }


# The desktop ---------------------------------------------------------------


def xdotool(*arguments):
    result = subprocess.run(["xdotool", *arguments], capture_output=True, text=True)
    return result.stdout.split()


def key_to(pid, name, key):
    """Gives the player's window captioned `name` the focus, then presses
    `key` as the keyboard does."""
    windows = xdotool("search", "--onlyvisible", "--pid", str(pid), "--name", "^" + name + "$")
    if not check(windows, "no window captioned " + name):
        return
    xdotool("windowfocus", "--sync", windows[-1])
    xdotool("key", "--clearmodifiers", key)


# The accessible tree ----------------------------------------------------


def application(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def window_of(node):
    """The name of the frame or dialog `node` is in."""
    try:
        while node is not None and node.get_role() not in (Atspi.Role.FRAME, Atspi.Role.DIALOG):
            node = node.get_parent()
        return node.get_name() if node is not None else None
    except GLib.Error:
        return None


def children(node):
    try:
        count = node.get_child_count()
    except GLib.Error:
        return []
    return [c for c in (node.get_child_at_index(i) for i in range(count)) if c is not None]


def walk(node, depth=0):
    yield node
    if depth < 60:
        for child in children(node):
            yield from walk(child, depth + 1)


def describe(node):
    try:
        return "%s '%s'" % (node.get_role_name(), node.get_name())
    except GLib.Error as error:
        return "gone (%s)" % error.message


def window(app, name):
    for child in children(app):
        if child.get_name() == name:
            return child
    return None


UNNAMED_ROLES = {Atspi.Role.UNKNOWN, Atspi.Role.FILLER, Atspi.Role.INVALID}


def unreadable(root):
    """What takes the focus in `root` and that a reader could not name or
    say what it is."""
    faults = []
    for node in walk(root):
        try:
            states = node.get_state_set()
            if not states.contains(Atspi.StateType.FOCUSABLE):
                continue
            if not node.get_name().strip() or node.get_role() in UNNAMED_ROLES:
                faults.append(describe(node))
        except GLib.Error:
            continue
    return faults


def documents(root):
    def is_document(node):
        try:
            return node.get_role() == Atspi.Role.DOCUMENT_WEB
        except GLib.Error:  # gone with a page replaced meanwhile
            return False

    return [n for n in walk(root) if is_document(n)]


def text_of(node):
    try:
        if "Text" in node.get_interfaces():
            return words(Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node)))
        return words(node.get_name() or "")
    except GLib.Error:
        return ""


def focused_in(document):
    """The focused object below the document, not the document itself."""
    for node in walk(document):
        if node == document:
            continue
        try:
            if node.get_state_set().contains(Atspi.StateType.FOCUSED):
                return node
        except GLib.Error:
            continue
    return None


# Announcements --------------------------------------------------------------


class Listener:
    """Every notification shown (what a reader speaks) and every change of a
    name, as they come."""

    def __init__(self):
        self.announcements = []
        self.windows = []  # the window of each announcement
        self.renamed = []
        self.listener = Atspi.EventListener.new(self.event)
        self.listener.register("object:state-changed:showing")
        self.listener.register("object:property-change:accessible-name")

    def event(self, event):
        try:
            role = event.source.get_role()
            name = event.source.get_name()
        except GLib.Error:
            return
        if event.type.startswith("object:state-changed:showing"):
            if event.detail1 == 1 and role == Atspi.Role.NOTIFICATION:
                self.announcements.append(name)
                self.windows.append(window_of(event.source))
        else:
            self.renamed.append((role, name))

    def clear(self):
        pump(0.3)
        self.announcements.clear()
        self.windows.clear()
        self.renamed.clear()

    def heard_in(self, window):
        return [a for a, w in zip(self.announcements, self.windows) if w == window]


# The checks -----------------------------------------------------------------


def main():
    player = sys.argv[1]
    demo = os.environ["LECTERN_DEMO_COURSE"]
    started = time.monotonic()
    if Atspi.init() not in (0, 1):
        print("SKIPPED: no accessibility bus")
        return SKIP
    course = tempfile.mkdtemp(prefix="lectern-reader-")
    title, captions, pages = copy_course(demo, course)
    passages = pages[NARRATED_READING]
    check(1 in passages, "the narrated page has passage 1")
    listener = Listener()
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([player], cwd=course, env=environment)
    try:
        app = wait_for(lambda: application(process.pid) or process.poll() is not None, 60)
        if not check(app is not True, "the player runs (exit status %s)" % process.poll()):
            return 1
        if not app:
            print("SKIPPED: the player never reached the accessibility bus")
            return SKIP
        main_window = wait_for(lambda: window(app, title), 60)
        if not check(main_window, "the main window is exposed"):
            return 1
        wait_for(lambda: documents(main_window), 20)
        print("main window after %.1f s" % (time.monotonic() - started), flush=True)

        check_no_stray(app)
        faults = unreadable(main_window)
        check(not faults, "main window: %d unnamed or unknown focusable objects: %s" %
              (len(faults), faults))
        print("main window: %d objects" % sum(1 for _ in walk(main_window)), flush=True)

        key_to(process.pid, title, "Right")
        for node in LESSONS:
            key_to(process.pid, title, "Down")
            if node == 11:  # past the closed second chapter to the third
                key_to(process.pid, title, "Down")
                key_to(process.pid, title, "Right")
                key_to(process.pid, title, "Down")
            elif node == 6:  # past the lesson that needs a recording first
                key_to(process.pid, title, "Down")
            listener.clear()
            key_to(process.pid, title, "Return")
            caption = captions[node]
            lesson = wait_for(lambda: window(app, caption), 20)
            if not check(lesson, "lesson %d opens as '%s'" % (node, caption)):
                continue
            page = None
            if node != SORTING:
                page = wait_for(lambda: [d for d in documents(lesson) if d.get_child_count()], 20)
                check(page, "lesson %d: the page has content" % node)
            faults = unreadable(lesson)
            check(not faults, "lesson %d: %d unnamed or unknown focusable objects: %s" %
                  (node, len(faults), faults))
            print("lesson %d '%s' (%s): %d objects, after %.1f s" %
                  (node, caption, lesson.get_role_name(), sum(1 for _ in walk(lesson)),
                   time.monotonic() - started), flush=True)
            if node == NARRATED_READING and page:
                check_narration(process.pid, caption, lesson, passages, listener)
            if node == RECORDING and page:
                check_recording(process.pid, caption, app, lesson, pages[RECORDING])
            if node == TIMED_TEST:
                check_countdown(process.pid, caption, app, listener)
            key_to(process.pid, caption, "Escape")
            check(wait_for(lambda: window(app, caption) is None, 10),
                  "lesson %d closes on Esc" % node)
        check_no_stray(app)
        check_tree_selection(main_window, title, listener)
    finally:
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
        shutil.rmtree(course, ignore_errors=True)
    print("%d failures, %.1f s" % (len(failures), time.monotonic() - started))
    return 1 if failures else 0


def check_no_stray(app):
    """The application's top-level objects are the player's windows."""
    stray = [describe(w) for w in children(app)
             if w.get_role() not in (Atspi.Role.FRAME, Atspi.Role.DIALOG) or
             w.get_name() == "Offscreen"]
    check(not stray, "%d stray top-level objects: %s" % (len(stray), stray))


def showing(lesson, text):
    """The lesson's document that shows `text`. The page's tree fills in
    after the document shows, and the document is made anew when the page
    shown first is replaced."""
    for document in documents(lesson):
        if any(text[:40] in text_of(n) for n in walk(document)):
            return document
    return None


def check_narration(pid, caption, lesson, passages, listener):
    first = passages.get(1, "")
    page = wait_for(lambda: showing(lesson, first), 10, 0.3)
    if not check(page, "passage 1 ('%s') is in the page's accessible tree" % first[:40]):
        return
    key_to(pid, caption, "space")
    pump(2.5)
    listener.clear()
    key_to(pid, caption, "space")
    pump(1.5)
    heard = listener.heard_in(caption)
    check(heard.count("Paused") == 1, "'Paused' is announced once: %s" % heard)
    # The reading point: the page's focus, where a reader reads on, is the
    # passage that stays highlighted (aria-current, which this engine's
    # bridge does not pass on to AT-SPI).
    check_reading_point(page, passages, "Pause")


def check_reading_point(page, passages, after):
    focused = wait_for(lambda: focused_in(page), 5)
    reading = next((t for t in map(text_of, walk(focused)) if t), "") if focused else ""
    check(reading in passages.values(),
          "after %s the reading point is a passage: %s '%s'" %
          (after, describe(focused) if focused else "nothing", reading))
    print("reading point after %s: '%s'" % (after, reading[:60]), flush=True)


def check_recording(pid, caption, app, lesson, passages):
    page = wait_for(lambda: showing(lesson, passages.get(1, "")), 10, 0.3)
    if not check(page, "the recording lesson's page shows its passage 1"):
        return
    key_to(pid, caption, "space")  # Record

    def close_box(seconds):
        """Without a microphone a box says the recording holds silence."""
        if wait_for(lambda: window(app, "Lectern"), seconds):
            key_to(pid, "Lectern", "Return")
            wait_for(lambda: window(app, "Lectern") is None, 5)

    close_box(2)
    pump(1.5)
    close_box(0)  # one that came late would take the Pause key
    key_to(pid, caption, "space")  # Pause
    check_reading_point(page, passages, "Record and Pause")


def check_tree_selection(main_window, title, listener):
    """Selecting the first row, as a screen reader may, makes it the current
    one: its caption is announced, as after a keyboard move."""
    tree = next((n for n in walk(main_window) if n.get_name() == "Lessons" and
                 "Table" in n.get_interfaces()), None)
    if not check(tree, "the lesson tree has a table interface"):
        return
    caption = Atspi.Table.get_accessible_at(tree, 0, 0).get_name()
    listener.clear()
    Atspi.Table.add_row_selection(tree, 0)
    heard = wait_for(lambda: listener.heard_in(title), 5)
    check(heard and heard[0].startswith(caption + "."),
          "selecting row 0 ('%s') announces it: %s" % (caption, heard))


def check_countdown(pid, caption, app, listener):
    pump(TIME_LIMIT + 1.5)
    heard = listener.heard_in(caption)
    check(heard == ["Time is up"], "only 'Time is up' is announced of the countdown: %s" % heard)
    # The label shows the seconds but keeps its accessible name.
    ticks = [name for role, name in listener.renamed if "countdown" in name.lower()]
    check(not ticks, "the countdown's seconds are not spoken: %s" % ticks)
    box = wait_for(lambda: window(app, "Results"), 5)
    if check(box, "the Results box shows"):
        key_to(pid, "Results", "Return")
        wait_for(lambda: window(app, "Results") is None, 5)


if __name__ == "__main__":
    sys.exit(main())
