"""The X server goes away while the window is open: the program ends with a
failure status, and what was changed in the session is written all the same."""

import signal

from harness import Failure


def test_display_lost(glyphery, desktop, screenshots, layout):
    grid = layout.box("Char", 1, 224)
    # Qt ends the program with exit() from inside its event loop: the window
    # and all it holds are still allocated then, which a leak check reports.
    if "ASAN_OPTIONS" in glyphery.env:
        glyphery.env["ASAN_OPTIONS"] = glyphery.env["ASAN_OPTIONS"].replace("detect_leaks=1", "detect_leaks=0")
    app = glyphery.start()
    fresh = screenshots.settled(app, grid)
    app.click(layout.point("chkB"))
    screenshots.changed("chkB on: the cells", app, fresh, grid)

    server = desktop.processes[0]
    assert server.args[0] == "Xvfb", f"the desktop's first process is {server.args[0]}, not Xvfb"
    server.send_signal(signal.SIGKILL)
    server.wait(5)
    try:
        status = app.wait_exit(10)
    except Failure:
        raise Failure("the program did not end after its display went away") from None
    assert status == 1, f"exit status {status} after the display went away:\n{app.log.read_text()}"
    assert "Run-time error" not in app.log.read_text(), app.log.read_text()
    glyphery.expect_settings(B=1)
