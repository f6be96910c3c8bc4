"""The typeface box: a click opens Qt's font dialog over the window; Escape
changes nothing, a face typed into the dialog and confirmed with Enter goes
to the cells and the box, and the preview goes back to the program icon."""

import subprocess

from harness import count, yellow

FACE = "Liberation Mono"  # from fonts-liberation, which the build installs


def open_dialog(app, desktop, layout, title):
    app.click(layout.point("FSel"))
    dialog = app.second_window("a click on FSel")
    assert desktop.transient_for(dialog) == app.window
    assert desktop.x("xdotool", "getwindowname", str(dialog)) == f"{title}\n"
    assert "_NET_WM_STATE_MODAL" in (desktop.prop(dialog, "_NET_WM_STATE") or ""), "the dialog is not modal"
    return dialog


def test_font_dialog(glyphery, desktop, screenshots, layout):
    families = subprocess.run(["fc-list", ":", "family"], capture_output=True, text=True).stdout
    assert FACE in families.replace(",", "\n").splitlines(), f"the face {FACE} is not installed (fonts-liberation)"
    grid, lower_rows = layout.box("Char", 1, 224), layout.box("Char", 65, 224)  # rows 3 to 7: never clicked
    preview, symbol, code = layout.box("CharXXL"), layout.box("Symbol"), layout.box("Code")
    same, changed = screenshots.same, screenshots.changed

    # First run, in German: cancel.
    assert not glyphery.settings_file.exists(), "a settings file exists before the first run"
    del glyphery.env["LC_ALL"]
    glyphery.env["LANG"] = "de_DE.UTF-8"
    app = glyphery.start()
    fresh = screenshots.settled(app, grid)
    dialog = open_dialog(app, desktop, layout, "Schriftart ausw\u00e4hlen")
    # The window below the dialog takes no clicks: chkB, where the dialog
    # leaves it uncovered, stays off (the cells and the settings show it).
    (x, y), (left, top, width, height) = layout.point("chkB"), desktop.geometry(dialog)
    window_x, window_y, *_ = desktop.geometry(app.window)
    assert not (left <= window_x + x < left + width and top <= window_y + y < top + height), \
        "the dialog covers chkB; no click on the window below can be tried"
    app.click((x, y))
    desktop.focus(dialog)
    desktop.keys("Escape")
    desktop.wait_gone("Escape in the dialog", dialog)
    same("after the cancel: the cells", app, fresh, grid)
    same("after the cancel: the preview", app, fresh, preview)
    assert app.close() == 0
    glyphery.expect_settings()

    # Second run, in English: confirm.
    glyphery.env["LANG"] = "en_US.UTF-8"
    app = glyphery.start()
    same("second start: the cells", app, fresh, grid)
    app.click(layout.point("Char", 34))  # A
    letter = changed("cell 34 clicked: the preview", app, fresh, preview)
    assert count(letter, symbol, yellow) == 0, "the program icon still shows over the preview of cell 34"
    changed("cell 34 clicked: the code", app, fresh, code)

    dialog = open_dialog(app, desktop, layout, "Select Font")
    desktop.focus(dialog)
    # Typed into the dialog's family field, the name selects the face in the list.
    desktop.x("xdotool", "type", "--delay", "30", FACE, timeout=20)
    desktop.keys("Return")
    desktop.wait_gone("Enter in the dialog", dialog)

    now = same("after the confirm: the preview (icon, no character)", app, fresh, preview)
    assert count(now, symbol, yellow) >= 20, "the program icon does not cover the preview after the confirm"
    same("after the confirm: the code", app, fresh, code)
    changed("after the confirm: cells 65 to 224", app, fresh, lower_rows)
    assert app.close() == 0
    glyphery.expect_settings(Name=FACE)
