#include "platform/accessibility.h"

#include "platform/text_box_accessible.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace platform {

namespace {

constexpr const char *roleProperty = "platformAccessibleRole";

// Qt gives a plain QWidget the role Client, which AT-SPI calls a filler, even
// when it is a top-level window (seen on 6.4.2 and 6.8.2).
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

// Qt's AT-SPI bridge reaches the accessibility bus a moment after the
// application has started; a window that became active before then is never
// announced, and a screen reader would not know where the focus is. Once the
// bridge is there, the active window and its focus are told as Qt would
// have told them.
class LateBridge : public QAccessible::ActivationObserver
{
public:
    void accessibilityActiveChanged(bool active) override
    {
        if (!active)
            return;
        // After the bridge has set up what it sends the events through.
        QTimer::singleShot(0, qApp, [] {
            QWidget *window = QApplication::activeWindow();
            if (!window)
                return;
            QAccessible::State changed;
            changed.active = true;
            QAccessibleStateChangeEvent activated(window, changed);
            QAccessible::updateAccessibility(&activated);
            if (QWidget *focus = QApplication::focusWidget()) {
                QAccessibleEvent focused(focus, QAccessible::Focus);
                QAccessible::updateAccessibility(&focused);
            }
        });
    }
};

} // namespace

// Qt installs a factory or an observer once, however often it is asked to.
void installAccessibility()
{
    static LateBridge lateBridge;
    QAccessible::installFactory(formFactory);
    installTextBoxAccessibility();
    QAccessible::installActivationObserver(&lateBridge);
}

void setAccessibleRole(QWidget *widget, QAccessible::Role role) { widget->setProperty(roleProperty, int(role)); }

QAccessible::Role accessibleRole(const QWidget *widget)
{
    const QVariant role = widget->property(roleProperty);
    return role.isValid() ? QAccessible::Role(role.toInt()) : QAccessible::Client;
}

void announce(QWidget *widget, const QString &message)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(widget->window(), message);
    QAccessible::updateAccessibility(&announcement);
#else
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
#endif
}

} // namespace platform
