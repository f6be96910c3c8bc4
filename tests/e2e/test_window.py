"""The main window as the window manager sees it: title, fixed size, hints,
icon, start position, closing, and the settings written on close."""

import os

import pytest

from harness import Desktop, Program, wait_for


def numbers(text):
    return [int(n, 0) for n in (text or "").replace(",", " ").split()]


def expect_placed(desktop, window, area):
    """The outer window a third of the free height from the top of the area
    (left, top, width, height), centred across. The program may settle only
    once it knows the frame."""
    extents = wait_for("no _NET_FRAME_EXTENTS", lambda: numbers(desktop.prop(window, "_NET_FRAME_EXTENTS")), 5)
    left, right, top, bottom = extents
    _, _, width, height = desktop.geometry(window)
    want = (area[0] + (area[2] - width - left - right) / 2, area[1] + (area[3] - height - top - bottom) / 3)
    def outer():
        x, y, *_ = desktop.geometry(window)
        return x - left, y - top
    wait_for(lambda: f"outer window at {outer()}, expected {want} (±1) on {area}, frame {extents}",
             lambda: all(abs(a - b) <= 1 for a, b in zip(outer(), want)), 5)


def test_first_run(glyphery, desktop, layout):
    assert not glyphery.settings_file.exists(), "a settings file exists before the first run"
    app = glyphery.start()
    w = app.window
    size = (layout.width, layout.height)
    assert desktop.prop(w, "WM_NAME") == f'"{layout.caption}"'
    assert desktop.prop(w, "_NET_WM_NAME") == f'"{layout.caption}"'
    assert desktop.geometry(w)[2:] == size
    hints = desktop.prop(w, "WM_NORMAL_HINTS")
    for bound in ("minimum", "maximum"):
        assert f"program specified {bound} size: {size[0]} by {size[1]}" in hints, hints

    # Motif hints: flags, functions, decorations. A set "all" bit turns the
    # listed bits into the ones taken away.
    motif = numbers(desktop.prop(w, "_MOTIF_WM_HINTS"))
    assert motif, "the window has no _MOTIF_WM_HINTS"
    def offers(flag, field, bit):
        return not motif[0] & flag or bool(field & bit) != bool(field & 1)
    for what, flag, field, bit in [("minimizing", 1, motif[1], 8), ("maximizing", 1, motif[1], 16),
                                   ("a minimize button", 2, motif[2], 32), ("a maximize button", 2, motif[2], 64)]:
        assert not offers(flag, field, bit), f"the Motif hints offer {what}: {motif}"

    # _NET_WM_ICON is a run of width, height, width*height pixels.
    icon, i, sizes = numbers(desktop.prop(w, "_NET_WM_ICON", "-len", "100000000", "-f", "_NET_WM_ICON", "32c")), 0, []
    while i + 1 < len(icon) and icon[i] > 0 and icon[i + 1] > 0:
        sizes.append((icon[i], icon[i + 1]))
        i += 2 + icon[i] * icon[i + 1]
    assert i == len(icon), f"_NET_WM_ICON is malformed (sizes read: {sizes})"
    assert {(16, 16), (32, 32)} <= set(sizes), f"_NET_WM_ICON holds {sizes}"

    root = desktop.info()
    expect_placed(desktop, w, (0, 0, int(root["Width"]), int(root["Height"])))

    # A resize request must leave the size alone. The move sent after it is
    # handled after it, so once the window has moved the resize was decided.
    origin = desktop.geometry(w)[:2]
    desktop.x("xdotool", "windowsize", str(w), "600", "320")
    desktop.x("xdotool", "windowmove", str(w), "40", "50")
    wait_for("the window did not move after the resize and move requests",
             lambda: desktop.geometry(w)[:2] != origin, 5)
    assert desktop.geometry(w)[2:] == size, "a resize request changed the size"

    assert not glyphery.settings_file.exists(), "the settings file was written before the window was closed"
    assert app.close() == 0
    glyphery.expect_settings()


def test_some_values_stored(glyphery):
    """Only some values are given; the program reads them and writes all five."""
    glyphery.write_settings('[Font]\nName="DejaVu Sans"\nB=1\n\n[Options]\nSize=1\n')
    assert glyphery.start().close() == 0
    glyphery.expect_settings(Name="DejaVu Sans", B=1, Size=1)


@pytest.mark.parametrize("screen, monitors, area", [
    # Larger than the screen: a negative position, nothing clamped.
    ("640x480x24", [], (0, 0, 640, 480)),
    # Two monitors, the primary on the right: the window opens on that one.
    ("2560x800x24", ["left 1280/338x800/211+0+0 none", "*right 1280/338x800/211+1280+0 none"], (1280, 0, 1280, 800)),
])
def test_placed_on_the_primary_screen(tmp_path, screen, monitors, area):
    desktop = Desktop(tmp_path / "desktop", screen)
    try:
        for monitor in monitors:
            desktop.x("xrandr", "--setmonitor", *monitor.split())
        app = Program(os.environ["GLYPHERY"], desktop, tmp_path / "program").start()
        expect_placed(desktop, app.window, area)
        assert app.close() == 0
    finally:
        desktop.stop()


# White on black, as a user makes one in qt6ct's colour editor: the roles in qt6ct's order (window text,
# button, light, midlight, dark, mid, text, bright text, button text, base, window, shadow, highlight,
# highlighted text, link, visited link, alternate base, none, tooltip base, tooltip text, placeholder).
HIGH_CONTRAST = ", ".join(["#ffffffff", "#ff000000", "#ffffffff", "#ffffffff", "#ffffffff", "#ffffffff", "#ffffffff",
                           "#ffffffff", "#ffffffff", "#ff000000", "#ff000000", "#ff000000", "#ffffff00", "#ff000000",
                           "#ff00ffff", "#ffff00ff", "#ff000000", "#ff000000", "#ff000000", "#ffffffff", "#ffffffff"])


def luminance(rgb):
    linear = [c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4 for c in (v / 255 for v in rgb[:3])]
    return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]


@pytest.mark.parametrize("scheme", [None, "/usr/share/qt6ct/colors/darker.conf", "high-contrast"])
def test_typeface_box_reads_in_every_scheme(glyphery, screenshots, layout, scheme):
    """The typeface box keeps its grey; its text contrasts with it at least 4.5:1, whatever the desktop's text
    colour, as measured on the screen: the background is the box's commonest colour, the ink its pixel of the
    most different luminance."""
    if scheme:
        if scheme == "high-contrast":
            scheme = glyphery.config / "high-contrast.conf"
            scheme.write_text("[ColorScheme]\n" + "\n".join(f"{state}_colors={HIGH_CONTRAST}"
                                                         for state in ("active", "inactive", "disabled")) + "\n")
        (glyphery.config / "qt6ct").mkdir()
        (glyphery.config / "qt6ct" / "qt6ct.conf").write_text(
            f"[Appearance]\ncolor_scheme_path={scheme}\ncustom_palette=true\nstyle=Fusion\n")
        glyphery.env["QT_QPA_PLATFORMTHEME"] = "qt6ct"
    app = glyphery.start()
    left, top, right, bottom = layout.box("FSel")

    def drawn():
        pixels = list(screenshots.settled(app, (left, top, right, bottom))
                      .crop((left + 2, top + 2, right - 2, bottom - 2)).getdata())
        return max(set(pixels), key=pixels.count)[:3] == (224, 224, 224) and pixels
    pixels = wait_for("the typeface box was not drawn in its grey", drawn)
    background = max(set(pixels), key=pixels.count)
    ink = max(pixels, key=lambda p: abs(luminance(p) - luminance(background)))
    light, dark = sorted((luminance(ink), luminance(background)), reverse=True)
    assert (light + 0.05) / (dark + 0.05) >= 4.5, f"text {ink} on {background}"
    assert app.close() == 0
