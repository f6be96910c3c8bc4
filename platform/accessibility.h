#pragma once

#include <QAccessible>

class QWidget;

namespace platform {

// Lets assistive technology see a form as a window, its plain widgets
// (frames, lines, pictures) in the role given here and its text boxes
// through their own interface; installed once, before the first control is
// built. Only an interface asked for is ever built.
void installAccessibility();
void setAccessibleRole(QWidget *widget, QAccessible::Role role);

} // namespace platform
