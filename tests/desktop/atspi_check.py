#!/usr/bin/python3
"""The windows as a screen reader sees them, over the accessibility bus (AT-SPI).

Starts quarnis with Qt's accessibility bridge on, then checks in the calculator window and
in the graph window that every control taking the focus has a name that says something
(a letter or a digit) and that no two controls of a window share one, that the fields the
user asked about carry their names, and that EXEC tells the bus about a new result without
moving the focus: a notification named after the result is shown.

A combo box's name on this bus is its current entry; its label reaches the screen reader
through the labelled-by relation, so that is the name checked for it.

Usage: atspi_check.py QUARNIS      (inside dbus-run-session and an X server)
Exit 77 when no accessibility bus can be reached.
"""

import os
import subprocess
import sys
import time

try:
    import pyatspi
    from gi.repository import GLib
except ImportError as e:
    print(f"SKIP: {e}")
    sys.exit(77)

failures = []


def fail(message):
    print(f"FAIL: {message}")
    failures.append(message)


def wait_for(find, what, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    print(f"FAIL: {what} did not appear")
    sys.exit(1)


def children(obj):
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield child


def focusable_controls(obj):
    """The controls under obj that take the focus; a combo box's own list is part of it."""
    for child in children(obj):
        if child.getState().contains(pyatspi.STATE_FOCUSABLE):
            yield child
            if child.getRole() == pyatspi.ROLE_COMBO_BOX:
                continue
        yield from focusable_controls(child)


def spoken_name(control):
    if control.getRole() == pyatspi.ROLE_COMBO_BOX:
        for relation in control.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                return relation.getTarget(0).name.replace("&", "")
        return ""
    return control.name


def check_window(window, title, required):
    names = {}
    for control in focusable_controls(window):
        name = spoken_name(control)
        role = control.getRoleName()
        if not any(c.isalnum() for c in name):
            fail(f"{title}: a {role} without a name (shows {control.name!r})")
            continue
        if name in names:
            fail(f"{title}: two controls are named {name!r} ({names[name]}, {role})")
        names[name] = role
    for name in required:
        if name not in names:
            fail(f"{title}: no control named {name!r}")
    print(f"ok: {title}: {len(names)} controls, each with a name of its own")
    return names


def find_control(window, name):
    for control in focusable_controls(window):
        if spoken_name(control) == name:
            return control
    fail(f"no control {name!r}")
    sys.exit(1)


def press(control):
    action = control.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            return
    action.doAction(0)


def main():
    quarnis = sys.argv[1]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    env.pop("QT_QPA_PLATFORM", None)
    process = subprocess.Popen([quarnis], env=env)
    try:
        run(process)
    finally:
        process.kill()
        process.wait()
    if failures:
        print(f"{len(failures)} failed")
        sys.exit(1)
    print("all passed")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        if app.name == "quarnis":
            return app
    return None


def window_named(app, title):
    for child in children(app):
        for window in [child] + list(children(child)):
            if window.name == title:
                return window
    return None


def check_long_line(calc):
    """A pasted line of 12,001 characters is one line of exactly that text, whatever segments
    the memo keeps it in; offsets past a segment's end (4096) reach the right character."""
    line = "1" + "+1" * 6000
    memo = find_control(calc, "Formül")
    memo.queryEditableText().setTextContents("")
    memo.queryComponent().grabFocus()
    subprocess.run(["xclip", "-selection", "clipboard"], input=line.encode(), check=True)
    time.sleep(0.3)
    subprocess.run(["xdotool", "key", "--clearmodifiers", "ctrl+v"], check=True)
    text = memo.queryText()
    wait_for(lambda: text.characterCount == len(line) or None, "the pasted line", seconds=5)
    read = text.getText(0, -1)
    if read != line:
        fail(f"the memo reads back {len(read)} characters, {read.count(chr(10))} line breaks")
    else:
        print(f"ok: a pasted line of {len(line)} characters reads back as one line")
    for offset in (4095, 4097, 8193, 12000):
        text.setCaretOffset(offset)
        if text.caretOffset != offset:
            fail(f"caret set to {offset} reads back as {text.caretOffset}")
    text.setSelection(0, 4090, 8200)
    selection = text.getSelection(0)
    if tuple(selection) != (4090, 8200):
        fail(f"selection 4090..8200 reads back as {tuple(selection)}")
    # A key typed at offset 5001 (past the first segment) lands between the same characters.
    text.setCaretOffset(5001)
    subprocess.run(["xdotool", "type", "--clearmodifiers", "7"], check=True)
    expected = line[:5001] + "7" + line[5001:]
    wait_for(lambda: text.characterCount == len(expected) or None, "the typed key", seconds=5)
    if text.getText(4995, 5008) != expected[4995:5008]:
        fail(f"typed at 5001, the memo reads {text.getText(4995, 5008)!r} there")
    else:
        print("ok: the caret, the selection and a typed key agree on offsets past a segment")


def run(process):
    app = wait_for(application, "the application on the accessibility bus")
    calc = wait_for(lambda: window_named(app, "Quarnis"), "the calculator window")
    check_window(calc, "calculator window",
                 ["Formül", "Sonuç", "Ondalık sayısı", "Hesapla (EXEC)", "M1'e kaydet",
                  "M1'i formüle ekle", "S3'e kaydet", "S3'ü formüle ekle", "Kırmızı top",
                  "Silinecek bellek"])

    # EXEC with the focus in the memo: the result is announced, the focus stays.
    memo = find_control(calc, "Formül")
    memo.queryEditableText().setTextContents("2+3*4")
    memo.queryComponent().grabFocus()
    heard = []

    def listen(event):
        source = event.source
        if event.type.startswith("object:state-changed:showing") and \
                source.getRole() == pyatspi.ROLE_NOTIFICATION:
            labels = [c.name for c in children(source) if c.getRole() == pyatspi.ROLE_LABEL]
            heard.append(("notification", source.name))
            heard.append(("notification label", labels[0] if labels else None))
        elif event.type.startswith("object:text-changed:insert") and source.name == "Sonuç":
            heard.append(("result", event.any_data))

    pyatspi.Registry.registerEventListener(listen, "object:state-changed:showing",
                                           "object:text-changed:insert")
    GLib.timeout_add(300, lambda: press(find_control(calc, "Hesapla (EXEC)")) and False)
    GLib.timeout_add(2500, lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(listen, "object:state-changed:showing",
                                             "object:text-changed:insert")
    if ("notification", "Sonuç: 14") not in heard:
        fail(f"EXEC announced no 'Sonuç: 14' (heard {heard})")
    else:
        print("ok: EXEC shows the notification 'Sonuç: 14'")
    if ("notification label", "Sonuç: 14") not in heard:
        fail(f"the notification holds no label 'Sonuç: 14' (heard {heard})")
    if ("result", "14") not in heard:
        fail(f"the result field reported no new text '14' (heard {heard})")
    else:
        print("ok: the result field reports its new text")

    check_long_line(calc)

    press(find_control(calc, "Graph"))
    graph = wait_for(lambda: window_named(app, "Grafik Formu"), "the graph window")
    check_window(graph, "graph window",
                 ["Fonksiyon adı", "Değişken adı", "Sabit1 değeri", "Aralığın başı",
                  "Aralığın sonu", "x ölçeği", "y ölçeği", "Grafik alanı", "Tablo",
                  "Alan Biçimi", "X Orj", "Y Orj", "Grafik çizgi genişliği"])

    check_history(app)


def check_history(app):
    """Ctrl+H in the calculator opens the history; its list has a name of its own and each
    entry reads as "formula = result", the EXEC above among them."""
    if window_named(app, "Grafik Formu") is not None:
        subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Grafik Formu$",
                        "windowfocus", "--sync", "key", "Escape"], check=False)
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Quarnis$",
                    "windowfocus", "--sync", "key", "ctrl+h"], check=False)
    history = wait_for(lambda: window_named(app, "Geçmiş"), "the history window")
    check_window(history, "history window", ["Hesap geçmişi"])
    entries = [child.name for control in focusable_controls(history)
               if control.getRole() == pyatspi.ROLE_LIST for child in children(control)]
    if "2+3*4 = 14" not in entries or not all(" = " in name for name in entries):
        fail(f"the history's entries read {entries!r}, not '2+3*4 = 14'")
    else:
        print(f"ok: the history lists {len(entries)} entries by name")


if __name__ == "__main__":
    main()
