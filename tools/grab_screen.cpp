// Saves the whole screen of $DISPLAY (or one window, given its id) as a PNG.
// Usage: grab_screen OUT.png [WINDOW-ID]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: grab_screen OUT.png [WINDOW-ID]\n");
        return 2;
    }
    const WId window = argc > 2 ? WId(QByteArray(argv[2]).toULongLong(nullptr, 0)) : 0;
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window);
    return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
