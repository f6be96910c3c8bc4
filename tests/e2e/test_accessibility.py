"""What a screen reader reads: the program on an AT-SPI session of its own
(dbus-launch, with the accessibility bus started on demand), read through
pyatspi as Orca would read it."""

import os
import re
import subprocess

import pytest

from harness import wait_for

ACCESSIBILITY = {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}

# The names of ours in each language the program runs under; the Unicode
# names are ICU's in every language.
NAMES = {
    "de_DE.UTF-8": {"typeface": "Schriftart", "choose": "Schriftart w\u00e4hlen", "preview": "Vorschau",
                    "start": "Zeichentabelle: mit Tab zum ersten Zeichen", "grid": "Zeichentabelle",
                    "unused": "nicht belegt"},
    "en_US.UTF-8": {"typeface": "Font", "choose": "Choose font", "preview": "Preview",
                    "start": "Character table: Tab to the first character", "grid": "Character table",
                    "unused": "unused"},
}


def launch_bus(desktop):
    """A new session bus for the desktop: its address and its process id."""
    out = subprocess.run(["dbus-launch", "--sh-syntax", "--exit-with-x11"], env=desktop.env, capture_output=True,
                         text=True, check=True, timeout=20).stdout
    values = dict(re.findall(r"^(DBUS_SESSION_BUS_\w+)='?([^';]*)'?;", out, re.M))
    return values["DBUS_SESSION_BUS_ADDRESS"], int(values["DBUS_SESSION_BUS_PID"])


@pytest.fixture(scope="module")
def session_bus(desktop):
    """A session bus for the desktop; the accessibility bus and its registry
    are started by D-Bus activation when the program asks for them."""
    address, pid = launch_bus(desktop)
    os.environ.update(DISPLAY=desktop.display, DBUS_SESSION_BUS_ADDRESS=address)
    os.environ.pop("NO_AT_BRIDGE", None)
    yield address
    os.kill(pid, 15)


@pytest.fixture
def program_bus(desktop):
    """A session bus for the program alone, without accessibility until the test gives it."""
    address, pid = launch_bus(desktop)
    yield address
    os.kill(pid, 15)


def tree(node):
    yield node
    for i in range(node.childCount):
        yield from tree(node.getChildAtIndex(i))


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def actions(node):
    action = node.queryAction()
    return [(action.getName(i), action.getDescription(i)) for i in range(action.nActions)]


@pytest.mark.parametrize("language", NAMES)
def test_screen_reader(glyphery, desktop, session_bus, language):
    import pyatspi  # here: it finds its bus when imported
    from gi.repository import GLib

    ours = NAMES[language]
    glyphery.env.pop("LC_ALL")
    glyphery.env.update(DBUS_SESSION_BUS_ADDRESS=session_bus, LANG=language, **ACCESSIBILITY)
    app = glyphery.start()
    registry = pyatspi.Registry.getDesktop(0)
    program = wait_for("the program is not on the accessibility bus", lambda: next(
        (node for node in (registry.getChildAtIndex(i) for i in range(registry.childCount))
         if node and node.name == "Glyphery" and node.get_process_id() == app.process.pid), None), 20)
    app.activate()  # the focus reaches the start box, which then builds its line edit
    window = program.getChildAtIndex(0)
    assert window.getRole() == pyatspi.ROLE_FRAME and window.name == "Glyphery"

    nodes = list(tree(window))
    by_name = {}
    for node in nodes:
        by_name.setdefault(node.name, []).append(node)

    # The typeface box: a combo box whose press action chooses the typeface.
    fsel = by_name[ours["typeface"]][0]
    assert fsel.getRole() == pyatspi.ROLE_COMBO_BOX
    assert text_of(fsel) == "Arial"
    assert ("Press", ours["choose"]) in actions(fsel)

    # The preview offers its text.
    preview = by_name[ours["preview"]][0]
    assert preview.getRole() == pyatspi.ROLE_TEXT and text_of(preview) == ""

    # The start box is one node, focused, without children.
    start = by_name[ours["start"]]
    assert len(start) == 1 and start[0].childCount == 0, [n.getRoleName() for n in start]
    wait_for("the start box is not focused", lambda: start[0].getState().contains(pyatspi.STATE_FOCUSED), 5)
    assert text_of(start[0]) == ""  # it lies beneath the preview: never seen, not read

    # The grid: the hidden Char(0) is not showing; the names of the unused codes.
    grid = by_name[ours["grid"]][0]
    assert grid.getRole() == pyatspi.ROLE_LIST and grid.childCount == 225
    assert not grid.getChildAtIndex(0).getState().contains(pyatspi.STATE_SHOWING)
    cells = [grid.getChildAtIndex(i) for i in range(1, 225)]
    assert {cell.getRole() for cell in cells} == {pyatspi.ROLE_LIST_ITEM}
    names = [cell.name for cell in cells]
    assert names[96] == "\u20ac, EURO SIGN, 128, U+20AC"
    assert names[95] == "DELETE, 127, U+007F"
    for code in (129, 141, 143, 144, 157):
        assert names[code - 32] == f"{ours['unused']}, {code}, U+{code:04X}"
    for name in [node.name for node in nodes]:
        assert "<control" not in name and not any(ord(c) < 32 or 0x7F <= ord(c) < 0xA0 for c in name), repr(name)
    # The six lines are separators; nothing is a bare filler.
    assert sum(node.getRole() == pyatspi.ROLE_SEPARATOR for node in nodes) == 6
    assert not [node.name for node in nodes if node.getRole() == pyatspi.ROLE_FILLER]

    # Arrow steps: the focus is on the new cell and the preview reads its
    # character; a screen reader hears of the preview's new text.
    changes = []
    listener = lambda event: changes.append((event.source.name, event.type, event.any_data))
    pyatspi.Registry.registerEventListener(listener, "object:text-changed:insert")
    app.keys("Tab", *["Right"] * 96)
    wait_for("cell 97 did not get the focus", lambda: cells[96].getState().contains(pyatspi.STATE_FOCUSED), 5)
    wait_for(lambda: f"the preview reads {text_of(preview)!r}", lambda: text_of(preview) == "\u20ac", 5)
    context = GLib.MainContext.default()

    def heard():
        while context.pending():
            context.iteration(False)
        return (ours["preview"], "object:text-changed:insert", "\u20ac") in changes

    wait_for(lambda: f"no text-changed event for the preview's \u20ac; heard {changes[-5:]}", heard, 5)
    pyatspi.Registry.deregisterEventListener(listener, "object:text-changed:insert")
    app.keys("Right")
    wait_for("cell 98 did not get the focus", lambda: cells[97].getState().contains(pyatspi.STATE_FOCUSED), 5)
    assert text_of(preview) == "\x81"

    # The press action opens the font dialog as a click does.
    fsel.queryAction().doAction(0)
    dialog = app.second_window("the press action of the typeface box")
    assert desktop.transient_for(dialog) == app.window
    desktop.focus(dialog)
    desktop.keys("Escape")
    desktop.wait_gone("Escape in the dialog", dialog)
    assert app.close() == 0
    log = app.log.read_text()
    assert "ValueInterface" not in log, log


# What a program asks of the accessibility bus's launcher: where the bus is, and whether a screen reader runs.
A11Y_BUS = """<node><interface name="org.a11y.Bus"><method name="GetAddress"><arg type="s" direction="out"/></method>
</interface><interface name="org.a11y.Status"><property name="IsEnabled" type="b" access="read"/>
<property name="ScreenReaderEnabled" type="b" access="read"/></interface></node>"""


def test_accessibility_that_comes_after_the_window(glyphery, desktop, session_bus, program_bus):
    """A screen reader started after the program's window became active hears
    of that window and of the focus, which the program tells once it finds the
    accessibility bus."""
    import pyatspi
    from gi.repository import Gio, GLib

    heard = []
    listener = lambda event: heard.append((str(event.type), event.source.name, event.detail1))
    pyatspi.Registry.registerEventListener(listener, "window:activate", "object:state-changed:focused")
    # The program finds no accessibility bus at its start: none on its session
    # bus, none named on the root window (where this bus's launcher put it).
    session = Gio.bus_get_sync(Gio.BusType.SESSION)
    address, = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                 GLib.VariantType("(s)"), 0, 5000).unpack()
    desktop.x("xprop", "-root", "-remove", "AT_SPI_BUS")
    glyphery.env.update(DBUS_SESSION_BUS_ADDRESS=program_bus)
    app = glyphery.start()
    app.activate()
    # Then it comes: the program's session bus names the one this test listens on.
    bus = Gio.DBusConnection.new_for_address_sync(
        program_bus, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)
    launcher, status = Gio.DBusNodeInfo.new_for_xml(A11Y_BUS).interfaces
    bus.register_object("/org/a11y/bus", launcher, lambda *call: call[-1].return_value(GLib.Variant("(s)", (address,))))
    bus.register_object("/org/a11y/bus", status, None, lambda *get: GLib.Variant("b", True))
    bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                  GLib.Variant("(su)", ("org.a11y.Bus", 0)), None, 0, 5000)
    expected = {("window:activate", "Glyphery", 0),
                ("object:state-changed:focused", "Character table: Tab to the first character", 1)}
    context = GLib.MainContext.default()

    def told():
        while context.pending():
            context.iteration(False)
        return expected <= set(heard)

    wait_for(lambda: f"expected {expected}, heard {heard}", told, 10)
    pyatspi.Registry.deregisterEventListener(listener, "window:activate", "object:state-changed:focused")
    assert app.close() == 0
