#include "xwatch.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#ifdef XWATCH_HAVE_XDAMAGE
#include <X11/extensions/Xdamage.h>
#endif

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>

namespace xwatch {

namespace {

// Windows come and go while they are examined; a vanished one is simply no
// match.
int ignoreErrors(Display *, XErrorEvent *) { return 0; }

} // namespace

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

long residentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

Watcher::Watcher()
{
    display_ = XOpenDisplay(nullptr);
    if (!display_)
        return;
    // The child must not inherit the connection.
    fcntl(ConnectionNumber(display_), F_SETFD, FD_CLOEXEC);
    XSetErrorHandler(ignoreErrors);
    root_ = DefaultRootWindow(display_);
    netWmPid_ = XInternAtom(display_, "_NET_WM_PID", False);
    netWmName_ = XInternAtom(display_, "_NET_WM_NAME", False);
    utf8String_ = XInternAtom(display_, "UTF8_STRING", False);
    wmProtocols_ = XInternAtom(display_, "WM_PROTOCOLS", False);
    wmDeleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
#ifdef XWATCH_HAVE_XDAMAGE
    int error = 0;
    if (!XDamageQueryExtension(display_, &damageEvent_, &error))
        damageEvent_ = -1;
#endif
    // Top-level windows are created as children of the root.
    XSelectInput(display_, root_, SubstructureNotifyMask);
    XSync(display_, False);
}

Watcher::~Watcher()
{
    if (display_)
        XCloseDisplay(display_);
}

long Watcher::pidOf(XWindow w)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display_, w, netWmPid_, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data)
            == Success
        && data && format == 32 && count == 1)
        pid = long(*reinterpret_cast<unsigned long *>(data));
    if (data)
        XFree(data);
    return pid;
}

bool Watcher::titleIs(XWindow w, const std::string &title)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    bool match = false;
    if (XGetWindowProperty(display_, w, netWmName_, 0, 1024, False, utf8String_, &type, &format, &count, &after, &data)
            == Success
        && data && format == 8)
        match = std::string(reinterpret_cast<char *>(data), count) == title;
    if (data)
        XFree(data);
    if (match)
        return true;
    char *name = nullptr;
    if (XFetchName(display_, w, &name) && name) {
        match = title == name;
        XFree(name);
    }
    return match;
}

Launched Watcher::launch(const std::vector<std::string> &argv, const std::string &title, double timeoutS,
                         bool waitForPaint)
{
    Launched result;
    std::vector<char *> args;
    for (const std::string &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);

    // Events from before this launch are of no interest.
    XSync(display_, True);
    result.started = Clock::now();
    result.pid = fork();
    if (result.pid == 0) {
        execvp(args[0], args.data());
        std::perror(args[0]);
        _exit(127);
    }
    if (result.pid < 0) {
        result.failure = "fork failed";
        return result;
    }

    std::set<Window> candidates, watched;
    const auto deadline = result.started + std::chrono::duration<double>(timeoutS);
    auto paintDeadline = deadline;
    const bool damage = waitForPaint && damageEvent_ >= 0;
    std::map<Window, unsigned long> damages;
    bool found = false;

    while (Clock::now() < deadline) {
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            [[maybe_unused]] const auto when = Clock::now();
            switch (event.type) {
            case CreateNotify:
                if (event.xcreatewindow.parent == root_)
                    candidates.insert(event.xcreatewindow.window);
                break;
            case ReparentNotify:
                candidates.insert(event.xreparent.window);
                break;
            default:
#ifdef XWATCH_HAVE_XDAMAGE
                if (damage && event.type == damageEvent_ + XDamageNotify) {
                    const auto &notify = reinterpret_cast<const XDamageNotifyEvent &>(event);
                    XDamageSubtract(display_, notify.damage, None, None);
                    if (found && notify.drawable == result.window && result.paintedMs < 0) {
                        result.paintedMs = msBetween(result.started, when);
                        result.paintedRssKb = residentKb(result.pid);
                    }
                }
#endif
                break;
            }
        }
        if (!found) {
            for (Window w : candidates) {
                if (!watched.count(w)) {
                    // Select first, then look: nothing set in between is missed.
                    XSelectInput(display_, w, PropertyChangeMask | StructureNotifyMask);
#ifdef XWATCH_HAVE_XDAMAGE
                    if (damage)
                        damages[w] = XDamageCreate(display_, w, XDamageReportNonEmpty);
#endif
                    watched.insert(w);
                }
                if (pidOf(w) != result.pid || !titleIs(w, title))
                    continue;
                XWindowAttributes attributes;
                if (XGetWindowAttributes(display_, w, &attributes) && attributes.map_state == IsViewable) {
                    result.viewableMs = msBetween(result.started, Clock::now());
                    result.rssKb = residentKb(result.pid);
                    result.window = w;
                    found = true;
                    // A window that was drawn before the check counts as drawn now.
                    paintDeadline = Clock::now() + std::chrono::seconds(2);
                    break;
                }
            }
            if (found && !damage)
                break;
        }
        if (found && (result.paintedMs >= 0 || Clock::now() > paintDeadline))
            break;
        int status = 0;
        if (waitpid(result.pid, &status, WNOHANG) == result.pid) {
            result.failure = "the program ended before its window appeared";
            result.pid = -1;
            break;
        }
        pollfd fd{ConnectionNumber(display_), POLLIN, 0};
        poll(&fd, 1, 20);
    }
#ifdef XWATCH_HAVE_XDAMAGE
    for (const auto &[w, handle] : damages)
        XDamageDestroy(display_, handle);
#endif
    for (Window w : watched)
        XSelectInput(display_, w, NoEventMask);
    XSync(display_, False);
    if (!found && result.failure.empty())
        result.failure = "no viewable window titled '" + title + "' in time";
    return result;
}

bool Watcher::sendDeleteWindow(XWindow window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = wmProtocols_;
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(wmDeleteWindow_);
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(display_, window, False, NoEventMask, &event) != 0;
    XFlush(display_);
    return sent;
}

} // namespace xwatch
