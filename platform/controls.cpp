#include "platform/controls.h"

#include "platform/keys.h"
#include "platform/runtime_error.h"
#include "platform/units.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStaticText>
#include <QStyle>
#include <QStyleOptionFrame>

namespace platform {

namespace {

QRect pixelRect(const ControlSpec &row)
{
    return QRect(twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width),
                 twipsToPixels(row.height));
}

QColor color(const Rgb &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

void applyFont(QWidget *widget, const FontSpec &row)
{
    if (!row.name)
        return;
    QFont font = widget->font();
    font.setFamily(QString::fromUtf8(row.name));
    font.setPointSizeF(row.size);
    font.setBold(false);
    font.setItalic(false);
    widget->setFont(font);
}

void applyColors(QWidget *widget, const ControlSpec &row, QPalette::ColorRole back, QPalette::ColorRole fore)
{
    if (!row.backColor && !row.foreColor)
        return;
    QPalette palette = widget->palette();
    if (row.backColor)
        palette.setColor(back, color(*row.backColor));
    if (row.foreColor)
        palette.setColor(fore, color(*row.foreColor));
    widget->setPalette(palette);
    if (back == QPalette::Window)
        widget->setAutoFillBackground(true);
}

Qt::Alignment qtAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Center: return Qt::AlignCenter;
    case Alignment::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// What every text box widget tells assistive technology. Value and state come
// from the widget itself; the box around it is asked only once it is built.
class TextBoxView
{
public:
    virtual ~TextBoxView() = default;
    virtual TextBox &box() const = 0;
    virtual QString value() const = 0;
    virtual bool readOnly() const = 0;
    bool boxBuilt = false;
};

// Raises GotFocus, KeyDown, DblClick and Click on a text box's widget and
// then lets the widget do its own handling, so no key is consumed.
template <class Base>
class TextBoxEvents : public Base, public TextBoxView
{
public:
    TextBoxEvents(TextBox &box, QWidget *parent) : Base(parent), box_(box) {}
    TextBox &box() const override { return box_; }

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        Base::focusInEvent(event);
        // Coming back to the window is not a move of the focus within it.
        if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
            return;
        box_.focusInSeen = true;
        box_.raiseGotFocus();
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        if (box_.onKeyDown) {
            const std::int16_t keyCode = virtualKeyCode(*event);
            const std::int16_t shift = shiftMask(event->modifiers());
            runHandler([&] { box_.onKeyDown(box_.index(), keyCode, shift); });
        }
        if (!isEnding())
            Base::keyPressEvent(event);
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        pressed_ = event->button() == Qt::LeftButton;
        Base::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        Base::mouseReleaseEvent(event);
        const bool click = pressed_ && event->button() == Qt::LeftButton && this->rect().contains(event->position().toPoint());
        pressed_ = false;
        if (click && box_.onClick)
            runHandler([&] { box_.onClick(box_.index()); });
    }

    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        Base::mouseDoubleClickEvent(event);
        pressed_ = event->button() == Qt::LeftButton;
        if (event->button() == Qt::LeftButton && box_.onDblClick)
            runHandler([&] { box_.onDblClick(box_.index()); });
    }

    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::ToolTip && this->toolTip().isEmpty() && box_.onDescribe)
            this->setToolTip(box_.onDescribe(box_.index()));
        return Base::event(event);
    }

private:
    TextBox &box_;
    bool pressed_ = false;
};

class LineEditWidget : public TextBoxEvents<QLineEdit>
{
public:
    using TextBoxEvents<QLineEdit>::TextBoxEvents;
    QString value() const override { return text(); }
    bool readOnly() const override { return isReadOnly(); }
};

// A text box's widget: one line of text it paints itself, laid out once per
// change of text or font. Nothing is looked up until it is first painted,
// which keeps fonts out of the way of the window's first appearance.
class TextBoxWidget : public TextBoxEvents<QWidget>
{
public:
    TextBoxWidget(TextBox &box, const ControlSpec &row, QWidget *parent)
        : TextBoxEvents<QWidget>(box, parent), alignment_(row.alignment), border_(row.border)
    {
        setFocusPolicy(Qt::StrongFocus);
        setBackgroundRole(QPalette::Base);
        // A bordered box leaves its rounded corners to the panel it draws.
        setAutoFillBackground(!border_);
        shown_.setTextFormat(Qt::PlainText);
        shown_.setPerformanceHint(QStaticText::AggressiveCaching);
        assign(QString::fromUtf8(row.text));
    }

    virtual QString text() const { return text_; }

    virtual void setText(const QString &text)
    {
        if (!assign(text))
            return;
        update();
        if (QAccessible::isActive()) {
            QAccessibleValueChangeEvent changed(this, text_);
            QAccessible::updateAccessibility(&changed);
        }
    }

    QString value() const override { return text(); }
    bool readOnly() const override { return true; }
    Alignment alignment() const { return alignment_; }
    bool border() const { return border_; }

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange) {
            laidOut_ = false;
            update();
        }
        TextBoxEvents<QWidget>::changeEvent(event);
    }

    void paintEvent(QPaintEvent *) override
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

private:
    // Takes the text, cut to the longest a box holds; false if nothing changed.
    bool assign(const QString &text)
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

    QString text_;
    QStaticText shown_;
    bool laidOut_ = false;
    Alignment alignment_;
    bool border_;
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
        editor_->setGeometry(rect());
        editor_->setMaxLength(TextBox::maxLength);
        editor_->setText(TextBoxWidget::text());
        editor_->setAlignment(qtAlignment(alignment()));
        editor_->setFrame(border());
        editor_->setCursorPosition(0);
        editor_->setAccessibleName(accessibleName());
        editor_->setToolTip(toolTip());
        pointerChanged();
        editor_->show();
        return editor_;
    }

    QLineEdit *editor_ = nullptr;
};

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
            return view_.box().onDescribe(view_.box().index());
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

// 0 -> 1, 1 -> 0 and 2 -> 1 on a user's click; Qt's own cycle would go through
// the grayed state.
class CheckBoxWidget : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override
    {
        setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};

class PictureWidget : public QWidget
{
public:
    PictureWidget(const QPixmap &picture, QWidget *parent) : QWidget(parent), picture_(picture) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        painter.drawPixmap(0, 0, picture_);
    }

private:
    QPixmap picture_;
};

// An etched rectangle whose top edge lies half a line below the top, where a
// caption would sit.
class FrameWidget : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const int top = fontMetrics().height() / 2;
        const QRect box = rect().adjusted(0, top, -2, -2);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(box);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(box.translated(1, 1));
    }
};

} // namespace

void raiseMissingElement(std::int16_t index)
{
    raise(err::ElementMissing, QStringLiteral("Control array element '%1' doesn't exist").arg(index));
}

Control::Control(const ControlSpec &row, QWidget *widget)
    : name_(QString::fromUtf8(row.name)), index_(row.index), tabIndex_(row.tabIndex), widget_(widget)
{
    widget_->setObjectName(index_ >= 0 ? QStringLiteral("%1_%2").arg(name_).arg(index_) : name_);
    if (row.kind != ControlKind::Line)
        widget_->setGeometry(pixelRect(row));
    applyFont(widget_, row.font);
    if (row.accessibleName)
        widget_->setAccessibleName(QString::fromUtf8(row.accessibleName));
    if (row.toolTip)
        widget_->setToolTip(QString::fromUtf8(row.toolTip));
    // Children show with the form unless hidden explicitly.
    if (!row.visible)
        widget_->hide();
}

bool Control::visible() const { return !widget_->isHidden(); }
void Control::setVisible(bool visible) { widget_->setVisible(visible); }
bool Control::enabled() const { return widget_->isEnabled(); }
void Control::setEnabled(bool enabled) { widget_->setEnabled(enabled); }

TextBox::TextBox(const ControlSpec &row, QWidget *parent)
    : Control(row, row.locked ? new TextBoxWidget(*this, row, parent) : new EditableBoxWidget(*this, row, parent))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(describedTextBoxFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    applyColors(widget(), row, QPalette::Base, QPalette::Text);
    setMousePointer(row.mousePointer);
    dynamic_cast<TextBoxView &>(*widget()).boxBuilt = true;
}

bool TextBox::locked() const { return static_cast<TextBoxWidget *>(widget())->readOnly(); }
Alignment TextBox::alignment() const { return static_cast<TextBoxWidget *>(widget())->alignment(); }
bool TextBox::border() const { return static_cast<TextBoxWidget *>(widget())->border(); }

QString TextBox::text() const { return static_cast<TextBoxWidget *>(widget())->text(); }
void TextBox::setText(const QString &text) { static_cast<TextBoxWidget *>(widget())->setText(text); }

namespace {
// Changes one attribute of a widget's font and keeps the others. Setting the
// font it already has would still cost Qt a full resolve.
template <class Change>
void changeFont(QWidget *widget, Change change)
{
    const QFont old = widget->font();
    QFont font = old;
    change(font);
    if (font != old || font.resolveMask() != old.resolveMask())
        widget->setFont(font);
}
} // namespace

void TextBox::setFontName(const QString &name)
{
    changeFont(widget(), [&](QFont &font) { font.setFamily(name); });
}

QString TextBox::fontName() const { return widget()->font().family(); }

void TextBox::setFontBold(bool bold)
{
    changeFont(widget(), [&](QFont &font) { font.setBold(bold); });
}

bool TextBox::fontBold() const { return widget()->font().bold(); }

void TextBox::setFontItalic(bool italic)
{
    changeFont(widget(), [&](QFont &font) { font.setItalic(italic); });
}

bool TextBox::fontItalic() const { return widget()->font().italic(); }

void TextBox::setFontSize(float points)
{
    if (!(points > 0 && points <= 2048))
        raise(err::InvalidPropertyValue, QStringLiteral("Invalid property value"));
    changeFont(widget(), [&](QFont &font) { font.setPointSizeF(points); });
}

float TextBox::fontSize() const { return float(widget()->font().pointSizeF()); }

void TextBox::setMousePointer(std::int16_t pointer)
{
    if (pointer == pointer::Arrow)
        widget()->setCursor(Qt::ArrowCursor);
    else if (pointer == pointer::Default)
        widget()->unsetCursor();
    else
        raise(err::InvalidPropertyValue, QStringLiteral("Invalid property value"));
    mousePointer_ = pointer;
}

void TextBox::setFocus()
{
    if (!widget()->isEnabled() || !widget()->isVisibleTo(widget()->window()))
        raise(err::InvalidCall, QStringLiteral("Invalid procedure call or argument"));
    if (widget()->hasFocus())
        return;
    focusInSeen = false;
    widget()->setFocus(Qt::OtherFocusReason);
    // Qt delivers no focus-in to a window that is not active; GotFocus is
    // raised all the same.
    if (!focusInSeen)
        raiseGotFocus();
}

void TextBox::raiseGotFocus()
{
    if (onGotFocus)
        onGotFocus(index());
}

Label::Label(const ControlSpec &row, QWidget *parent) : Control(row, new QLabel(parent))
{
    auto *label = static_cast<QLabel *>(widget());
    label->setText(QString::fromUtf8(row.text));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(row.alignment == Alignment::Right ? Qt::AlignRight | Qt::AlignTop
                        : row.alignment == Alignment::Center ? Qt::AlignHCenter | Qt::AlignTop
                                                              : Qt::AlignLeft | Qt::AlignTop);
    applyColors(label, row, QPalette::Window, QPalette::WindowText);
}

QString Label::caption() const { return static_cast<QLabel *>(widget())->text(); }
void Label::setCaption(const QString &caption) { static_cast<QLabel *>(widget())->setText(caption); }

CheckBox::CheckBox(const ControlSpec &row, QWidget *parent) : Control(row, new CheckBoxWidget(parent))
{
    auto *box = static_cast<QCheckBox *>(widget());
    box->setText(QString::fromUtf8(row.text));
    box->setTristate(true);
    box->setCheckState(row.value == 1 ? Qt::Checked : row.value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    // A user's toggle; assignments from code raise Click themselves.
    QObject::connect(box, &QCheckBox::clicked, box, [this] {
        if (onClick)
            runHandler(onClick);
    });
}

std::int16_t CheckBox::value() const
{
    switch (static_cast<QCheckBox *>(widget())->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    case Qt::Unchecked: break;
    }
    return 0;
}

void CheckBox::setValue(std::int16_t value)
{
    if (value < 0 || value > 2)
        raise(err::InvalidPropertyValue, QStringLiteral("Invalid property value"));
    if (value == this->value())
        return;
    static_cast<QCheckBox *>(widget())->setCheckState(value == 1 ? Qt::Checked
                                                      : value == 2 ? Qt::PartiallyChecked
                                                                   : Qt::Unchecked);
    // Nested, before the assignment returns; an error goes on to the caller.
    if (onClick)
        onClick();
}

CommandButton::CommandButton(const ControlSpec &row, QWidget *parent) : Control(row, new QPushButton(parent))
{
    auto *button = static_cast<QPushButton *>(widget());
    button->setText(QString::fromUtf8(row.text));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] {
        if (onClick)
            runHandler(onClick);
    });
}

PictureBox::PictureBox(const ControlSpec &row, QWidget *parent)
    : Control(row, new PictureWidget(row.picture ? QPixmap(QString::fromUtf8(row.picture)) : QPixmap(), parent))
{
    widget()->setFocusPolicy(Qt::StrongFocus);
    applyColors(widget(), row, QPalette::Window, QPalette::WindowText);
}

void PictureBox::refresh() { widget()->repaint(); }

Frame::Frame(const ControlSpec &row, QWidget *parent) : Control(row, new FrameWidget(parent))
{
    widget()->setFocusPolicy(Qt::NoFocus);
}

Line::Line(const ControlSpec &row, QWidget *parent) : Control(row, new QWidget(parent))
{
    // Both end points are drawn, one pixel wide.
    const int x1 = twipsToPixels(row.left), y1 = twipsToPixels(row.top);
    const int x2 = twipsToPixels(row.width), y2 = twipsToPixels(row.height);
    widget()->setGeometry(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2))));
    QPalette palette = widget()->palette();
    palette.setColor(QPalette::Window, row.foreColor ? color(*row.foreColor) : palette.color(QPalette::WindowText));
    widget()->setPalette(palette);
    widget()->setAutoFillBackground(true);
    widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
}

} // namespace platform
