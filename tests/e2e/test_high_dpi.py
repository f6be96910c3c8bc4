"""High DPI: at QT_SCALE_FACTOR 2 and 1.5 the window icon offers renditions up
to 256 px and the program picture Symbol is drawn sharp from the rendition
that fits, not as enlarged pixels; at scale 1 it is the ICO's picture as
before. The screen is large enough for the window at scale 2."""

import shutil
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
