"""The real program killed with SIGKILL at random moments around its close;
the driver (tests/robustness/kill_at_close.cpp) times the kills to the
millisecond and checks the settings file after every one."""

import os
import subprocess


def test_kill_at_close(glyphery):
    driver = subprocess.run([os.environ["KILL_AT_CLOSE"], glyphery.path, os.environ.get("KILL_CYCLES", "200")],
                            env=glyphery.env, capture_output=True, text=True)
    print(driver.stdout)
    assert driver.returncode == 0, f"a kill around the close broke the settings file:\n{driver.stderr}"
