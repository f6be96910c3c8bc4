#include "platform/text_box_accessible.h"

#include "platform/text_box_widget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMetaObject>
#include <QPointer>

namespace platform {

namespace {

QAccessible::Role roleOf(const TextBoxView &view)
{
    if (view.chooser())
        return QAccessible::ComboBox;
    if (view.listItem())
        return QAccessible::ListItem;
    return QAccessible::EditableText;
}

// A box that lies wholly beneath an opaque sibling is never seen, and so its
// text is not read either.
bool covered(const QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    if (!parent)
        return false;
    const QObjectList &siblings = parent->children();
    for (qsizetype i = siblings.indexOf(widget) + 1; i < siblings.size(); ++i) {
        const auto *above = qobject_cast<const QWidget *>(siblings.at(i));
        if (above && !above->isWindow() && above->isVisible() && above->autoFillBackground()
            && above->geometry().contains(widget->geometry()))
            return true;
    }
    return false;
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
using AttributesInterface = QAccessibleAttributesInterface;
#else
struct AttributesInterface // Qt 6.4 offers no object attributes
{};
#endif

// A text box tells assistive technology its name (its description when it has
// one, asked for only now) and the text it shows, as its value and, but for a
// list item, through the read-only text interface. A box is one node: the
// line edit an editable box builds is not a child of its own. A chooser box
// is a combo box whose press action does what a click does. Interfaces are
// cached from the widget's construction on, so every text box gets this one.
class DescribedTextBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface, public AttributesInterface
{
public:
    DescribedTextBoxAccessible(QWidget *widget, const TextBoxView &view)
        : QAccessibleWidget(widget, roleOf(view)), view_(view)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        // A list item is read by its name, which holds what it shows: a
        // screen reader that finds text reads the text instead (Orca 48).
        if (type == QAccessible::TextInterface && !view_.listItem())
            return static_cast<QAccessibleTextInterface *>(this);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (type == QAccessible::AttributesInterface && view_.chooser())
            return static_cast<QAccessibleAttributesInterface *>(this);
#endif
        return QAccessibleWidget::interface_cast(type);
    }

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // A combo box without a list says what it holds in the attribute a
    // screen reader reads its value from (Orca 48 reads no text there).
    QList<QAccessible::Attribute> attributeKeys() const override { return {QAccessible::Attribute::Custom}; }
    QVariant attributeValue(QAccessible::Attribute key) const override
    {
        if (key != QAccessible::Attribute::Custom)
            return {};
        return QVariant::fromValue(QHash<QString, QString>{{ QStringLiteral("valuetext"), visibleText() }});
    }
#endif

    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        const TextBox *box = view_.box();
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty() && box) {
            if (!box->accessibleName().isEmpty())
                return box->accessibleName();
            if (box->onDescribe)
                return box->describe();
        }
        if (t == QAccessible::Value)
            return visibleText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = view_.readOnly();
        s.editable = !view_.readOnly();
        s.invisible = !widget()->isVisible();
        // The line edit of an editable box hands its focus to the box, the
        // node that has it.
        if (widget()->focusProxy())
            s.focused = false;
        s.hasPopup = view_.chooser();
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (view_.chooser())
            names.prepend(pressAction());
        return names;
    }

    QString localizedActionDescription(const QString &action) const override
    {
        if (action == pressAction() && view_.chooser() && !widget()->toolTip().isEmpty())
            return widget()->toolTip();
        return QAccessibleWidget::localizedActionDescription(action);
    }

    void doAction(const QString &action) override
    {
        TextBox *box = view_.box();
        if (action != pressAction() || !view_.chooser() || !box)
            return QAccessibleWidget::doAction(action);
        // Queued: the click may open a modal dialog, and the assistive
        // client waits for the answer to its call until the action returns.
        QMetaObject::invokeMethod(
            widget(),
            [box, alive = QPointer<QWidget>(widget())] {
                if (alive && box->onClick)
                    runHandler([box] { box->onClick(box->index()); });
            },
            Qt::QueuedConnection);
    }

    // The read-only text interface: no selection, the cursor at the start.
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override
    {
        const QString all = visibleText();
        startOffset = qBound(0, startOffset, int(all.size()));
        endOffset = endOffset < 0 ? int(all.size()) : qBound(startOffset, endOffset, int(all.size()));
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(visibleText().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

private:
    // The text as a person sees it: none for a box beneath another.
    QString visibleText() const { return covered(widget()) ? QString() : view_.value(); }

    const TextBoxView &view_;
};

QAccessibleInterface *textBoxAccessible(const QString &, QObject *object)
{
    if (auto *view = dynamic_cast<TextBoxView *>(object))
        return new DescribedTextBoxAccessible(static_cast<QWidget *>(object), *view);
    return nullptr;
}

} // namespace

// Qt installs a factory once, however often it is asked to.
void installTextBoxAccessibility() { QAccessible::installFactory(textBoxAccessible); }

} // namespace platform
