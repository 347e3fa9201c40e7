#!/usr/bin/python3
"""Reads the running program the way a screen reader does, over AT-SPI.

Run on an X server of its own inside a D-Bus session:
    with-x-server.sh --wm --fresh-home -- dbus-run-session -- read_by_screen_reader.py MORVANE

Switches the desktop's screen-reader flag on (as Orca does), starts the
program on a fresh home, and walks the accessible tree of every window it
shows: each control in view that takes the focus or shows something must
have a name, the main window's own controls must carry theirs, and the
control with the focus at start is the editor.
"""
import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

R = Atspi.Role
NAMED_ROLES = {R.TREE, R.TREE_TABLE, R.LIST, R.LIST_BOX, R.TEXT, R.ENTRY, R.COMBO_BOX,
               R.CHECK_BOX, R.RADIO_BUTTON, R.PUSH_BUTTON, R.IMAGE, R.ICON}
OWN_NAMES = {"Title tree": {R.TREE, R.TREE_TABLE}, "Entries": {R.TEXT},
             "Click list": {R.LIST, R.LIST_BOX}, "Hotkeys": {R.LIST, R.LIST_BOX}}


def screen_reader_on():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    for prop in ("IsEnabled", "ScreenReaderEnabled"):
        bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                      GLib.Variant("(ssv)", ("org.a11y.Status", prop, GLib.Variant("b", True))),
                      None, Gio.DBusCallFlags.NONE, 5000, None)


def find_app(name, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name and app.get_child_count() > 0:
                return app
        time.sleep(0.2)
    return None


def walk(node, path, problems, seen, depth=0):
    if node is None or depth > 40:
        return
    states = node.get_state_set()
    if not states.contains(Atspi.StateType.SHOWING):
        return
    role = node.get_role()
    name = node.get_name() or ""
    here = f"{path}/{node.get_role_name()}"
    if name:
        seen.setdefault(name, set()).add(role)
        here += f" \"{name}\""
    # Rows of a list or a tree are named by their text; a container is not read.
    if (states.contains(Atspi.StateType.FOCUSABLE) or role in NAMED_ROLES) and not name:
        if role not in (R.LIST_ITEM, R.TREE_ITEM, R.TABLE_CELL, R.MENU_ITEM, R.SCROLL_BAR):
            problems.append(here)
    if role in (R.LIST, R.LIST_BOX, R.TREE, R.TREE_TABLE, R.MENU_BAR):
        return
    for i in range(node.get_child_count()):
        walk(node.get_child_at_index(i), here, problems, seen, depth + 1)


def focused(node, depth=0):
    if node is None or depth > 40:
        return None
    if node.get_state_set().contains(Atspi.StateType.FOCUSED):
        return node
    for i in range(node.get_child_count()):
        hit = focused(node.get_child_at_index(i), depth + 1)
        if hit is not None:
            return hit
    return None


def main():
    program = sys.argv[1]
    screen_reader_on()
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    proc = subprocess.Popen([program], env=env)
    try:
        app = find_app("Morvane", 30)
        if app is None:
            print("read_by_screen_reader: Morvane never showed on the accessibility bus")
            return 1
        # The help window opens a second after a first start; wait for it.
        deadline = time.monotonic() + 10
        while app.get_child_count() < 2 and time.monotonic() < deadline:
            time.sleep(0.2)
        problems, seen = [], {}
        windows = [app.get_child_at_index(i) for i in range(app.get_child_count())]
        for window in windows:
            walk(window, "", problems, seen)
        print("windows read:", ", ".join(w.get_name() for w in windows if w is not None))
        for name, roles in OWN_NAMES.items():
            if not seen.get(name, set()) & roles:
                problems.append(f"no {name!r} of role {sorted(r.value_nick for r in roles)}")
        main_window = next((w for w in windows if w and w.get_name().startswith("Morvane")), None)
        focus = focused(main_window)
        if focus is None or focus.get_name() != "Entries":
            problems.append(f"focus at start on {focus.get_name() if focus else None!r}, "
                            "not on the editor")
        for p in problems:
            print("read_by_screen_reader: unnamed or missing:", p)
        print("read_by_screen_reader:", "faults found" if problems else "every control has its name")
        return 1 if problems else 0
    finally:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()


if __name__ == "__main__":
    sys.exit(main())
