"""The program on Wayland, natively through Qt's Wayland plugin, on sway with
one headless output: keys through a virtual keyboard (wtype), the close
request through swaymsg, the clipboard read back through wl-paste. sway keeps
no clipboard of its own, so what is pasted after the close comes from the
wl-copy the program handed it to. sway offers no pointer without an input
device, so the double-click is left to the X11 tests."""

import re

import pytest

from harness import TITLE, WaylandClipboard, holders, wait_for

COMPOSITOR_NOTE = re.compile(r"glyphery: unknown keymap format: \d+")


def stderr_lines(app):
    """The program's stderr but for a compositor's own note: sway 1.10 (Debian 13) sends its virtual keyboard
    without a keymap at first, and Qt says so."""
    return [line for line in app.log.read_text().splitlines() if not COMPOSITOR_NOTE.fullmatch(line)]


@pytest.fixture(scope="module")
def desktop(compositor):
    return compositor


@pytest.fixture
def clipboard(compositor):
    return WaylandClipboard(compositor)


def test_wayland(glyphery, desktop, clipboard, layout):
    app = glyphery.start()
    # A window of fixed size floats, in its size; its title bar is sway's,
    # with no buttons.
    window = wait_for(lambda: f"the window does not float: {desktop.windows()[app.window]}",
                      lambda: (w := desktop.windows()[app.window])["type"] == "floating_con" and w)
    assert (window["app_id"], window["shell"]) == ("org.glyphery.Glyphery", "xdg_shell"), window
    assert (window["window_rect"]["width"], window["window_rect"]["height"]) == (layout.width, layout.height), window

    app.activate()
    app.keys("Tab", "Down", "Down", "Down", "Return")  # cell 97
    clipboard.expect("Enter on cell 97", "\u20ac")
    clipboard.set("abc")
    app.activate()
    app.keys("shift+Return")
    clipboard.expect("Shift+Enter onto another program's text", "abc\u20ac")

    # Tab from the last cell reaches the typeface box; Space opens the dialog.
    app.keys(*["Down"] * 3, *["Right"] * 31, "Tab", "space")
    dialog = app.second_window("Space on the typeface box")
    assert desktop.windows()[dialog]["name"] != TITLE
    desktop.focus(dialog)
    desktop.keys("Escape")
    desktop.wait_gone("Escape in the font dialog", dialog)

    assert app.close() == 0
    glyphery.expect_settings()
    clipboard.expect("after the window closed", "abc\u20ac")
    clipboard.set("taken")
    wait_for("the program's wl-copy still runs after another program took the clipboard",
             lambda: not holders(glyphery.env["XDG_RUNTIME_DIR"]))

    # Placement is the compositor's on Wayland; nothing about it, or anything else of ours or Qt's about
    # what we asked of it, reaches stderr.
    assert not stderr_lines(app), app.log.read_text()


def test_without_wl_copy(glyphery, desktop, clipboard, tmp_path):
    # The compositor may keep the text after the window is gone; the program cannot know.
    glyphery.env["PATH"] = str(tmp_path)
    app = glyphery.start()
    app.activate()
    app.keys("Tab", "Return")  # cell 1
    clipboard.expect("Enter on cell 1", " ")
    assert app.close() == 0
    assert stderr_lines(app) == [
        "glyphery: the copied text may be lost once the window is gone, unless the desktop keeps it: wl-copy, "
        "which keeps it, is not installed"], app.log.read_text()
