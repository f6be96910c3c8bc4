// Start-up as a user sees it: from launch until the X server reports the
// window viewable with its title, and the resident memory at that moment.
// The programs take turns, so that a drift of the machine affects all
// alike; the first runs of each warm the caches and are not counted.
//
//   startup_probe RUNS TITLE PROGRAM...
//
// Prints for each program:
//   STARTUP <tab> program <tab> median viewable ms <tab> p90 viewable ms
//           <tab> median first-drawing ms <tab> median VmRSS kB <tab> runs
//           <tab> median VmRSS kB at the first drawing
// (first drawing: the first damage to the window after it became viewable,
// -1 where the server has no XDamage).

#include "xwatch.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

template <class T>
T median(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The nearest-rank 90th percentile.
double p90(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(0.9 * double(v.size()) + 0.999) - 1)];
}

struct Series
{
    std::string program;
    std::vector<double> viewable, painted;
    std::vector<long> rss, paintedRss;
};

bool runOnce(xwatch::Watcher &watcher, const std::string &program, const std::string &title, Series *into)
{
    xwatch::Launched run = watcher.launch({program}, title, 30, true);
    bool ok = run.window != 0;
    if (!ok)
        std::fprintf(stderr, "%s: %s\n", program.c_str(), run.failure.c_str());
    if (run.pid > 0) {
        kill(run.pid, SIGKILL);
        waitpid(run.pid, nullptr, 0);
    }
    if (ok && into) {
        into->viewable.push_back(run.viewableMs);
        into->painted.push_back(run.paintedMs);
        into->rss.push_back(run.rssKb);
        into->paintedRss.push_back(run.paintedRssKb);
        std::fprintf(stderr, "run %-12s viewable %7.1f ms  painted %7.1f ms  VmRSS %6ld kB\n",
                     program.substr(program.rfind('/') + 1).c_str(), run.viewableMs, run.paintedMs, run.rssKb);
    }
    // Lets the window manager forget the window before the next launch.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_probe RUNS TITLE PROGRAM...\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::string title = argv[2];
    xwatch::Watcher watcher;
    if (!watcher.ok()) {
        std::fprintf(stderr, "startup_probe: cannot open the display\n");
        return 1;
    }
    std::vector<Series> series;
    for (int i = 3; i < argc; ++i)
        series.push_back({argv[i], {}, {}, {}, {}});
    const std::size_t count = series.size();
    for (int warm = 0; warm < 2; ++warm) {
        for (Series &s : series) {
            if (!runOnce(watcher, s.program, title, nullptr))
                return 1;
        }
    }
    for (int i = 0; i < runs; ++i) {
        // Rotate which one goes first as well.
        for (std::size_t k = 0; k < count; ++k) {
            Series &s = series[(std::size_t(i) + k) % count];
            if (!runOnce(watcher, s.program, title, &s))
                return 1;
        }
    }
    for (const Series &s : series) {
        std::printf("STARTUP\t%s\t%.1f\t%.1f\t%.1f\t%ld\t%zu\t%ld\n", s.program.c_str(), median(s.viewable),
                    p90(s.viewable), median(s.painted), median(s.rss), s.viewable.size(), median(s.paintedRss));
    }
    return 0;
}
