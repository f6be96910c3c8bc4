#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QFontDialog;
class QWidget;

namespace platform {

// The font dialog component. fontName() is the face last confirmed in the
// dialog, kept for the component's life; " " until a face is confirmed.
class FontDialog
{
public:
    explicit FontDialog(QWidget *owner);

    // Which fonts the dialog lists (1 screen, 2 printer): Qt's dialog lists
    // every installed face whatever is asked, so nothing is kept.
    void setFlags(std::int32_t) {}

    // Shows the dialog modally over the owner and returns when it closes;
    // a cancel leaves fontName() as it was.
    void showFont();
    QString fontName() const { return fontName_; }

    // What runs the dialog: given the owner and the last confirmed face, the
    // face the user confirmed, or nothing on cancel. Tests replace it.
    using Runner = std::function<std::optional<QString>(QWidget *owner, const QString &lastConfirmed)>;
    static void setRunner(Runner runner);
    static std::optional<QString> runQtDialog(QWidget *owner, const QString &lastConfirmed);
    // Qt's font dialog as runQtDialog shows it, on the last confirmed face.
    static std::unique_ptr<QFontDialog> qtDialog(QWidget *owner, const QString &lastConfirmed);

private:
    QWidget *owner_;
    QString fontName_ = QStringLiteral(" ");
};

} // namespace platform
