"""The main window through the accessibility bus: names, a row's status as text, the search-method
box, the daily path with the files checked on disk, and the save question answered from the keyboard.

Usage: test_main_window.py TRANSCLIENT EXAMPLES_DIR
"""
import os
import shutil
import sys
import tempfile

import pyatspi

from atspi_session import (INTERACTIVE, App, Failure, NoDisplay, Recorder, describe, find, focused, keys, label_of, need, pump,
                           showing, spoken_name, type_text, wait, walk, x_focus)

MAIN_TITLE = "Demo.kxLng"


def read_text(path):
    """A project file as text; its bytes may be UTF-8 or 8-bit."""
    with open(path, "rb") as f:
        return f.read().decode("latin-1")


def name_problems(window):
    """Showing controls that take input without a name, or with a name another one has."""
    seen = {}
    problems = []
    for obj in walk(window):
        if obj is window or obj.getRole() not in INTERACTIVE or not showing(obj):
            continue
        name = spoken_name(obj)
        role = obj.getRoleName()
        if not name:
            problems.append(f"a {role} without a name (description {obj.description!r})")
        elif name in seen:
            problems.append(f"two controls named {name!r}: {seen[name]} and {role}")
        else:
            seen[name] = role
    return problems, len(seen)


def check_names(window, what):
    """Every showing control that takes input has a name, and no two share one. The window may
    still be settling when it first appears; what stays wrong fails."""
    last = []

    def clean():
        nonlocal last
        last, count = name_problems(window)
        return not last and count
    try:
        count = wait(f"{what}: every control named once", clean)
    except Failure:
        raise Failure(f"{what}: " + "; ".join(last)) from None
    print(f"ok: {what}: {count} controls, each with a name of its own")


def table_of(tree):
    return tree.queryTable()


def selected_row(tree):
    rows = table_of(tree).getSelectedRows()
    return rows[0] if rows else -1


def cell(tree, row, column):
    return table_of(tree).getAccessibleAt(row, column)


def column_of(tree, header):
    table = table_of(tree)
    for c in range(table.nColumns):
        h = table.getColumnHeader(c)
        if h is not None and h.name == header:
            return c
    raise Failure(f"no column {header!r}")


def main(program, examples):
    work = tempfile.mkdtemp(prefix="vt-atspi-")
    for name in ("Demo.SrcLng", "Demo.kxLng", "Demo.AutoLng"):
        shutil.copy(os.path.join(examples, name), work)
    project = os.path.join(work, "Demo.kxLng")
    try:
        app = App(program, project, os.path.join(work, "transclient.log"), os.path.join(work, "data"))
    except NoDisplay:
        shutil.rmtree(work)
        raise
    try:
        try:
            run(app, project)
        except Exception:
            with open(os.path.join(work, "transclient.log"), "rb") as f:
                sys.stderr.write("program output:\n" + f.read()[-3000:].decode("utf-8", "replace"))
            raise
        # The program ends by itself after the save question; it must not need to be stopped.
        wait("the program to end after Exit", app.ended)
        print("ok: the program ended after the save question")
    finally:
        app.stop()
    saved = read_text(project)
    if "mnuEditRename.VC=[?]Cambiar nombre" not in saved.replace("\r\n", "\n"):
        raise Failure("the saved translation file lacks the edit:\n" + saved[:2000])
    if "descartar" in saved:
        raise Failure("the edit answered with No reached the file")
    print("ok: the files on disk hold the saved edit and not the discarded one")
    shutil.rmtree(work)


def run(app, project):
    win = app.window(pyatspi.ROLE_FRAME, MAIN_TITLE)
    sections = need(win, pyatspi.ROLE_TABLE, "Sections")
    wait("the project's sections to be listed", lambda: table_of(sections).nRows > 1)
    x_focus(MAIN_TITLE)
    check_names(win, "main window")

    entries = need(win, pyatspi.ROLE_TABLE, "Entry list")
    editor = need(win, pyatspi.ROLE_TEXT, "Translation")
    status_bar = need(win, pyatspi.ROLE_STATUS_BAR)

    # Tab from the end of the top bar into the section list: the focus alone picks no section.
    last_of_bar = need(win, pyatspi.ROLE_PUSH_BUTTON, "Update item")
    last_of_bar.queryComponent().grabFocus()
    wait("the top bar's last button to take the focus", lambda: focused(last_of_bar))
    keys("Tab")
    wait("Tab to reach the section list", lambda: focused(sections))
    if selected_row(sections) != -1 or table_of(entries).nRows != 0:
        raise Failure("moving the focus into the section list with Tab picked a section")
    print("ok: Tab reaches the sections next after the top bar and picks nothing")
    # One key to each pane.
    keys("ctrl+3")  # no entry yet: the editor is disabled and the focus stays
    keys("ctrl+2")
    wait("the entry list to take the focus", lambda: focused(entries))
    keys("ctrl+1")
    wait("the section list to take the focus", lambda: focused(sections))
    if selected_row(sections) != -1:
        raise Failure("moving the focus into the section list picked a section")
    print("ok: Ctrl+2 and Ctrl+1 reach the entries and the sections")
    with Recorder("object:state-changed:focused", "object:selection-changed") as events:
        keys("Down", "Down")  # [ALL], then the first section
        wait("the first section to be picked", lambda: selected_row(sections) == 1)
        wait("the entry list to fill", lambda: table_of(entries).nRows > 0)
    # Only the section list itself speaks of a section change: nothing hidden behind it.
    strays = [f"{kind} on {describe(source)}" for kind, source, _ in events
              if source is not None and source != sections and source.parent != sections]
    if strays:
        raise Failure("a section change sent events from elsewhere: " + ", ".join(strays))
    section = cell(sections, 1, 0).name
    print(f"ok: the arrows picked {section!r}, {table_of(entries).nRows} entries")

    # An untranslated entry, found by reading each row's status as text.
    keys("ctrl+2")
    wait("the entry list to take the focus", lambda: focused(entries))
    original = column_of(entries, "Original Text")
    for row in range(table_of(entries).nRows):
        keys("Down")  # the first Down picks the first row
        wait(f"row {row} to be picked", lambda: selected_row(entries) == row)
        wait("the editor to show the picked entry", lambda: editor.getState().contains(pyatspi.STATE_ENABLED))
        if cell(entries, row, original).description == "untranslated":
            break
    else:
        raise Failure("no row reads as untranslated")
    target = cell(entries, row, original)
    if target.name != "Re&name\tF2":
        raise Failure(f"expected the first untranslated entry to be 'Re&name', found {target.name!r}")
    print(f"ok: row {row} reads {target.name!r}: {target.description!r}")

    # Type the translation, update it, and read the row again.
    keys("ctrl+3")
    wait("the editor to take the focus", lambda: focused(editor))
    type_text("Cambiar nombre")
    keys("F5")
    wait("the row to read as translated", lambda: cell(entries, row, original).description == "translated, changed")
    if editor.queryText().getText(0, -1) != "Cambiar nombre":
        raise Failure("the editor lost the typed text")
    print("ok: F5 stored the text; the row now reads 'translated, changed'")

    # A status key: the row, the editor and the status line say what changed.
    keys("ctrl+q")
    wait("the row to read as queried", lambda: "query" in cell(entries, row, original).description)
    wait("the editor's description to name the status", lambda: "query" in editor.description)
    wait("the status line to say what changed", lambda: any(
        "Query on" in (o.name or "") for o in walk(status_bar)))
    print(f"ok: Ctrl+Q: row {cell(entries, row, original).description!r}, editor {editor.description!r}")

    # F4 moves to the next entry while the keyboard, and the accessible focus, stay in the editor.
    with Recorder("object:state-changed:focused") as events:
        keys("F4")
        wait("F4 to pick the next row", lambda: selected_row(entries) == row + 1)
        wait("the editor to show the next entry", lambda: editor.queryText().getText(0, -1) != "Cambiar nombre")
        keys("F3")
        wait("F3 to pick the row again", lambda: selected_row(entries) == row)
    if not focused(editor):
        raise Failure("F4/F3 took the focus from the editor")
    strays = [describe(source) for _, source, on in events if on and source is not None and source != editor]
    if strays:
        raise Failure("F4/F3 sent focus to " + ", ".join(strays))
    print("ok: F4 and F3 move the entry and leave the focus in the editor")

    # Into the entry list: the focused cell, which a screen reader reads, is the row's original text
    # and not its ID cell.
    keys("ctrl+2")
    wait("the entry list to take the focus", lambda: focused(entries))
    landed = wait("a focused cell on the current row", lambda: [
        cell(entries, row, c) for c in range(table_of(entries).nColumns) if focused(cell(entries, row, c))])
    if [c.name for c in landed] != ["Re&name\tF2"]:
        raise Failure(f"entering the entry list focuses {[describe(c) for c in landed]!r}")
    print(f"ok: entering the entry list focuses the original text {landed[0].name!r}")
    keys("ctrl+3")
    wait("the editor to take the focus back", lambda: focused(editor))

    # The search-method box: the arrows browse it without a dialog; Enter commits and asks.
    text_filter = need(win, pyatspi.ROLE_CHECK_BOX, "Text Filter")
    text_filter.queryComponent().grabFocus()
    wait("the Text Filter box to take the focus", lambda: focused(text_filter))
    keys("space")
    method = wait("the search-method box", lambda: next(
        (o for o in walk(win) if o.getRole() == pyatspi.ROLE_COMBO_BOX and showing(o)
         and label_of(o) == "Search Method"), None))
    keys("Tab")  # the box follows its check box in the Tab order
    wait("the search-method box to take the focus", lambda: focused(method))
    windows_before = len(app.windows())
    rows_before = table_of(entries).nRows
    keys("Down")
    wait("'Starts with'", lambda: method.name == "Starts with")
    keys("Down")
    wait("'Contains'", lambda: method.name == "Contains")
    pump()
    if len(app.windows()) != windows_before:
        raise Failure("browsing the search-method box opened a window")
    print("ok: the arrows browse the search-method box without a dialog")
    keys("Return")
    dialog = app.window(pyatspi.ROLE_DIALOG, "Apply Filter")
    x_focus("Apply Filter")
    field = need(dialog, pyatspi.ROLE_TEXT)
    wait("the filter field to take the focus", lambda: focused(field))
    type_text("Rename")  # accelerator marks are not part of the text the filter sees
    keys("Return")
    wait("the filter dialog to close", lambda: not any(w.name == "Apply Filter" for w in app.windows()))
    x_focus(MAIN_TITLE)
    def filtered():
        names = [cell(entries, r, original).name for r in range(table_of(entries).nRows)]
        return 0 < len(names) < rows_before and "Re&name\tF2" in names and names
    names = wait("the list to show only the entries that contain the text", filtered)
    if not all("rename" in n.replace("&", "").lower() for n in names):
        raise Failure(f"the filter let through {names!r}")
    print(f"ok: Enter on the box asked for the text; the list shows {names!r}")

    # Save, change once more, and leave with "No".
    keys("ctrl+s")
    wait("the translation file on disk to hold the edit",
         lambda: "Cambiar nombre" in read_text(project))
    keys("ctrl+2")
    wait("the entry list to take the focus", lambda: focused(entries))
    keys("Down")
    wait("the entry to be current", lambda: editor.getState().contains(pyatspi.STATE_ENABLED))
    keys("ctrl+3")
    wait("the editor to take the focus", lambda: focused(editor))
    keys("ctrl+Delete")  # "Clear Translation"
    wait("the editor to be empty", lambda: editor.queryText().characterCount == 0)
    type_text("descartar")
    keys("alt+F4")
    alert = wait("the save question as an alert", lambda: next(
        (w for w in app.windows() if w.getRole() == pyatspi.ROLE_ALERT), None))
    question = [o.name for o in walk(alert) if o.getRole() == pyatspi.ROLE_LABEL and o.name]
    if "Save Changes to Current File?" not in question:
        raise Failure(f"the alert reads {question!r}")
    for answer in ("Yes", "No", "Cancel"):
        need(alert, pyatspi.ROLE_PUSH_BUTTON, answer)
    print(f"ok: the save question is an alert named {alert.name!r} reading {question!r}")
    x_focus(alert.name)
    keys("n")


if __name__ == "__main__":
    try:
        main(sys.argv[1], sys.argv[2])
    except NoDisplay:
        print("the program could not reach the X server", file=sys.stderr)
        sys.exit(75)
    except Failure as error:
        print(f"FAILED: {error}", file=sys.stderr)
        sys.exit(1)
    print("PASSED")
