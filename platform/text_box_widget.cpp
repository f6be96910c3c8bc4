#include "platform/text_box_widget.h"

#include "platform/widget_support.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace platform {

namespace {

class LineEditWidget : public TextBoxEvents<QLineEdit>
{
public:
    using TextBoxEvents<QLineEdit>::TextBoxEvents;
    QString value() const override { return text(); }
    bool readOnly() const override { return isReadOnly(); }

    // No box takes composed text, so none asks for an input method's panel
    // or an on-screen keyboard. Qt 6.4's line edit answers this query from
    // its read-only state, whatever WA_InputMethodEnabled says.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override
    {
        if (query == Qt::ImEnabled)
            return false;
        return TextBoxEvents<QLineEdit>::inputMethodQuery(query);
    }

protected:
    // Assistive technology knows the box as one node, which is not the line
    // edit's: the focus is announced on the box too.
    void focusInEvent(QFocusEvent *event) override
    {
        TextBoxEvents<QLineEdit>::focusInEvent(event);
        if (QAccessible::isActive()) {
            QAccessibleEvent focus(parentWidget(), QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
    }
};

// An editable box builds its line edit when it first gets the focus, and
// hands the focus on to it from then on. Until then it only shows its text:
// a line edit looks its font up as it is built, and a box that no one has
// reached yet should not make the window appear later.
class EditableBoxWidget : public TextBoxWidget
{
public:
    using TextBoxWidget::TextBoxWidget;

    bool readOnly() const override { return false; }

    QString text() const override { return editor_ ? editor_->text() : TextBoxWidget::text(); }

    void setText(const QString &text) override
    {
        if (editor_)
            editor_->setText(text);
        else
            TextBoxWidget::setText(text);
    }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::CursorChange)
            pointerChanged();
        return TextBoxWidget::event(event);
    }

    void focusInEvent(QFocusEvent *event) override
    {
        // The line edit raises GotFocus as it takes the focus on.
        QWidget::focusInEvent(event);
        QLineEdit *editor = buildEditor();
        editor->setFocus(event->reason());
        // Qt 6.4 leaves a child made focus proxy out of order in the tab
        // chain (Tab from it went to the last control), so place it here.
        QWidget::setTabOrder(this, editor);
        setFocusProxy(editor);
    }

    void paintEvent(QPaintEvent *event) override
    {
        if (!editor_)
            TextBoxWidget::paintEvent(event);
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        // A key the line edit leaves passes on; it has raised KeyDown already.
        if (editor_)
            event->ignore();
        else
            TextBoxWidget::keyPressEvent(event);
    }

private:
    // The line edit's pointer follows the box's.
    void pointerChanged()
    {
        if (!editor_)
            return;
        if (testAttribute(Qt::WA_SetCursor))
            editor_->setCursor(cursor());
        else
            editor_->unsetCursor();
    }

    QLineEdit *buildEditor()
    {
        if (editor_)
            return editor_;
        auto *editor = new LineEditWidget(box(), this);
        editor->boxBuilt = true;
        editor_ = editor;
        editor_->setObjectName(objectName() + QLatin1String("_edit"));
        editor_->setAttribute(Qt::WA_InputMethodEnabled, false);
        editor_->setGeometry(rect());
        editor_->setMaxLength(TextBox::maxLength);
        editor_->setText(TextBoxWidget::text());
        editor_->setAlignment(qtAlignment(alignment()));
        editor_->setFrame(border());
        editor_->setCursorPosition(0);
        editor_->setAccessibleName(box().accessibleName());
        editor_->setToolTip(toolTip());
        pointerChanged();
        editor_->show();
        return editor_;
    }

    QLineEdit *editor_ = nullptr;
};

} // namespace

TextBoxWidget::TextBoxWidget(TextBox &box, const ControlSpec &row, QWidget *parent)
    : TextBoxEvents<QWidget>(box, parent), alignment_(row.alignment), border_(row.border), chooser_(row.chooser)
{
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    // A bordered box leaves its rounded corners to the panel it draws.
    setAutoFillBackground(!border_);
    shown_.setTextFormat(Qt::PlainText);
    shown_.setPerformanceHint(QStaticText::AggressiveCaching);
    assign(QString::fromUtf8(row.text));
}

void TextBoxWidget::setText(const QString &text)
{
    const QString old = text_;
    if (!assign(text))
        return;
    update();
    // Asking whether accessibility is active starts Qt 6.4's bridge to it, and
    // so a session bus: not before the window is shown.
    if (isVisible() && QAccessible::isActive()) {
        QAccessibleTextUpdateEvent changed(this, 0, old, text_);
        QAccessible::updateAccessibility(&changed);
    }
}

void TextBoxWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        laidOut_ = false;
        update();
    }
    TextBoxEvents<QWidget>::changeEvent(event);
}

void TextBoxWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRect contents = rect();
    if (border_) {
        QStyleOptionFrame panel;
        panel.initFrom(this);
        panel.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, this);
        panel.midLineWidth = 0;
        panel.state |= QStyle::State_Sunken;
        if (readOnly())
            panel.state |= QStyle::State_ReadOnly;
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
        contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    }
    // Placed as a line edit places its text, so both kinds line up.
    const QFontMetrics metrics = fontMetrics();
    const int top = contents.y() + (contents.height() - metrics.height() + 1) / 2;
    const QRect line(contents.x() + 2, top, contents.width() - 4, metrics.height());
    if (!laidOut_) {
        shown_.prepare(QTransform(), font());
        laidOut_ = true;
    }
    const int used = qRound(shown_.size().width()) + 1;
    int scroll = 0;
    if (used <= line.width()) {
        if (alignment_ == Alignment::Right)
            scroll = used - line.width() + 1;
        else if (alignment_ == Alignment::Center)
            scroll = (used - line.width()) / 2;
    }
    painter.setClipRect(contents);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawStaticText(line.x() - scroll, line.y(), shown_);
    // A locked box has no cursor; the focus shows as a frame.
    if (hasFocus() && readOnly()) {
        painter.setClipping(false);
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

bool TextBoxWidget::assign(const QString &text)
{
    const QString cut = text.left(TextBox::maxLength);
    if (cut == text_)
        return false;
    text_ = cut;
    // Shown on one line, as a line edit shows it.
    QString line = text_;
    for (QChar &c : line) {
        if ((c.unicode() < 0x20 && c != u'\t') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    shown_.setText(line);
    laidOut_ = false;
    return true;
}

TextBoxWidget *makeTextBoxWidget(TextBox &box, const ControlSpec &row, QWidget *parent)
{
    if (row.locked)
        return new TextBoxWidget(box, row, parent);
    return new EditableBoxWidget(box, row, parent);
}

} // namespace platform
