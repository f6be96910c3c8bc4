#pragma once

#include "platform/layout_spec.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace platform {

// Base of every control: the widget it adapts, its name and index.
class Control
{
public:
    Control(const ControlSpec &row, QWidget *widget);
    virtual ~Control() = default;
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    const QString &name() const { return name_; }
    std::int16_t index() const { return index_; }
    int tabIndex() const { return tabIndex_; }
    QWidget *widget() const { return widget_; }

    bool visible() const;
    void setVisible(bool visible);
    bool enabled() const;
    void setEnabled(bool enabled);

    // The name assistive technology knows the control by.
    const QString &accessibleName() const { return accessibleName_; }

    // The form calls this once its window is shown (Form::show says why);
    // work that reaches Qt's accessibility waits for it.
    virtual void windowShown();
    bool isWindowShown() const { return windowShown_; }

private:
    QString name_;
    QString accessibleName_;
    bool windowShown_ = false;
    std::int16_t index_;
    int tabIndex_;
    QWidget *widget_;
};

// A control whose widget is of type W, which its adapter reaches typed.
template <class W>
class ControlOf : public Control
{
public:
    using Control::Control;

protected:
    W &view() const { return *static_cast<W *>(widget()); }
};

class TextBoxWidget;
template <class Base>
class TextBoxEvents;

// A one-line text box. It paints its text itself, which costs far less to
// build and to restyle than a line edit; an editable box brings in a line
// edit once it first gets the focus.
class TextBox : public ControlOf<TextBoxWidget>
{
public:
    TextBox(const ControlSpec &row, QWidget *parent);

    // Longer text is cut to this length, in either kind of box.
    static constexpr int maxLength = 32767;

    QString text() const;
    void setText(const QString &text);

    // Changes the face and keeps size, bold and italic.
    void setFontName(const QString &name);
    QString fontName() const;
    void setFontBold(bool bold);
    bool fontBold() const;
    void setFontItalic(bool italic);
    bool fontItalic() const;
    void setFontSize(float points);
    float fontSize() const;

    void setMousePointer(std::int16_t pointer);
    std::int16_t mousePointer() const { return mousePointer_; }
    bool locked() const;
    Alignment alignment() const;
    bool border() const;

    // Gives the box the focus and raises its GotFocus.
    void setFocus();

    // Its accessibility interface answers the name when asked.
    void windowShown() override {}

    // Events; each receives the control's index (-1 outside an array).
    std::function<void(std::int16_t index)> onGotFocus;
    std::function<void(std::int16_t index, std::int16_t keyCode, std::int16_t shift)> onKeyDown;
    std::function<void(std::int16_t index)> onDblClick;
    std::function<void(std::int16_t index)> onClick;
    // What the box is, for its tooltip and for assistive technology; asked
    // only when someone wants to know.
    std::function<QString(std::int16_t index)> onDescribe;
    // onDescribe's answer; an error in it is reported as a handler's is, and
    // gives an empty description.
    QString describe() const;

private:
    // The widget raises GotFocus as Qt delivers the focus.
    template <class Base>
    friend class TextBoxEvents;
    void raiseGotFocus();
    bool gotFocusRaised_ = false;
    std::int16_t mousePointer_ = pointer::Default;
};

class Label : public ControlOf<QLabel>
{
public:
    Label(const ControlSpec &row, QWidget *parent);
    QString caption() const;
    void setCaption(const QString &caption);
    void windowShown() override;

private:
    // A label's text is an accessibility event to Qt; until the window is
    // shown it waits here (it is first painted after that).
    QString caption_;
    // A change is being watched for a status (setCaption).
    bool statusPending_ = false;
};

class CheckBox : public ControlOf<QCheckBox>
{
public:
    CheckBox(const ControlSpec &row, QWidget *parent);

    // 0 unchecked, 1 checked, 2 grayed. Assigning a value that differs raises
    // Click before returning; an equal value raises nothing; any other
    // number is Invalid property value (380).
    std::int16_t value() const { return value_; }
    void setValue(std::int16_t value);
    void windowShown() override;

    std::function<void()> onClick;

private:
    // The value, which the widget shows from the moment the window is shown;
    // until then the caption waits here too, as a label's.
    QString caption_;
    std::int16_t value_ = 0;
};

class CommandButton : public ControlOf<QPushButton>
{
public:
    CommandButton(const ControlSpec &row, QWidget *parent);
    std::function<void()> onClick;
};

class PictureBox : public Control
{
public:
    PictureBox(const ControlSpec &row, QWidget *parent);
    // Paints the box at once.
    void refresh();
};

class Frame : public Control
{
public:
    Frame(const ControlSpec &row, QWidget *parent);
};

class Line : public Control
{
public:
    Line(const ControlSpec &row, QWidget *parent);
};

// The elements of a control array by index.
template <class T>
class ControlArray
{
public:
    // The element Index; Control array element doesn't exist (340) otherwise.
    T &operator()(std::int16_t index) const;
    void add(T *element);

private:
    std::vector<T *> elements_;
};

[[noreturn]] void raiseMissingElement(std::int16_t index);

template <class T>
T &ControlArray<T>::operator()(std::int16_t index) const
{
    if (index < 0 || std::size_t(index) >= elements_.size() || !elements_[std::size_t(index)])
        raiseMissingElement(index);
    return *elements_[std::size_t(index)];
}

template <class T>
void ControlArray<T>::add(T *element)
{
    const auto at = std::size_t(element->index());
    if (elements_.size() <= at)
        elements_.resize(at + 1, nullptr);
    elements_[at] = element;
}

} // namespace platform
