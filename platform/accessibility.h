#pragma once

#include <QAccessible>

class QString;
class QWidget;

namespace platform {

// Lets assistive technology see a form as a window and its plain widgets
// (frames, lines, pictures) in the role given here; installed once, before
// the first control is built. Only an interface asked for is ever built.
// Text boxes install their own interface.
void installAccessibility();
void setAccessibleRole(QWidget *widget, QAccessible::Role role);

// Tells assistive technology a passing message, as a notification of the
// widget's window: Qt 6.4 has no announcement of its own, and a screen
// reader speaks a notification as it appears.
void announce(QWidget *widget, const QString &message);

} // namespace platform
