#include "platform/controls.h"

#include "platform/runtime_error.h"
#include "platform/text_box_widget.h"
#include "platform/widget_support.h"

namespace platform {

TextBox::TextBox(const ControlSpec &row, QWidget *parent) : ControlOf(row, makeTextBoxWidget(row, parent))
{
    applyColors(widget(), row, QPalette::Base, QPalette::Text);
    setMousePointer(row.mousePointer);
    view().attach(*this);
}

bool TextBox::locked() const { return view().readOnly(); }
Alignment TextBox::alignment() const { return view().alignment(); }
bool TextBox::border() const { return view().border(); }

QString TextBox::text() const { return view().text(); }
void TextBox::setText(const QString &text) { view().setText(text); }

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
        raiseInvalidPropertyValue();
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
        raiseInvalidPropertyValue();
    mousePointer_ = pointer;
}

void TextBox::setFocus()
{
    if (!widget()->isEnabled() || !widget()->isVisibleTo(widget()->window()))
        raiseInvalidCall();
    if (widget()->hasFocus())
        return;
    gotFocusRaised_ = false;
    widget()->setFocus(Qt::OtherFocusReason);
    // Qt delivers no focus-in to a window that is not active (seen on 6.4.2);
    // GotFocus is raised all the same.
    if (!gotFocusRaised_)
        raiseGotFocus();
}

void TextBox::raiseGotFocus()
{
    gotFocusRaised_ = true;
    if (onGotFocus)
        runHandler([this] { onGotFocus(index()); });
}

QString TextBox::describe() const
{
    // Asked for by a tooltip or a screen reader, from inside Qt's event
    // delivery, where an exception must not pass.
    QString description;
    if (onDescribe)
        runHandler([&] { description = onDescribe(index()); });
    return description;
}

} // namespace platform
