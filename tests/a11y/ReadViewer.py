"""Reads the running viewer over the accessibility bus as a screen reader does, and fails when
what a reader would hear is missing: the welcome page's text, TabulaGrid's rating, a name on
every button, each field's caption. Prints what it read."""

import subprocess
import sys
import time

import pyatspi

failures = []


def check(condition, what):
    print(("ok:     " if condition else "FAILED: ") + what)
    if not condition:
        failures.append(what)


def wait_for(find, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    return None


def viewer():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "lumarc":
            return app
    return None


def nodes(root, showing_only=True):
    """Every node below root, depth first; hidden ones left out unless asked for."""
    stack = [root]
    while stack:
        node = stack.pop()
        try:
            if showing_only and node is not root and not node.getState().contains(pyatspi.STATE_SHOWING):
                continue
            yield node
            stack.extend(node.getChildAtIndex(i) for i in reversed(range(node.childCount)))
        except Exception:  # a node that went away while it was read
            continue


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return None


def value_of(node):
    try:
        return node.queryValue().currentValue
    except NotImplementedError:
        return None


def labels_of(node):
    return [relation.getTarget(i).name for relation in node.getRelationSet()
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(relation.getNTargets())]


app = wait_for(viewer)
if app is None:
    print("FAILED: the viewer never appeared on the accessibility bus")
    sys.exit(1)

# The welcome page, shown at the start.
page = wait_for(lambda: next((n for n in nodes(app) if n.getRoleName() == "text" and
                              (text_of(n) or "").startswith("Willkommen")), None))
check(page is not None, "the welcome page is read as text")
if page is not None:
    print("  reads: %s: %s" % (page.name, text_of(page).split("\n")[0]))
    check(text_of(page).split("\n")[0] == "Willkommen auf der Brimvale ToolDisc",
          "its first line is \"Willkommen auf der Brimvale ToolDisc\"")

buttons = [n for n in nodes(app, showing_only=False) if n.getRoleName() == "push button"]
unnamed = [b for b in buttons if not b.name]
check(buttons and not unnamed, "every one of %d buttons has a name" % len(buttons))
print("  buttons: " + ", ".join(b.name or "<no name>" for b in buttons))

# To TabulaGrid as a user gets there with the keyboard: the outline has the focus at the start.
window = subprocess.run(["xdotool", "search", "--sync", "--name", "ToolDisc Viewer"],
                        capture_output=True, text=True).stdout.split()
check(bool(window), "the viewer's window is found")
if window:
    subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=False)
    for key in ["Down", "Down", "Down", "Right", "Down", "Right", "Down", "Right", "Down"]:
        subprocess.run(["xdotool", "key", "--window", window[0], key], check=False)
        time.sleep(0.2)

rating = wait_for(lambda: next((n for n in nodes(app) if n.name == "Wertung" and
                                value_of(n) is not None), None))
check(rating is not None, "TabulaGrid's rating is read as \"Wertung\" with a value")
if rating is not None:
    print("  reads: %s (%s): %s" % (rating.name, rating.getRoleName(), value_of(rating)))
    check(value_of(rating) == 90, "the rating is 90")

fields = {}
for node in nodes(app):
    for label in labels_of(node):
        fields[label] = node
for caption in ["Copyright:", "Distribution:", "Einschränkungen:"]:
    field = fields.get(caption)
    check(field is not None, "a field is labelled \"%s\"" % caption)
    if field is not None:
        print("  reads: %s %s" % (field.name, text_of(field)))

def window_opened_by(key, title):
    """The window read as `title` after `key` is pressed in the viewer's window."""
    if window:
        # A shortcut needs the keys of the focused window, not keys sent to a window.
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=False)
        subprocess.run(["xdotool", "key", key], check=False)
    return wait_for(lambda: next((n for n in nodes(app) if n.getRoleName() in ("frame", "dialog") and
                                  n.name == title), None))


def table_in(frame, name):
    return wait_for(lambda: next((n for n in nodes(frame) if n.name == name and
                                  n.getRoleName() in ("table", "tree table", "tree")), None))


# The component list, opened by its key: a table of the components, its filters named.
frame = window_opened_by("ctrl+l", "Komponentenliste")
check(frame is not None, "Ctrl+L opens a window read as \"Komponentenliste\"")
if frame is not None:
    table = table_in(frame, "Komponenten")
    check(table is not None, "it holds a table read as \"Komponenten\"")
    if table is not None:
        rows = table.queryTable().nRows
        print("  reads: %s (%s), %d rows" % (table.name, table.getRoleName(), rows))
        check(rows == 10, "the table has a row for each of the demo's 10 components")
    search = next((n for n in nodes(frame) if "Suchen:" in labels_of(n) or n.name == "Suchen:"), None)
    check(search is not None, "its text filter is labelled \"Suchen:\"")
    boxes = [n for n in nodes(frame, showing_only=False) if n.getRoleName() == "check box"]
    print("  check boxes: " + ", ".join(b.name for b in boxes[:6]))
    check(any(b.name.startswith("Delphi 2 (") for b in boxes), "the compiler filters are read with their counts")
    unnamed = [n for n in nodes(frame, showing_only=False) if n.getRoleName() == "push button" and not n.name]
    check(not unnamed, "every button of the list has a name")

# The library, opened by its key: the catalogue the viewer opened is in its table.
library = window_opened_by("ctrl+shift+b", "Bibliothek")
check(library is not None, "Ctrl+Shift+B opens a window read as \"Bibliothek\"")
if library is not None:
    table = table_in(library, "Kataloge der Bibliothek")
    check(table is not None, "it holds a table read as \"Kataloge der Bibliothek\"")
    if table is not None:
        rows = table.queryTable().nRows
        print("  reads: %s (%s), %d rows" % (table.name, table.getRoleName(), rows))
        check(rows == 1, "the catalogue opened is the library's one row")
    unnamed = [n for n in nodes(library, showing_only=False) if n.getRoleName() == "push button" and not n.name]
    check(not unnamed, "every button of the library has a name")

sys.exit(1 if failures else 0)
