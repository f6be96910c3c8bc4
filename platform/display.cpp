#include "platform/display.h"

#include "platform/translations.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace platform {

namespace {

// Said before Qt's application exists, or while it is half built and has
// no translators yet: the translation is asked directly.
QString text(const char *source) { return translated("platform::DisplayOpening", source); }

std::string_view environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

QtMessageHandler previousHandler = nullptr;
const char *programName = "";
// Qt's messages while the display is opened are held back: on success they go
// on as usual, on failure the one line of our own replaces them.
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> heldBack;

std::string displayNamed()
{
    std::string named;
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        if (const std::string_view value = environment(name); !value.empty())
            named += (named.empty() ? "" : ", ") + std::string(name) + "=" + std::string(value);
    }
    return named.empty() ? text(QT_TRANSLATE_NOOP("platform::DisplayOpening", "no display named")).toStdString()
                         : named;
}

// Where Debian 12 ships each of Qt's platform plugins.
const char *packageOf(const QString &plugin)
{
    static constexpr struct
    {
        const char *plugin;
        const char *package;
    } packages[] = {{"xcb", "libqt6gui6"},          {"wayland", "qt6-wayland"}, {"wayland-egl", "qt6-wayland"},
                    {"offscreen", "libqt6gui6"},    {"minimal", "libqt6gui6"},  {"linuxfb", "libqt6gui6"},
                    {"vkkhrdisplay", "libqt6gui6"}, {"eglfs", "libqt6opengl6"}, {"minimalegl", "libqt6opengl6"},
                    {"vnc", "qt6-qpa-plugins"}};
    for (const auto &entry : packages) {
        if (plugin == QLatin1String(entry.plugin))
            return entry.package;
    }
    return nullptr;
}

// Qt names a plugin it cannot find in a warning before its fatal message;
// a plugin it found but could not start failed on the display.
std::string missingPlugins(const QString &fatal)
{
    static const QString notFound = QStringLiteral("Could not find the Qt platform plugin \"");
    static const QString available = QStringLiteral("Available platform plugins are: ");
    std::string cause;
    for (const HeldMessage &held : heldBack) {
        if (!held.text.startsWith(notFound))
            continue;
        const QString name = held.text.mid(notFound.size()).section(QLatin1Char('"'), 0, 0);
        QString clause;
        if (const char *package = packageOf(name)) {
            clause = text(QT_TRANSLATE_NOOP("platform::DisplayOpening",
                                            "Qt's platform plugin \"%1\" is not installed: it comes with the Debian "
                                            "package %2"))
                         .arg(name, QLatin1String(package));
        } else {
            const qsizetype at = fatal.indexOf(available);
            QString installed = text(QT_TRANSLATE_NOOP("platform::DisplayOpening", "none"));
            if (at >= 0) {
                installed = fatal.mid(at + available.size()).section(QLatin1Char('\n'), 0, 0);
                if (installed.endsWith(QLatin1Char('.')))
                    installed.chop(1);
            }
            clause = text(QT_TRANSLATE_NOOP("platform::DisplayOpening",
                                            "there is no Qt platform plugin \"%1\" (installed: %2)"))
                         .arg(name, installed);
        }
        cause += (cause.empty() ? "" : "; ") + clause.toStdString();
    }
    return cause;
}

void onOpeningMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        const std::string plugins = missingPlugins(message);
        if (plugins.empty())
            std::fprintf(
                stderr, "%s: %s\n", programName,
                qUtf8Printable(text(QT_TRANSLATE_NOOP("platform::DisplayOpening", "cannot open the display (%1)"))
                                   .arg(QString::fromStdString(displayNamed()))));
        else
            std::fprintf(stderr, "%s: %s\n", programName, plugins.c_str());
        std::fflush(stderr);
        // Still inside QApplication's constructor: nothing to tidy up, and
        // static destructors would run into a half-built Qt.
        std::_Exit(1);
    }
    heldBack.push_back({type, QByteArray(context.category), message});
}

} // namespace

CommandLine readCommandLine(int argc, char *argv[])
{
    // Qt's options; those in the first list take a value, given after '=' or
    // as the next argument.
    // clang-format off
    static constexpr std::string_view withValue[] = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
        "qwindowtitle", "session", "display", "geometry", "name", "title", "visual", "style", "stylesheet",
        "qmljsdebugger", "fn", "font", "bg", "background", "fg", "foreground", "btn", "button", "ncols", "cmap"};
    static constexpr std::string_view flags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
    // clang-format on
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        // Qt takes --name as -name; style=fusion, without a dash, is no option.
        const bool dashed = arg.starts_with('-');
        std::string_view name = arg.substr(arg.starts_with("--") ? 2 : dashed ? 1 : 0);
        const auto equals = name.find('=');
        name = name.substr(0, equals);
        if (dashed && std::find(std::begin(withValue), std::end(withValue), name) != std::end(withValue)) {
            line.platformNamed = line.platformNamed || name == "platform";
            if (equals == std::string_view::npos)
                ++i;
        } else if (!dashed || std::find(std::begin(flags), std::end(flags), name) == std::end(flags)) {
            line.arguments.push_back(arg);
        }
    }
    return line;
}

std::string missingDisplay(const CommandLine &line)
{
    if (line.platformNamed)
        return {};
    const std::string_view platform = environment("QT_QPA_PLATFORM");
    if (!platform.empty() && !platform.starts_with("xcb") && !platform.starts_with("wayland"))
        return {};
    if (environment("DISPLAY").empty() && environment("WAYLAND_DISPLAY").empty())
        return text(QT_TRANSLATE_NOOP("platform::DisplayOpening",
                                      "no display: neither DISPLAY nor WAYLAND_DISPLAY is set"))
            .toStdString();
    return {};
}

DisplayOpening::DisplayOpening(const char *program)
{
    programName = program;
    previousHandler = qInstallMessageHandler(onOpeningMessage);
}

DisplayOpening::~DisplayOpening()
{
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage &held : heldBack) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        previousHandler(held.type, context, held.text);
    }
    heldBack.clear();
}

} // namespace platform
