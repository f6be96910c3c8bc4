"""Two instances of the program open at once and closed in either order: the
settings file stays valid and holds the values of the one closed last. The
file is rewritten between the two starts, so that the instances read, and
close with, values that differ in all five keys."""

import pytest

VALUES = [dict(Name="DejaVu Sans", B=1, I=0, Space=2, Size=1),
          dict(Name="Liberation Serif", B=0, I=1, Space=0, Size=2)]


@pytest.mark.parametrize("order", [(0, 1), (1, 0)], ids=["first closed first", "second closed first"])
def test_two_instances(glyphery, order):
    runs = []
    for values in VALUES:
        glyphery.write_settings(**values)
        runs.append(glyphery.start())
    for which in order:
        assert runs[which].close() == 0
        glyphery.expect_settings(**VALUES[which])
