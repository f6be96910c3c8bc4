"""What a listener hears: the program with Orca, the screen reader, on an
AT-SPI session of their own. Orca's debug log holds each "SPEECH OUTPUT",
synthesiser or not; its launcher runs here with that file line-buffered, as
Orca 43 does not flush it. Orca quits at once when it sees another Orca of
the user's, as on a developer's desktop with a screen reader: this one runs
in a PID namespace of its own, where it sees no other and no other sees it."""

import ctypes
import os
import re
import signal
import subprocess
import time

import pytest

from harness import stop, wait_for
from test_accessibility import session_bus  # noqa: F401 (a fixture)

# The locale each language row runs under, the program and Orca alike.
LANGUAGES = {"de": "de_DE.UTF-8", "en": "en_US.UTF-8"}

# The walk: a step's key, then the words Orca must say after it, in order, in
# each language; ... ends a step whose rest depends on the machine (the fonts
# a dialog lists). Only the words that matter are compared: the names, a
# cell's character, name and code (said once), the status, the typeface.
# Orca's own words (roles, states, punctuation) differ between its versions:
# "Glyphery frame." (43), "Glyphery frame" (48), "Glyphery" (51).


def both(*words):
    return {"de": list(words), "en": list(words)}


START = {"de": ["Zeichentabelle: mit Tab zum ersten Zeichen"], "en": ["Character table: Tab to the first character"]}
INTO_GRID = {"de": ["Zeichentabelle", "224", "SPACE, 32, U+0020"], "en": ["Character table", "224", "SPACE, 32, U+0020"]}

WALK = [
    (None, {language: ["Glyphery", *words] for language, words in START.items()}),
    ("Tab", INTO_GRID),
    ("Right", both("!, EXCLAMATION MARK, 33, U+0021")),
    ("Right", both('", QUOTATION MARK, 34, U+0022')),
    ("Right", both("#, NUMBER SIGN, 35, U+0023")),
    ("Down", both("C, LATIN CAPITAL LETTER C, 67, U+0043")),
    ("Left", both("B, LATIN CAPITAL LETTER B, 66, U+0042")),
    ("Up", both('", QUOTATION MARK, 34, U+0022')),
    ("Return", both("Kopiert")),
    ("shift+Return", both("Hinzugef\u00fcgt")),
    ("shift+Tab", both("!, EXCLAMATION MARK, 33, U+0021")),
    ("shift+Tab", both("SPACE, 32, U+0020")),
    ("shift+Tab", START),
    ("Tab", INTO_GRID),
    ("shift+Tab", START),
    ("shift+Tab", both("Normal")),
    ("Tab", START),
    ("shift+Tab", both("Normal")),
    ("shift+Tab", {"de": ["Leerzeichen davor"], "en": ["Space before"]}),
    ("shift+Tab", {"de": ["Kleine Schriftgr\u00f6\u00dfen"], "en": ["Small sizes"]}),
    ("shift+Tab", {"de": ["Kursiv"], "en": ["Italic"]}),
    ("shift+Tab", {"de": ["Fett"], "en": ["Bold"]}),
    ("shift+Tab", {"de": ["Vorschau"], "en": ["Preview"]}),
    ("shift+Tab", {"de": ["Schriftart", "Arial"], "en": ["Font", "Arial"]}),
    ("Return", {"de": ["Schriftart ausw\u00e4hlen", ...], "en": ["Select Font", ...]}),
    ("Escape", {"de": ["Schriftart", "Arial"], "en": ["Font", "Arial"]}),
]

LAUNCHER = ("import functools, runpy, sys; sys.argv[0] = '/usr/bin/orca';"
            "runpy.run_path(sys.argv[0], {'open': functools.partial(open, buffering=1)}, '__main__')")
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)' ?\{")


@pytest.fixture(params=LANGUAGES)
def orca(desktop, session_bus, tmp_path, request):  # noqa: F811
    reader = Orca(desktop, session_bus, tmp_path, request.param)
    yield reader
    stop(reader.process)


class Orca:
    """Orca on the desktop's session bus, with its own settings and its log."""

    def __init__(self, desktop, bus, folder, language):
        self.language = language
        self.env = dict(desktop.env, DBUS_SESSION_BUS_ADDRESS=bus, LANG=LANGUAGES[language])
        self.env.pop("LC_ALL")
        self.env.pop("NO_AT_BRIDGE")
        subprocess.run(["gsettings", "set", "org.gnome.desktop.a11y.applications", "screen-reader-enabled", "true"],
                       env=self.env, check=True, timeout=20)
        self.log = folder / "orca-debug.log"
        (folder / "orca").mkdir()
        # Killed with the test, whatever ends it: the namespace goes with its first process.
        die_with_parent = lambda: ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # noqa: E731
        alone = ["unshare", "--pid", "--fork", "--kill-child", "--mount-proc",
                 *([] if os.geteuid() == 0 else ["--map-root-user"])]
        with open(folder / "orca.log", "wb") as out:
            self.process = subprocess.Popen(
                [*alone, "/usr/bin/python3", "-c", LAUNCHER, "--disable", "key-echo", "-u", str(folder / "orca"),
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
        """Waits for the utterances since the last call; they must hold the
        expected words, in order, a cell's once. Orca was seen to answer 2 s
        after a key under load."""
        want = [u for u in expected if u is not ...]

        def new():
            # The rest of a step that ended in ... may still come, under load.
            heard = self.heard()
            while self.loose and self.start < len(heard) and want[0] not in heard[self.start]:
                self.start += 1
            return heard[self.start:]

        def found(said):
            """Where each expected phrase begins in what was said, in order, or None."""
            text, at, places = " ".join(said), 0, []
            for phrase in want:
                if (at := text.find(phrase, at)) < 0:
                    return None
                places.append(at)
                at += len(phrase)
            return text, places
        wait_for(lambda: f"{what}: Orca said {new()}, expected {expected}", lambda: found(new()), 10)
        # A step's utterances come together; a later one would be a second.
        count = 0
        while count != len(new()):
            count = len(new())
            time.sleep(0.6)
        said, self.start = new(), self.start + count
        self.loose = ... in expected
        text, _ = found(said)
        for phrase in want:
            assert "U+" not in phrase or text.count(phrase) == 1, f"{what}: Orca said {said}"


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
