#include "platform/text_box_widget.h"

#include "platform/accessibility.h"
#include "platform/widget_support.h"
#include "platform/x11_selection.h"

#include <QAccessible>
#include <QDrag>
#include <QLineEdit>
#include <QMimeData>
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

    // The box keeps the focus, as a spin box does with its line edit, and
    // hands on what the line edit needs; it has raised GotFocus and KeyDown.
    void takeFocus(QFocusEvent *event)
    {
        if (event->gotFocus())
            QLineEdit::focusInEvent(event);
        else
            QLineEdit::focusOutEvent(event);
    }
    void takeKey(QKeyEvent *event) { QLineEdit::keyPressEvent(event); }
};

// An editable box builds its line edit when it first gets the focus, and
// keeps the focus itself: assistive technology then always finds the focus
// on the box, the one node it knows. Until then it only shows its text:
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
        buildEditor()->takeFocus(event);
        TextBoxWidget::focusInEvent(event);
    }

    void focusOutEvent(QFocusEvent *event) override
    {
        if (editor_)
            editor_->takeFocus(event);
        TextBoxWidget::focusOutEvent(event);
    }

    void paintEvent(QPaintEvent *event) override
    {
        if (!editor_)
            TextBoxWidget::paintEvent(event);
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        TextBoxWidget::keyPressEvent(event);
        // A key the line edit leaves passes on to the parent.
        if (editor_ && !isEnding())
            editor_->takeKey(event);
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

    LineEditWidget *buildEditor()
    {
        if (editor_)
            return editor_;
        editor_ = new LineEditWidget(this);
        editor_->attach(*box());
        // Right after the box in the tab chain, which Backtab would otherwise
        // reach through the line edit from the control after it; a click in
        // the line edit gives the box the focus.
        QWidget::setTabOrder(this, editor_);
        editor_->setFocusProxy(this);
        editor_->setObjectName(objectName() + QLatin1String("_edit"));
        editor_->setGeometry(rect());
        editor_->setMaxLength(TextBox::maxLength);
        editor_->setText(TextBoxWidget::text());
        editor_->setAlignment(qtAlignment(alignment()));
        editor_->setFrame(border());
        editor_->setCursorPosition(0);
        editor_->setToolTip(toolTip());
        pointerChanged();
        editor_->show();
        return editor_;
    }

    LineEditWidget *editor_ = nullptr;
};

} // namespace

TextBoxWidget::TextBoxWidget(const ControlSpec &row, QWidget *parent)
    : TextBoxEvents<QWidget>(parent),
      alignment_(row.alignment),
      border_(row.border),
      chooser_(row.chooser),
      listItem_(row.locked && parent && accessibleRole(parent) == QAccessible::List),
      ownBackground_(row.backColor && !row.foreColor),
      dragsText_(row.dragText)
{
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    // A bordered box leaves its rounded corners to the panel it draws.
    setAutoFillBackground(!border_);
    drawn_.setTextFormat(Qt::PlainText);
    drawn_.setPerformanceHint(QStaticText::AggressiveCaching);
    assign(QString::fromUtf8(row.text));
}

void TextBoxWidget::setText(const QString &text)
{
    const QString old = text_;
    if (!assign(text))
        return;
    update();
    // Asking whether accessibility is active starts Qt's bridge to it, and so
    // a session bus (seen on 6.4.2): not before the window is shown.
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
        drawn_.prepare(QTransform(), font());
        laidOut_ = true;
    }
    const int used = qRound(drawn_.size().width()) + 1;
    int scroll = 0;
    if (used <= line.width()) {
        if (alignment_ == Alignment::Right)
            scroll = used - line.width() + 1;
        else if (alignment_ == Alignment::Center)
            scroll = (used - line.width()) / 2;
    }
    painter.setClipRect(contents);
    const QColor text = palette().color(QPalette::Text);
    painter.setPen(ownBackground_ ? readableOn(palette().color(QPalette::Base), text) : text);
    painter.drawStaticText(line.x() - scroll, line.y(), drawn_);
    // A locked box has no cursor; the focus shows as a frame.
    if (hasFocus() && readOnly()) {
        painter.setClipping(false);
        DevicePixels device(painter);
        device.outline(device.map(rect().adjusted(1, 1, -1, -1)), palette().color(QPalette::Highlight));
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
    drawn_.setText(line);
    laidOut_ = false;
    return true;
}

void dragText(QWidget *source, const QString &text, QPoint hotSpot)
{
    auto *data = new QMimeData;
    if (!x11::offerDrag(text, *data))
        data->setText(text);
    // Qt's Wayland plugin offers a drag's text as text/plain alone, which GTK
    // reads as ASCII (so in its sources from 6.4.2 on); Qt's clipboard adds
    // this name for UTF-8 there, and so does the drag.
    data->setData(QStringLiteral("text/plain;charset=utf-8"), text.toUtf8());
    auto *drag = new QDrag(source);
    drag->setMimeData(data);
    drag->setPixmap(source->grab());
    drag->setHotSpot(hotSpot);
    // A copy, never a move, and past the clipboard.
    drag->exec(Qt::CopyAction);
}

TextBoxWidget *makeTextBoxWidget(const ControlSpec &row, QWidget *parent)
{
    if (row.locked)
        return new TextBoxWidget(row, parent);
    return new EditableBoxWidget(row, parent);
}

} // namespace platform
