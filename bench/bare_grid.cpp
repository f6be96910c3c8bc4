// A second reference for start-up: the grid built the plainest way with
// stock widgets (224 read-only one-character line edits in Arial and a large
// preview), with no settings and no toolkit layer. It shows what the
// program's own painted text boxes save.

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window.setFixedSize(925, 211);
    window.setWindowTitle(QStringLiteral("Glyphery"));
    QFont cellFont(QStringLiteral("Arial"));
    cellFont.setPointSizeF(13.5);
    for (int code = 32; code <= 255; ++code) {
        const int k = code - 31;
        auto *cell = new QLineEdit(QString(QChar(code)), &window);
        cell->setGeometry(16 + 24 * ((k - 1) % 32), 24 + 24 * ((k - 1) / 32), 25, 25);
        cell->setFont(cellFont);
        cell->setFrame(false);
        cell->setReadOnly(true);
        cell->setAlignment(Qt::AlignCenter);
    }
    QFont previewFont(QStringLiteral("Arial"));
    previewFont.setPointSizeF(60);
    auto *preview = new QLineEdit(&window);
    preview->setGeometry(800, 40, 121, 105);
    preview->setFont(previewFont);
    preview->setFrame(false);
    preview->setReadOnly(true);
    window.show();
    return QApplication::exec();
}
