"""The clipboard outlives the window: with no clipboard manager, a character
copied with Enter can still be pasted by another program (xclip -o) after
the window has closed. Without a holder installed, one line on stderr says
the text is lost."""

import tempfile


def copy_and_close(glyphery, clipboard, cell_steps, text):
    app = glyphery.start()
    app.activate()
    app.keys("Tab", *["Right"] * cell_steps, "Return")
    clipboard.expect("Enter on the cell", text)
    assert app.close() == 0
    return app


def test_clipboard_after_closing(glyphery, clipboard, desktop):
    assert "window id" not in (desktop.x("xprop", "-root", "CLIPBOARD_MANAGER", check=False) or "")
    clipboard.set("before")
    app = copy_and_close(glyphery, clipboard, 96, "\u20ac")  # cell 97
    clipboard.expect("after the window closed", "\u20ac")
    log = app.log.read_text()
    assert "lost" not in log, log
    # The holder quits once another program takes the clipboard.
    clipboard.set("taken")
    clipboard.expect("after another program took it", "taken")

    # Without xclip on its PATH the program says so, once, and the text goes.
    with tempfile.TemporaryDirectory(prefix="glyphery-path.") as bare:
        glyphery.env["PATH"] = bare
        app = copy_and_close(glyphery, clipboard, 33, "A")  # cell 34
    lines = [line for line in app.log.read_text().splitlines() if "clipboard" in line or "lost" in line]
    assert lines == ["Glyphery: the copied text is lost as the window closes: no clipboard manager runs and xclip "
                     "is not installed"], app.log.read_text()
    assert clipboard.content() in (None, b""), f"the clipboard still holds {clipboard.content()!r}"
