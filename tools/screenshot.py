#!/usr/bin/python3
"""Makes docs/screenshot.png: the real window under Xvfb and openbox (the
end-to-end tests' harness), with the euro sign selected.
Usage: tools/screenshot.py [BUILD-DIR]"""

import json
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

top = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(top / "tests" / "e2e"))
from harness import Desktop, Layout, Program, Screenshots  # noqa: E402

build = Path(sys.argv[1] if len(sys.argv) > 1 else top / "build").resolve()
layout = Layout(json.loads(subprocess.check_output([build / "tests" / "e2e" / "layout_dump"])))
folder = Path(tempfile.mkdtemp(prefix="glyphery-screenshot."))
desktop = Desktop(folder)
program = Program(build / "glyphery", desktop, folder / "program")
try:
    app = program.start()
    app.activate()
    app.click(layout.point("Char", 97))
    screenshots = Screenshots(desktop)
    screenshots.settled(app, (0, 0, layout.width, layout.height)).save(top / "docs" / "screenshot.png")
    assert app.close() == 0, "the program ended with a failure status"
    print("wrote docs/screenshot.png")
finally:
    program.stop()
    desktop.stop()
    shutil.rmtree(folder)
