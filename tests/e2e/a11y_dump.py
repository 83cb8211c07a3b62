#!/usr/bin/python3
# What a screen reader finds in the running viewer: its accessible tree over
# AT-SPI, every control on view with its role, name, text and value, written
# to OUT. Fails when a control on view has neither a name nor a text, or when
# a wanted control is not on view with its role and name.
# Usage: a11y_dump.py PID OUT [--want ROLE=NAME]... [--press NAME]
#   --want  a control that must be on view ("image=1964 Kestrun Ad 1")
#   --press after the checks, presses the button of that name on view
import sys
import time

import pyatspi

# Roles that only hold other controls: a name is not theirs to have.
CONTAINERS = {
    "application", "frame", "window", "dialog", "panel", "filler", "menu bar",
    "separator", "scroll pane", "viewport", "unknown", "redundant object",
}


def showing(acc):
    try:
        return acc.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def text_of(acc):
    try:
        t = acc.queryText()
        return t.getText(0, t.characterCount)
    except Exception:
        return ""


def value_of(acc):
    try:
        return "%g" % acc.queryValue().currentValue
    except Exception:
        return ""


def walk(acc, depth, rows):
    if acc is None or not showing(acc):
        return
    rows.append((depth, acc))
    for i in range(acc.childCount):
        walk(acc.getChildAtIndex(i), depth + 1, rows)


def find_app(pid):
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                pass
        time.sleep(0.1)
    return None


def main(argv):
    pid, out = int(argv[1]), argv[2]
    wants, press = [], None
    args = argv[3:]
    while args:
        opt, arg = args[0], args[1]
        args = args[2:]
        if opt == "--want":
            wants.append(tuple(arg.split("=", 1)))
        elif opt == "--press":
            press = arg
    app = find_app(pid)
    if app is None:
        print("FAIL: the viewer (pid %d) is not on the accessibility bus" % pid)
        return 1
    rows = []
    for i in range(app.childCount):
        walk(app.getChildAtIndex(i), 0, rows)
    failures = []
    found = set()
    with open(out, "w", encoding="utf-8") as f:
        for depth, acc in rows:
            role, name = acc.getRoleName(), acc.name or ""
            text, value = text_of(acc), value_of(acc)
            f.write("%s%s | %s | %s | %s\n" % ("  " * depth, role, name, text, value))
            found.add((role, name))
            if role not in CONTAINERS and not name.strip() and not text.strip():
                failures.append("a %s on view has no name and no text" % role)
    for role, name in wants:
        if (role, name) not in found:
            failures.append("no %s named \"%s\" on view" % (role, name))
    if press:
        buttons = [a for _, a in rows if a.getRoleName() == "push button" and a.name == press]
        if buttons:
            buttons[0].queryAction().doAction(0)
        else:
            failures.append("no button \"%s\" to press" % press)
    print("%d controls on view, dump in %s" % (len(rows), out))
    for failure in failures:
        print("FAIL: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
