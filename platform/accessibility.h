#pragma once

#include <QAccessible>

class QWidget;

namespace platform {

// Lets assistive technology see a form as a window and its plain widgets
// (frames, lines, pictures) in the role given here; installed once, before
// the first control is built. Only an interface asked for is ever built.
// Text boxes install their own interface.
void installAccessibility();
void setAccessibleRole(QWidget *widget, QAccessible::Role role);

} // namespace platform
