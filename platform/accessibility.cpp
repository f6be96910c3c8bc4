#include "platform/accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace platform {

namespace {

constexpr const char *roleProperty = "platformAccessibleRole";

// Qt 6.4 gives a plain QWidget the role Client, which AT-SPI calls a filler,
// even when it is a top-level window.
QAccessibleInterface *formFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("QWidget") || !object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (const QVariant role = widget->property(roleProperty); role.isValid())
        return new QAccessibleWidget(widget, QAccessible::Role(role.toInt()));
    if (widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

// Qt installs a factory once, however often it is asked to.
void installAccessibility() { QAccessible::installFactory(formFactory); }

void setAccessibleRole(QWidget *widget, QAccessible::Role role) { widget->setProperty(roleProperty, int(role)); }

void announce(QWidget *widget, const QString &message)
{
    // A hidden child of the window, made at the first message: nothing of it
    // is seen, and the window's tree is as before until then.
    static const QString noticeName = QStringLiteral("platformNotice");
    QWidget *window = widget->window();
    auto *notice = window->findChild<QWidget *>(noticeName, Qt::FindDirectChildrenOnly);
    if (!notice) {
        notice = new QWidget(window);
        notice->setObjectName(noticeName);
        notice->hide();
        setAccessibleRole(notice, QAccessible::Notification);
    }
    notice->setAccessibleName(message);
    QAccessibleEvent shown(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace platform
