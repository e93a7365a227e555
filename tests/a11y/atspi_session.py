"""Drives the real transclient through the accessibility bus, as a screen-reader user would.

The program runs under Xvfb with its own D-Bus session (see run_atspi_test.sh). There is no window
manager, so the X input focus is set with xdotool before keys are typed. Every wait is bounded and
polls for a condition; nothing sleeps for a fixed time.
"""
import os
import subprocess
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

# Item views expose every cell; searches never descend into them.
ITEM_VIEWS = {pyatspi.ROLE_TREE, pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_TREE_TABLE}
# Roles of controls that take input.
INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER, pyatspi.ROLE_TREE,
    pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_PAGE_TAB_LIST,
}

# Generous limits: the machine may be busy with builds.
STEP_TIMEOUT = float(os.environ.get("VT_ATSPI_STEP_TIMEOUT", "20"))


class Failure(Exception):
    pass


class NoDisplay(Exception):
    """The program could not reach the X server; the runner tries again on another display."""


def pump():
    """Lets queued accessibility events reach their listeners."""
    ctx = GLib.MainContext.default()
    while ctx.pending():
        ctx.iteration(False)


def wait(what, pred, timeout=STEP_TIMEOUT):
    """Polls pred until it returns something true; fails with `what` after timeout seconds."""
    end = time.monotonic() + timeout
    last_error = None
    while True:
        pump()
        try:
            value = pred()
            if value:
                return value
        except GLib.Error as error:  # an object that went away while we looked
            last_error = error
        if time.monotonic() > end:
            raise Failure(f"timed out waiting for {what}" + (f" ({last_error})" if last_error else ""))
        time.sleep(0.02)


def children(obj):
    try:
        return [c for c in obj if c is not None]
    except GLib.Error:
        return []


def walk(root, into_views=False):
    """Breadth-first over the tree below root; item views are returned but not entered."""
    queue = [root]
    while queue:
        obj = queue.pop(0)
        try:
            role = obj.getRole()
        except GLib.Error:  # gone while we walked
            continue
        yield obj
        if into_views or obj is root or role not in ITEM_VIEWS:
            queue.extend(children(obj))


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def find(root, role, name=None, visible=True):
    for obj in walk(root):
        if obj.getRole() == role and (name is None or obj.name == name) and (not visible or showing(obj)):
            return obj
    return None


def need(root, role, name=None):
    return wait(f"a showing {role} named {name!r}", lambda: find(root, role, name))


class Recorder:
    """Records accessibility events of the given kinds while in use:
    `with Recorder("object:state-changed:focused") as events: ...` gives (kind, source, detail1)."""

    def __init__(self, *kinds):
        self.kinds = kinds
        self.events = []

    def _on_event(self, event):
        self.events.append((event.type, event.source, event.detail1))

    def __enter__(self):
        for kind in self.kinds:
            pyatspi.Registry.registerEventListener(self._on_event, kind)
        pump()
        self.events.clear()
        return self.events

    def __exit__(self, *exc):
        pump()
        for kind in self.kinds:
            pyatspi.Registry.deregisterEventListener(self._on_event, kind)
        return False


def describe(obj):
    try:
        return f"{obj.getRoleName()} {obj.name!r}"
    except GLib.Error:
        return "(gone)"


def focused(obj):
    return obj.getState().contains(pyatspi.STATE_FOCUSED)


def label_of(obj):
    """The text of the label that names obj (a buddy label), or ''."""
    for relation in obj.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                target = relation.getTarget(i)
                if target is not None and target.name:
                    return target.name
    return ""


def spoken_name(obj):
    """What a screen reader calls a control. A closed drop-down list is read by its value, so its
    name is its label."""
    if obj.getRole() == pyatspi.ROLE_COMBO_BOX:
        return label_of(obj)
    return obj.name or label_of(obj)


class App:
    """The program under test, started on a project and stopped when the session ends."""

    def __init__(self, program, project, log, data_home):
        # A data folder of its own: a crash report left by another run would open its dialog at start.
        env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_DATA_HOME=data_home, QT_QPA_PLATFORM="xcb")  # the X server, even where offscreen is the default
        self.log = open(log, "wb")
        self.process = subprocess.Popen([program, project], env=env, stdout=self.log, stderr=subprocess.STDOUT)
        self.name = os.path.basename(program)
        Atspi.set_timeout(5000, 30000)
        self.app = wait("the program on the accessibility bus", self._find, timeout=60)

    def _find(self):
        if self.process.poll() is not None:
            self.log.flush()
            with open(self.log.name, "rb") as f:
                if b"could not connect to display" in f.read():
                    raise NoDisplay()
            raise Failure(f"the program ended early with {self.process.returncode}")
        for app in children(pyatspi.Registry.getDesktop(0)):
            try:
                if app.name == self.name and app.get_process_id() == self.process.pid and app.childCount:
                    return app
            except GLib.Error:
                pass
        return None

    def windows(self):
        return [w for w in children(self.app) if showing(w)]

    def window(self, role, name_part):
        return wait(f"{name_part!r} window", lambda: next(
            (w for w in self.windows() if w.getRole() == role and name_part in w.name), None))

    def ended(self):
        return self.process.poll() is not None

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(10)
        self.log.close()


def x_windows():
    """Titles of the showing X windows, by window id."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."], capture_output=True,
                           text=True, timeout=STEP_TIMEOUT).stdout.split()
    return {w: subprocess.run(["xdotool", "getwindowname", w], capture_output=True, text=True,
                              timeout=STEP_TIMEOUT).stdout.rstrip("\n") for w in found}


def x_focus(title):
    """Gives the X input focus to the showing window with this title (there is no window manager to
    do it). Qt adds the application's name to the titles of some windows."""
    def window():
        matches = [w for w, n in x_windows().items() if n == title or n.startswith(title + " \u2014 ")]
        return matches[-1] if matches else None
    try:
        found = wait(f"an X window titled {title!r}", window)
    except Failure:
        raise Failure(f"no window titled {title!r} among {sorted(x_windows().values())!r}") from None
    subprocess.run(["xdotool", "windowfocus", "--sync", found], check=True, timeout=STEP_TIMEOUT)


def keys(*names):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *names], check=True, timeout=STEP_TIMEOUT)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True, timeout=STEP_TIMEOUT)
