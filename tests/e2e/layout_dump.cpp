// Prints the window's layout as JSON for the end-to-end tests (conftest.py):
// the client size and every control in stacking order, in pixels relative to
// its parent, converted as the program converts them.
#include "app/layout.h"
#include "platform/units.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main()
{
    using platform::twipsToPixels;
    const auto &form = glyphery::formLayout();
    std::printf("{\"caption\": \"%s\", \"width\": %d, \"height\": %d, \"controls\": [", form.caption,
                twipsToPixels(form.clientWidth), twipsToPixels(form.clientHeight));
    const char *separator = "\n";
    for (const auto &row : glyphery::controlLayout()) {
        int x = twipsToPixels(row.left), y = twipsToPixels(row.top);
        int w = twipsToPixels(row.width), h = twipsToPixels(row.height);
        const bool line = row.kind == platform::ControlKind::Line;
        if (line) {
            const int x2 = twipsToPixels(row.x2), y2 = twipsToPixels(row.y2);
            w = std::abs(x2 - x), h = std::abs(y2 - y);
            x = std::min(x, x2), y = std::min(y, y2);
        }
        // Labels and lines lie beneath every other control.
        const bool beneath = line || row.kind == platform::ControlKind::Label;
        std::printf("%s {\"name\": \"%s\", \"index\": %d, \"parent\": \"%s\", \"x\": %d, \"y\": %d, \"w\": %d, "
                    "\"h\": %d, \"visible\": %s, \"beneath\": %s}",
                    separator, row.name, row.index, row.parent ? row.parent : "", x, y, w, h,
                    row.visible ? "true" : "false", beneath ? "true" : "false");
        separator = ",\n";
    }
    std::printf("\n]}\n");
}
