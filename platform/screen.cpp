#include "platform/screen.h"

#include "platform/units.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {
QSize screenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(0, 0);
}
} // namespace

double Screen::width() { return pixelsToTwips(screenSize().width()); }
double Screen::height() { return pixelsToTwips(screenSize().height()); }

} // namespace platform
