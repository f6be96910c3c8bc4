#pragma once

// What the control adapters share in building their widgets from a layout row.

#include "platform/layout_spec.h"
#include "platform/units.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QWidget>

#include <algorithm>
#include <cmath>

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

// The preferred text colour where it reads on the background (a contrast of
// at least 4.5:1, as WCAG asks of text), else black or white, whichever
// reads better: a desktop's light text on a fixed light box would not.
inline QColor readableOn(const QColor &background, const QColor &preferred)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](float v) { return v <= 0.04045f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f); };
        return 0.2126f * linear(c.redF()) + 0.7152f * linear(c.greenF()) + 0.0722f * linear(c.blueF());
    };
    const auto contrast = [&](const QColor &a, const QColor &b) {
        const float la = luminance(a), lb = luminance(b);
        return (std::max(la, lb) + 0.05f) / (std::min(la, lb) + 0.05f);
    };
    if (contrast(background, preferred) >= 4.5f)
        return preferred;
    return contrast(background, Qt::black) >= contrast(background, Qt::white) ? QColor(Qt::black) : QColor(Qt::white);
}

inline Qt::Alignment qtAlignment(Alignment alignment, Qt::Alignment vertical = Qt::AlignVCenter)
{
    switch (alignment) {
    case Alignment::Right: return Qt::AlignRight | vertical;
    case Alignment::Center: return Qt::AlignHCenter | vertical;
    case Alignment::Left: break;
    }
    return Qt::AlignLeft | vertical;
}

// Changes one attribute of a widget's font and keeps the others. Setting the
// font it already has would still cost Qt a full resolve (seen on 6.4.2).
template <class Change>
void changeFont(QWidget *widget, Change change)
{
    const QFont old = widget->font();
    QFont font = old;
    change(font);
    if (font != old || font.resolveMask() != old.resolveMask())
        widget->setFont(font);
}

// Lines in whole device pixels. Qt rounds each edge of what it fills to the
// nearest device pixel, so at a fractional scale (1.25, 1.5, 1.75) a line one
// pixel wide covers one device pixel or two, depending on where it falls; and
// a one-pixel pen on a rectangle from 0 lays half its left and top sides
// outside the widget. Lines and frames are drawn through this instead, each
// as wide as the scale rounded, halves down: 1 up to 1.5, 2 from 1.75.
class DevicePixels
{
public:
    explicit DevicePixels(QPainter &painter) : painter_(painter), toDevice_(painter.deviceTransform()) {}

    int lineWidth() const { return std::max(1, int(std::ceil(toDevice_.m11() - 0.5))); }

    // The device pixel at a logical pixel's top-left corner, as Qt rounds it.
    QPoint at(QPoint logical) const { return toDevice_.map(QPointF(logical)).toPoint(); }

    // The device pixels that Qt fills for a logical rectangle.
    QRect map(const QRect &logical) const
    {
        return QRect(at(logical.topLeft()), at(logical.bottomRight() + QPoint(1, 1)) - QPoint(1, 1));
    }

    void fill(const QRect &device, const QColor &color)
    {
        painter_.fillRect(toDevice_.inverted().mapRect(QRectF(device)), color);
    }

    // A frame one line wide, inside the device rectangle.
    void outline(const QRect &device, const QColor &color)
    {
        const int width = lineWidth();
        fill(QRect(device.left(), device.top(), device.width(), width), color);
        fill(QRect(device.left(), device.bottom() - width + 1, device.width(), width), color);
        fill(QRect(device.left(), device.top() + width, width, device.height() - 2 * width), color);
        fill(QRect(device.right() - width + 1, device.top() + width, width, device.height() - 2 * width), color);
    }

private:
    QPainter &painter_;
    QTransform toDevice_;
};

} // namespace platform
