#pragma once

// Starts a program and watches the X server for its window, from the event
// stream rather than by polling: the window of the child's process id with
// the given title counts from the moment the server reports it viewable.
// Shared by the start-up benchmark and the kill-at-close robustness test.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

// Xlib's macros (Status, Bool, None) clash with Qt's headers, so this header
// names the X types without including Xlib.
struct _XDisplay;

namespace xwatch {

using Clock = std::chrono::steady_clock;
using XWindow = unsigned long; // an X Window id

struct Launched
{
    pid_t pid = -1;
    XWindow window = 0;
    Clock::time_point started;
    double viewableMs = -1;  // launch until viewable with its title
    double paintedMs = -1;   // launch until the first drawing into it (-1: not asked or not seen)
    long rssKb = -1;         // VmRSS of the child when it became viewable
    long paintedRssKb = -1;  // VmRSS of the child at its first drawing
    std::string failure;     // why no window was found
};

class Watcher
{
public:
    Watcher();  // opens $DISPLAY; check ok()
    ~Watcher();
    Watcher(const Watcher &) = delete;
    Watcher &operator=(const Watcher &) = delete;

    bool ok() const { return display_ != nullptr; }

    // Runs argv (argv[0] looked up in PATH) and waits up to timeoutS for its
    // window. With waitForPaint, also waits (briefly) for the first drawing.
    Launched launch(const std::vector<std::string> &argv, const std::string &title, double timeoutS,
                    bool waitForPaint = false);

    // What a window manager sends for the close button.
    bool sendDeleteWindow(XWindow window);

private:
    bool titleIs(XWindow w, const std::string &title);
    long pidOf(XWindow w);

    _XDisplay *display_ = nullptr;
    XWindow root_ = 0;
    unsigned long netWmPid_ = 0, netWmName_ = 0, utf8String_ = 0, wmProtocols_ = 0, wmDeleteWindow_ = 0; // atoms
    int damageEvent_ = -1;
};

// VmRSS in kB of a process, -1 when it cannot be read.
long residentKb(pid_t pid);

double msBetween(Clock::time_point from, Clock::time_point to);

} // namespace xwatch
