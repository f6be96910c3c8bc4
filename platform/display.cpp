#include "platform/display.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace platform {

namespace {

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
    return named.empty() ? "no display named" : named;
}

void onOpeningMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: cannot open the display (%s)\n", programName, displayNamed().c_str());
        std::fflush(stderr);
        // Still inside QApplication's constructor: nothing to tidy up, and
        // static destructors would run into a half-built Qt.
        std::_Exit(1);
    }
    heldBack.push_back({type, QByteArray(context.category), message});
}

} // namespace

std::string missingDisplay(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-platform" || arg == "--platform" || arg.starts_with("-platform=")
            || arg.starts_with("--platform="))
            return {};
    }
    const std::string_view platform = environment("QT_QPA_PLATFORM");
    if (!platform.empty() && !platform.starts_with("xcb") && !platform.starts_with("wayland"))
        return {};
    if (environment("DISPLAY").empty() && environment("WAYLAND_DISPLAY").empty())
        return "no display: neither DISPLAY nor WAYLAND_DISPLAY is set";
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
