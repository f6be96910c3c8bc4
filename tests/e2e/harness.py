"""The end-to-end harness: the real program on an X server of its own (Xvfb,
which picks a free display and names it through -displayfd) with openbox,
driven with xdotool and read back through xprop, xwininfo, xclip and
screenshots; or on a headless Wayland compositor (sway), driven with wtype
and swaymsg and read back through wl-paste. conftest.py makes fixtures of
it. Run as a script it runs one command on such an X desktop
(bench/startup.sh):

    python3 tests/e2e/harness.py COMMAND [ARGUMENT...]
"""

import json
import os
import select
import shlex
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

TITLE = "Glyphery"

# Openbox with nothing bound but the close key, so that every other key
# combination reaches the program.
OPENBOX_RC = """<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy></placement>
  <theme><name>Clearlooks</name></theme>
  <desktops><number>1</number></desktops>
  <keyboard><keybind key="A-F4"><action name="Close"/></keybind></keyboard>
  <mouse></mouse>
</openbox_config>
"""


class Failure(AssertionError):
    pass


def wait_for(what, condition, timeout=10):
    """Polls condition() until it gives a true value and returns that; else
    fails with `what`, a message or a function that gives one."""
    deadline = time.monotonic() + timeout
    while not (value := condition()):
        if time.monotonic() > deadline:
            raise Failure(f"{what() if callable(what) else what} (waited {timeout} s)")
        time.sleep(0.05)
    return value


def private_environment(folder, **extra):
    """Home, configuration and runtime folders of their own under `folder`.
    Nothing of the caller's desktop gets in (display, session bus, Wayland,
    scaling): only PATH, TMPDIR and the sanitizers' options pass."""
    env = {k: v for k, v in os.environ.items() if k in ("PATH", "TMPDIR") or k.endswith("SAN_OPTIONS")}
    for name, sub in [("HOME", "home"), ("XDG_CONFIG_HOME", "config"), ("XDG_CACHE_HOME", "cache"),
                      ("XDG_DATA_HOME", "data"), ("XDG_RUNTIME_DIR", "runtime")]:
        (Path(folder) / sub).mkdir(mode=0o700, parents=True, exist_ok=True)
        env[name] = str(Path(folder) / sub)
    env.update(QT_QPA_PLATFORM="xcb", NO_AT_BRIDGE="1", LC_ALL="C.UTF-8")
    env.update(extra)
    return env


def stop(process):
    """Ends a process of ours: SIGTERM, then SIGKILL after 3 s."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(3)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


class Desktop:
    """Xvfb with openbox; X tools run on it through x()."""

    def __init__(self, folder, screen="1280x800x24"):
        self.folder, self.screen = Path(folder), screen
        self.env = private_environment(self.folder / "desktop")
        (self.folder / "rc.xml").write_text(OPENBOX_RC)
        self.processes = []
        failures = []
        # Servers that pick their displays at the same moment can, rarely,
        # leave one of them unusable; a fresh one then gets another display.
        for attempt in (1, 2, 3):
            try:
                self._start(attempt)
                return
            except Failure as failure:
                failures.append(str(failure))
                self.stop()
        raise Failure("no usable X server with openbox: " + "; ".join(failures))

    def _spawn(self, log, *args, **kwargs):
        with open(self.folder / log, "wb") as out:
            self.processes.append(subprocess.Popen(args, env=self.env, stdout=out, stderr=subprocess.STDOUT, **kwargs))
        return self.processes[-1]

    def _start(self, attempt):
        reader, writer = os.pipe()
        # Without -noreset the server resets when its last client leaves, and
        # a client that connects meanwhile (openbox after the check) fails.
        self._spawn(f"xvfb-{attempt}.log", "Xvfb", "-displayfd", str(writer), "-screen", "0", self.screen,
                    "-nolisten", "tcp", "-noreset", pass_fds=[writer])
        os.close(writer)
        # Xvfb writes the display's number once it accepts connections.
        number, deadline = b"", time.monotonic() + 15
        while not number.endswith(b"\n") and select.select([reader], [], [], max(0, deadline - time.monotonic()))[0]:
            if not (chunk := os.read(reader, 16)):
                break
            number += chunk
        os.close(reader)
        if not number.strip():
            raise Failure(f"Xvfb reported no display (attempt {attempt})")
        self.display = self.env["DISPLAY"] = ":" + number.decode().strip()
        if self.x("xprop", "-root", check=False) is None:
            raise Failure(f"no connection to Xvfb on {self.display} (attempt {attempt})")
        # Openbox names itself on the root window before it manages windows:
        # a window mapped in between is never shown (its first start in a
        # fresh system, which builds the font cache, made that gap long
        # enough to lose the first test's window). What it runs at --startup
        # runs once it manages them.
        ready = self.folder / f"openbox-{attempt}.ready"
        openbox = self._spawn(f"openbox-{attempt}.log", "openbox", "--sm-disable", "--config-file",
                              str(self.folder / "rc.xml"), "--startup", shlex.join(["touch", str(ready)]))
        wait_for(f"openbox did not become the window manager on {self.display} (attempt {attempt})",
                 lambda: openbox.poll() is not None or ready.exists(), 15)
        if openbox.poll() is not None:
            raise Failure(f"openbox ended at start-up on {self.display} (attempt {attempt})")

    def stop(self):
        # Clipboard owners that xclip left behind end with the server.
        while self.processes:
            stop(self.processes.pop())

    def x(self, *args, check=True, timeout=10):
        """An X tool's output; None when it failed and `check` is false."""
        try:
            done = subprocess.run(args, env=self.env, capture_output=True, timeout=timeout)
        except subprocess.TimeoutExpired:
            done = None
        if done and done.returncode == 0:
            return done.stdout.decode("utf-8", "replace")
        if check:
            raise Failure(f"{' '.join(args)} failed: {done.stderr.decode() if done else 'timed out'}")
        return None

    def info(self, window=None):
        """xwininfo's "Label: value" lines of a window, or of the root window;
        none once the window is gone."""
        where = ["-id", str(window)] if window else ["-root"]
        lines = (self.x("xwininfo", *where, check=False) or "").splitlines()
        return {k.strip(): v.strip() for k, _, v in (line.partition(":") for line in lines)}

    def viewable(self, window):
        return self.info(window).get("Map State") == "IsViewable"

    def geometry(self, window):
        """Client area on the screen: left, top, width, height."""
        info = self.info(window)
        return tuple(int(info[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def prop(self, window, name, *options):
        """What xprop says of one property, after its name; None when unset."""
        out = self.x("xprop", "-id", str(window), "-notype", *options, name, check=False) or ""
        rest = out[len(name):] if out.startswith(name) else ""
        value = (rest[3:] if rest.startswith(" = ") else rest[1:] if rest.startswith(":") else "").strip()
        return None if not value or value.endswith(("not found.", "no such atom on any window.")) else value

    def transient_for(self, window):
        value = self.prop(window, "WM_TRANSIENT_FOR") or ""
        return int(value.rpartition("# ")[2], 16) if "window id" in value else None

    def search(self, *args):
        return [int(w) for w in (self.x("xdotool", "search", *args, check=False) or "").split()]

    def focus(self, window):
        """Makes the window the active one with the X input focus, so that keys reach it."""
        def focused():
            if all(self.x("xdotool", *query, check=False) == f"{window}\n"
                   for query in (["getactivewindow"], ["getwindowfocus", "-f"])):
                return True
            self.x("xdotool", "windowactivate", "--sync", str(window), check=False, timeout=5)
        wait_for(f"window {window} did not get the keyboard focus", focused)

    def keys(self, *keys):
        """Keys to the focused window."""
        self.x("xdotool", "key", "--delay", "15", *keys, timeout=20)

    def wait_gone(self, what, window):
        wait_for(f"{what}: window {window} is still viewable", lambda: not self.viewable(window))

    def client_environment(self):
        return {"DISPLAY": self.display}

    def windows_of(self, pid, title=None):
        """The program's viewable windows, those with the title if one is given."""
        name = ["--name", f"^{title}$"] if title else []
        return [w for w in self.search("--all", "--onlyvisible", "--pid", str(pid), *name) if self.viewable(w)]

    def request_close(self, window):
        """The window manager's close key, as a user would press it."""
        self.focus(window)
        self.keys("alt+F4")


class Compositor:
    """sway with one headless output, run as an unprivileged user, since sway
    refuses root; Wayland clients run as the caller and reach it through the
    socket's path. One virtual keyboard (wtype) stays for the session: a
    wtype that comes and goes loses its first key. sway has no pointer
    without an input device, so nothing here clicks."""

    NOBODY = 65534

    def __init__(self, folder, size="1280x800"):
        self.folder = Path(folder)
        # sway's own files sit where an unprivileged user can reach them.
        self.own = Path(tempfile.mkdtemp(prefix="glyphery-sway.", dir="/tmp"))
        self.own.chmod(0o711)
        runtime, config = self.own / "runtime", self.own / "sway.conf"
        runtime.mkdir(mode=0o700)
        config.write_text(f"output HEADLESS-1 resolution {size}\nxwayland disable\n")
        config.chmod(0o644)
        user = []
        if os.geteuid() == 0:
            os.chown(runtime, self.NOBODY, self.NOBODY)
            user = ["setpriv", f"--reuid={self.NOBODY}", f"--regid={self.NOBODY}", "--clear-groups"]
        sway_env = {"PATH": os.environ["PATH"], "HOME": str(runtime), "XDG_RUNTIME_DIR": str(runtime),
                    "WLR_BACKENDS": "headless", "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman"}
        self.processes = []
        log = self.folder / "sway.log"
        with open(log, "wb") as out:
            self.processes.append(subprocess.Popen([*user, "sway", "-c", str(config)], env=sway_env, stdout=out,
                                                   stderr=subprocess.STDOUT))

        def started():
            if self.processes[0].poll() is not None:
                raise Failure(f"sway ended at start-up with status {self.processes[0].returncode}:\n"
                              + log.read_text(errors="replace"))
            sockets = [p for p in runtime.glob("wayland-*") if not p.name.endswith(".lock")]
            ipc = list(runtime.glob("sway-ipc.*.sock"))
            return sockets and ipc and (sockets[0], ipc[0])
        try:
            socket, ipc = wait_for(lambda: "sway made no Wayland socket:\n" + log.read_text(errors="replace"),
                                   started, 15)
            self.display = str(socket)
            self.env = private_environment(self.folder / "clients", WAYLAND_DISPLAY=self.display, SWAYSOCK=str(ipc))
            with open(self.folder / "wtype.log", "wb") as out:
                self.processes.append(subprocess.Popen(["wtype", "-s", "600000"], env=self.env, stdout=out,
                                                       stderr=subprocess.STDOUT))
            wait_for("sway shows no keyboard from wtype",
                     lambda: any(i["type"] == "keyboard" for i in self.sway("-t", "get_inputs")))
        except BaseException:
            self.stop()
            raise

    def stop(self):
        # Clipboard holders end with the compositor.
        for process in reversed(self.processes):
            stop(process)
        self.processes.clear()
        shutil.rmtree(self.own, ignore_errors=True)

    def sway(self, *args):
        """What swaymsg answers, as JSON."""
        done = subprocess.run(["swaymsg", "-r", *args], env=self.env, capture_output=True, timeout=10)
        if done.returncode != 0:
            raise Failure(f"swaymsg {' '.join(args)} failed: {done.stdout.decode()} {done.stderr.decode()}")
        return json.loads(done.stdout)

    def windows(self):
        """The windows in sway's tree: its nodes with a client behind them."""
        def walk(node):
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                yield child
                yield from walk(child)
        return {node["id"]: node for node in walk(self.sway("-t", "get_tree")) if node.get("pid")}

    def client_environment(self):
        return {"WAYLAND_DISPLAY": self.display, "QT_QPA_PLATFORM": "wayland"}

    def windows_of(self, pid, title=None):
        return [i for i, w in self.windows().items() if w["pid"] == pid and (title is None or w["name"] == title)]

    def viewable(self, window):
        return window in self.windows()

    def wait_gone(self, what, window):
        wait_for(f"{what}: window {window} is still there", lambda: not self.viewable(window))

    def focus(self, window):
        self.sway(f"[con_id={window}]", "focus")
        wait_for(f"window {window} did not get the focus", lambda: self.windows().get(window, {}).get("focused"))

    def keys(self, *keys):
        """Keys in xdotool's names (Return, shift+Tab) to the focused window."""
        args = []
        for key in keys:
            *modifiers, name = key.split("+")
            for modifier in modifiers:
                args += ["-M", modifier]
            args += ["-k", name]
            for modifier in reversed(modifiers):
                args += ["-m", modifier]
        subprocess.run(["wtype", *args], env=self.env, check=True, timeout=20)

    def request_close(self, window):
        """The compositor's close request, as its close key would send it."""
        self.sway(f"[con_id={window}]", "kill")


class Program:
    """The program under test with a settings folder of its own; start() runs it."""

    def __init__(self, path, desktop, folder):
        self.path, self.desktop, self.folder = str(path), desktop, Path(folder)
        self.env = private_environment(self.folder, **desktop.client_environment())
        self.config = Path(self.env["XDG_CONFIG_HOME"])
        self.settings_file = self.config / "Glyphery" / "Glyphery.conf"
        self.runs = []

    def start(self):
        self.runs.append(Run(self, len(self.runs) + 1))
        self.runs[-1].wait_window()
        return self.runs[-1]

    def stop(self):
        for run in self.runs:
            stop(run.process)

    def settings(self):
        """The settings file as {section: {key: value}}; it holds nothing else."""
        sections, section = {}, None
        for line in self.settings_file.read_text().splitlines():
            if line.startswith("[") and line.endswith("]"):
                section = sections.setdefault(line[1:-1], {})
            elif line:
                key, equals, value = line.partition("=")
                assert equals and section is not None and key not in section, f"the line {line!r} in:\n" + \
                    self.settings_file.read_text()
                section[key] = value
        return sections

    @staticmethod
    def values(Name="Arial", B=0, I=0, Space=0, Size=0):
        return {"Font": {"Name": Name, "B": str(B), "I": str(I)}, "Options": {"Space": str(Space), "Size": str(Size)}}

    def expect_settings(self, **values):
        """The file holds exactly the five values: those given, the rest at their defaults."""
        assert self.settings_file.exists(), f"no settings file at {self.settings_file}"
        assert self.settings() == self.values(**values)

    def write_settings(self, text=None, **values):
        """Replaces the file in one step: the text given, or the five values."""
        if text is None:
            text = "".join(f"[{s}]\n" + "".join(f"{k}={v}\n" for k, v in keys.items()) + "\n"
                           for s, keys in self.values(**values).items())
        self.settings_file.parent.mkdir(parents=True, exist_ok=True)
        self.settings_file.with_suffix(".new").write_text(text)
        self.settings_file.with_suffix(".new").rename(self.settings_file)


class Run:
    """One run of the program and its main window."""

    def __init__(self, program, number):
        self.desktop = program.desktop
        self.log = program.folder / f"glyphery-{number}.log"
        with open(self.log, "wb") as log:
            self.process = subprocess.Popen([program.path], env=program.env, stdout=log, stderr=subprocess.STDOUT)
        self.window = None

    def wait_window(self):
        def find():
            assert self.process.poll() is None, "the program ended before its window appeared"
            ids = self.desktop.windows_of(self.process.pid, TITLE)
            assert len(ids) <= 1, f"more than one viewable window titled '{TITLE}': {ids}"
            return ids[0] if ids else None
        self.window = wait_for(f"no viewable window titled '{TITLE}'", find, 20)

    def alive(self):
        return self.process.poll() is None

    def activate(self):
        self.desktop.focus(self.window)

    def keys(self, *keys):
        self.desktop.keys(*keys)

    def click(self, point, double=False):
        """A click at client coordinates; the pointer then leaves the window,
        so that no tooltip lies over a later screenshot."""
        repeat = ["--repeat", "2", "--delay", "60"] if double else []
        self.desktop.x("xdotool", "mousemove", "--window", str(self.window), "--sync", *map(str, point),
                       "click", *repeat, "1")
        self.desktop.x("xdotool", "mousemove", "1", "1", check=False)

    def request_close(self):
        self.desktop.request_close(self.window)

    def close(self):
        """Closes through the window manager; gives the exit status. Under
        load the close key was seen lost, rarely, with the window still open
        after 15 s; a user presses it again, and so does this, once."""
        self.request_close()
        try:
            return self.process.wait(5)
        except subprocess.TimeoutExpired:
            if self.desktop.viewable(self.window):
                self.request_close()
        return self.wait_exit()

    def wait_exit(self, timeout=15):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not end within {timeout} s") from None

    def second_window(self, what):
        """A viewable window of the program other than its main window."""
        def find():
            assert self.alive(), f"{what}: the program ended"
            return next((w for w in self.desktop.windows_of(self.process.pid) if w != self.window), None)
        return wait_for(f"{what}: no second window of the program appeared", find)

    def catches(self, signal):
        """The program has a handler for the signal (its bit in SigCgt)."""
        status = Path(f"/proc/{self.process.pid}/status").read_text()
        mask = next(line.split()[1] for line in status.splitlines() if line.startswith("SigCgt:"))
        return bool(int(mask, 16) >> (signal - 1) & 1)


class Clipboard:
    """The X clipboard as another program sees it, through xclip."""

    def __init__(self, desktop):
        self.env = desktop.env

    def content(self, target="UTF8_STRING"):
        """The clipboard's text as UTF-8 bytes; None when it holds none."""
        try:
            done = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", target], env=self.env,
                                  capture_output=True, timeout=5)
            return done.stdout if done.returncode == 0 else None
        except subprocess.TimeoutExpired:
            return None

    def targets(self):
        """The forms the clipboard's owner offers."""
        return (self.content("TARGETS") or b"").decode().split()

    def set(self, text):
        # xclip stays behind to serve the text: no pipe may wait for it.
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(), env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10, check=True)
        self.expect(f"after xclip set {text!r}", text)

    def expect(self, what, text):
        """Waits until the clipboard holds exactly `text`."""
        want = text.encode()
        wait_for(lambda: f"{what}: the clipboard holds {self.content()!r}, expected {want!r}",
                 lambda: self.content() == want, 5)


class WaylandClipboard:
    """The Wayland clipboard as another program sees it, through wl-paste and wl-copy."""

    def __init__(self, compositor):
        self.env = compositor.env

    def content(self):
        """The clipboard's text as UTF-8 bytes; None when it holds none."""
        try:
            done = subprocess.run(["wl-paste", "--no-newline", "--type", "text/plain;charset=utf-8"], env=self.env,
                                  capture_output=True, timeout=5)
            return done.stdout if done.returncode == 0 else None
        except subprocess.TimeoutExpired:
            return None

    def set(self, text):
        # wl-copy stays behind to serve the text: no pipe may wait for it.
        subprocess.run(["wl-copy", text], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=10, check=True)
        self.expect(f"after wl-copy {text!r}", text)

    expect = Clipboard.expect


def processes_with(variable, command=None):
    """The processes whose environment holds `variable` ("NAME=value"), of
    that command only when one is given."""
    found = []
    for proc in Path("/proc").glob("[0-9]*"):
        try:
            if (command is None or (proc / "comm").read_text().strip() == command) and \
                    variable.encode() in (proc / "environ").read_bytes().split(b"\0"):
                found.append(int(proc.name))
        except OSError:  # gone meanwhile
            pass
    return found


def holders(runtime):
    """wl-copy processes started with the runtime folder given."""
    return processes_with(f"XDG_RUNTIME_DIR={runtime}", "wl-copy")


def clipboard_owner(desktop, mode):
    """The fake owner (clipboard_manager MODE), once it owns the clipboard."""
    process = subprocess.Popen([os.environ["CLIPBOARD_MANAGER"], mode], env=desktop.env, stdout=subprocess.PIPE)
    assert select.select([process.stdout], [], [], 10)[0] and process.stdout.readline() == b"ready\n"
    return process


def said_since(process):
    """What a process printed since, without waiting."""
    os.set_blocking(process.stdout.fileno(), False)
    return process.stdout.read() or b""


def differing(a, b, box):
    """How many pixels of the box (left, top, right, bottom) differ between two grabs."""
    assert a.size == b.size, f"grabs of different sizes: {a.size}, {b.size}"
    return sum(p != q for p, q in zip(a.crop(box).getdata(), b.crop(box).getdata()))


def count(image, box, condition):
    """How many pixels of the box meet condition(r, g, b)."""
    return sum(1 for rgb in image.crop(box).getdata() if condition(*rgb[:3]))


def yellow(r, g, b):
    """The program icon's cube; no text colour is like it."""
    return r >= 200 and g >= 150 and b <= 130


class Screenshots:
    """Grabs of the screen, and of a window's client area, through Pillow."""

    def __init__(self, desktop):
        self.desktop = desktop

    def screen(self):
        from PIL import ImageGrab  # here, so that the script needs no Pillow
        return ImageGrab.grab(xdisplay=self.desktop.display)

    def window(self, window):
        x, y, w, h = self.desktop.geometry(window)
        return self.screen().crop((x, y, x + w, y + h))

    def settled(self, run, box):
        """A grab whose box looked the same in the grab before it, so that no
        half-finished repaint is taken for a state."""
        grabs = [self.window(run.window)]
        def steady():
            time.sleep(0.1)
            grabs.append(self.window(run.window))
            return differing(grabs[-2], grabs[-1], box) == 0
        wait_for(f"the area {box} of the window kept changing", steady)
        return grabs[-1]

    def changed(self, what, run, reference, box):
        """Waits until the box differs from the reference grab; gives the settled grab."""
        wait_for(f"{what}: the area {box} still shows what it showed",
                 lambda: differing(reference, self.window(run.window), box))
        now = self.settled(run, box)
        assert differing(reference, now, box), f"{what}: the area {box} went back to what it showed"
        return now

    def same(self, what, run, reference, box):
        """Waits until the box shows exactly what the reference grab shows."""
        grabs = []
        def same():
            grabs.append(self.window(run.window))
            return differing(reference, grabs[-1], box) == 0
        wait_for(lambda: f"{what}: {differing(reference, grabs[-1], box)} pixels of the area {box} still differ",
                 same, 5)
        return grabs[-1]


class Layout:
    """The window's layout as layout_dump prints it, in client pixels."""

    def __init__(self, data):
        self.caption, self.width, self.height = data["caption"], data["width"], data["height"]
        self.rows = data["controls"]
        single = {row["name"]: row for row in self.rows if row["index"] == -1}
        def parents(row):
            return [single[row["parent"]], *parents(single[row["parent"]])] if row["parent"] else []
        for row in self.rows:
            x = row["x"] + sum(p["x"] for p in parents(row))
            y = row["y"] + sum(p["y"] for p in parents(row))
            row["box"], row["parents"] = (x, y, x + row["w"], y + row["h"]), {p["name"] for p in parents(row)}
        self.index = {(row["name"], row["index"]): i for i, row in enumerate(self.rows)}

    def box(self, name, index=-1, last=None):
        """A control's box (left, top, right, bottom); with `last`, the box
        around the array's elements `index` to `last`."""
        boxes = [self.rows[self.index[name, i]]["box"] for i in range(index, (last or index) + 1)]
        return tuple(f(b[i] for b in boxes) for i, f in enumerate((min, min, max, max)))

    def point(self, name, index=-1):
        """Where to click a control: the middle of the widest part of its
        middle row that no control above it covers (an earlier row lies
        above a later one; labels and lines lie beneath all others)."""
        row = self.rows[self.index[name, index]]
        left, top, right, bottom = row["box"]
        y = (top + bottom) // 2
        above = [r["box"] for r in self.rows[:self.index[name, index]] if r["visible"] and not r["beneath"]
                 and r["name"] not in row["parents"] and r["box"][1] <= y < r["box"][3]]
        parts = [[]]
        for x in range(left, right):
            if any(b[0] <= x < b[2] for b in above):
                parts.append([])
            else:
                parts[-1].append(x)
        widest = max(parts, key=len)
        assert widest, f"{name}({index}) is covered entirely"
        return widest[len(widest) // 2], y


if __name__ == "__main__":
    folder = Path(tempfile.mkdtemp(prefix="glyphery-desktop."))
    desktop = Desktop(folder)
    try:
        status = subprocess.run(sys.argv[1:], env=private_environment(folder, DISPLAY=desktop.display)).returncode
    finally:
        desktop.stop()
        shutil.rmtree(folder)
    sys.exit(status)
