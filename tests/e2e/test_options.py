"""The option row under the preview: bold, italic, small sizes and a leading
blank, clicked with the mouse and read back from screenshots and from the
settings written on close; then the reset button in a second run. Within
one run a state always gives the same pixels, another state other pixels,
so screenshots are compared exactly."""

from harness import count, yellow


def test_options(glyphery, screenshots, layout):
    grid, preview, symbol = layout.box("Char", 1, 224), layout.box("CharXXL"), layout.box("Symbol")
    click = {name: layout.point(name) for name in ("cmdN", "chkB", "chkI", "chkSpace", "chkSize")}
    changed, same = screenshots.changed, screenshots.same

    assert not glyphery.settings_file.exists(), "a settings file exists before the first run"
    app = glyphery.start()
    fresh = screenshots.settled(app, grid)
    assert count(fresh, symbol, yellow) >= 20, "the program icon does not cover the preview at start"

    app.click(click["chkSize"])
    size = changed("chkSize on: the cells", app, fresh, grid)
    # Off again the cells get 14 points, not quite the 13.5 they start with;
    # on again they show the very same pixels as the first time.
    app.click(click["chkSize"])
    changed("chkSize off again: the cells", app, size, grid)
    app.click(click["chkSize"])
    same("chkSize on again: the cells", app, size, grid)

    app.click(click["chkB"])
    size_bold = changed("chkB on: the cells", app, size, grid)
    app.click(click["chkB"])
    same("chkB off again: the cells", app, size, grid)
    app.click(click["chkB"])
    same("chkB on again: the cells", app, size_bold, grid)

    app.click(click["chkI"])
    size_bold_italic = changed("chkI on: the cells", app, size_bold, grid)

    # A cell's character in the preview, then with a blank before it.
    app.click(layout.point("Char", 34))  # A
    letter = changed("cell 34 clicked: the preview", app, size_bold_italic, preview)
    assert count(letter, symbol, yellow) == 0, "the program icon still shows over the preview of cell 34"
    app.click(click["chkSpace"])
    spaced = changed("chkSpace on: the preview", app, letter, preview)
    # The box took the focus from cell 34, and the blank is no matter of the cells.
    same("chkSpace on: the cells", app, size_bold_italic, grid)
    app.click(click["chkSpace"])
    same("chkSpace off again: the preview", app, letter, preview)
    app.click(click["chkSpace"])
    same("chkSpace on again: the preview", app, spaced, preview)

    assert app.close() == 0
    glyphery.expect_settings(B=1, I=1, Size=1, Space=1)

    # The stored options give the cells and the preview of the end of the
    # first run; the reset button then takes bold and italic away, no more.
    app = glyphery.start()
    same("second start: the cells", app, size_bold_italic, grid)
    same("second start: the preview (icon, no character)", app, fresh, preview)
    app.click(layout.point("Char", 34))
    same("second start, cell 34 clicked: the preview", app, spaced, preview)

    app.click(click["cmdN"])
    same("cmdN: the cells", app, size, grid)
    changed("cmdN: the preview", app, spaced, preview)

    assert app.close() == 0
    glyphery.expect_settings(Size=1, Space=1)
