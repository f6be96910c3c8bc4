"""Fixtures of the end-to-end tests (see harness.py): the desktop (or the
Wayland compositor), the program with a settings folder of its own, the
clipboard, screenshots and the layout.

Environment: GLYPHERY (the program), LAYOUT_DUMP (prints the layout). A failing
test leaves a screenshot of the screen and the logs in its temporary folder,
which is then kept; E2E_KEEP=1 keeps it always.
"""

import json
import os
import shutil
import subprocess
import tempfile
from pathlib import Path

import pytest

pytest.register_assert_rewrite("harness")
from harness import Clipboard, Compositor, Desktop, Layout, Program, Screenshots  # noqa: E402


@pytest.fixture(scope="session")
def layout():
    return Layout(json.loads(subprocess.check_output([os.environ["LAYOUT_DUMP"]])))


def served(request, server, prefix):
    """A display server in a folder of its own, kept after a failure."""
    folder = Path(tempfile.mkdtemp(prefix=prefix))
    running = server(folder)
    yield running
    running.stop()
    if not request.session.testsfailed and os.environ.get("E2E_KEEP") != "1":
        shutil.rmtree(folder)


@pytest.fixture(scope="module")
def desktop(request):
    yield from served(request, Desktop, "glyphery-e2e.")


@pytest.fixture(scope="module")
def compositor(request):
    yield from served(request, Compositor, "glyphery-wayland.")


@pytest.fixture
def glyphery(desktop, request):
    program = Program(os.environ["GLYPHERY"], desktop, desktop.folder / request.node.name)
    yield program
    program.stop()


@pytest.fixture
def clipboard(desktop):
    return Clipboard(desktop)


@pytest.fixture
def screenshots(desktop):
    return Screenshots(desktop)


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item):
    """On a failure, while the program still runs: a screenshot and the last lines of the logs."""
    report = (yield).get_result()
    desktop = getattr(item, "funcargs", {}).get("desktop")
    if not (report.failed and desktop):
        return
    shot = desktop.folder / f"{item.name}-failure.png"
    try:
        Screenshots(desktop).screen().save(shot)
        report.sections.append(("screenshot at failure", str(shot)))
    except Exception as error:  # the report matters more than the picture
        report.sections.append(("screenshot at failure", f"none: {error}"))
    for log in sorted([*desktop.folder.glob("*.log"), *(desktop.folder / item.name).glob("*.log")]):
        if lines := log.read_text(errors="replace").splitlines()[-30:]:
            report.sections.append((f"{log} (last lines)", "\n".join(lines)))
