#pragma once

// The widgets behind a text box; only the text box and its accessibility use
// this header.

#include "platform/controls.h"
#include "platform/keys.h"
#include "platform/runtime_error.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStaticText>
#include <QStyleHints>
#include <QWidget>

namespace platform {

// What every text box widget tells assistive technology. Value and state come
// from the widget itself; the box it belongs to is known once the box is
// built, and only then asked.
class TextBoxView
{
public:
    virtual ~TextBoxView() = default;
    TextBox *box() const { return box_; }
    void attach(TextBox &box) { box_ = &box; }
    virtual QString value() const = 0;
    virtual bool readOnly() const = 0;
    virtual bool chooser() const { return false; }
    virtual bool listItem() const { return false; }
    virtual bool dragsText() const { return false; }

private:
    TextBox *box_ = nullptr;
};

// Drags a copy of the text out of the widget, which the pointer carries as
// a picture held at hotSpot; returns when the drag ends, dropped or not.
void dragText(QWidget *source, const QString &text, QPoint hotSpot);

// Raises GotFocus, KeyDown, DblClick and Click on a text box's widget and
// then lets the widget do its own handling, so no key is consumed. A box
// that drags its text starts the drag here.
template <class Base>
class TextBoxEvents : public Base, public TextBoxView
{
public:
    explicit TextBoxEvents(QWidget *parent) : Base(parent) {}

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        Base::focusInEvent(event);
        // Coming back to the window is not a move of the focus within it.
        if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason && box())
            box()->raiseGotFocus();
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        if (box() && box()->onKeyDown) {
            const std::int16_t keyCode = virtualKeyCode(*event);
            const std::int16_t shift = shiftMask(event->modifiers());
            runHandler([&] { box()->onKeyDown(box()->index(), keyCode, shift); });
        }
        if (!isEnding())
            Base::keyPressEvent(event);
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        pressed_ = event->button() == Qt::LeftButton;
        pressedAt_ = event->position().toPoint();
        Base::mousePressEvent(event);
    }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        Base::mouseMoveEvent(event);
        const int moved = (event->position().toPoint() - pressedAt_).manhattanLength();
        if (pressed_ && dragsText() && moved > QGuiApplication::styleHints()->startDragDistance()) {
            // The release ends the drag, not a click.
            pressed_ = false;
            dragText(this, value(), pressedAt_);
        }
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        Base::mouseReleaseEvent(event);
        const bool click
            = pressed_ && event->button() == Qt::LeftButton && this->rect().contains(event->position().toPoint());
        pressed_ = false;
        if (click && box() && box()->onClick)
            runHandler([&] { box()->onClick(box()->index()); });
    }

    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        Base::mouseDoubleClickEvent(event);
        pressed_ = event->button() == Qt::LeftButton;
        pressedAt_ = event->position().toPoint();
        if (event->button() == Qt::LeftButton && box() && box()->onDblClick)
            runHandler([&] { box()->onDblClick(box()->index()); });
    }

    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::ToolTip && this->toolTip().isEmpty() && box() && box()->onDescribe)
            this->setToolTip(box()->describe());
        return Base::event(event);
    }

private:
    bool pressed_ = false;
    QPoint pressedAt_;
};

// A text box's widget: one line of text it paints itself, laid out once per
// change of text or font. Nothing is looked up until it is first painted,
// which keeps fonts out of the way of the window's first appearance.
class TextBoxWidget : public TextBoxEvents<QWidget>
{
public:
    TextBoxWidget(const ControlSpec &row, QWidget *parent);

    virtual QString text() const { return text_; }
    virtual void setText(const QString &text);

    QString value() const override { return text(); }
    bool readOnly() const override { return true; }
    bool chooser() const override { return chooser_; }
    bool listItem() const override { return listItem_; }
    bool dragsText() const override { return dragsText_; }
    Alignment alignment() const { return alignment_; }
    bool border() const { return border_; }

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Takes the text, cut to the longest a box holds; false if nothing changed.
    bool assign(const QString &text);

    QString text_;
    QStaticText drawn_; // the text as painted: on one line, laid out for the font
    bool laidOut_ = false;
    Alignment alignment_;
    bool border_;
    bool chooser_;
    bool listItem_;
    // A background of its own and the desktop's text colour, which must
    // still read on it.
    bool ownBackground_;
    bool dragsText_;
};

// The widget of a box built from `row`: a locked box only paints its text,
// an editable one brings in a line edit once it first gets the focus.
TextBoxWidget *makeTextBoxWidget(const ControlSpec &row, QWidget *parent);

} // namespace platform
