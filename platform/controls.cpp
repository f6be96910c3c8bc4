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

// A text box over QLineEdit: raises GotFocus, KeyDown, DblClick and Click and
// then lets the line edit do its own handling, so no key is consumed.
class TextBoxWidget : public QLineEdit
{
public:
    TextBoxWidget(TextBox &box, QWidget *parent) : QLineEdit(parent), box_(box) {}

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QLineEdit::focusInEvent(event);
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
            QLineEdit::keyPressEvent(event);
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        pressed_ = event->button() == Qt::LeftButton;
        QLineEdit::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLineEdit::mouseReleaseEvent(event);
        const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
        pressed_ = false;
        if (click && box_.onClick)
            runHandler([&] { box_.onClick(box_.index()); });
    }

    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        QLineEdit::mouseDoubleClickEvent(event);
        pressed_ = event->button() == Qt::LeftButton;
        if (event->button() == Qt::LeftButton && box_.onDblClick)
            runHandler([&] { box_.onDblClick(box_.index()); });
    }

    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && box_.onDescribe)
            setToolTip(box_.onDescribe(box_.index()));
        return QLineEdit::event(event);
    }

    void paintEvent(QPaintEvent *event) override
    {
        QLineEdit::paintEvent(event);
        // A read-only line edit draws no cursor; show the focus another way.
        // (The style's focus frame shows only after keyboard focus changes,
        // and the grid moves the focus from code.)
        if (hasFocus() && isReadOnly()) {
            QPainter painter(this);
            painter.setPen(palette().color(QPalette::Highlight));
            painter.drawRect(rect().adjusted(1, 1, -2, -2));
        }
    }

public:
    TextBox &box() const { return box_; }

private:
    TextBox &box_;
    bool pressed_ = false;
};

// A text box tells assistive technology its name (its description when it has
// one, asked for only now) and its text as its value. Interfaces are cached
// from the widget's construction on, so every text box gets this one.
class DescribedTextBoxAccessible : public QAccessibleWidget
{
public:
    explicit DescribedTextBoxAccessible(TextBoxWidget *widget) : QAccessibleWidget(widget, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override
    {
        auto *edit = static_cast<TextBoxWidget *>(widget());
        if (t == QAccessible::Name && edit->accessibleName().isEmpty() && edit->box().onDescribe)
            return edit->box().onDescribe(edit->box().index());
        if (t == QAccessible::Value)
            return edit->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = static_cast<TextBoxWidget *>(widget())->isReadOnly();
        return s;
    }
};

QAccessibleInterface *describedTextBoxFactory(const QString &, QObject *object)
{
    if (auto *edit = dynamic_cast<TextBoxWidget *>(object))
        return new DescribedTextBoxAccessible(edit);
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

TextBox::TextBox(const ControlSpec &row, QWidget *parent) : Control(row, new TextBoxWidget(*this, parent))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(describedTextBoxFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    auto *edit = static_cast<QLineEdit *>(widget());
    edit->setText(QString::fromUtf8(row.text));
    edit->setAlignment(qtAlignment(row.alignment));
    edit->setFrame(row.border);
    edit->setReadOnly(row.locked);
    edit->setCursorPosition(0);
    applyColors(edit, row, QPalette::Base, QPalette::Text);
    setMousePointer(row.mousePointer);
}

QString TextBox::text() const { return static_cast<QLineEdit *>(widget())->text(); }
void TextBox::setText(const QString &text) { static_cast<QLineEdit *>(widget())->setText(text); }

namespace {
// Changes one attribute of a widget's font and keeps the others.
template <class Change>
void changeFont(QWidget *widget, Change change)
{
    QFont font = widget->font();
    change(font);
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

bool TextBox::locked() const { return static_cast<QLineEdit *>(widget())->isReadOnly(); }

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
