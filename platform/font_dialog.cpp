#include "platform/font_dialog.h"

#include <QFontDialog>

namespace platform {

namespace {
FontDialog::Runner &runner()
{
    static FontDialog::Runner current = &FontDialog::runQtDialog;
    return current;
}
} // namespace

FontDialog::FontDialog(QWidget *owner) : owner_(owner) {}

void FontDialog::showFont()
{
    if (const std::optional<QString> face = runner()(owner_, fontName_))
        fontName_ = *face;
}

void FontDialog::setRunner(Runner r)
{
    runner() = r ? std::move(r) : Runner(&FontDialog::runQtDialog);
}

std::optional<QString> FontDialog::runQtDialog(QWidget *owner, const QString &lastConfirmed)
{
    // Qt's own dialog behaves the same on every desktop.
    QFontDialog dialog(owner);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setWindowModality(Qt::WindowModal);
    if (lastConfirmed != QLatin1String(" ")) {
        QFont font = dialog.currentFont();
        font.setFamily(lastConfirmed);
        dialog.setCurrentFont(font);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString family = dialog.selectedFont().family();
    // An empty face would be no name at all; treat it as a cancel.
    if (family.isEmpty())
        return std::nullopt;
    return family;
}

} // namespace platform
