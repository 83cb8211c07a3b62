#!/usr/bin/python3
# What a screen reader finds in the running viewer over AT-SPI: every control
# on view with its role, name and text, written to OUT. Fails when one has
# neither name nor text, or a wanted ROLE=NAME is not on view; then presses
# the button named by --press.
# Usage: a11y_dump.py PID OUT [--want ROLE=NAME]... [--press NAME]
import sys
import time

import pyatspi

# Roles that only hold other controls.
CONTAINERS = {"application", "frame", "window", "dialog", "panel", "filler", "menu bar",
              "separator", "scroll pane", "viewport"}


def text_of(acc):
    try:
        t = acc.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return ""


def on_view(acc, rows, depth=0):
    if acc is not None and acc.getState().contains(pyatspi.STATE_SHOWING):
        rows.append((depth, acc))
        for child in acc:
            on_view(child, rows, depth + 1)


def main(pid, out, *args):
    opts = list(zip(args[::2], args[1::2]))
    for _ in range(100):
        apps = [a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == int(pid)]
        if apps:
            break
        time.sleep(0.1)
    else:
        return print("FAIL: the viewer is not on the accessibility bus") or 1
    rows, failures, found = [], [], set()
    for window in apps[0]:
        on_view(window, rows)
    with open(out, "w", encoding="utf-8") as f:
        for depth, acc in rows:
            role, name, text = acc.getRoleName(), acc.name or "", text_of(acc)
            f.write("%s%s | %s | %s\n" % ("  " * depth, role, name, text))
            found.add("%s=%s" % (role, name))
            if role not in CONTAINERS and not (name + text).strip():
                failures.append("a %s on view has no name and no text" % role)
    failures += ["no %s on view" % w for o, w in opts if o == "--want" and w not in found]
    for o, name in opts:
        if o == "--press":
            buttons = [a for _, a in rows if a.getRoleName() == "push button" and a.name == name]
            if buttons:
                buttons[0].queryAction().doAction(0)
            else:
                failures.append("no button %s to press" % name)
    print("%d controls on view, dump in %s" % (len(rows), out))
    for failure in failures:
        print("FAIL: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
