#include "platform/clipboard.h"

#include "platform/safe_files.h"
#include "platform/x11_selection.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <unistd.h>
#include <xcb/xcb.h>

extern char **environ;

namespace platform {

namespace {

xcb_connection_t *x11Connection()
{
    // Qt 6.4's offscreen platform answers for X11 too, without a connection.
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

bool clipboardManagerRuns(xcb_connection_t *connection)
{
    static constexpr char name[] = "CLIPBOARD_MANAGER";
    xcb_intern_atom_reply_t *atom
        = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof name - 1, name), nullptr);
    if (!atom)
        return false;
    bool runs = false;
    if (atom->atom != XCB_ATOM_NONE) {
        xcb_get_selection_owner_reply_t *owner
            = xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
        runs = owner && owner->owner != XCB_WINDOW_NONE;
        free(owner);
    }
    free(atom);
    return runs;
}

// Starts the holder with the text on its standard input, read from memory;
// its output goes nowhere, so it holds no pipe of ours open. It is not
// waited for: it forks into the background itself.
bool startHolder(const QString &path, const char *const *arguments, const QByteArray &text)
{
    const int input = memfd_create("clipboard", MFD_CLOEXEC);
    if (input < 0)
        return false;
    const bool written = writeAll(input, text);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const QByteArray program = QFile::encodeName(path);
    pid_t pid = 0;
    const bool started = written && ::lseek(input, 0, SEEK_SET) == 0
        && posix_spawn(&pid, program.constData(), &actions, nullptr, const_cast<char *const *>(arguments), environ)
            == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(input);
    return started;
}

} // namespace

QString Clipboard::getText()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    // Qt 6.4 waits 15 s for an X11 owner that does not answer, then takes
    // the silence for an empty clipboard. Our own text needs no asking.
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
        if (!connection || clipboardManagerRuns(connection))
            return;
    }
    static constexpr const char *xclip[] = {"xclip", "-selection", "clipboard", nullptr};
    static constexpr const char *wlCopy[] = {"wl-copy", nullptr};
    const char *const *arguments = wayland ? wlCopy : xclip;
    const QString holder = QStandardPaths::findExecutable(QString::fromLatin1(arguments[0]));
    if (holder.isEmpty() || !startHolder(holder, arguments, clipboard->text(QClipboard::Clipboard).toUtf8())) {
        std::fprintf(stderr,
                     "%s: the copied text is lost as the window closes: no clipboard manager runs and %s "
                     "is not installed\n",
                     qPrintable(QCoreApplication::applicationName()), arguments[0]);
        std::fflush(stderr);
    }
}

} // namespace platform
