// In-process timings of the window's handlers under the offscreen platform.
// Every sample is the user's action (a click, a key, a focus change) as Qt
// delivers it, the handler it raises, the deferred events it posts (which
// paint every widget the handler changed) and a synchronous repaint of the
// window, so what a handler changed is on screen when the clock stops. Prints one line per measurement:
//   RESULT <tab> name <tab> median ms <tab> p90 ms <tab> samples
// With --soak it walks the grid instead and prints the resident memory.

#include "app/main_window.h"
#include "platform/font_dialog.h"
#include "platform/runtime_error.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using glyphery::frmMain;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    const double at = p * double(v.size() - 1);
    const auto lo = std::size_t(at);
    const auto hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (at - double(lo));
}

void report(const char *name, const std::vector<double> &samples)
{
    std::printf("RESULT\t%s\t%.3f\t%.3f\t%zu\n", name, percentile(samples, 0.5), percentile(samples, 0.9),
                samples.size());
    std::fflush(stdout);
}

long residentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

// What the user would see next: posted work done (layout, and the update
// requests that paint every widget that changed), then the window repainted.
void settle(frmMain &form)
{
    QCoreApplication::sendPostedEvents();
    form.widget()->repaint();
}

// Untimed: whatever is still queued runs before the next sample starts.
void drain()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

std::unique_ptr<frmMain> openWindow()
{
    auto form = std::make_unique<frmMain>();
    if (!form->show())
        qFatal("the window did not open");
    form->widget()->activateWindow();
    if (!QTest::qWaitForWindowActive(form->widget()))
        qFatal("the window did not become active");
    drain();
    return form;
}

QWidget *focused() { return QApplication::focusWidget(); }

void click(platform::Control &control)
{
    QTest::mouseClick(control.widget(), Qt::LeftButton, {}, QPoint(7, 7));
}

// Runs `action` n times with `prepare` before each, untimed.
std::vector<double> sample(frmMain &form, int n, const std::function<void(int)> &prepare,
                           const std::function<void(int)> &action)
{
    std::vector<double> samples;
    samples.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        prepare(i);
        drain();
        const auto start = Clock::now();
        action(i);
        settle(form);
        samples.push_back(msSince(start));
    }
    return samples;
}

void writeConf(const QString &root, const QByteArray &content)
{
    QDir().mkpath(root + QStringLiteral("/Glyphery"));
    QFile file(root + QStringLiteral("/Glyphery/Glyphery.conf"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the settings file");
    file.write(content);
}

void benchLoad(const QString &root, const char *name, const QByteArray &conf, int n)
{
    std::vector<double> samples;
    for (int i = 0; i < n; ++i) {
        if (conf.isEmpty())
            QFile::remove(root + QStringLiteral("/Glyphery/Glyphery.conf"));
        else
            writeConf(root, conf);
        drain();
        const auto start = Clock::now();
        auto form = std::make_unique<frmMain>();
        if (!form->show())
            qFatal("the window did not open");
        settle(*form);
        samples.push_back(msSince(start));
        form.reset();
        drain();
    }
    report(name, samples);
}

void benchHandlers(int n)
{
    auto formPtr = openWindow();
    frmMain &form = *formPtr;
    const auto noPrep = [](int) {};

    // A face from the dialog: alternate two, so every sample changes the face.
    const QString faces[] = {QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Sans")};
    int dialogCalls = 0;
    platform::FontDialog::setRunner([&](QWidget *, const QString &) -> std::optional<QString> {
        return faces[dialogCalls++ % 2];
    });

    struct Toggle
    {
        const char *on, *off;
        platform::CheckBox *box;
    };
    for (const Toggle &t : {Toggle{"chkB_Click on", "chkB_Click off", &form.chkB},
                            Toggle{"chkI_Click on", "chkI_Click off", &form.chkI},
                            Toggle{"chkSize_Click on", "chkSize_Click off", &form.chkSize},
                            Toggle{"chkSpace_Click on", "chkSpace_Click off", &form.chkSpace}}) {
        std::vector<double> on, off;
        for (int i = 0; i < n; ++i) {
            drain();
            auto start = Clock::now();
            click(*t.box);
            settle(form);
            on.push_back(msSince(start));
            if (t.box->value() != 1)
                qFatal("%s did not switch on", t.on);
            drain();
            start = Clock::now();
            click(*t.box);
            settle(form);
            off.push_back(msSince(start));
            if (t.box->value() != 0)
                qFatal("%s did not switch off", t.off);
        }
        report(t.on, on);
        report(t.off, off);
    }

    report("cmdN_Click (B and I on)", sample(
               form, n,
               [&](int) {
                   form.chkB.setValue(1);
                   form.chkI.setValue(1);
               },
               [&](int) { click(form.cmdN); }));
    if (form.chkB.value() != 0 || form.chkI.value() != 0)
        qFatal("cmdN did not reset the options");

    report("FSel_Click (dialog faked)", sample(form, n, noPrep, [&](int) {
               QTest::mouseClick(form.FSel.widget(), Qt::LeftButton);
           }));
    if (dialogCalls != n)
        qFatal("the dialog ran %d times, not %d", dialogCalls, n);

    report("Char_GotFocus", sample(form, n, noPrep, [&](int i) { form.Char(std::int16_t(34 + i % 2)).setFocus(); }));

    form.Char(100).setFocus();
    report("arrow key (KeyDown + GotFocus)", sample(form, n, noPrep, [&](int i) {
               QTest::keyClick(focused(), i % 2 ? Qt::Key_Left : Qt::Key_Right);
           }));
    if (focused() != form.Char(100).widget())
        qFatal("the arrow keys did not walk");

    QClipboard *clipboard = QApplication::clipboard();
    form.Char(34).setFocus();
    report("Enter (copy)", sample(form, n, noPrep, [&](int) { QTest::keyClick(focused(), Qt::Key_Return); }));
    if (clipboard->text() != QStringLiteral("A"))
        qFatal("Enter did not copy");

    const QString megabyte(1 << 20, QLatin1Char('x'));
    report("Shift+Enter onto 1 MB", sample(
               form, n, [&](int) { clipboard->setText(megabyte); },
               [&](int) { QTest::keyClick(focused(), Qt::Key_Return, Qt::ShiftModifier); }));
    if (clipboard->text().size() != megabyte.size() + 1)
        qFatal("Shift+Enter did not append");

    report("Char_DblClick (pause included)", sample(form, n, noPrep, [&](int) {
               QTest::mouseDClick(form.Char(34).widget(), Qt::LeftButton);
           }));
    if (clipboard->text() != QStringLiteral("A"))
        qFatal("the double-click did not copy");

    // A repaint of the window leaves opaque boxes that nothing changed as
    // they are; grab() draws every widget anew.
    report("whole window drawn anew (grab)", sample(form, n, noPrep, [&](int) { form.widget()->grab(); }));
    platform::FontDialog::setRunner({});
}

// 100,000 arrow steps and 10,000 copies, in ten passes; memory after the
// first pass and after the last.
void soak()
{
    auto formPtr = openWindow();
    frmMain &form = *formPtr;
    form.Char(1).setFocus();
    constexpr int passes = 10, stepsPerPass = 10000, copyEvery = 10;
    long afterFirst = 0;
    const auto start = Clock::now();
    int cell = 1, direction = 1;
    for (int pass = 1; pass <= passes; ++pass) {
        for (int step = 1; step <= stepsPerPass; ++step) {
            // Back and forth along the grid, row ends included.
            if ((direction > 0 && cell == 224) || (direction < 0 && cell == 1))
                direction = -direction;
            QTest::keyClick(focused(), direction > 0 ? Qt::Key_Right : Qt::Key_Left);
            cell += direction;
            if (step % copyEvery == 0)
                QTest::keyClick(focused(), Qt::Key_Return);
            QCoreApplication::sendPostedEvents();
        }
        QCoreApplication::processEvents();
        if (focused() != form.Char(std::int16_t(cell)).widget())
            qFatal("the walk lost its way in pass %d", pass);
        if (pass == 1)
            afterFirst = residentKb();
    }
    const long afterLast = residentKb();
    const double total = msSince(start);
    std::printf("SOAK\t%d\t%d\t%ld\t%ld\t%.3f\n", passes * stepsPerPass, passes * stepsPerPass / copyEvery,
                afterFirst, afterLast, total / (passes * stepsPerPass));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication app(argc, argv);
    platform::setErrorPresenter([](const QString &, const QString &text) {
        qFatal("run-time error: %s", qPrintable(text));
    });

    const bool soakOnly = argc > 1 && std::strcmp(argv[1], "--soak") == 0;
    if (soakOnly) {
        soak();
        return 0;
    }
    const int n = argc > 1 ? std::atoi(argv[1]) : 200;

    // The first window pays for font and style caches; what is measured
    // below is every later one.
    openWindow().reset();
    drain();
    benchLoad(config.path(), "Form_Load (construct + show), first run", {}, std::max(20, n / 5));
    benchLoad(config.path(), "Form_Load, every option stored",
              "[Font]\nName=DejaVu Sans\nB=1\nI=1\n[Options]\nSpace=1\nSize=1\n", std::max(20, n / 5));
    QFile::remove(config.path() + QStringLiteral("/Glyphery/Glyphery.conf"));
    benchHandlers(n);
    return 0;
}
