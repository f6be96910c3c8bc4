#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace platform {

// The interface of a text box widget, or none for any other object: a factory
// for QAccessible, installed with the others by installAccessibility().
QAccessibleInterface *textBoxAccessible(const QString &className, QObject *object);

} // namespace platform
