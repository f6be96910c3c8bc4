#pragma once

// What the control adapters share in building their widgets from a layout row.

#include "platform/layout_spec.h"
#include "platform/units.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QWidget>

namespace platform {

inline QRect pixelRect(const ControlSpec &row)
{
    return QRect(twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width), twipsToPixels(row.height));
}

inline QColor color(const Rgb &rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

inline void applyFont(QWidget *widget, const FontSpec &row)
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

inline void applyColors(QWidget *widget, const ControlSpec &row, QPalette::ColorRole back, QPalette::ColorRole fore)
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

inline Qt::Alignment qtAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Center: return Qt::AlignCenter;
    case Alignment::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// Changes one attribute of a widget's font and keeps the others. Setting the
// font it already has would still cost Qt 6.4 a full resolve.
template <class Change>
void changeFont(QWidget *widget, Change change)
{
    const QFont old = widget->font();
    QFont font = old;
    change(font);
    if (font != old || font.resolveMask() != old.resolveMask())
        widget->setFont(font);
}

} // namespace platform
