#include "platform/clipboard.h"

#include "platform/safe_files.h"
#include "platform/x11_selection.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

extern char **environ;

namespace platform {

namespace {

// Long enough for a holder's first process to fail, short enough that one
// that hangs leaves the close quick.
constexpr auto holderWait = std::chrono::milliseconds(150);

xcb_connection_t *x11Connection()
{
    // Qt's offscreen platform answers for X11 too, without a connection (seen
    // on 6.4.2 and 6.8.2).
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Whether the text is ours to hand over: no clipboard manager takes it, and
// the clipboard's owner on the server is still a window of ours (another
// program may have taken it since Qt last looked).
bool ownedWithoutManager(xcb_connection_t *connection)
{
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const xcb_window_t owner = x11::selectionOwner(connection, "CLIPBOARD").value_or(XCB_WINDOW_NONE);
    return x11::selectionOwner(connection, "CLIPBOARD_MANAGER") == XCB_WINDOW_NONE && owner != XCB_WINDOW_NONE
        && (owner & ~setup->resource_id_mask) == setup->resource_id_base;
}

// Starts the holder with the text on its standard input, read from memory;
// its output goes nowhere, so it holds no pipe of ours open. xclip and
// wl-copy fork into the background and their first process ends at once,
// with a failure status when they cannot keep the text; one that takes
// longer is left to run, so that it cannot hold up the close. Returns what
// went wrong, of the holder as `named`, or nothing.
QString startHolder(const QString &path, const char *const *arguments, const QByteArray &text, const QString &named)
{
    const int input = memfd_create("clipboard", MFD_CLOEXEC);
    if (input < 0) {
        const QString reason = systemReason(errno);
        return QCoreApplication::translate("platform::Clipboard", "%1 could not be started (%2)").arg(named, reason);
    }
    int error = (writeAll(input, text) && ::lseek(input, 0, SEEK_SET) == 0) ? 0 : errno;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const QByteArray program = QFile::encodeName(path);
    pid_t pid = 0;
    if (error == 0)
        error
            = posix_spawn(&pid, program.constData(), &actions, nullptr, const_cast<char *const *>(arguments), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(input);
    if (error != 0)
        return QCoreApplication::translate("platform::Clipboard", "%1 could not be started (%2)")
            .arg(named, systemReason(error));
    const auto deadline = std::chrono::steady_clock::now() + holderWait;
    int status = 0;
    pid_t ended = 0;
    while ((ended = ::waitpid(pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (ended == pid && WIFEXITED(status) && WEXITSTATUS(status) != 0)
        return QCoreApplication::translate("platform::Clipboard", "%1 ended with status %2")
            .arg(named, QString::number(WEXITSTATUS(status)));
    if (ended == pid && WIFSIGNALED(status))
        return QCoreApplication::translate("platform::Clipboard", "%1 was ended by signal %2")
            .arg(named, QString::number(WTERMSIG(status)));
    return {};
}

} // namespace

QString Clipboard::getText()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    // Qt waits 15 s for an X11 owner that does not answer, then takes the
    // silence for an empty clipboard (seen on 6.4.2). Our own text needs no
    // asking.
    if (x11Connection() && !clipboard->ownsClipboard())
        return x11::clipboardText();
    return clipboard->text(QClipboard::Clipboard);
}

void Clipboard::setText(const QString &text) { QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard); }

void Clipboard::keepAfterExit()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard->ownsClipboard())
        return;
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (!wayland) {
        xcb_connection_t *connection = x11Connection();
        if (!connection || !ownedWithoutManager(connection))
            return;
    }
    static constexpr const char *xclip[] = {"xclip", "-selection", "clipboard", nullptr};
    static constexpr const char *wlCopy[] = {"wl-copy", nullptr};
    const char *const *arguments = wayland ? wlCopy : xclip;
    const QString holder = QStandardPaths::findExecutable(QString::fromLatin1(arguments[0]));
    // The holder as the line names it: on Wayland with what it would do.
    const QString named = wayland
        ? QCoreApplication::translate("platform::Clipboard", "%1, which keeps it,").arg(QLatin1String(arguments[0]))
        : QString::fromLatin1(arguments[0]);
    const QString failure = holder.isEmpty()
        ? QCoreApplication::translate("platform::Clipboard", "%1 is not installed").arg(named)
        : startHolder(holder, arguments, clipboard->text(QClipboard::Clipboard).toUtf8(), named);
    if (failure.isEmpty())
        return;
    // A Wayland compositor may keep the text itself; we cannot know.
    const QString line = wayland
        ? QCoreApplication::translate("platform::Clipboard",
                                      "the copied text may be lost once the window is gone, unless the desktop "
                                      "keeps it: %1")
        : QCoreApplication::translate("platform::Clipboard",
                                      "the copied text is lost as the window closes: no clipboard manager runs and %1");
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, qUtf8Printable(line.arg(failure)));
    std::fflush(stderr);
}

} // namespace platform
