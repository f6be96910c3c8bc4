#include "platform/font_dialog.h"

#include "platform/translations.h"

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

void FontDialog::setRunner(Runner r) { runner() = r ? std::move(r) : Runner(&FontDialog::runQtDialog); }

std::unique_ptr<QFontDialog> FontDialog::qtDialog(QWidget *owner, const QString &lastConfirmed)
{
    // Until a face is confirmed the dialog starts on the desktop's regular
    // font, not on the first family of its list.
    QFont initial;
    if (lastConfirmed != QLatin1String(" "))
        initial.setFamily(lastConfirmed);
    loadQtTranslation(); // the dialog's own texts
    auto dialog = std::make_unique<QFontDialog>(initial, owner);
    // Qt's own dialog behaves the same on every desktop.
    dialog->setOption(QFontDialog::DontUseNativeDialog);
    dialog->setWindowModality(Qt::WindowModal);
    return dialog;
}

std::optional<QString> FontDialog::runQtDialog(QWidget *owner, const QString &lastConfirmed)
{
    const std::unique_ptr<QFontDialog> dialog = qtDialog(owner, lastConfirmed);
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    const QString family = dialog->selectedFont().family();
    // An empty face would be no name at all; treat it as a cancel.
    if (family.isEmpty())
        return std::nullopt;
    return family;
}

} // namespace platform
