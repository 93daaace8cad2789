#!/usr/bin/python3
"""What a screen reader sees of the running program, through the desktop's accessibility bus.

    a11y.py time WINDOW        the words of WINDOW's labels that read as a time ("10:37")
    a11y.py unnamed            the shown controls a user can press that have no name; exits 1 on one
    a11y.py press WINDOW NAME  uses the control NAME of WINDOW ("*": any window) as a click does
    a11y.py keys KEY...        presses the keys and prints the items of the menu they focus ("unnamed"
                               for one without a name), learnt from focus events; exits 1 on none
    a11y.py focus              the role and name of the control that has the keyboard's focus
    a11y.py state WINDOW NAME  the states and description of the control NAME of WINDOW
"""
import re
import subprocess
import sys

import pyatspi

MENU_ITEMS = {pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_RADIO_MENU_ITEM,
              pyatspi.ROLE_MENU}
PRESSABLE = MENU_ITEMS | {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_TOGGLE_BUTTON,
                          pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_LINK, pyatspi.ROLE_COMBO_BOX,
                          pyatspi.ROLE_PUSH_BUTTON_MENU}


def program():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and "vrim" in (app.name or "").lower():
            return app
    sys.exit("the program is not on the accessibility bus")


def shown(node):
    return all(node.getState().contains(s) for s in (pyatspi.STATE_VISIBLE, pyatspi.STATE_SHOWING))


def windows():
    return [w for w in program() if w is not None and shown(w)]


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def nodes(window="*"):
    return ((top, node) for top in windows() if window in ("*", top.name) for node in walk(top))


def find(window, name):
    for _, node in nodes(window):
        if node.getRole() in PRESSABLE and node.name == name and shown(node):
            return node
    sys.exit(f"no control {name!r} in {window!r}")


def main(args):
    command = args[0]
    if command == "time":
        for _, node in nodes(args[1]):
            if node.getRole() == pyatspi.ROLE_LABEL and re.fullmatch(r"\d\d:\d\d", node.name or ""):
                print(node.name)
    elif command == "unnamed":
        pressable = [(top, node) for top, node in nodes() if node.getRole() in PRESSABLE and shown(node)]
        missing = [(top, node) for top, node in pressable if not (node.name or "").strip()]
        for top, node in missing:
            print(f"unnamed {node.getRoleName()} in {top.name!r}")
        print(f"{len(pressable)} controls in {', '.join(repr(w.name) for w in windows())}")
        return 1 if missing else 0
    elif command == "press":
        find(args[1], args[2]).queryAction().doAction(0)
    elif command == "keys":
        from gi.repository import GLib
        focused = []

        def heard(event):
            try:
                if event.detail1 == 1 and event.source.getRole() in MENU_ITEMS:
                    focused.append(event.source)
            except Exception:  # gone already
                pass

        pyatspi.Registry.registerEventListener(heard, "object:state-changed:focused")
        # A second first: the program learns that someone listens.
        GLib.timeout_add(1000, lambda: subprocess.run(["xdotool", "key", *args[1:]], check=True) and False)
        GLib.timeout_add(3000, lambda: pyatspi.Registry.stop() and False)
        pyatspi.Registry.start()
        if not focused:
            return 1
        for item in focused[-1].parent:
            if item is not None and item.getRole() in MENU_ITEMS:
                print(item.name if (item.name or "").strip() else "unnamed")
    elif command == "focus":
        for _, node in nodes():
            if node.getState().contains(pyatspi.STATE_FOCUSED):
                print(f"{node.getRoleName()}: {node.name}")
    elif command == "state":
        node = find(args[1], args[2])
        print(" ".join(pyatspi.stateToString(s) for s in node.getState().getStates()))
        print(node.description)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
