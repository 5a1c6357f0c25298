#!/usr/bin/python3
# Drives the player through its accessibility tree, as a screen reader user
# does, where there is no pointer or keyboard to send (a headless Wayland
# compositor). Talks in lines with the test that starts it:
#   argv: COURSE_TITLE LESSON_CAPTION
#   prints "main" once the main window shows, then presses "Run lesson" (on
#   the row current at start) and prints "lesson" once the lesson shows;
#   on "play" from stdin presses Play and prints "moved A B" when the track
#   bar leaves passage A for passage B, or "still A" after 20 s;
#   on "exit" presses Exit in the lesson and then in the main window and
#   prints "done".
# Any failure prints "error: WHY" and ends with status 1.
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def fail(why):
    print("error: " + why, flush=True)
    sys.exit(1)


def children(node):
    try:
        return [node.get_child_at_index(i) for i in range(node.get_child_count())]
    except gi.repository.GLib.Error:
        return []


def find(node, match, depth=0):
    if node is None or depth > 40:
        return None
    try:
        if match(node):
            return node
    except gi.repository.GLib.Error:
        return None
    for child in children(node):
        found = find(child, match, depth + 1)
        if found is not None:
            return found
    return None


WINDOWS = (Atspi.Role.FRAME, Atspi.Role.DIALOG, Atspi.Role.WINDOW)


def named(role, name):
    return lambda n: n.get_role() == role and n.get_name() == name


def wait_for(root_match, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        desktop = Atspi.get_desktop(0)
        for app in children(desktop):
            found = find(app, root_match)
            if found is not None:
                return found
        time.sleep(0.2)
    return None


def press(node):
    for i in range(node.get_n_actions()):
        if node.get_action_name(i) == "Press":
            try:
                node.do_action(i)
            except gi.repository.GLib.Error:
                pass  # a button that opens a modal window answers when it closes
            return
    fail("no press action on " + node.get_name())


def button(window, name):
    found = find(window, named(Atspi.Role.PUSH_BUTTON, name))
    if found is None:
        fail("no button '%s' in '%s'" % (name, window.get_name()))
    return found


def main():
    title, caption = sys.argv[1], sys.argv[2]
    main_window = wait_for(named(Atspi.Role.FRAME, title), 60)
    if main_window is None:
        fail("no main window '%s'" % title)
    print("main", flush=True)
    press(button(main_window, "Run lesson"))
    lesson = wait_for(lambda n: n.get_role() in WINDOWS and n.get_name() == caption, 30)
    if lesson is None:
        shown = ["%s '%s'" % (w.get_role_name(), w.get_name())
                 for app in children(Atspi.get_desktop(0)) for w in children(app)]
        fail("no lesson window '%s' among %s" % (caption, shown))
    print("lesson", flush=True)
    for line in sys.stdin:
        command = line.strip()
        if command == "play":
            track = find(lesson, lambda n: n.get_role() == Atspi.Role.SLIDER)
            if track is None:
                fail("no track bar")
            start = track.get_current_value()
            press(button(lesson, "Play"))
            end = time.monotonic() + 20
            while time.monotonic() < end and track.get_current_value() == start:
                time.sleep(0.1)
            now = track.get_current_value()
            print(("moved %g %g" % (start, now)) if now != start else "still %g" % start,
                  flush=True)
        elif command == "exit":
            press(button(lesson, "Exit"))
            time.sleep(1)
            press(button(main_window, "Exit"))
            print("done", flush=True)
            return


main()
