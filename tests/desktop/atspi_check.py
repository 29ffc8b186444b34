#!/usr/bin/python3
"""The windows as a screen reader sees them, over the accessibility bus (AT-SPI).

Starts quarnis with Qt's accessibility bridge on, then checks in the calculator window and
in the graph window that every control taking the focus has a name that says something
(a letter or a digit) and that no two controls of a window share one, that the fields the
user asked about carry their names, and that EXEC tells the bus about a new result without
moving the focus: a notification named after the result is shown.

Qt's own texts are checked in Turkish under LANG=C.UTF-8 and again under LANG=tr_TR.UTF-8
(whether or not that locale is generated): the memo's context menu, a message box's OK button,
the file dialog's buttons and its question before overwriting a file. F1 in each window shows
the manual at that window's chapter, its heading read off the help window's page.

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


def start(quarnis, run, **variables):
    print(f"-- LANG={variables['LANG']}")
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **variables)
    for name in ("QT_QPA_PLATFORM", "LC_ALL", "LANGUAGE"):
        if name not in variables:
            env.pop(name, None)
    process = subprocess.Popen([quarnis], env=env)
    try:
        run(process)
    finally:
        process.kill()
        process.wait()


def main():
    quarnis = sys.argv[1]
    start(quarnis, run, LANG="C.UTF-8")
    start(quarnis, run_turkish, LANG="tr_TR.UTF-8", LC_ALL="tr_TR.UTF-8", LANGUAGE="tr")
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


def windows_named(app, title):
    for child in children(app):
        for window in [child] + list(children(child)):
            if window.name == title:
                yield window


def window_named(app, title):
    return next(windows_named(app, title), None)


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


def descendants(obj, role, depth=12):
    if depth == 0:
        return
    for child in children(obj):
        if role is None or child.getRole() == role:
            yield child
        yield from descendants(child, role, depth - 1)


def xkey(window_title, key):
    """Presses `key` in the window `title`; again when a window that closed a moment ago made
    the search fail."""
    for _ in range(3):
        if subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                           f"^{window_title}$", "windowfocus", "--sync", "key",
                           "--clearmodifiers", key], check=False).returncode == 0:
            return
        time.sleep(0.5)


def button(app, name, what):
    """The push button `name` anywhere in the program, once shown."""
    return wait_for(lambda: next((b for b in descendants(app, pyatspi.ROLE_PUSH_BUTTON)
                                  if b.name == name and
                                  b.getState().contains(pyatspi.STATE_SHOWING)), None), what)


def click(box_button):
    """Presses a button that closes its box, and waits until it has."""
    press(box_button)
    wait_for(lambda: not box_button.getState().contains(pyatspi.STATE_SHOWING) or None,
             f"{box_button.name!r} closing its box")


def check_memo_menu(calc):
    """The memo's context menu speaks Qt's Turkish. A popup menu is no child of the
    application on the bus: it is found through the item that Down makes current."""
    memo = find_control(calc, "Formül").queryComponent()
    memo.grabFocus()
    x, y, width, height = memo.getExtents(pyatspi.DESKTOP_COORDS)
    menus = []

    def listen(event):
        parent = event.source.parent
        if event.source.getRole() == pyatspi.ROLE_MENU_ITEM and parent is not None:
            menus.append(parent)

    def open_menu():
        subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2),
                        "click", "3", "sleep", "0.5", "key", "Down"], check=False)
        return False
    pyatspi.Registry.registerEventListener(listen, "object:state-changed:focused")
    GLib.timeout_add(100, open_menu)
    GLib.timeout_add(2500, lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(listen, "object:state-changed:focused")
    expected = ["Geri al", "Yinele", "Kes", "Kopyala", "Yapıştır", "Sil", "Tümünü Seç"]
    names = [item.name.split("\t")[0] for item in children(menus[0])
             if item.name] if menus else []
    if names != expected:
        fail(f"the memo's menu reads {names}, not {expected}")
    else:
        print(f"ok: the memo's menu reads {names}")
    subprocess.run(["xdotool", "key", "Escape"], check=False)


def check_qt_boxes(app, graph):
    """"Grafik Çiz" before "Grafik Temizle" is refused in a box whose button is "Tamam"; Ctrl+S
    opens the file dialog with "Kaydet" and "İptal", which asks "Evet"/"Hayır" before
    overwriting a file."""
    press(find_control(graph, "Grafik Çiz"))
    click(button(app, "Tamam", "the box's Tamam button"))
    print("ok: the box's button is 'Tamam'")
    xkey("Grafik Formu", "ctrl+s")
    save = button(app, "Kaydet", "the file dialog's Kaydet button")
    button(app, "İptal", "the file dialog's İptal button")
    print("ok: the file dialog's buttons are 'Kaydet' and 'İptal'")
    existing = os.path.join(os.environ.get("XDG_RUNTIME_DIR") or "/tmp", "quarnis-atspi.png")
    open(existing, "wb").close()
    dialog = wait_for(lambda: window_named(app, "Grafiği Kaydet"), "the file dialog")
    field = next((t for t in descendants(dialog, pyatspi.ROLE_TEXT)
                  if t.getState().contains(pyatspi.STATE_EDITABLE) and
                  t.getState().contains(pyatspi.STATE_SHOWING)), None)
    field.queryEditableText().setTextContents(existing)
    press(save)
    button(app, "Evet", "the question's Evet button")
    click(button(app, "Hayır", "the question's Hayır button"))
    print("ok: overwriting asks with 'Evet' and 'Hayır'")
    click(button(app, "İptal", "the file dialog's İptal button"))
    os.remove(existing)


def check_f1(app, title, heading):
    """F1 in the window `title` shows the manual at the page headed `heading`; the manual stays
    open, and the next F1 turns its page. Every manual on the bus is looked at on every try: over
    a modal window the manual is given that window as its owner, which makes it a new window on
    the bus, and the old one may still be listed.
    F1 is pressed again when the page does not come: a key that reaches a window the program
    has not activated yet is no shortcut, and pressing it once more shows the same page."""
    def page_heading():
        try:
            for manual in windows_named(app, "Kılavuz"):  # the one closed a moment ago may linger
                for browser in descendants(manual, None):  # read-only text: a label
                    if browser.name == "Kılavuz sayfası":
                        text = browser.queryText().getText(0, -1)
                        if heading in [line.strip() for line in text.split("\n")]:
                            return heading
        except GLib.GError:  # a window gone while it was read
            pass
        return None
    for attempt in range(3):
        if attempt:
            print(f"note: F1 in {title} pressed again")
        xkey(title, "F1")
        end = time.time() + 5
        while time.time() < end:
            if page_heading():
                print(f"ok: F1 in {title} shows {heading!r}")
                return
            time.sleep(0.1)
    fail(f"the heading {heading!r} after F1 in {title} did not appear")


def run_turkish(process):
    app = wait_for(application, "the application on the accessibility bus")
    calc = wait_for(lambda: window_named(app, "Quarnis"), "the calculator window")
    check_memo_menu(calc)
    press(find_control(calc, "Graph"))
    check_qt_boxes(app, wait_for(lambda: window_named(app, "Grafik Formu"), "the graph window"))


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
    check_memo_menu(calc)
    check_f1(app, "Quarnis", "Hesap Makinesi Penceresi")

    press(find_control(calc, "Graph"))
    graph = wait_for(lambda: window_named(app, "Grafik Formu"), "the graph window")
    check_window(graph, "graph window",
                 ["Fonksiyon adı", "Değişken adı", "Sabit1 değeri", "Aralığın başı",
                  "Aralığın sonu", "x ölçeği", "y ölçeği", "Grafik alanı", "Tablo",
                  "Alan Biçimi", "X Orj", "Y Orj", "Grafik çizgi genişliği"])
    check_qt_boxes(app, graph)
    check_f1(app, "Grafik Formu", "Grafik Penceresi")

    check_history(app)
    check_f1(app, "Geçmiş", "Geçmiş")
    press(find_control(calc, "Info"))
    check_f1(app, "Hakkında", "Bilgi Penceresi")


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
