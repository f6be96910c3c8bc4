#pragma once

// Shared set-up of the tests: a private settings folder and a record of the
// run-time errors the program reports instead of showing message boxes.

#include "platform/runtime_error.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace testing {

inline QStringList &reportedErrors()
{
    static QStringList errors;
    return errors;
}

// A fresh settings folder and a clean error state for one test case.
class Sandbox
{
public:
    Sandbox()
    {
        qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
        platform::resetEnding();
        reportedErrors().clear();
        platform::setErrorPresenter([](const QString &, const QString &text) { reportedErrors() << text; });
    }
    ~Sandbox() { platform::resetEnding(); }

    QString root() const { return dir_.path(); }
    QString confPath() const { return dir_.path() + QStringLiteral("/Glyphery/Glyphery.conf"); }

    void writeConf(const QByteArray &content) const
    {
        QDir().mkpath(dir_.path() + QStringLiteral("/Glyphery"));
        QFile file(confPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    QByteArray readConf() const
    {
        QFile file(confPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir dir_;
};

} // namespace testing

namespace testing {

// Collects the warnings logged while it lives.
class WarningLog
{
public:
    WarningLog()
    {
        lines().clear();
        previous_ = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtWarningMsg)
                lines() << text;
        });
    }
    ~WarningLog() { qInstallMessageHandler(previous_); }
    static QStringList &lines()
    {
        static QStringList all;
        return all;
    }

private:
    QtMessageHandler previous_;
};

} // namespace testing

namespace testing {

// For a case that expects a run-time error: hands over what was reported and
// forgets it, and that the program is ending, so the fixture's check passes.
inline QStringList takeErrors()
{
    QStringList errors;
    errors.swap(reportedErrors());
    platform::resetEnding();
    return errors;
}

// Called from each fixture's cleanup() while its Sandbox still lives (the
// Sandbox forgets the ending): a handler that failed ends only that handler,
// so a test that never looks would pass over it. Clears both either way, so
// one fault fails one test.
inline void verifyNoErrors()
{
    const bool ending = platform::isEnding();
    const QStringList errors = takeErrors();
    QVERIFY2(errors.isEmpty(), qPrintable(QStringLiteral("reported: ") + errors.join(QStringLiteral("; "))));
    QVERIFY2(!ending, "the program is ending");
}

} // namespace testing

namespace testing {

// The fixture of most window tests: each case in a fresh Sandbox, and at its
// end a check that no handler failed unnoticed.
class SandboxTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { sandbox_ = std::make_unique<Sandbox>(); }
    void cleanup()
    {
        verifyNoErrors();
        sandbox_.reset();
    }

protected:
    Sandbox &sandbox() const { return *sandbox_; }

private:
    std::unique_ptr<Sandbox> sandbox_;
};

} // namespace testing
