#pragma once

#include <QAccessible>

class QString;
class QWidget;

namespace platform {

// Lets assistive technology see a form as a window, its plain widgets
// (frames, lines, pictures) in the role given here and its text boxes through
// their own interface; installed before the window is built. Only an
// interface asked for is ever built.
void installAccessibility();
void setAccessibleRole(QWidget *widget, QAccessible::Role role);
// The role given above; Client, Qt's own for a plain widget, when none was.
QAccessible::Role accessibleRole(const QWidget *widget);

// Tells assistive technology a passing message: an announcement of the
// widget's window from Qt 6.8 on; before, a notification of the window, which
// a screen reader speaks as it appears (Qt 6.4 has no announcement).
void announce(QWidget *widget, const QString &message);

} // namespace platform
