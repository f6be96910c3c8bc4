// The real program killed with SIGKILL at random moments around its close:
// the settings file must always parse and hold either all the values it
// held before the close (old) or all the values the program was closing
// with (new), never a mixture, a fragment or nothing.
//
// Each cycle writes values P to the settings file, starts the program (which
// reads P), replaces the file with values Q that differ in all five keys,
// asks the window to close as a window manager would (WM_DELETE_WINDOW) and
// kills the process after a random delay. The close writes P over Q.
// Delays come from a fixed seed: half spread over the whole close, half
// around the moment the file is written, as measured in calibration runs.
//
//   kill_at_close PROGRAM [CYCLES]     (needs DISPLAY and XDG_CONFIG_HOME)

#include "rng.h"
#include "xwatch.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

using xwatch::Clock;

struct Values
{
    QString name;
    std::array<int, 4> options; // B, I, Space, Size
};


[[noreturn]] void fail(const char *format, const QString &detail = {})
{
    std::fprintf(stderr, "FAIL: ");
    std::fprintf(stderr, format, qPrintable(detail));
    std::fprintf(stderr, "\n");
    std::exit(1);
}

QString folder()
{
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    if (config.isEmpty())
        fail("XDG_CONFIG_HOME must name a folder of the test's own%s");
    return QString::fromLocal8Bit(config) + QStringLiteral("/Glyphery");
}

QString settingsPath() { return folder() + QStringLiteral("/Glyphery.conf"); }

// The bytes QSettings writes for these values: what the program writes too.
// Each file has a path of its own, as QSettings keeps parsed files by path.
QByteArray canonicalBytes(const Values &v)
{
    static int serial = 0;
    const QString path = QDir::tempPath() + QStringLiteral("/kill_at_close-%1-%2.conf").arg(getpid()).arg(++serial);
    {
        QSettings s(path, QSettings::IniFormat);
        s.setValue(QStringLiteral("Font/Name"), v.name);
        s.setValue(QStringLiteral("Font/B"), QString::number(v.options[0]));
        s.setValue(QStringLiteral("Font/I"), QString::number(v.options[1]));
        s.setValue(QStringLiteral("Options/Space"), QString::number(v.options[2]));
        s.setValue(QStringLiteral("Options/Size"), QString::number(v.options[3]));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail("cannot read back %s", path);
    const QByteArray bytes = file.readAll();
    file.remove();
    return bytes;
}

// Replaces the settings file in one step, as an editor that saves safely would.
void installFile(const QByteArray &bytes)
{
    const QString tmp = folder() + QStringLiteral("/.installing");
    QFile file(tmp);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("cannot write %s", tmp);
    file.close();
    if (::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(settingsPath()).constData()) != 0)
        fail("cannot rename into %s", settingsPath());
}

QByteArray currentFile()
{
    QFile file(settingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The file must parse, with exactly the five keys.
bool parses(const QByteArray &bytes)
{
    static int serial = 0;
    const QString path = QDir::tempPath() + QStringLiteral("/kill_at_close-%1-check-%2.conf").arg(getpid()).arg(++serial);
    QFile copy(path);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size())
        fail("cannot write %s", path);
    copy.close();
    bool ok;
    {
        QSettings s(path, QSettings::IniFormat);
        QStringList keys = s.allKeys();
        keys.sort();
        ok = s.status() == QSettings::NoError
             && keys == QStringList{"Font/B", "Font/I", "Font/Name", "Options/Size", "Options/Space"};
    }
    QFile::remove(path);
    return ok;
}

Values randomValues(Rng &rng)
{
    static const char *names[] = {"DejaVu Sans", "Liberation Serif", "DejaVu Serif", "Liberation Mono",
                                  "DejaVu Sans Mono", "Liberation Sans"};
    return {QString::fromLatin1(names[rng.below(6)]), {rng.below(3), rng.below(3), rng.below(3), rng.below(3)}};
}

// Differs from `v` in every key.
Values otherValues(Rng &rng, const Values &v)
{
    Values w = randomValues(rng);
    while (w.name == v.name)
        w = randomValues(rng);
    for (std::size_t i = 0; i < 4; ++i)
        w.options[i] = (v.options[i] + 1 + rng.below(2)) % 3;
    return w;
}

// Watches the folder for the program's writing: the lock file the close
// creates first and the rename of the new file into place last.
class FolderWatch
{
public:
    FolderWatch()
    {
        fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (fd_ < 0 || inotify_add_watch(fd_, QFile::encodeName(folder()).constData(), IN_CREATE | IN_MOVED_TO) < 0)
            fail("inotify is not available%s");
    }
    ~FolderWatch() { ::close(fd_); }
    void drain() { poll(Clock::now()); }
    // Notes the first time of each kind of event seen, stamped `now`.
    void poll(Clock::time_point now)
    {
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                return;
            for (char *p = buffer; p < buffer + n;) {
                const auto *event = reinterpret_cast<const inotify_event *>(p);
                const QString name = event->len ? QFile::decodeName(event->name) : QString();
                if ((event->mask & IN_CREATE) && name.endsWith(QLatin1String(".lock")) && !lockAt)
                    lockAt = now;
                if ((event->mask & IN_MOVED_TO) && name == QLatin1String("Glyphery.conf") && !renameAt)
                    renameAt = now;
                p += sizeof(inotify_event) + event->len;
            }
        }
    }
    std::optional<Clock::time_point> lockAt, renameAt;

private:
    int fd_ = -1;
};

struct Started
{
    pid_t pid;
    xwatch::XWindow window;
};

Started start(xwatch::Watcher &watcher, const std::string &program, const QByteArray &oldBytes,
              const QByteArray &newBytes)
{
    installFile(newBytes);
    const xwatch::Launched run = watcher.launch({program}, "Glyphery", 20);
    if (!run.window)
        fail("%s", QString::fromStdString(run.failure));
    // Form_Load has read the new values; the file now holds the old ones.
    installFile(oldBytes);
    return {run.pid, run.window};
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2)
        fail("usage: kill_at_close PROGRAM [CYCLES]%s");
    const std::string program = argv[1];
    const int cycles = argc > 2 ? std::atoi(argv[2]) : 200;
    QDir().mkpath(folder());
    xwatch::Watcher watcher;
    if (!watcher.ok())
        fail("cannot open the display%s");
    Rng rng(0x6b696c6c'61742131ull);

    // Calibration: ordinary closes, timed from the request.
    std::vector<double> exitMs, lockMs, renameMs;
    const auto normalClose = [&](const char *what) {
        const Values p = randomValues(rng), q = otherValues(rng, p);
        const QByteArray newBytes = canonicalBytes(p), oldBytes = canonicalBytes(q);
        const Started s = start(watcher, program, oldBytes, newBytes);
        FolderWatch watch;
        watch.drain();
        const auto asked = Clock::now();
        watcher.sendDeleteWindow(s.window);
        int status = 0;
        bool done = false;
        while (!done && Clock::now() - asked < std::chrono::seconds(10)) {
            watch.poll(Clock::now());
            done = waitpid(s.pid, &status, WNOHANG) == s.pid;
            if (!done)
                std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        const auto ended = Clock::now();
        watch.poll(ended);
        if (!done) {
            kill(s.pid, SIGKILL);
            waitpid(s.pid, nullptr, 0);
            fail("%s: the program did not end within 10 s of the close request", QString::fromLatin1(what));
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            fail("%s: the program ended abnormally", QString::fromLatin1(what));
        if (currentFile() != newBytes)
            fail("%s: after an ordinary close the file does not hold the program's values", QString::fromLatin1(what));
        exitMs.push_back(xwatch::msBetween(asked, ended));
        if (watch.lockAt && watch.renameAt) {
            lockMs.push_back(xwatch::msBetween(asked, *watch.lockAt));
            renameMs.push_back(xwatch::msBetween(asked, *watch.renameAt));
        }
    };
    for (int i = 0; i < 5; ++i)
        normalClose("calibration");
    if (lockMs.empty())
        fail("calibration saw no write of the settings file%s");
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double exitAt = median(exitMs), lockAt = median(lockMs), renameAt = median(renameMs);
    std::printf("close request to: lock file %.2f ms, file renamed into place %.2f ms, exit %.2f ms\n", lockAt,
                renameAt, exitAt);

    int outcomes[2] = {0, 0}, endedFirst = 0, beforeRequest = 0;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        const Values p = randomValues(rng), q = otherValues(rng, p);
        const QByteArray newBytes = canonicalBytes(p), oldBytes = canonicalBytes(q);
        // Half over the whole close (a little before the request included),
        // half over the write, a millisecond either side.
        const double delayMs = cycle % 2 ? rng.uniform(-0.1 * exitAt, 1.2 * exitAt)
                                         : rng.uniform(std::max(0.0, lockAt - 1), renameAt + 1);
        const Started s = start(watcher, program, oldBytes, newBytes);
        if (delayMs > 0) {
            const auto asked = Clock::now();
            watcher.sendDeleteWindow(s.window);
            // Spins: a sleep would overshoot by the scheduler's granularity.
            const auto at = asked + std::chrono::duration<double, std::milli>(delayMs);
            while (Clock::now() < at) {
            }
        } else {
            ++beforeRequest;
        }
        kill(s.pid, SIGKILL);
        int status = 0;
        waitpid(s.pid, &status, 0);
        const bool selfEnded = WIFEXITED(status);
        endedFirst += selfEnded;
        const QByteArray now = currentFile();
        const bool isOld = now == oldBytes, isNew = now == newBytes;
        if (!parses(now) || !(isOld || isNew))
            fail("the file holds neither the old nor the new values: %s",
                 QStringLiteral("cycle %1, kill %2 ms after the close request:\n").arg(cycle).arg(delayMs, 0, 'f', 3)
                     + QString::fromUtf8(now.left(400)));
        if (selfEnded && !isNew)
            fail("cycle %s: the program ended by itself but its values are not in the file",
                 QString::number(cycle));
        ++outcomes[isNew ? 1 : 0];
        // Lets the window manager forget the window.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    // Whatever the kills left behind, an ordinary close still works.
    for (int i = 0; i < 3; ++i)
        normalClose("ordinary close after the kills");

    QStringList leftovers = QDir(folder()).entryList(QDir::Files | QDir::Hidden);
    leftovers.removeAll(QStringLiteral("Glyphery.conf"));
    std::printf("%d kills: %d left the old values, %d the new ones (%d of these after the program had ended, "
                "%d kills before the close request); files left beside: %s\n",
                cycles, outcomes[0], outcomes[1], endedFirst, beforeRequest,
                leftovers.isEmpty() ? "none" : qPrintable(leftovers.join(QLatin1String(", "))));
    // Both outcomes must occur, or the delays missed the write altogether.
    if (outcomes[0] == 0 || outcomes[1] - endedFirst == 0)
        fail("the kills did not straddle the write: no %s", QString::fromLatin1(outcomes[0] == 0 ? "old" : "killed new"));
    return 0;
}
