#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform {

QString Clipboard::getText() { return QGuiApplication::clipboard()->text(QClipboard::Clipboard); }

void Clipboard::setText(const QString &text) { QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard); }

} // namespace platform
