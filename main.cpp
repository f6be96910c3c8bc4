#include "app/main_window.h"
#include "platform/runtime_error.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glyphery"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));

    glyphery::frmMain window;
    if (!window.show())
        return platform::endingStatus();
    const int status = QApplication::exec();
    return platform::isEnding() ? platform::endingStatus() : status;
}
