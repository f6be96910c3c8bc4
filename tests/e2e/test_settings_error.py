"""Settings that cannot be written: a file stands where the settings folder
belongs. Closing the window then shows a message box over the window that is
still there; after it the program ends with a failure status and leaves the
file that stood in the way as it was."""

import os

import pytest

from harness import TITLE, wait_for

# The line on stderr and in the box; the system's reason is the C library's,
# which may follow the language.
LINES = {
    "C.UTF-8": "glyphery: Run-time error '75': Path/File access error: cannot write {file}: {blocker} is not a folder "
               "(Not a directory)",
    "de_DE.UTF-8": "glyphery: Laufzeitfehler '75': Fehler beim Zugriff auf Pfad/Datei: {file} kann nicht geschrieben "
                   "werden: {blocker} ist kein Ordner (",
}


@pytest.mark.parametrize("language", LINES)
def test_unwritable_settings(glyphery, desktop, language):
    blocker = glyphery.config / "Glyphery"
    blocker.write_text("not a folder\n")
    blocker.chmod(0o644)
    line = LINES[language].format(file=glyphery.settings_file, blocker=blocker)

    glyphery.env.update(LC_ALL="", LANG=language)
    app = glyphery.start()
    app.request_close()
    box = app.second_window("alt+F4 with no way to write the settings")
    assert desktop.x("xdotool", "getwindowname", str(box)) == f"{TITLE}\n"
    assert desktop.transient_for(box) == app.window
    assert desktop.viewable(app.window), "the main window is gone while the message box shows"
    assert app.alive(), "the program ended while its message box showed"
    # The box's text goes to stderr as well, before the box shows.
    wait_for(lambda: f"stderr lacks the line {line!r}...:\n{app.log.read_text()}",
             lambda: any(said.startswith(line) for said in app.log.read_text().splitlines()), 5)

    # Return confirms the box; nothing else ends the program.
    desktop.focus(box)
    assert app.alive(), "the program ended before the message box was dismissed"
    desktop.keys("Return")
    assert app.wait_exit() != 0, "the program ended with status 0 after it could not write its settings"

    assert blocker.is_file() and not blocker.is_symlink(), f"{blocker} is no longer a plain file"
    assert blocker.read_text() == "not a folder\n"
    assert blocker.stat().st_mode & 0o7777 == 0o644
    assert os.listdir(glyphery.config) == ["Glyphery"]
