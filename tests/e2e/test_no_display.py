"""Without a display, or without the Qt plugin that reaches it: one line of
the program's own that names the cause, status 1, no abort and no settings
written; --help and --version still work, and an argument it does not know is
refused with status 2. Every line the program writes to stderr begins with
its name. Each reads in the user's language."""

import os
import signal
import subprocess
import tempfile
from pathlib import Path

from harness import private_environment, stop, wait_for


def unused_display():
    """A display number with no server behind it."""
    return next(f":{n}" for n in range(4242, 4342) if not Path(f"/tmp/.X11-unix/X{n}").exists())


def environment_of(folder, **env):
    environment = private_environment(folder)
    del environment["QT_QPA_PLATFORM"]  # the program picks its platform as on a desktop
    environment.update(env)
    return environment


def run(folder, *args, wrap=(), **env):
    environment = environment_of(folder, **env)
    done = subprocess.run([*wrap, os.environ["GLYPHERY"], *args], env=environment, capture_output=True, timeout=30)
    return done.returncode, done.stdout.decode(), done.stderr.decode(), Path(environment["XDG_CONFIG_HOME"])


def wait_until_terminable(program, what):
    """Waits until the running program handles SIGTERM: its window is up."""
    status = Path(f"/proc/{program.pid}/status")
    wait_for(f"{what}: no handler for SIGTERM", lambda: program.poll() is None and any(
        line.startswith("SigCgt:") and int(line.split()[1], 16) >> (signal.SIGTERM - 1) & 1
        for line in status.read_text().splitlines()))


def without_platform_plugins(folder):
    """A command prefix that runs the program with Qt's platforms folder empty,
    in a mount namespace of its own: nothing is uninstalled."""
    empty = Path(folder) / "no-plugins"
    empty.mkdir()
    own = [] if os.geteuid() == 0 else ["--map-root-user"]
    return ["unshare", *own, "--mount", "sh", "-c", 'mount --bind "$0" "$1" && shift && exec "$@"', str(empty),
            os.environ["QT_PLATFORMS_DIR"]]


GERMAN = {"LC_ALL": "", "LANG": "de_DE.UTF-8"}


def test_no_display():
    with tempfile.TemporaryDirectory(prefix="glyphery-nodisplay.") as folder:
        no_plugins = without_platform_plugins(folder)
        for what, env, cause, wrap in [
            ("no DISPLAY or WAYLAND_DISPLAY", {}, "neither DISPLAY nor WAYLAND_DISPLAY is set", ()),
            ("a display that cannot be opened", {"DISPLAY": unused_display()}, "cannot open the display", ()),
            ("a Wayland display that cannot be opened", {"WAYLAND_DISPLAY": "wayland-glyphery-none",
                                                         "XDG_SESSION_TYPE": "wayland"}, "cannot open the display", ()),
            ("an unknown platform plugin", {"QT_QPA_PLATFORM": "bogus", "DISPLAY": unused_display()},
             'there is no Qt platform plugin "bogus" (installed: ', ()),
            ("no X11 plugin", {"DISPLAY": unused_display()},
             'plugin "xcb" is not installed: it comes with the Debian package libqt6gui6', no_plugins),
            ("no Wayland plugin", {"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": "wayland-glyphery-none"},
             'plugin "wayland" is not installed: it comes with the Debian package qt6-wayland', no_plugins),
            ("no display, in German", GERMAN, "keine Anzeige: weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt", ()),
            ("no X11 plugin, in German", {"DISPLAY": unused_display(), **GERMAN},
             "Plugin \u201excb\u201c ist nicht installiert: es kommt mit dem Debian-Paket libqt6gui6", no_plugins),
        ]:
            status, out, err, config = run(Path(folder) / str(len(what)), wrap=wrap, **env)
            assert status == 1, f"{what}: status {status}, stderr:\n{err}"
            lines = err.splitlines()
            assert len(lines) == 1 and lines[0].startswith("glyphery: ") and cause in lines[0], \
                f"{what}: stderr is not one line naming the cause:\n{err}"
            assert "Reinstalling" not in err
            assert not (config / "Glyphery").exists(), f"{what}: settings were written"

        # A platform named on the command line needs no display, whatever Qt option with a value follows.
        environment = environment_of(Path(folder) / "platform named")
        program = subprocess.Popen([os.environ["GLYPHERY"], "-platform", "offscreen", "-style", "Fusion"],
                                   env=environment, stderr=subprocess.PIPE)
        try:
            wait_until_terminable(program, "-platform offscreen -style Fusion")
            program.send_signal(signal.SIGTERM)
            assert program.wait(30) == 0, program.stderr.read()
        finally:
            stop(program)

        # Qt's options, with their values, are passed over on the way.
        for n, (args, expect, env) in enumerate([
                (["--help"], "Usage: glyphery", {}), (["--version"], "Glyphery ", {}),
                (["-style", "Fusion", "-display", ":0", "--version"], "Glyphery ", {}),
                (["-qwindowgeometry=100x100", "--version"], "Glyphery ", {}),
                (["--help"], "Aufruf: glyphery [--help] [--version] [Qt-Optionen]\n\nEine", GERMAN),
                (["--help"], "Usage: glyphery", {"LC_ALL": "", "LANG": "en_US.UTF-8"}),
                (["--help"], "Usage: glyphery", {**GERMAN, "LANGUAGE": "en_GB:de"})]):  # English first
            status, out, err, _ = run(Path(folder) / f"option-{n}", *args, **env)
            assert status == 0 and out.startswith(expect) and not err, f"{args}: {status} {out!r} {err!r}"
        # Without a display, so that the argument is judged before the display is.
        for args in (["--bogus"], ["platform", "xcb"], ["style=fusion"], ["display=:5"], ["platform=offscreen"]):
            status, out, err, _ = run(Path(folder) / args[0], *args)
            assert status == 2 and err.startswith(f"glyphery: unknown argument '{args[0]}'. Usage: glyphery") \
                and len(err.splitlines()) == 1, f"{args}: status {status}, stderr {err!r}"


def test_every_line_names_the_program():
    def warnings(config, runtime):
        (config / "Glyphery").mkdir()
        (config / "Glyphery" / "Glyphery.conf").write_text("[[\x01\n")

    def no_folder(config, runtime):
        (config / "Glyphery").write_text("not a folder\n")

    with tempfile.TemporaryDirectory(prefix="glyphery-stderr.") as folder:
        # A style that does not exist: a warning of Qt's own, over two lines.
        for what, prepare, expect, env in [
            ("warnings", warnings,
             ["is not a valid settings file", "kept the unreadable settings file", "invalid style override 'bogus'"],
             {}),
            ("a run-time error", no_folder, ["Run-time error '75'"], {}),
            # Qt 6.8 and later switch to C.UTF-8 and would say so over four lines.
            ("a locale that is not UTF-8", lambda config, runtime: None, ["invalid style override"], {"LC_ALL": "C"}),
        ]:
            environment = environment_of(Path(folder) / what, QT_QPA_PLATFORM="offscreen", **env)
            prepare(Path(environment["XDG_CONFIG_HOME"]), Path(environment["XDG_RUNTIME_DIR"]))
            log = Path(folder) / f"{what}.log"
            with open(log, "wb") as out:
                program = subprocess.Popen([os.environ["GLYPHERY"], "-style", "bogus"], env=environment, stderr=out)
            try:
                wait_until_terminable(program, what)
                program.send_signal(signal.SIGTERM)  # closes the window; an error box then waits
                wait_for(lambda: f"{what}: stderr lacks {expect}:\n{log.read_text()}",
                         lambda: all(text in log.read_text() for text in expect))
            finally:
                program.kill()
                program.wait()
            lines = log.read_text().splitlines()
            assert all(line.startswith("glyphery: ") and "UTF-8" not in line for line in lines), \
                f"{what}: stderr:\n{log.read_text()}"
