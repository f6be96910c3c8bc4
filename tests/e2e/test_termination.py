"""SIGTERM, SIGINT and SIGHUP close the window the normal way: exit status 0
and the settings written, as on a close from the window manager."""

import signal

import pytest

from harness import wait_for


@pytest.mark.parametrize("name", ["SIGTERM", "SIGINT", "SIGHUP"])
def test_signal_closes_the_window(glyphery, name):
    number = getattr(signal, name)
    app = glyphery.start()
    wait_for(f"the program never took {name}", lambda: app.catches(number))
    app.process.send_signal(number)
    assert app.wait_exit() == 0
    glyphery.expect_settings()
