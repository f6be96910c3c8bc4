#include "platform/text_box_accessible.h"

#include "platform/text_box_widget.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace platform {

namespace {

// A text box tells assistive technology its name (its description when it has
// one, asked for only now) and its text as its value. Interfaces are cached
// from the widget's construction on, so every text box gets this one.
class DescribedTextBoxAccessible : public QAccessibleWidget
{
public:
    DescribedTextBoxAccessible(QWidget *widget, const TextBoxView &view)
        : QAccessibleWidget(widget, QAccessible::EditableText), view_(view)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty() && view_.boxBuilt && view_.box().onDescribe)
            return view_.box().describe();
        if (t == QAccessible::Value)
            return view_.value();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = view_.readOnly();
        return s;
    }

private:
    const TextBoxView &view_;
};

QAccessibleInterface *describedTextBoxFactory(const QString &, QObject *object)
{
    if (auto *view = dynamic_cast<TextBoxView *>(object))
        return new DescribedTextBoxAccessible(static_cast<QWidget *>(object), *view);
    return nullptr;
}

} // namespace

void installTextBoxAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(describedTextBoxFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace platform
