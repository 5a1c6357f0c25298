#!/usr/bin/python3
# Drives the player through its accessibility tree, as a screen reader user
# does, where there is no pointer or keyboard to send (a headless Wayland
# compositor). Talks in lines with the test that starts it:
#   argv: COURSE_TITLE LESSON_CAPTION [QUIZ_CAPTION]
#   prints "main" once the main window shows, then presses "Run lesson" (on
#   the row current at start) and prints "lesson" once the lesson shows;
#   on "play" from stdin presses Play and prints "moved A B" when the track
#   bar leaves passage A for passage B, or "still A" after 20 s;
#   on "results" leaves the lesson, selects the tree's second row (the
#   quiz), runs it, presses Check and prints "box BUTTONS CAPTION_WIDTH" once
#   the "Results" box shows: the names of its buttons joined by "|", and
#   the width of the label that shows its caption (0 if none does);
#   on "close" presses the box's Close button and prints "closed" once the
#   box has gone (or "open" after 5 s);
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


WINDOWS = (Atspi.Role.FRAME, Atspi.Role.DIALOG, Atspi.Role.WINDOW, Atspi.Role.ALERT)


def named(role, name):
    return lambda n: n.get_role() == role and n.get_name() == name


def wait_for(root_match, seconds):
    end = time.monotonic() + seconds
    while True:
        for app in children(Atspi.get_desktop(0)):
            found = find(app, root_match)
            if found is not None:
                return found
        if time.monotonic() >= end:
            return None
        time.sleep(0.2)


def gone(name, seconds):
    end = time.monotonic() + seconds
    while window_named(name, 0) is not None:
        if time.monotonic() >= end:
            return False
        time.sleep(0.1)
    return True


def press(node):
    for i in range(node.get_n_actions()):
        if node.get_action_name(i) == "Press":
            try:
                node.do_action(i)
            except gi.repository.GLib.Error:
                pass  # a button that opens a modal window answers when it closes
            return
    fail("no press action on " + node.get_name())


def showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def descendants(node, depth=0):
    if depth > 40:
        return
    for child in children(node):
        yield child
        yield from descendants(child, depth + 1)


def button(window, name):
    found = find(window, lambda n: named(Atspi.Role.PUSH_BUTTON, name)(n) and showing(n))
    if found is None:
        fail("no button '%s' in '%s'" % (name, window.get_name()))
    return found


def window_named(name, seconds):
    return wait_for(lambda n: n.get_role() in WINDOWS and n.get_name() == name, seconds)


def open_results(main_window, lesson, quiz_caption):
    name = lesson.get_name()
    press(button(lesson, "Exit"))
    if not gone(name, 10):
        fail("the lesson stays open after Exit")
    tree = find(main_window, lambda n: n.get_name() == "Lessons")
    if tree is None:
        fail("no tree 'Lessons'")
    try:
        selected = Atspi.Table.add_row_selection(tree, 1)
    except gi.repository.GLib.Error as error:
        fail("%s '%s': %s" % (tree.get_role_name(), tree.get_name(), error))
    if not selected:
        fail("the tree's second row cannot be selected (%s, %d rows)" % (
            tree.get_role_name(), Atspi.Table.get_n_rows(tree)))
    press(button(main_window, "Run lesson"))
    quiz = window_named(quiz_caption, 30)
    if quiz is None:
        fail("no quiz window '%s'" % quiz_caption)
    press(button(quiz, "Check"))
    box = window_named("Results", 15)
    if box is None:
        fail("no Results box")
    buttons = [n.get_name() for n in descendants(box)
               if n.get_role() == Atspi.Role.PUSH_BUTTON and showing(n)]
    label = find(box, lambda n: n.get_role() == Atspi.Role.LABEL and n.get_name() == "Results")
    width = label.get_extents(Atspi.CoordType.WINDOW).width if label else 0
    print("box %s %d" % ("|".join(buttons), width), flush=True)
    return quiz, box


def main():
    title, caption = sys.argv[1], sys.argv[2]
    quiz_caption = sys.argv[3] if len(sys.argv) > 3 else None
    main_window = wait_for(named(Atspi.Role.FRAME, title), 60)
    if main_window is None:
        fail("no main window '%s'" % title)
    print("main", flush=True)
    press(button(main_window, "Run lesson"))
    lesson = window_named(caption, 30)
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
        elif command == "results":
            lesson, box = open_results(main_window, lesson, quiz_caption)
        elif command == "close":
            press(button(box, "Close"))
            print("closed" if gone("Results", 5) else "open", flush=True)
        elif command == "exit":
            press(button(lesson, "Exit"))
            time.sleep(1)
            press(button(main_window, "Exit"))
            print("done", flush=True)
            return


main()
