"""Without a display: one line of the program's own that names the cause,
status 1, no abort and no settings written; --help and --version still work."""

import os
import subprocess
import tempfile
from pathlib import Path

from harness import private_environment


def unused_display():
    """A display number with no server behind it."""
    return next(f":{n}" for n in range(4242, 4342) if not Path(f"/tmp/.X11-unix/X{n}").exists())


def run(folder, *args, **env):
    environment = private_environment(folder, **env)
    del environment["QT_QPA_PLATFORM"]  # the program picks its platform as on a desktop
    done = subprocess.run([os.environ["GLYPHERY"], *args], env=environment, capture_output=True, timeout=30)
    return done.returncode, done.stdout.decode(), done.stderr.decode(), Path(environment["XDG_CONFIG_HOME"])


def test_no_display():
    with tempfile.TemporaryDirectory(prefix="glyphery-nodisplay.") as folder:
        for what, env, cause in [
            ("no DISPLAY or WAYLAND_DISPLAY", {}, "neither DISPLAY nor WAYLAND_DISPLAY is set"),
            ("a display that cannot be opened", {"DISPLAY": unused_display()}, "cannot open the display"),
            ("a Wayland display that cannot be opened", {"WAYLAND_DISPLAY": "wayland-glyphery-none",
                                                         "XDG_SESSION_TYPE": "wayland"}, "cannot open the display"),
        ]:
            status, out, err, config = run(Path(folder) / str(len(what)), **env)
            assert status == 1, f"{what}: status {status}, stderr:\n{err}"
            lines = err.splitlines()
            assert len(lines) == 1 and lines[0].startswith("glyphery: ") and cause in lines[0], \
                f"{what}: stderr is not one line naming the cause:\n{err}"
            assert "Reinstalling" not in err
            assert not (config / "Glyphery").exists(), f"{what}: settings were written"

        for option, expect in [("--help", "Usage: glyphery"), ("--version", "Glyphery ")]:
            status, out, err, _ = run(Path(folder) / option, option)
            assert status == 0 and out.startswith(expect) and not err, f"{option}: {status} {out!r} {err!r}"
