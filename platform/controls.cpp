#include "platform/controls.h"

#include "platform/accessibility.h"
#include "platform/runtime_error.h"
#include "platform/units.h"
#include "platform/widget_support.h"

#include <QAccessible>
#include <QCheckBox>
#include <QCoreApplication>
#include <QIcon>
#include <QLabel>
#include <QMetaObject>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include <vector>

namespace platform {

namespace {

// 0 -> 1, 1 -> 0 and 2 -> 1 on a user's click; Qt's own cycle goes through the
// grayed state (seen on 6.4.2 and 6.8.2).
class CheckBoxWidget : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }
};

// Draws its picture at the picture's own size in points. On a screen of more
// device pixels per point it draws the rendition that fits, which Qt picks
// from the renditions, read at the first such paint.
class PictureWidget : public QWidget
{
public:
    PictureWidget(const QPixmap &picture, Renditions renditions, QWidget *parent)
        : QWidget(parent), picture_(picture), renditions_(renditions)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        const qreal ratio = devicePixelRatioF();
        if (ratio == 1 || picture_.isNull() || renditions_.empty())
            return painter.drawPixmap(0, 0, picture_);
        if (sharp_.isNull()) {
            sharp_.addPixmap(picture_);
            for (const char *path : renditions_)
                sharp_.addFile(QString::fromUtf8(path));
        }
        painter.drawPixmap(QRect(QPoint(), picture_.size()), sharp_.pixmap(picture_.size(), ratio));
    }

private:
    QPixmap picture_;
    Renditions renditions_;
    QIcon sharp_;
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
        DevicePixels device(painter);
        const int width = device.lineWidth();
        const QRect box = device.map(rect().adjusted(0, fontMetrics().height() / 2, 0, 0));
        device.outline(box.adjusted(0, 0, -width, -width), palette().color(QPalette::Dark));
        device.outline(box.adjusted(width, width, 0, 0), palette().color(QPalette::Light));
    }
};

// A line one pixel wide, in device pixels as wide as every other line. Where
// a fractional scale gives its pixel a device pixel more, the line keeps to
// the side where another control or line borders it, so that no gap opens
// between a frame and what it frames; and an end that nothing meets keeps to
// the line, as a frame's sides end where its top and bottom lie.
class LineWidget : public QWidget
{
public:
    LineWidget(const QColor &color, QWidget *parent) : QWidget(parent), color_(color) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        DevicePixels device(painter);
        const int across = device.lineWidth();
        const QRect all = device.map(rect());
        const QRect first = device.map(QRect(0, 0, 1, 1));
        const QRect last = device.map(QRect(rect().bottomRight(), QSize(1, 1)));
        QRect line = all;
        if (height() == 1) {
            if (bordered(rect().translated(0, 1)))
                line.setTop(all.bottom() + 1 - across);
            else
                line.setHeight(across);
            if (!bordered(QRect(-1, 0, 1, 1)))
                line.setLeft(first.right() + 1 - across);
            if (!bordered(QRect(width(), 0, 1, 1)))
                line.setRight(std::max(last.left(), line.left()) + across - 1);
        } else {
            if (bordered(rect().translated(1, 0)))
                line.setLeft(all.right() + 1 - across);
            else
                line.setWidth(across);
            if (!bordered(QRect(0, -1, 1, 1)))
                line.setTop(first.bottom() + 1 - across);
            if (!bordered(QRect(0, height(), 1, 1)))
                line.setBottom(std::max(last.top(), line.top()) + across - 1);
        }
        device.fill(line, color_);
    }

private:
    // Whether another visible control or line lies on this part of the
    // parent, given in the line's own coordinates.
    bool bordered(const QRect &part) const
    {
        const QRect there = part.translated(pos());
        for (const QObject *child : parentWidget()->children()) {
            const auto *sibling = qobject_cast<const QWidget *>(child);
            if (sibling && sibling != this && !sibling->isHidden() && sibling->geometry().intersects(there))
                return true;
        }
        return false;
    }

    QColor color_;
};

} // namespace

void raiseMissingElement(std::int16_t index)
{
    raise(err::ElementMissing,
          QCoreApplication::translate("platform::RuntimeError", "Control array element '%1' doesn't exist").arg(index));
}

Control::Control(const ControlSpec &row, QWidget *widget)
    : name_(QString::fromUtf8(row.name)),
      accessibleName_(row.accessibleName ? QString::fromUtf8(row.accessibleName) : QString()),
      index_(row.index),
      tabIndex_(row.tabIndex),
      widget_(widget)
{
    widget_->setObjectName(index_ >= 0 ? QStringLiteral("%1_%2").arg(name_).arg(index_) : name_);
    if (row.kind != ControlKind::Line)
        widget_->setGeometry(pixelRect(row));
    applyFont(widget_, row.font);
    if (row.toolTip)
        widget_->setToolTip(QString::fromUtf8(row.toolTip));
    // Children show with the form unless hidden explicitly.
    if (!row.visible)
        widget_->hide();
}

void Control::windowShown()
{
    windowShown_ = true;
    if (!accessibleName_.isEmpty())
        widget_->setAccessibleName(accessibleName_);
}

bool Control::visible() const { return !widget_->isHidden(); }
void Control::setVisible(bool visible) { widget_->setVisible(visible); }
bool Control::enabled() const { return widget_->isEnabled(); }
void Control::setEnabled(bool enabled) { widget_->setEnabled(enabled); }

Label::Label(const ControlSpec &row, QWidget *parent) : ControlOf(row, new QLabel(parent))
{
    QLabel *label = &view();
    caption_ = QString::fromUtf8(row.text);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(qtAlignment(row.alignment, Qt::AlignTop));
    applyColors(label, row, QPalette::Window, QPalette::WindowText);
}

QString Label::caption() const { return caption_; }

void Label::setCaption(const QString &caption)
{
    // A caption that a handler shows and takes back before it returns is a
    // status that may never be painted: a screen reader hears it once the
    // handler has returned, as nothing may run inside it.
    if (isWindowShown() && caption != caption_ && !statusPending_ && QAccessible::isActive()) {
        statusPending_ = true;
        QMetaObject::invokeMethod(
            widget(),
            [this, before = caption_, status = caption] {
                statusPending_ = false;
                if (caption_ == before)
                    announce(widget(), status);
            },
            Qt::QueuedConnection);
    }
    caption_ = caption;
    if (isWindowShown())
        view().setText(caption);
}

void Label::windowShown()
{
    Control::windowShown();
    view().setText(caption_);
}

CheckBox::CheckBox(const ControlSpec &row, QWidget *parent) : ControlOf(row, new CheckBoxWidget(parent))
{
    QCheckBox *box = &view();
    caption_ = QString::fromUtf8(row.text);
    box->setTristate(true);
    value_ = row.value;
    // A user's toggle; assignments from code raise Click themselves.
    QObject::connect(box, &QCheckBox::clicked, box, [this, box] {
        value_ = box->checkState() == Qt::Checked ? 1 : 0;
        if (onClick)
            runHandler(onClick);
    });
}

namespace {
Qt::CheckState checkState(std::int16_t value)
{
    return value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}
} // namespace

void CheckBox::windowShown()
{
    Control::windowShown();
    view().setText(caption_);
    view().setCheckState(checkState(value_));
}

void CheckBox::setValue(std::int16_t value)
{
    if (value < 0 || value > 2)
        raiseInvalidPropertyValue();
    if (value == value_)
        return;
    value_ = value;
    if (isWindowShown())
        view().setCheckState(checkState(value));
    // Nested, before the assignment returns; an error goes on to the caller.
    if (onClick)
        onClick();
}

CommandButton::CommandButton(const ControlSpec &row, QWidget *parent) : ControlOf(row, new QPushButton(parent))
{
    QPushButton *button = &view();
    button->setText(QString::fromUtf8(row.text));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] {
        if (onClick)
            runHandler(onClick);
    });
}

PictureBox::PictureBox(const ControlSpec &row, QWidget *parent)
    : Control(row,
              new PictureWidget(row.picture ? QPixmap(QString::fromUtf8(row.picture)) : QPixmap(),
                                row.pictureRenditions, parent))
{
    widget()->setFocusPolicy(Qt::StrongFocus);
    applyColors(widget(), row, QPalette::Window, QPalette::WindowText);
    setAccessibleRole(widget(), QAccessible::Graphic);
}

void PictureBox::refresh() { widget()->repaint(); }

Frame::Frame(const ControlSpec &row, QWidget *parent) : Control(row, new FrameWidget(parent))
{
    widget()->setFocusPolicy(Qt::NoFocus);
    setAccessibleRole(widget(), row.list ? QAccessible::List : QAccessible::Grouping);
}

Line::Line(const ControlSpec &row, QWidget *parent)
    : Control(
        row,
        new LineWidget(row.foreColor ? color(*row.foreColor) : parent->palette().color(QPalette::WindowText), parent))
{
    // Both end points are drawn, one pixel wide.
    const int x1 = twipsToPixels(row.left), y1 = twipsToPixels(row.top);
    const int x2 = twipsToPixels(row.x2), y2 = twipsToPixels(row.y2);
    widget()->setGeometry(
        QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2))));
    widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleRole(widget(), QAccessible::Separator);
}

} // namespace platform
