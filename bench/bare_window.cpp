// The floor for start-up time and memory: what Qt Widgets costs for one
// empty window of the program's size and flags.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window.setFixedSize(925, 211);
    window.setWindowTitle(QStringLiteral("Glyphery"));
    window.show();
    return QApplication::exec();
}
