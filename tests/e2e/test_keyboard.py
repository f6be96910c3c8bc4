"""The typeface box from the keyboard: Tab from the last cell reaches it, and
Enter, Space and Alt+Down on it open the font dialog as a click does; other
keys do not."""

import time


def test_typeface_box_opens_the_dialog_from_the_keyboard(glyphery, desktop):
    app = glyphery.start()
    app.activate()
    # The hidden start box, then cell 1; down to the last row, right to cell 224.
    app.keys("Tab", *["Down"] * 6, *["Right"] * 31, "Tab")
    for key in ["Return", "space", "alt+Down"]:
        app.activate()
        app.keys(key)
        dialog = app.second_window(f"{key} on the typeface box")
        assert desktop.transient_for(dialog) == app.window, f"{key}: the window is not the dialog's owner"
        assert "_NET_WM_STATE_MODAL" in (desktop.prop(dialog, "_NET_WM_STATE") or ""), f"{key}: not modal"
        desktop.focus(dialog)
        desktop.keys("Escape")
        desktop.wait_gone(f"Escape in the dialog opened by {key}", dialog)

    # Keys a combo box does not open on leave it closed.
    app.activate()
    app.keys("Down", "a", "ctrl+space")
    time.sleep(0.5)
    others = [w for w in desktop.search("--onlyvisible", "--pid", str(app.process.pid))
              if w != app.window and desktop.viewable(w)]
    assert not others, f"a window opened on Down, a or Ctrl+Space: {others}"
    assert app.close() == 0
