"""High DPI: at QT_SCALE_FACTOR 2 and 1.5 the window icon offers renditions up
to 256 px and the program picture Symbol is drawn sharp from the rendition
that fits, not as enlarged pixels; at scale 1 it is the ICO's picture as
before. At every scale from 1 to 2, and at Xft.dpi 192, each line and frame
is equally wide on every side. The screen is large enough for the window at
scale 2."""

import math
import shutil
import subprocess
import tempfile
from pathlib import Path

import pytest
from PIL import Image, ImageChops

from harness import Desktop, wait_for

ICONS = Path(__file__).resolve().parents[2] / "resources" / "icons" / "hicolor"


@pytest.fixture(scope="module")
def desktop(request):
    folder = Path(tempfile.mkdtemp(prefix="glyphery-e2e."))
    desktop = Desktop(folder, screen="2560x1200x24")
    yield desktop
    desktop.stop()
    if not request.session.testsfailed:
        shutil.rmtree(folder)


def icon_sizes(desktop, window):
    icon = [int(n) for n in (desktop.prop(window, "_NET_WM_ICON", "-len", "100000000", "-f", "_NET_WM_ICON", "32c") or "")
            .replace(",", " ").split()]
    i, sizes = 0, set()
    while i + 1 < len(icon) and icon[i] > 0:
        sizes.add((icon[i], icon[i + 1]))
        i += 2 + icon[i] * icon[i + 1]
    assert i == len(icon), f"_NET_WM_ICON is malformed (sizes read: {sizes})"
    return sizes


def on_white(size):
    picture = Image.open(ICONS / f"{size}x{size}" / "apps" / "org.glyphery.Glyphery.png").convert("RGBA")
    white = Image.new("RGBA", picture.size, (255, 255, 255, 255))
    return Image.alpha_composite(white, picture).convert("RGB")


def largest_difference(a, b):
    return max(high for _, high in ImageChops.difference(a, b).getextrema())


def symbol(screenshots, app, layout, scale, size):
    left, top, *_ = layout.box("Symbol")
    x, y = round(left * scale), round(top * scale)
    return screenshots.window(app.window).convert("RGB").crop((x, y, x + size, y + size))


def enlarged_pixels(image):
    """How many 2x2 blocks of the picture are not one colour (none when it was doubled)."""
    px, (w, h) = image.load(), image.size
    return sum(len({px[x, y], px[x + 1, y], px[x, y + 1], px[x + 1, y + 1]}) > 1
               for x in range(0, w - 1, 2) for y in range(0, h - 1, 2))


@pytest.mark.parametrize("scale", ["1", "1.5", "2"])
def test_high_dpi(glyphery, desktop, screenshots, layout, scale):
    factor = float(scale)
    glyphery.env["QT_SCALE_FACTOR"] = scale
    app = glyphery.start()
    width, height = desktop.geometry(app.window)[2:]
    assert abs(width - layout.width * factor) <= 1 and abs(height - layout.height * factor) <= 1, (width, height)
    # The larger renditions follow the window's map request: wait for them,
    # then check the whole set.
    def with_largest():
        found = icon_sizes(desktop, app.window)
        return found if (256, 256) in found else None
    sizes = wait_for("the window icon has no 256 px rendition", with_largest)
    if factor == 1:
        assert {(16, 16), (32, 32), (48, 48), (64, 64), (128, 128), (256, 256)} <= sizes, sizes
    else:
        assert (256, 256) in sizes, sizes  # Qt scales the other sizes by the factor

    size = round(32 * factor)
    drawn = symbol(screenshots, app, layout, factor, size)
    if factor == 1:
        # The ICO's own 32 px picture, as before (the hicolor 32 px icon is taken from it).
        assert largest_difference(drawn, on_white(32)) <= 2
    else:
        assert largest_difference(drawn, on_white(size)) <= 8, f"Symbol at scale {scale} is not the {size} px icon"
        if factor == 2:
            assert enlarged_pixels(drawn) > 100, "Symbol at scale 2 is drawn as doubled pixels"
    assert app.close() == 0


def ring(box, width):
    """The pixels of a frame `width` wide inside the box."""
    left, top, right, bottom = box
    return {(x, y) for x in range(left, right) for y in range(top, bottom)
            if not (left + width <= x < right - width and top + width <= y < bottom - width)}


def coloured(image, area, colour, hole=(0, 0, 0, 0)):
    """The pixels of the colour in the area, none from the hole; and the box around them."""
    px = image.load()
    pixels = {(x, y) for x in range(area[0], area[2]) for y in range(area[1], area[3])
              if px[x, y][:3] == colour and not (hole[0] <= x < hole[2] and hole[1] <= y < hole[3])}
    assert pixels, f"nothing of colour {colour} in {area}"
    return pixels, (min(x for x, _ in pixels), min(y for _, y in pixels),
                    max(x for x, _ in pixels) + 1, max(y for _, y in pixels) + 1)


def framed(pixels, box):
    """How wide the frame of pixels around the box is; 0 when its sides differ or it is no frame."""
    width = next(w for w in range(box[2] - box[0] + 1) if (box[0] + w, (box[1] + box[3]) // 2) not in pixels)
    return width if pixels == ring(box, width) else 0


@pytest.mark.parametrize("setting, factor", [("QT_SCALE_FACTOR=1", 1), ("QT_SCALE_FACTOR=1.25", 1.25),
                                             ("QT_SCALE_FACTOR=1.5", 1.5), ("QT_SCALE_FACTOR=1.75", 1.75),
                                             ("QT_SCALE_FACTOR=2", 2), ("Xft.dpi: 192", 2)])
def test_lines_even_at_every_scale(glyphery, desktop, screenshots, layout, setting, factor):
    """Each line and frame is equally wide on every side, and all alike, in whole device pixels: the preview's
    frame (Line1 to Line4), the etched separator (Line5, Line6), Frame1's etched frame and a focused cell's
    frame. Each keeps to what it frames, without a gap. At a whole scale each lies exactly where the layout
    puts it, one pixel wide at scale 1; at a fractional one within a device pixel of that."""
    def device(*logical):  # where Qt puts pixel edges: each rounded, halves up
        return tuple(math.floor(v * factor + 0.5) for v in logical)
    def near(box, logical):
        return all(abs(a - b) <= (factor % 1 > 0) for a, b in zip(box, device(*logical)))
    def lines(first, last):  # the box around the layout's lines, each a pixel wide, ends included
        boxes = [layout.box(f"Line{n}") for n in range(first, last + 1)]
        return min(b[0] for b in boxes), min(b[1] for b in boxes), max(b[2] for b in boxes) + 1, \
            max(b[3] for b in boxes) + 1

    name, _, value = setting.partition("=")
    if value:
        glyphery.env[name] = value
    else:
        subprocess.run(["xrdb", "-merge"], input=setting.encode(), env=desktop.env, check=True)
    try:
        app = glyphery.start()
    finally:
        subprocess.run(["xrdb", "-load", "/dev/null"], env=desktop.env, check=True)
    assert abs(desktop.geometry(app.window)[2] - layout.width * factor) <= 1
    cell, inner, frame = layout.box("Char", 34), layout.box("CharXXL"), device(*layout.box("Frame1"))
    before = screenshots.window(app.window)
    app.click(device(*layout.point("Char", 34)))
    grab = screenshots.changed("a click on cell 34", app, before, device(*cell))

    # Line1 to Line4: black around the white preview, nothing between.
    hole = device(*(v + d for v, d in zip(inner, (3, 3, -3, -3))))
    black, box = coloured(grab, device(*lines(1, 4)), (0, 0, 0), hole)
    width = framed(black, box)
    assert width and near(box, lines(1, 4)), f"the preview's frame at {box} is uneven or misplaced"
    assert ring((box[0] + width, box[1] + width, box[2] - width, box[3] - width), 1) <= \
        coloured(grab, device(*inner), (255, 255, 255))[0], "a gap between the preview and its frame"
    # Line5, grey, right over Line6, white.
    left, top, right, bottom = device(*lines(5, 6))
    (grey, upper), (white, lower) = (coloured(grab, (left, top - 3, right, bottom + 3), (c, c, c)) for c in (128, 255))
    assert grey == ring(upper, width) and white == ring(lower, width) and near(upper, lines(5, 5)) and \
        (upper[3] - upper[1], lower) == (width, (upper[0], upper[3], upper[2], upper[3] + width)), (upper, lower)
    # Frame1: dark, and light over it one line further right and down.
    hole = device(*(v + d for v, d in zip(layout.box("Frame1"), (4, 12, -4, -4))))
    dark, light = (grab.getpixel((x, (frame[1] + frame[3]) // 2))[:3] for x in (frame[0], frame[2] - 1))
    (shadow, outer), (lit, inner) = coloured(grab, frame, dark, hole), coloured(grab, frame, light, hole)
    assert framed(lit, inner) == width and shadow == ring(outer, width) - lit, f"Frame1: dark {outer}, light {inner}"
    assert (outer[0], *inner) == (frame[0], outer[0] + width, outer[1] + width, *frame[2:]), (frame, outer, inner)
    # The focused cell: a frame inside it, a pixel in from its edges.
    focus, box = coloured(grab, device(*cell), grab.getpixel(device(cell[0] + 1, (cell[1] + cell[3]) // 2))[:3])
    assert framed(focus, box) == width and near(box, (cell[0] + 1, cell[1] + 1, cell[2] - 1, cell[3] - 1)), box

    assert math.floor(factor) <= width <= math.ceil(factor)
    assert app.close() == 0
