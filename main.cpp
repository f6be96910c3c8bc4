#include "app/main_window.h"
#include "glyphery_version.h"
#include "platform/display.h"
#include "platform/runtime_error.h"
#include "platform/termination.h"
#include "platform/translations.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Said before the application exists: the translation is asked directly.
QString text(const char *source) { return platform::translated("main", source); }

QString usage() { return text(QT_TRANSLATE_NOOP("main", "Usage: glyphery [--help] [--version] [Qt options]")); }

// Answers --help and --version, which need no display, and refuses any
// other argument of the program's own: the status to exit with then, and
// nothing when the program goes on.
std::optional<int> answeredCommandLine(const platform::CommandLine &line)
{
    for (const std::string_view arg : line.arguments) {
        if (arg == "--version" || arg == "-v") {
            std::printf(GLYPHERY_NAME " " GLYPHERY_VERSION "\n");
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            const QString help = text(QT_TRANSLATE_NOOP("main",
                                                        "A character map beside your editor: the 224 characters of "
                                                        "Windows-1252.\n"
                                                        "Enter or a double-click copies a character to the clipboard;\n"
                                                        "Shift, Ctrl or Alt with Enter appends it.\n\n"
                                                        "  -h, --help     show this help and exit\n"
                                                        "  -v, --version  show the version and exit"));
            std::printf("%s\n\n%s\n", qUtf8Printable(usage()), qUtf8Printable(help));
            return 0;
        }
        const QString refused = text(QT_TRANSLATE_NOOP("main", "unknown argument '%1'."));
        std::fprintf(stderr, "glyphery: %s %s\n",
                     qUtf8Printable(refused.arg(QString::fromLocal8Bit(arg.data(), qsizetype(arg.size())))),
                     qUtf8Printable(usage()));
        return 2;
    }
    return std::nullopt;
}

// Every line on stderr begins with the program's name, Qt's own lines and
// those of the logging categories included; the category names are left out.
void toStderr(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // Qt 6.8 and later switch a locale that is not UTF-8 (LANG=C) to C.UTF-8
    // and say so in four lines; nothing of the program depends on the
    // locale's character set, so there is nothing for the user to do.
    if (message.startsWith(QLatin1String("Detected locale \"")) && message.contains(QLatin1String("not UTF-8")))
        return;
    const QString text = qFormatLogMessage(type, context, message);
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        std::fprintf(stderr, "glyphery: %s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

int main(int argc, char *argv[])
{
    // Loaded when a text first needs it: --help, or the window once Qt runs.
    platform::useTranslation("glyphery");
    const platform::CommandLine line = platform::readCommandLine(argc, argv);
    if (const std::optional<int> status = answeredCommandLine(line))
        return *status;

    if (const std::string cause = platform::missingDisplay(line); !cause.empty()) {
        std::fprintf(stderr, "glyphery: %s\n", cause.c_str());
        return 1;
    }
    // QT_MESSAGE_PATTERN, when set, still wins over this.
    qSetMessagePattern(QStringLiteral("%{message}"));
    qInstallMessageHandler(toStderr);
    auto opening = std::make_unique<platform::DisplayOpening>("glyphery");
    QApplication app(argc, argv);
    opening.reset();
    platform::installTranslation();
    QApplication::setApplicationName(QStringLiteral(GLYPHERY_NAME));
    QApplication::setApplicationVersion(QStringLiteral(GLYPHERY_VERSION));
    // Lets Wayland desktops match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(GLYPHERY_APP_ID));

    glyphery::frmMain window;
    if (!window.show())
        return platform::endingStatus();
    platform::closeOnTerminationSignals(window.widget());
    const int status = QApplication::exec();
    window.closeIfOpen();
    const int ended = platform::isEnding() ? platform::endingStatus() : status;
    // Qt's Wayland plugin can deadlock as it tears its display down, its event
    // thread waiting on a read nobody finishes (one close in a dozen under
    // load, seen on 6.4.2). The window is closed and everything of ours written.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        std::fflush(nullptr);
        std::_Exit(ended);
    }
    return ended;
}
