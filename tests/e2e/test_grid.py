"""The character grid through the X server: the keys and double-clicks of a
real session copy a cell's character, and append it, to the clipboard as
another program (xclip) sees it. Cell k shows the Windows-1252 character of
code k+31. Walking the grid with the arrow keys, the preview and the
modifiers are tst_grid's, in process."""


def test_copy_to_the_shared_clipboard(glyphery, clipboard, layout):
    app = glyphery.start()
    app.activate()

    # The focus starts on a hidden box; Tab brings it to cell 1, a space.
    clipboard.set("text from before the test")
    app.keys("Tab", "Return")
    clipboard.expect("Tab, Enter (cell 1)", " ")

    # A double-click copies the cell under the pointer, as UTF-8 to others.
    for cell, text in [(97, "\u20ac"), (98, "\x81"), (129, "\xa0"), (224, "\xff"), (34, "A")]:
        clipboard.set(f"marker {cell}")
        app.click(layout.point("Char", cell), double=True)
        clipboard.expect(f"double-click on cell {cell}", text)

    # Appending works on text another program put on the clipboard.
    clipboard.set("xyz")
    app.keys("shift+Return")
    clipboard.expect("Shift+Enter after xclip set 'xyz' (cell 34 appended)", "xyzA")

    assert app.close() == 0
