"""The character grid through the X server: the keys and double-clicks of a
real session copy a cell's character, and append it, to the clipboard as
another program (xclip) sees it; appending reads what other programs hold
(xclip, and the misbehaving owners of clipboard_manager). Cell k shows the
Windows-1252 character of code k+31. Walking the grid with the arrow keys,
the preview and the modifiers are tst_grid's, in process."""

import select
import signal
import subprocess

import pytest

from harness import clipboard_owner, said_since, stop, wait_for

# A text field of another program that takes a drop as STRING where it is offered, as GTK does behind KWin's Xwayland
# bridge, else as UTF-8, and as a copy only: it refuses a drag that offers no copy. It notes the form of each drop.
FIELD = """import sys, gi; gi.require_version("Gtk", "3.0"); from gi.repository import Gdk, Gtk; entry = Gtk.Entry()
forms = [Gtk.TargetEntry.new(form, 0, 0) for form in ("STRING", "text/plain;charset=utf-8")]
entry.drag_dest_set_target_list(Gtk.TargetList.new(forms))
copy = lambda context: Gdk.DragAction.COPY if context.get_actions() & Gdk.DragAction.COPY else 0
entry.connect("drag-motion", lambda w, context, x, y, t: Gdk.drag_status(context, copy(context), t) or True)
note = lambda *a: open(sys.argv[1] + ".forms", "a").write(a[4].get_target().name() + "\\n")
entry.connect("drag-data-received", note)
write = lambda *_: open(sys.argv[1], "w").write(entry.get_text()); write(); entry.connect("changed", write)
window = Gtk.Window(); window.add(entry); window.move(0, 0); window.show_all(); Gtk.main()"""
# Another program that asks for the latest drag itself, with a window and a time of its own, as mutter's Xwayland
# bridge does: the forms on offer, then the text.
DRAG_READER = """import gi; gi.require_version("Gtk", "3.0"); from gi.repository import Gtk, Gdk
drag = Gtk.Clipboard.get(Gdk.Atom.intern("XdndSelection", False)); found, forms = drag.wait_for_targets()
print(sorted(form.name() for form in forms) if found else None); print(drag.wait_for_text())"""


def test_copy_to_the_shared_clipboard(glyphery, clipboard, layout, desktop):
    held = glyphery.folder / "field"  # what the text field of another program holds
    field = subprocess.Popen(["/usr/bin/python3", "-c", FIELD, held], env=desktop.env)
    x, y, w, h = desktop.geometry(wait_for("no text field", lambda: desktop.windows_of(field.pid))[0])
    app = glyphery.start()
    app.activate()

    # The focus starts on a hidden box; Tab brings it to cell 1, a space.
    clipboard.set("text from before the test")
    app.keys("Tab", "Return")
    clipboard.expect("Tab, Enter (cell 1)", " ")

    # Drags (press, ten paced moves for XDND, release) into the field, which takes copies only; the clipboard stays.
    # STRING, which is Latin-1, is offered for ASCII alone.
    for cell, text in [(34, "A"), (97, "A\u20ac"), (202, "A\u20ac\xe9")]:
        px, py = (a + b for a, b in zip(desktop.geometry(app.window), layout.point("Char", cell)))
        step = ["mousemove_relative", "--", str((x + w // 2 - px) // 10), str((y + h // 2 - py) // 10), "sleep", "0.05"]
        desktop.x("xdotool", "mousemove", str(px), str(py), "mousedown", "1", *step * 10, "mouseup", "1")
        wait_for(lambda: f"drag of cell {cell}: field and clipboard hold {held.read_text(), clipboard.content()}",
                 lambda: (held.read_text(), clipboard.content()) == (text, b" "))
    assert (glyphery.folder / "field.forms").read_text().split() == ["STRING"] + ["text/plain;charset=utf-8"] * 2
    asked = subprocess.run(["/usr/bin/python3", "-c", DRAG_READER], env=desktop.env, capture_output=True, timeout=10)
    forms = ["TARGETS", "TEXT", "UTF8_STRING", "text/plain", "text/plain;charset=utf-8"]
    assert asked.stdout.decode() == f"{forms}\n\xe9\n", asked
    # A double-click copies the cell under the pointer, as UTF-8 to others.
    for cell, text in [(97, "\u20ac"), (98, "\x81"), (129, "\xa0"), (224, "\xff"), (34, "A")]:
        clipboard.set(f"marker {cell}")
        app.click(layout.point("Char", cell), double=True)
        clipboard.expect(f"double-click on cell {cell}", text)

    # Appending works on text another program put on the clipboard.
    clipboard.set("xyz")
    app.keys("shift+Return")
    clipboard.expect("Shift+Enter after xclip set 'xyz' (cell 34 appended)", "xyzA")
    # Then the text is the program's own, which it reads without asking.
    app.keys("Right", "shift+Return")
    clipboard.expect("Shift+Enter on its own text (cell 35 appended)", "xyzAB")

    assert app.close() == 0
    stop(field)


BIG = b"0123456789abcdef" * (20 << 16)  # 20 MB, which xclip serves in parts (INCR)


@pytest.mark.parametrize("held, expected", [
    (b"", b"A"), (None, b"A"), ("png", b"A"), ("html", b"A"), (b"a\xffb", "a\ufffdbA".encode()), (b"ab\0", b"abA"),
    (BIG, BIG + b"A"), ("incr-in-two", b"hello worldA"), (("STRING", b"caf\xe9"), "caf\xe9A".encode()),
    ("silent", None), ("dies-in-incr", None)],
    ids=["empty", "no owner", "png", "html", "invalid UTF-8", "closing NUL", "20 MB", "parts in two changes",
         "Latin-1 only", "silent", "dies-in-incr"])
def test_append_to_what_another_program_holds(glyphery, clipboard, desktop, held, expected):
    app = glyphery.start()
    app.activate()
    app.keys("Tab", *["Right"] * 33)  # cell 34, "A"
    if isinstance(held, str):
        other = clipboard_owner(desktop, held)
    elif held is not None:
        target, held = held if isinstance(held, tuple) else ("UTF8_STRING", held)
        subprocess.run(["xclip", "-selection", "clipboard", "-t", target, "-i"], input=held, env=desktop.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10, check=True)
    else:
        stop(clipboard_owner(desktop, "png"))  # an owner that ends leaves none
    app.keys("shift+Return")
    if expected is not None:
        wait_for(lambda: f"Shift+Enter: the clipboard ends in {(clipboard.content() or b'')[-20:]!r}, not the text and "
                 "the character", lambda: clipboard.content() == expected, 20)
        assert app.close() == 0
        return
    # A clipboard that cannot be read is a run-time error within a few
    # seconds (Qt alone waits 15 s), and the owner's text stays.
    wait_for(lambda: f"no error 521 on stderr:\n{app.log.read_text()}",
             lambda: "Run-time error '521': Can't open Clipboard" in app.log.read_text(), 10)
    box = app.second_window("the message box of error 521")
    # The silent owner still owns the clipboard; after the one that ended,
    # nothing does.
    if other.poll() is None:
        assert b"cleared" not in said_since(other), "the program took the clipboard from the silent owner"
    else:
        assert clipboard.content() is None, f"the clipboard holds {clipboard.content()!r}"
    desktop.focus(box)
    desktop.keys("Return")
    assert app.wait_exit() == 1
    stop(other)


def test_a_termination_signal_ends_the_wait(glyphery, desktop):
    app = glyphery.start()
    app.activate()
    app.keys("Tab", "Right")
    other = clipboard_owner(desktop, "silent")
    app.keys("shift+Return")
    assert select.select([other.stdout], [], [], 10)[0] and other.stdout.readline() == b"asked\n"
    app.process.send_signal(signal.SIGTERM)
    # The append ends quietly, and the window closes the normal way.
    assert app.wait_exit(10) == 0, app.log.read_text()
    assert "Run-time error" not in app.log.read_text(), app.log.read_text()
    glyphery.expect_settings()
    assert other.poll() is None and b"cleared" not in said_since(other), "the program took the clipboard"
    stop(other)
