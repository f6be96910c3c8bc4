#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace platform {

struct Rgb
{
    int red, green, blue;
};

enum class ControlKind { TextBox, Label, CheckBox, CommandButton, PictureBox, Frame, Line };

// Alignment of a text box's or label's text.
enum class Alignment { Left = 0, Right = 1, Center = 2 };

// Mouse pointers a control can show.
namespace pointer {
inline constexpr std::int16_t Default = 0;
inline constexpr std::int16_t Arrow = 1;
}

// A font as stored in a layout; a null name means the form's default font.
struct FontSpec
{
    const char *name = nullptr;
    float size = 0;
};

// One row of a form's layout. Text is UTF-8. For a line, left/top and
// width/height hold X1, Y1, X2, Y2. An index of -1 marks a single control,
// 0 or more an element of the control array of that name.
struct ControlSpec
{
    ControlKind kind;
    const char *name;
    std::int16_t index = -1;
    const char *parent = nullptr; // null: the form
    int left = 0, top = 0, width = 0, height = 0;
    int tabIndex = -1;
    const char *text = "";
    FontSpec font = {};
    std::optional<Rgb> backColor = {};
    std::optional<Rgb> foreColor = {};
    Alignment alignment = Alignment::Left;
    bool border = true;
    bool locked = false;
    bool visible = true;
    std::int16_t mousePointer = pointer::Default;
    const char *picture = nullptr; // resource path of a picture box's image
    std::int16_t value = 0;        // a check box's initial value
    const char *accessibleName = nullptr;
    const char *toolTip = nullptr;
};

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

private:
    QString name_;
    std::int16_t index_;
    int tabIndex_;
    QWidget *widget_;
};

// A one-line text box. It paints its text itself, which costs far less to
// build and to restyle than a line edit; an editable box brings in a line
// edit once it first gets the focus.
class TextBox : public Control
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

    // Events; each receives the control's index (-1 outside an array).
    std::function<void(std::int16_t index)> onGotFocus;
    std::function<void(std::int16_t index, std::int16_t keyCode, std::int16_t shift)> onKeyDown;
    std::function<void(std::int16_t index)> onDblClick;
    std::function<void(std::int16_t index)> onClick;
    // What the box is, for its tooltip and for assistive technology; asked
    // only when someone wants to know.
    std::function<QString(std::int16_t index)> onDescribe;

    // Called by the adapted widget when Qt delivers the event.
    void raiseGotFocus();
    bool focusInSeen = false;

private:
    std::int16_t mousePointer_ = pointer::Default;
};

class Label : public Control
{
public:
    Label(const ControlSpec &row, QWidget *parent);
    QString caption() const;
    void setCaption(const QString &caption);
};

class CheckBox : public Control
{
public:
    CheckBox(const ControlSpec &row, QWidget *parent);

    // 0 unchecked, 1 checked, 2 grayed. Assigning a value that differs raises
    // Click before returning; an equal value raises nothing; any other
    // number is Invalid property value (380).
    std::int16_t value() const;
    void setValue(std::int16_t value);

    std::function<void()> onClick;
};

class CommandButton : public Control
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
