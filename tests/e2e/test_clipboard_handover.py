"""The clipboard outlives the window: with no clipboard manager, a character
copied with Enter can still be pasted by another program (xclip -o) after
the window has closed, also after a close that failed. Without a holder that
works, one line on stderr says the text is lost. With a clipboard manager, Qt
hands the text to it; what another program owns stays its own."""

import os
import select
import subprocess
import tempfile
from pathlib import Path

import pytest

from harness import Run, clipboard_owner, stop


def copy(app, clipboard, cell_steps, text):
    app.activate()
    app.keys("Tab", *["Right"] * cell_steps, "Return")
    clipboard.expect("Enter on the cell", text)
    return app


def copy_and_close(app, clipboard, cell_steps, text):
    assert copy(app, clipboard, cell_steps, text).close() == 0
    return app


class PipedRun(Run):
    """A run whose stdout is a pipe, as in out=$(glyphery)."""

    def __init__(self, program):
        self.desktop, self.window, self.log = program.desktop, None, program.folder / "glyphery-piped.log"
        with open(self.log, "wb") as log:
            self.process = subprocess.Popen([program.path], env=program.env, stdout=subprocess.PIPE, stderr=log)
        program.runs.append(self)
        self.wait_window()


def test_clipboard_after_closing(glyphery, clipboard, desktop):
    assert "window id" not in (desktop.x("xprop", "-root", "CLIPBOARD_MANAGER", check=False) or "")
    clipboard.set("before")
    app = copy_and_close(PipedRun(glyphery), clipboard, 96, "\u20ac")  # cell 97
    # The holder keeps none of the program's output open.
    assert select.select([app.process.stdout], [], [], 5)[0] and os.read(app.process.stdout.fileno(), 99) == b"", \
        "the program's stdout is still open after it ended"
    clipboard.expect("after the window closed", "\u20ac")
    log = app.log.read_text()
    assert "lost" not in log, log
    # The holder quits once another program takes the clipboard.
    clipboard.set("taken")
    clipboard.expect("after another program took it", "taken")


LOST = "glyphery: the copied text is lost as the window closes: no clipboard manager runs and xclip "


@pytest.mark.parametrize("holder, said", [
    (None, LOST + "is not installed"), ("exit 3", LOST + "ended with status 3"), ("exec /bin/sleep 60", None)],
    ids=["missing", "failing", "hanging"])
def test_without_a_working_holder(glyphery, clipboard, holder, said):
    # Without xclip on its PATH, or with one that fails, the program says so,
    # once, and the text goes; one that hangs does not hold up the close.
    with tempfile.TemporaryDirectory(prefix="glyphery-path.") as bare:
        if holder:
            (Path(bare) / "xclip").write_text(f"#!/bin/sh\n/bin/cat >/dev/null\n{holder}\n")
            (Path(bare) / "xclip").chmod(0o755)
        glyphery.env["PATH"] = bare
        app = copy_and_close(glyphery.start(), clipboard, 33, "A")  # cell 34
    lines = [line for line in app.log.read_text().splitlines() if "clipboard" in line or "lost" in line]
    assert lines == ([said] if said else []), app.log.read_text()
    assert clipboard.content() in (None, b""), f"the clipboard still holds {clipboard.content()!r}"


def test_the_clipboard_outlives_a_failed_close(glyphery, clipboard, desktop):
    glyphery.config.joinpath("Glyphery").write_text("not a folder\n")
    app = copy(glyphery.start(), clipboard, 96, "\u20ac")  # cell 97
    app.request_close()
    box = app.second_window("alt+F4 with no way to write the settings")
    desktop.focus(box)
    desktop.keys("Return")
    assert app.wait_exit() == 1
    assert "Run-time error '75'" in app.log.read_text(), app.log.read_text()
    clipboard.expect("after a close that could not write the settings", "\u20ac")


def test_another_programs_clipboard_stays_its_own(glyphery, clipboard, desktop):
    app = copy(glyphery.start(), clipboard, 0, " ")  # cell 1
    other = clipboard_owner(desktop, "html")
    try:
        assert app.close() == 0
        targets = clipboard.targets()
        assert "text/html" in targets and "GLYPHERY_TEST_MANAGER" in targets, f"the clipboard was taken: {targets}"
    finally:
        stop(other)


def test_a_clipboard_manager_takes_it(glyphery, clipboard, desktop):
    manager = subprocess.Popen([os.environ["CLIPBOARD_MANAGER"]], env=desktop.env, stdout=subprocess.PIPE, text=True)

    def said():
        ready, _, _ = select.select([manager.stdout], [], [], 10)
        return manager.stdout.readline().strip() if ready else "(nothing in 10 s)"

    try:
        assert said() == "ready"
        app = copy_and_close(glyphery.start(), clipboard, 96, "\u20ac")  # cell 97
        # Qt asked the manager to save the text as the program closed, and
        # no holder of ours took the clipboard before it.
        assert said() == "saved 3 bytes"
        clipboard.expect("after the window closed", "\u20ac")
        targets = clipboard.targets()
        assert "GLYPHERY_TEST_MANAGER" in targets, f"the clipboard is held by another program: {targets}"
        log = app.log.read_text()
        assert "lost" not in log and "clipboard manager" not in log, log
    finally:
        stop(manager)
