"""What a listener hears: the program with Orca, the screen reader, on an
AT-SPI session of their own. Orca's debug log holds each "SPEECH OUTPUT",
synthesiser or not; its launcher runs here with that file line-buffered, as
Orca 43 does not flush it. One Orca a user: the test holds a lock while Orca
runs and first ends one that a failed run left behind."""

import ctypes
import fcntl
import os
import re
import signal
import subprocess
import tempfile
import time
from pathlib import Path

import pytest

from harness import processes_with, stop, wait_for
from test_accessibility import session_bus  # noqa: F401 (a fixture)

# The locale each language row runs under, the program and Orca alike.
LANGUAGES = {"de": "de_DE.UTF-8", "en": "en_US.UTF-8"}

# The walk: a step's key, then what Orca says after it, utterance by
# utterance, in each language; ... ends a step whose rest depends on the
# machine (the fonts a dialog lists).
WALK = [
    (None, {"de": ["Glyphery frame.", "Zeichentabelle: mit Tab zum ersten Zeichen text."],
            "en": ["Glyphery frame.", "Character table: Tab to the first character text."]}),
    ("Tab", {"de": ["Zeichentabelle.", "Liste mit 224 Eintr\u00e4gen.", "SPACE, 32, U+0020."],
             "en": ["Character table.", "List with 224 items.", "SPACE, 32, U+0020."]}),
    ("Right", {"de": ["!, EXCLAMATION MARK, 33, U+0021."], "en": ["!, EXCLAMATION MARK, 33, U+0021."]}),
    ("Right", {"de": ['", QUOTATION MARK, 34, U+0022.'], "en": ['", QUOTATION MARK, 34, U+0022.']}),
    ("Right", {"de": ["#, NUMBER SIGN, 35, U+0023."], "en": ["#, NUMBER SIGN, 35, U+0023."]}),
    ("Down", {"de": ["C, LATIN CAPITAL LETTER C, 67, U+0043."], "en": ["C, LATIN CAPITAL LETTER C, 67, U+0043."]}),
    ("Left", {"de": ["B, LATIN CAPITAL LETTER B, 66, U+0042."], "en": ["B, LATIN CAPITAL LETTER B, 66, U+0042."]}),
    ("Up", {"de": ['", QUOTATION MARK, 34, U+0022.'], "en": ['", QUOTATION MARK, 34, U+0022.']}),
    ("Return", {"de": ["notification Kopiert."], "en": ["notification Kopiert."]}),
    ("shift+Return", {"de": ["notification Hinzugef\u00fcgt."], "en": ["notification Hinzugef\u00fcgt."]}),
    ("shift+Tab", {"de": ["!, EXCLAMATION MARK, 33, U+0021."], "en": ["!, EXCLAMATION MARK, 33, U+0021."]}),
    ("shift+Tab", {"de": ["SPACE, 32, U+0020."], "en": ["SPACE, 32, U+0020."]}),
    ("shift+Tab", {"de": ["Zeichentabelle: mit Tab zum ersten Zeichen text."],
                   "en": ["Character table: Tab to the first character text."]}),
    ("Tab", {"de": ["Zeichentabelle.", "Liste mit 224 Eintr\u00e4gen.", "SPACE, 32, U+0020."],
             "en": ["Character table.", "List with 224 items.", "SPACE, 32, U+0020."]}),
    ("shift+Tab", {"de": ["Zeichentabelle: mit Tab zum ersten Zeichen text."],
                   "en": ["Character table: Tab to the first character text."]}),
    ("shift+Tab", {"de": ["Normal push button."], "en": ["Normal push button."]}),
    ("Tab", {"de": ["Zeichentabelle: mit Tab zum ersten Zeichen text."],
             "en": ["Character table: Tab to the first character text."]}),
    ("shift+Tab", {"de": ["Normal push button."], "en": ["Normal push button."]}),
    ("shift+Tab", {"de": ["Leerzeichen davor check box nicht ausgew\u00e4hlt."],
                   "en": ["Space before check box not checked."]}),
    ("shift+Tab", {"de": ["Kleine Schriftgr\u00f6\u00dfen check box nicht ausgew\u00e4hlt."],
                   "en": ["Small sizes check box not checked."]}),
    ("shift+Tab", {"de": ["Kursiv check box nicht ausgew\u00e4hlt."], "en": ["Italic check box not checked."]}),
    ("shift+Tab", {"de": ["Fett check box nicht ausgew\u00e4hlt."], "en": ["Bold check box not checked."]}),
    ("shift+Tab", {"de": ["Vorschau nur lesbar text.", " "], "en": ["Preview read only text.", " "]}),
    ("shift+Tab", {"de": ["Schriftart combo box.", "Arial.", "Schriftart w\u00e4hlen."],
                   "en": ["Font combo box.", "Arial.", "Choose font."]}),
    ("Return", {"de": ["Schriftart ausw\u00e4hlen dialog.", ...], "en": ["Select Font dialog.", ...]}),
    ("Escape", {"de": ["Glyphery frame.", "Schriftart combo box.", "Arial.", "Schriftart w\u00e4hlen."],
                "en": ["Glyphery frame.", "Font combo box.", "Arial.", "Choose font."]}),
]

MARK = "GLYPHERY_ORCA_TEST"
LAUNCHER = ("import functools, runpy, sys; sys.argv[0] = '/usr/bin/orca';"
            "runpy.run_path(sys.argv[0], {'open': functools.partial(open, buffering=1)}, '__main__')")
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)' ?\{")


def end_left_behind():
    """Ends the Orcas of an earlier run of this test, known by their mark."""
    for pid in processes_with(f"{MARK}=1"):
        try:
            os.kill(pid, signal.SIGKILL)
        except OSError:  # gone meanwhile
            pass


@pytest.fixture(params=LANGUAGES)
def orca(desktop, session_bus, tmp_path, request):  # noqa: F811
    with open(Path(tempfile.gettempdir()) / "glyphery-orca.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        end_left_behind()
        reader = Orca(desktop, session_bus, tmp_path, request.param)
        yield reader
        stop(reader.process)


class Orca:
    """Orca on the desktop's session bus, with its own settings and its log."""

    def __init__(self, desktop, bus, folder, language):
        self.language = language
        self.env = dict(desktop.env, DBUS_SESSION_BUS_ADDRESS=bus, LANG=LANGUAGES[language], **{MARK: "1"})
        self.env.pop("LC_ALL")
        self.env.pop("NO_AT_BRIDGE")
        subprocess.run(["gsettings", "set", "org.gnome.desktop.a11y.applications", "screen-reader-enabled", "true"],
                       env=self.env, check=True, timeout=20)
        self.log = folder / "orca-debug.log"
        (folder / "orca").mkdir()
        # Killed with the test, whatever ends it.
        die_with_parent = lambda: ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # noqa: E731
        with open(folder / "orca.log", "wb") as out:
            self.process = subprocess.Popen(
                ["/usr/bin/python3", "-c", LAUNCHER, "--disable", "key-echo", "-u", str(folder / "orca"),
                 "--debug-file", str(self.log)], env=self.env, stdout=out, stderr=subprocess.STDOUT,
                preexec_fn=die_with_parent)
        # It says that it is on once it listens.
        wait_for("Orca said nothing", lambda: self.process.poll() is not None or self.heard(), 30)
        assert self.process.poll() is None, f"Orca ended: {(folder / 'orca.log').read_text()}"
        self.start, self.loose = len(self.heard()), False

    def heard(self):
        """Every utterance so far."""
        text = self.log.read_text(errors="replace") if self.log.exists() else ""
        return [m.group(1) for line in text.splitlines() if (m := SPOKEN.search(line))]

    def says(self, what, expected):
        """Waits for the utterances since the last call; they must be the
        expected ones. Orca was seen to answer 2 s after a key under load."""
        want = [u for u in expected if u is not ...]

        def new():
            # The rest of a step that ended in ... may still come, under load.
            heard = self.heard()
            while self.loose and self.start < len(heard) and heard[self.start] != want[0]:
                self.start += 1
            return heard[self.start:]
        wait_for(lambda: f"{what}: Orca said {new()}, expected {expected}", lambda: len(new()) >= len(want), 10)
        # A step's utterances come together; a later one would be a second.
        count = 0
        while count != len(new()):
            count = len(new())
            time.sleep(0.6)
        said, self.start = new(), self.start + count
        self.loose = ... in expected
        assert (said[:len(want)] if ... in expected else said) == want, f"{what}: Orca said {said}"


def test_orca(glyphery, orca):
    glyphery.env.update(DBUS_SESSION_BUS_ADDRESS=orca.env["DBUS_SESSION_BUS_ADDRESS"], LANG=orca.env["LANG"])
    glyphery.env.pop("LC_ALL")
    glyphery.env.pop("NO_AT_BRIDGE")
    # Under the sanitizers: Qt 6.4's AT-SPI bridge keeps a copy of each key
    # event for Orca, and the copies of keys Orca answered too late are left
    # when the program ends (a QKeyEvent and its text, from libQt6Gui).
    if "ASAN_OPTIONS" in glyphery.env:
        glyphery.env["ASAN_OPTIONS"] += ":detect_leaks=0"
    app = glyphery.start()
    app.activate()
    for key, words in WALK:
        if key:
            app.keys(key)
        orca.says(f"after {key or 'the start'}", words[orca.language])
    # Every focus was on a node that the accessible tree lists.
    zombies = [line for line in orca.log.read_text(errors="replace").splitlines() if "ZOMBIE" in line]
    assert not zombies
    assert app.close() == 0
