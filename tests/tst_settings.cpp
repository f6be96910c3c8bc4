#include "support.h"

#include "app/main_window.h"
#include "platform/safe_files.h"
#include "platform/termination.h"

#include <QLockFile>
#include <QtTest>

#include <algorithm>
#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>

#include <csignal>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

using glyphery::frmMain;

namespace {

// The process's fsync and renameat calls while `watch` is on, each with the
// file's real path; fsync fails with `fsyncError` when that is set.
struct DiskCalls
{
    bool watch = false;
    int fsyncError = 0;
    bool noSecondNames = false; // link() fails, as on a file system without hard links
    QStringList log;
} disk;

QString realPath(const QByteArray &path)
{
    char real[PATH_MAX];
    return QFile::decodeName(::realpath(path.constData(), real) ? real : path.constData());
}

} // namespace

// These take the C library's place in the whole process.
extern "C" int fsync(int fd)
{
    static const auto next = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "fsync"));
    if (disk.watch) {
        disk.log << QStringLiteral("fsync ") + realPath("/proc/self/fd/" + QByteArray::number(fd));
        if (disk.fsyncError) {
            errno = disk.fsyncError;
            return -1;
        }
    }
    return next(fd);
}

extern "C" int renameat(int fromFolder, const char *from, int toFolder, const char *to) noexcept
{
    static const auto next
        = reinterpret_cast<int (*)(int, const char *, int, const char *)>(::dlsym(RTLD_NEXT, "renameat"));
    if (disk.watch)
        disk.log << QStringLiteral("rename %1 %2")
                        .arg(realPath("/proc/self/fd/" + QByteArray::number(fromFolder) + '/' + from),
                             QFile::decodeName(to));
    return next(fromFolder, from, toFolder, to);
}

extern "C" int linkat(int fromFolder, const char *from, int toFolder, const char *to, int flags) noexcept
{
    static const auto next
        = reinterpret_cast<int (*)(int, const char *, int, const char *, int)>(::dlsym(RTLD_NEXT, "linkat"));
    if (!disk.noSecondNames)
        return next(fromFolder, from, toFolder, to, flags);
    errno = EPERM;
    return -1;
}

namespace {
// While on, the password database knows no one.
bool nobodyKnown = false;
} // namespace

extern "C" int getpwuid_r(uid_t uid, passwd *entry, char *buffer, size_t size, passwd **found)
{
    static const auto next
        = reinterpret_cast<int (*)(uid_t, passwd *, char *, size_t, passwd **)>(::dlsym(RTLD_NEXT, "getpwuid_r"));
    if (!nobodyKnown)
        return next(uid, entry, buffer, size, found);
    *found = nullptr;
    return 0;
}

namespace {

// Runs once, on the thread that reads, when a read of `file` reaches its end:
// the moment between reading the settings and replacing them.
struct AtEndOfRead
{
    QString file;
    std::function<void()> then;
} atEndOfRead;

} // namespace

extern "C" ssize_t read(int fd, void *buffer, size_t size)
{
    static const auto next = reinterpret_cast<ssize_t (*)(int, void *, size_t)>(::dlsym(RTLD_NEXT, "read"));
    const ssize_t got = next(fd, buffer, size);
    if (got == 0 && atEndOfRead.then && realPath("/proc/self/fd/" + QByteArray::number(fd)) == atEndOfRead.file) {
        const int error = errno;
        std::exchange(atEndOfRead.then, {})();
        errno = error;
    }
    return got;
}

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void firstCloseWritesFiveValues();
    void roundTrip();
    void closeRaisesNoPromptAndNeverCancels();
    void closeReplacesTheFileByRename();
    void editedFiles_data();
    void editedFiles();
    void folderIsAFile();
    void hostilePaths_data();
    void hostilePaths();
    void relativeConfigHomeIsIgnored();
    void noHomeFolderAtAll();
    void ownerAndModeKept();
    void asRootInAnotherUsersFolder_data();
    void asRootInAnotherUsersFolder();
    void asRootOwnersGroupsAndAclsKept();
    void folderNotWritable();
    void tooManyOpenFiles();
    void lockBurst();
    void lockHolder();
};

void TestSettings::firstCloseWritesFiveValues()
{
    testing::Sandbox sandbox;
    {
        frmMain form;
        QVERIFY(form.show());
        QVERIFY(form.widget()->close());
    }
    QCOMPARE(sandbox.readConf(), QByteArray("[Font]\nB=0\nI=0\nName=Arial\n\n[Options]\nSize=0\nSpace=0\n"));
    QVERIFY(testing::reportedErrors().isEmpty());
    // Every folder missing on the way is made, named by the bytes given (Latin-1 here), not a look-alike in UTF-8.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(sandbox.root()) + "/new/Jos\xe9/config");
    {
        frmMain form;
        QVERIFY(form.show());
        QVERIFY(form.widget()->close());
    }
    QCOMPARE(::access(QFile::encodeName(sandbox.root()) + "/new/Jos\xe9/config/Glyphery/Glyphery.conf", R_OK), 0);
    QVERIFY(::access(QFile::encodeName(sandbox.root()) + "/new/Jos\xef\xbf\xbd", F_OK) != 0);
    QVERIFY(testing::reportedErrors().isEmpty());
}

void TestSettings::roundTrip()
{
    testing::Sandbox sandbox;
    {
        frmMain form;
        QVERIFY(form.show());
        form.FSel.setText(QStringLiteral("DejaVu Sans Mono"));
        form.chkB.setValue(1);
        form.chkSize.setValue(1);
        QVERIFY(form.widget()->close());
    }
    QSettings written(sandbox.confPath(), QSettings::IniFormat);
    QCOMPARE(written.value(QStringLiteral("Font/B")).toString(), QStringLiteral("1"));
    QCOMPARE(written.value(QStringLiteral("Options/Size")).toString(), QStringLiteral("1"));
    QCOMPARE(written.value(QStringLiteral("Font/I")).toString(), QStringLiteral("0"));

    {
        frmMain form;
        QVERIFY(form.show());
        QCOMPARE(form.FSel.text(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(form.Char(100).fontName(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(form.chkB.value(), std::int16_t(1));
        QCOMPARE(form.chkSize.value(), std::int16_t(1));
        QCOMPARE(form.Char(100).fontSize(), 8.0f);
        QVERIFY(form.Char(100).fontBold());
        // A blank name survives too, exactly.
        form.FSel.setText(QStringLiteral(" "));
        QVERIFY(form.widget()->close());
    }
    platform::SettingsStore reread(QFile::encodeName(sandbox.confPath()));
    QCOMPARE(reread.getSetting("Font", "Name", "Arial"), QStringLiteral(" "));
}

void TestSettings::closeRaisesNoPromptAndNeverCancels()
{
    testing::Sandbox sandbox;
    frmMain form;
    QVERIFY(form.show());
    std::int16_t cancel = 0;
    form.Form_Unload(cancel);
    QCOMPARE(cancel, std::int16_t(0));
    // Nothing reaches the file before the close is done.
    QVERIFY(!QFile::exists(sandbox.confPath()));
    QVERIFY(form.widget()->close());
    QVERIFY(QFile::exists(sandbox.confPath()));
}

void TestSettings::closeReplacesTheFileByRename()
{
    // GIVEN a settings file with a second name, a hard link, that the close
    // knows nothing of
    testing::Sandbox sandbox;
    const QByteArray old("[Font]\nB=1\nI=0\nName=Arial\n\n[Options]\nSize=0\nSpace=0\n");
    sandbox.writeConf(old);
    const QString second = sandbox.root() + QStringLiteral("/second-name");
    QCOMPARE(::link(QFile::encodeName(sandbox.confPath()).constData(), QFile::encodeName(second).constData()), 0);
    // WHEN the close writes another value
    disk.log.clear();
    {
        frmMain form;
        QVERIFY(form.show());
        form.chkB.setValue(0);
        disk.watch = true;
        QVERIFY(form.widget()->close());
        disk.watch = false;
    }
    // THEN the path names a new file, and the old one was never written to
    QVERIFY(sandbox.readConf().contains("B=0"));
    QFile oldFile(second);
    QVERIFY(oldFile.open(QIODevice::ReadOnly));
    QCOMPARE(oldFile.readAll(), old);
    // AND the new file reached the disk before it took the name, the folder after
    const QStringList renames = disk.log.filter(QStringLiteral("rename "));
    QCOMPARE(renames.size(), 1);
    const qsizetype renamed = disk.log.indexOf(renames.first());
    const qsizetype fileSynced = disk.log.indexOf(QStringLiteral("fsync ") + renames.first().section(u' ', 1, 1));
    const qsizetype folderSynced
        = disk.log.indexOf(QStringLiteral("fsync ") + QFileInfo(sandbox.confPath()).canonicalPath());
    QVERIFY2(fileSynced >= 0 && fileSynced < renamed && folderSynced > renamed, qPrintable(disk.log.join(u'\n')));
}

void TestSettings::editedFiles_data()
{
    QTest::addColumn<QByteArray>("file"); // none when empty
    QTest::addColumn<QString>("nameRead");
    QTest::addColumn<QString>("nameClosed"); // the face at the close
    QTest::addColumn<QByteArray>("written"); // the close sets I to 1
    const QByteArray font("[Font]\nB=1\nI=0\nName=");
    const QByteArray options("\n[Options]\nSize=0\nSpace=0\n");
    QTest::newRow("byte order mark") << "\xef\xbb\xbf" + font + "Arial\n" + options << "Arial"
                                     << "Arial"
                                     << "\xef\xbb\xbf[Font]\nB=1\nI=1\nName=Arial\n" + options;
    QTest::newRow("only a byte order mark") << QByteArray("\xef\xbb\xbf") << "Arial"
                                            << "Arial"
                                            << "\xef\xbb\xbf[Font]\nB=0\nI=1\nName=Arial\n" + options;
    QTest::newRow("comments") << "# faces\n[Font]\nB=1\n; italic\nI=0\n  # name\nName=Arial\n" + options << "Arial"
                              << "Arial"
                              << "# faces\n[Font]\nB=1\n; italic\nI=1\n  # name\nName=Arial\n" + options;
    QTest::newRow("comma") << font + "DejaVu Sans,Bold\n" + options << "DejaVu Sans,Bold"
                           << "DejaVu Sans,Bold"
                           << "[Font]\nB=1\nI=1\nName=\"DejaVu Sans,Bold\"\n" + options;
    QTest::newRow("semicolon") << font + "Deja;Vu\n" + options << "Deja;Vu"
                               << "Deja;Vu"
                               << "[Font]\nB=1\nI=1\nName=\"Deja;Vu\"\n" + options;
    QTest::newRow("comment after a value") << "[Font]\nB=1 ; bold\nI=0\nName=Deja ;Vu\n" + options << "Deja"
                                           << "Deja"
                                           << "[Font]\nB=1 ; bold\nI=1\nName=Deja ;Vu\n" + options;
    QTest::newRow("escaped tab at the end") << font + "Tab\\t\n" + options << "Tab\t"
                                            << "Tab\t"
                                            << "[Font]\nB=1\nI=1\nName=Tab\\t\n" + options;
    QTest::newRow("one blank") << QByteArray() << "Arial"
                               << " "
                               << "[Font]\nB=0\nI=1\nName=\" \"\n" + options;
    QTest::newRow("quote and backslash") << QByteArray() << "Arial"
                                         << "A \"B\" \\C"
                                         << "[Font]\nB=0\nI=1\nName=A \\\"B\\\" \\\\C\n" + options;
    QTest::newRow("keys missing") << QByteArray("[Font]\nName=Arial\n; the end\n") << "Arial"
                                  << "Arial"
                                  << "[Font]\nName=Arial\nB=0\nI=1\n; the end\n" + options;
    QTest::newRow("CRLF, keys missing") << QByteArray("[Font]\r\nName=Arial\r\n") << "Arial"
                                        << "Arial"
                                        << QByteArray(
                                               "[Font]\r\nName=Arial\r\nB=0\r\nI=1\r\n\r\n[Options]\r\nSize=0\r\n"
                                               "Space=0\r\n");
    QTest::newRow("CR, keys missing") << QByteArray("[Font]\rName=Arial\r") << "Arial"
                                      << "Arial"
                                      << QByteArray("[Font]\rName=Arial\rB=0\rI=1\r\r[Options]\rSize=0\rSpace=0\r");
}

void TestSettings::editedFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, nameRead);
    QFETCH(QString, nameClosed);
    QFETCH(QByteArray, written);
    testing::Sandbox sandbox;
    if (!file.isEmpty())
        sandbox.writeConf(file);
    {
        frmMain form;
        QVERIFY(form.show());
        QCOMPARE(form.FSel.text(), nameRead);
        form.FSel.setText(nameClosed);
        form.chkI.setValue(1);
        QVERIFY(form.widget()->close());
    }
    QCOMPARE(sandbox.readConf(), written);
    // The face reads back as it was, by these rules and by QSettings' where it reads the file.
    platform::SettingsStore reread(QFile::encodeName(sandbox.confPath()));
    QCOMPARE(reread.getSetting("Font", "Name", "Arial"), nameClosed);
    if (!written.startsWith("\xef") && !written.contains('#'))
        QCOMPARE(QSettings(sandbox.confPath(), QSettings::IniFormat).value("Font/Name").toString(), nameClosed);
}

void TestSettings::folderIsAFile()
{
    // Fails even for root: a file stands where the folder should be.
    testing::Sandbox sandbox;
    QFile blocker(sandbox.root() + QStringLiteral("/Glyphery"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();

    frmMain form;
    QVERIFY(form.show());
    QVERIFY(!form.widget()->close()); // the window stays while the user reads why
    QCOMPARE(testing::reportedErrors().size(), 1);
    const QString message = testing::reportedErrors().first();
    QVERIFY2(message.contains(sandbox.confPath()), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("is not a folder")), qPrintable(message));
    QVERIFY(message.startsWith(QStringLiteral("Run-time error '75'")));
    QVERIFY(platform::isEnding());
    QCOMPARE(platform::endingStatus(), 1);
    QVERIFY(blocker.open(QIODevice::ReadOnly));
    QCOMPARE(blocker.readAll(), QByteArray("not a folder"));
}

namespace {

const QByteArray oldValues("[Font]\nB=1\nI=0\nName=Arial\n\n[Options]\nSize=0\nSpace=0\n");
const QByteArray brokenValues("[Font\nB=1\n");
const QByteArray decoyValues("[Font]\nB=2\n");

// What stands where the settings file or its lock should be.
enum class Hostile {
    Folder,
    LinkToFolder,
    Fifo,
    Socket,
    Device,
    LinkToFile,
    RelativeLinkStartedElsewhere,
    DanglingLinkIntoMissingFolder,
    ImmutableFile,
    BrokenImmutableFile,
    BrokenWhileRunning,
    NoBackupNameFree,
    LastBackupNameFree,
    DiskFailsAfterKeep,
    TmpdirMissing,
    TmpdirIsAFile,
    LockIsFolder,
    LockIsDanglingLink,
    ImmutableLock,
    AbandonedLock,
    LockHeld,
    LockHeldTillSignal,
};

bool setImmutable(const QString &path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

} // namespace

void TestSettings::hostilePaths_data()
{
    QTest::addColumn<int>("hostileRow");
    // Part of the error reported at close; none when empty.
    QTest::addColumn<QString>("error");
    // Part of the warning that the file was left alone; none when empty.
    QTest::addColumn<QString>("leftAlone");
    // The close's values reach the file the path leads to.
    QTest::addColumn<bool>("written");
    using H = Hostile;
    // Not a regular file: defaults, never replaced, no failure.
    QTest::newRow("folder") << int(H::Folder) << ""
                            << "is a folder" << false;
    QTest::newRow("link to a folder") << int(H::LinkToFolder) << ""
                                      << "is a folder" << false;
    QTest::newRow("FIFO") << int(H::Fifo) << ""
                          << "is a FIFO" << false;
    QTest::newRow("socket") << int(H::Socket) << ""
                            << "is a socket" << false;
    QTest::newRow("link to a device") << int(H::Device) << ""
                                      << "is a character device" << false;
    // A link to a regular file stays; its target is rewritten.
    QTest::newRow("link to a file") << int(H::LinkToFile) << ""
                                    << "" << true;
    // Relative to the link's own folder, not to where the program started.
    QTest::newRow("relative link, started elsewhere") << int(H::RelativeLinkStartedElsewhere) << ""
                                                      << "" << true;
    QTest::newRow("dangling link into a missing folder")
        << int(H::DanglingLinkIntoMissingFolder) << "No such file or directory"
        << "" << false;
    QTest::newRow("immutable file") << int(H::ImmutableFile) << "Operation not permitted"
                                    << "" << false;
    QTest::newRow("broken immutable file") << int(H::BrokenImmutableFile) << "Operation not permitted"
                                           << "" << false;
    QTest::newRow("broken while running") << int(H::BrokenWhileRunning) << ""
                                          << "" << true;
    QTest::newRow("no backup name free") << int(H::NoBackupNameFree) << ".broken.999 all exist (File exists)"
                                         << "" << false;
    QTest::newRow("last backup name free") << int(H::LastBackupNameFree) << ""
                                           << "" << true;
    QTest::newRow("disk fails after the broken file was kept")
        << int(H::DiskFailsAfterKeep) << "cannot be written (fsync: No space left on device)"
        << "" << false;
    // Nothing goes through the temporary folder.
    QTest::newRow("TMPDIR missing") << int(H::TmpdirMissing) << ""
                                    << "" << true;
    QTest::newRow("TMPDIR a regular file") << int(H::TmpdirIsAFile) << ""
                                           << "" << true;
    QTest::newRow("lock is a folder") << int(H::LockIsFolder)
                                      << ".lock: it is a folder, not a lock file (open: Is a directory)"
                                      << "" << false;
    QTest::newRow("lock is a dangling link")
        << int(H::LockIsDanglingLink)
        << ".lock: it is a symbolic link, not a lock file (open: Too many levels of symbolic links)"
        << "" << false;
    QTest::newRow("immutable lock") << int(H::ImmutableLock) << ".lock: open: Operation not permitted"
                                    << "" << false;
    // Left by a process that was killed: no one holds it.
    QTest::newRow("abandoned lock") << int(H::AbandonedLock) << ""
                                    << "" << true;
    QTest::newRow("lock held") << int(H::LockHeld) << QStringLiteral(".lock: it is held by process %1").arg(getpid())
                               << "" << false;
    QTest::newRow("lock held, then a termination signal")
        << int(H::LockHeldTillSignal) << ".lock: the wait for it was ended by a termination signal"
        << "" << false;
}

void TestSettings::hostilePaths()
{
    QFETCH(int, hostileRow);
    const auto hostile = Hostile(hostileRow);
    QFETCH(QString, error);
    QFETCH(QString, leftAlone);
    QFETCH(bool, written);
    testing::Sandbox sandbox;
    const QString conf = sandbox.confPath();
    const QByteArray confName = QFile::encodeName(conf);
    const QString elsewhere = sandbox.root() + QStringLiteral("/elsewhere");
    const QString lock = conf + QStringLiteral(".lock");
    QVERIFY(QDir().mkpath(elsewhere));
    const bool broken = hostile == Hostile::BrokenImmutableFile || hostile == Hostile::NoBackupNameFree
        || hostile == Hostile::LastBackupNameFree || hostile == Hostile::DiskFailsAfterKeep;
    sandbox.writeConf(broken ? brokenValues : oldValues);
    QVERIFY(QFile::remove(conf));
    QString target = conf; // where the values would go
    QString immutable;
    std::unique_ptr<QLockFile> held;

    switch (hostile) {
    case Hostile::Folder: QVERIFY(QDir().mkpath(conf + QStringLiteral("/inside"))); break;
    case Hostile::LinkToFolder: QVERIFY(QFile::link(elsewhere, conf)); break;
    case Hostile::Fifo: QCOMPARE(::mkfifo(confName.constData(), 0644), 0); break;
    case Hostile::Socket: {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        if (std::size_t(confName.size()) >= sizeof address.sun_path)
            QSKIP("the temporary path is too long for a socket");
        std::memcpy(address.sun_path, confName.constData(), std::size_t(confName.size()));
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        ::close(fd);
        break;
    }
    case Hostile::Device: {
        // The null device's numbers, made here: a fault must not reach /dev/null.
        const QString device = elsewhere + QStringLiteral("/null");
        if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("device nodes cannot be made here");
        QVERIFY(QFile::link(device, conf));
        break;
    }
    case Hostile::LinkToFile:
        target = elsewhere + QStringLiteral("/real.conf");
        QVERIFY(writeFile(target, oldValues));
        QVERIFY(QFile::link(target, conf));
        break;
    case Hostile::RelativeLinkStartedElsewhere:
        target = elsewhere + QStringLiteral("/real.conf");
        QVERIFY(writeFile(target, oldValues));
        QVERIFY(QDir().mkpath(sandbox.root() + QStringLiteral("/decoy/elsewhere")));
        QVERIFY(QDir().mkpath(sandbox.root() + QStringLiteral("/decoy/started")));
        QVERIFY(writeFile(sandbox.root() + QStringLiteral("/decoy/elsewhere/real.conf"), decoyValues));
        QCOMPARE(::symlink("../elsewhere/real.conf", confName.constData()), 0);
        QVERIFY(QDir::setCurrent(sandbox.root() + QStringLiteral("/decoy/started")));
        break;
    case Hostile::DanglingLinkIntoMissingFolder:
        QVERIFY(QFile::link(elsewhere + QStringLiteral("/missing/Glyphery.conf"), conf));
        break;
    case Hostile::ImmutableFile:
    case Hostile::BrokenImmutableFile:
        QVERIFY(writeFile(conf, broken ? brokenValues : oldValues));
        immutable = conf;
        break;
    case Hostile::BrokenWhileRunning:
    case Hostile::AbandonedLock:
    case Hostile::TmpdirMissing:
    case Hostile::TmpdirIsAFile: QVERIFY(writeFile(conf, oldValues)); break;
    case Hostile::DiskFailsAfterKeep: QVERIFY(writeFile(conf, brokenValues)); break;
    case Hostile::NoBackupNameFree:
    case Hostile::LastBackupNameFree:
        QVERIFY(writeFile(conf, brokenValues));
        for (int n = 0; n < (hostile == Hostile::NoBackupNameFree ? 1000 : 999); ++n)
            QVERIFY(
                writeFile(conf + QStringLiteral(".broken") + (n ? QStringLiteral(".%1").arg(n) : QString()), "kept"));
        break;
    case Hostile::LockIsFolder:
        QVERIFY(writeFile(conf, oldValues));
        QVERIFY(QDir().mkpath(lock));
        break;
    case Hostile::LockIsDanglingLink:
        QVERIFY(writeFile(conf, oldValues));
        QVERIFY(QFile::link(elsewhere + QStringLiteral("/nowhere"), lock));
        break;
    case Hostile::ImmutableLock:
        QVERIFY(writeFile(conf, oldValues));
        QVERIFY(writeFile(lock, "99999\n"));
        immutable = lock;
        break;
    case Hostile::LockHeld:
    case Hostile::LockHeldTillSignal:
        QVERIFY(writeFile(conf, oldValues));
        held = std::make_unique<QLockFile>(lock);
        QVERIFY(held->tryLock(0));
        break;
    }
    if (hostile == Hostile::AbandonedLock)
        QVERIFY(writeFile(lock, "99999\nGlyphery\nnowhere\n"));
    const QByteArray tmpdir = qgetenv("TMPDIR");
    if (hostile == Hostile::TmpdirMissing)
        qputenv("TMPDIR", QFile::encodeName(elsewhere + QStringLiteral("/missing")));
    if (hostile == Hostile::TmpdirIsAFile) {
        QVERIFY(writeFile(elsewhere + QStringLiteral("/file"), "a file"));
        qputenv("TMPDIR", QFile::encodeName(elsewhere + QStringLiteral("/file")));
    }
    if (!immutable.isEmpty() && !setImmutable(immutable, true))
        QSKIP("immutable files cannot be made here");
    const QString started = QDir::currentPath();
    const auto cleanUp = qScopeGuard([&] {
        QDir::setCurrent(started);
        if (!immutable.isEmpty())
            setImmutable(immutable, false);
        tmpdir.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir);
        disk = {};
    });
    struct stat before = {};
    const bool existed = ::stat(QFile::encodeName(target).constData(), &before) == 0;
    const QByteArray oldContent = existed && S_ISREG(before.st_mode) ? contentOf(target) : QByteArray();

    testing::WarningLog log;
    std::thread signaller;
    {
        frmMain form;
        // An open that waits for a FIFO's writer would wait for good: one comes
        // after 2 s, and tells.
        std::atomic<bool> shown = false, blocked = false;
        std::thread writer;
        if (hostile == Hostile::Fifo)
            writer = std::thread([&] {
                for (int tick = 0; tick < 200 && !shown; ++tick)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                const int fd = shown ? -1 : ::open(confName.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                blocked = fd >= 0;
                if (fd >= 0)
                    ::close(fd);
            });
        const bool showed = form.show();
        shown = true;
        if (writer.joinable())
            writer.join();
        QVERIFY2(!blocked, "the start waits for the FIFO's writer");
        QVERIFY(showed);
        // The old values where there was a readable file, else the defaults.
        QCOMPARE(form.chkB.value(), std::int16_t(existed && S_ISREG(before.st_mode) && !broken ? 1 : 0));
        form.chkB.setValue(0);
        form.chkSpace.setValue(1);
        if (hostile == Hostile::BrokenWhileRunning)
            QVERIFY(writeFile(conf, brokenValues));
        if (hostile == Hostile::LockHeldTillSignal) {
            platform::closeOnTerminationSignals(form.widget());
            // The close itself may come from a signal; only a later one ends the wait.
            signaller = std::thread([] {
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                ::kill(::getpid(), SIGTERM);
            });
        }
        disk.fsyncError = hostile == Hostile::DiskFailsAfterKeep ? ENOSPC : 0;
        disk.watch = disk.fsyncError != 0;
        QElapsedTimer closing;
        closing.start();
        const bool closed = form.widget()->close();
        disk = {};
        if (signaller.joinable())
            signaller.join();
        QVERIFY2(closing.elapsed() < 10000, "the close waits without a bound");
        QCOMPARE(closed, error.isEmpty());
    }

    const QStringList errors = testing::takeErrors();
    if (error.isEmpty()) {
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
    } else {
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(conf) && errors.first().contains(error), qPrintable(errors.first()));
    }
    const QStringList notes = testing::WarningLog::lines().filter(QStringLiteral("the settings were not written"));
    if (leftAlone.isEmpty()) {
        QVERIFY(notes.isEmpty());
    } else {
        QCOMPARE(notes.size(), 1);
        QVERIFY2(notes.first().contains(leftAlone), qPrintable(notes.first()));
        // The start says what stands there too.
        const QStringList atStart = testing::WarningLog::lines().filter(QStringLiteral("using the defaults"));
        QCOMPARE(atStart.size(), 1);
        QVERIFY2(atStart.first().contains(leftAlone), qPrintable(atStart.first()));
    }

    // What stood there stands there still, of the same kind, and a regular
    // file holds either what it held or the session's values.
    struct stat after = {};
    const bool exists = ::stat(QFile::encodeName(target).constData(), &after) == 0;
    QCOMPARE(exists, existed || written);
    if (existed)
        QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
    if (written) {
        QSettings values(target, QSettings::IniFormat);
        QCOMPARE(values.status(), QSettings::NoError);
        QCOMPARE(values.value(QStringLiteral("Font/B")).toString(), QStringLiteral("0"));
        QCOMPARE(values.value(QStringLiteral("Options/Space")).toString(), QStringLiteral("1"));
    } else if (existed && S_ISREG(before.st_mode)) {
        QCOMPARE(contentOf(target), oldContent);
    }
    if (target != conf)
        QVERIFY(QFileInfo(conf).isSymLink());
    if (hostile == Hostile::RelativeLinkStartedElsewhere)
        QCOMPARE(contentOf(sandbox.root() + QStringLiteral("/decoy/elsewhere/real.conf")), decoyValues);
    // A broken file is kept whole, or, when nothing is written, left as the only copy.
    const bool keptBroken = hostile == Hostile::BrokenWhileRunning;
    QCOMPARE(QFile::exists(conf + QStringLiteral(".broken")),
             keptBroken || hostile == Hostile::NoBackupNameFree || hostile == Hostile::LastBackupNameFree);
    if (keptBroken)
        QCOMPARE(contentOf(conf + QStringLiteral(".broken")), brokenValues);
    if (hostile == Hostile::NoBackupNameFree || hostile == Hostile::LastBackupNameFree)
        QCOMPARE(contentOf(conf + QStringLiteral(".broken.999")),
                 hostile == Hostile::NoBackupNameFree ? QByteArray("kept") : brokenValues);
    // A close that went through leaves no lock behind.
    if (error.isEmpty())
        QVERIFY(!QFileInfo::exists(lock));
    if (hostile == Hostile::Folder)
        QVERIFY(QFileInfo(conf + QStringLiteral("/inside")).isDir());
    if (held)
        QVERIFY(held->isLocked());
}

void TestSettings::relativeConfigHomeIsIgnored()
{
    testing::Sandbox sandbox;
    const QByteArray home = qgetenv("HOME");
    const auto restore = qScopeGuard([&] { qputenv("HOME", home); });
    const QByteArray root = QFile::encodeName(sandbox.root());
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", "relcfg");
    QCOMPARE(platform::SettingsStore::pathFor(QStringLiteral("Glyphery")), root + "/.config/Glyphery/Glyphery.conf");
    qputenv("XDG_CONFIG_HOME", root + "/absolute/");
    QCOMPARE(platform::SettingsStore::pathFor(QStringLiteral("Glyphery")), root + "/absolute/Glyphery/Glyphery.conf");
    // A home folder named in Latin-1.
    qunsetenv("XDG_CONFIG_HOME");
    qputenv("HOME", root + "/Jos\xe9");
    QCOMPARE(platform::SettingsStore::pathFor(QStringLiteral("Glyphery")),
             root + "/Jos\xe9/.config/Glyphery/Glyphery.conf");
    // With HOME unset or relative too, the home folder is the password database's.
    const QByteArray database = QByteArray(::getpwuid(::getuid())->pw_dir) + "/.config/Glyphery/Glyphery.conf";
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("HOME");
    QCOMPARE(platform::SettingsStore::pathFor(QStringLiteral("Glyphery")), database);
    qputenv("HOME", "relhome");
    QCOMPARE(platform::SettingsStore::pathFor(QStringLiteral("Glyphery")), database);
}

void TestSettings::noHomeFolderAtAll()
{
    // GIVEN no HOME, no XDG_CONFIG_HOME, and a user the password database does not know
    testing::Sandbox sandbox;
    const QByteArray home = qgetenv("HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_CONFIG_HOME");
    nobodyKnown = true;
    const auto restore = qScopeGuard([&] {
        nobodyKnown = false;
        qputenv("HOME", home);
    });
    testing::WarningLog log;
    frmMain form;
    QVERIFY(form.show());
    nobodyKnown = false;
    // THEN the window opens with the defaults and says why
    QCOMPARE(form.FSel.text(), QStringLiteral("Arial"));
    const QStringList warned = testing::WarningLog::lines().filter(QStringLiteral("cannot be found"));
    QCOMPARE(warned.size(), 1);
    QVERIFY2(warned.first().contains(QStringLiteral("not in the password database")), qPrintable(warned.first()));
    // AND the close fails with the same reason
    QVERIFY(!form.widget()->close());
    const QStringList errors = testing::takeErrors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().startsWith(QStringLiteral("Run-time error '75'"))
                 && errors.first().contains(QStringLiteral("not in the password database")),
             qPrintable(errors.first()));
}

// A file the user made private stays private; run as root in the user's
// folders (sudo -E), the close leaves the file, and what it makes, theirs.
void TestSettings::ownerAndModeKept()
{
    testing::Sandbox sandbox;
    sandbox.writeConf("[Font]\nB=1\n");
    const QByteArray root = QFile::encodeName(sandbox.root()), conf = QFile::encodeName(sandbox.confPath());
    QCOMPARE(::chmod(conf, 0600), 0);
    const bool asRoot = ::geteuid() == 0;
    constexpr uid_t user = 65534; // nobody
    for (const QByteArray &path : {root, root + "/Glyphery", conf})
        QVERIFY(!asRoot || ::chown(path, user, user) == 0);
    const auto close = [] {
        frmMain form;
        QVERIFY(form.show());
        form.chkI.setValue(1);
        QVERIFY(form.widget()->close());
    };
    close();
    struct stat st = {};
    QCOMPARE(::stat(conf, &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0600));
    QCOMPARE(st.st_uid, asRoot ? user : ::geteuid());
    QVERIFY(sandbox.readConf().contains("I=1"));
    // A broken one, where the file system has no second names, is kept as a copy with its own mode.
    sandbox.writeConf(brokenValues);
    QCOMPARE(::chmod(conf, 0640), 0);
    disk.noSecondNames = true;
    close();
    disk.noSecondNames = false;
    QCOMPARE(contentOf(sandbox.confPath() + QStringLiteral(".broken")), brokenValues);
    QCOMPARE(::stat(conf + ".broken", &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640));
    if (!asRoot)
        return;
    // A first close in a folder of the user's makes the folder and the file theirs.
    QCOMPARE(::mkdir(root + "/fresh", 0700), 0);
    QCOMPARE(::chown(root + "/fresh", user, user), 0);
    qputenv("XDG_CONFIG_HOME", root + "/fresh");
    close();
    for (const QByteArray &made : {QByteArray("/fresh/Glyphery"), QByteArray("/fresh/Glyphery/Glyphery.conf")}) {
        QCOMPARE(::stat(root + made, &st), 0);
        QCOMPARE(st.st_uid, user);
    }
    QVERIFY(testing::reportedErrors().isEmpty());
}

namespace {

// The users of run_with_users.sh, when this runs as root beside them.
struct TestUsers
{
    uid_t ann = 0, bob = 0, carol = 0;
    gid_t annGroup = 0, share = 0;
};

std::optional<TestUsers> testUsers()
{
    if (::geteuid() != 0)
        return {};
    TestUsers users;
    for (const auto &[name, uid] : {std::pair{"glyphery-ann", &users.ann}, std::pair{"glyphery-bob", &users.bob},
                                    std::pair{"glyphery-carol", &users.carol}}) {
        const passwd *user = ::getpwnam(name);
        if (!user)
            return {};
        *uid = user->pw_uid;
        users.annGroup = uid == &users.ann ? user->pw_gid : users.annGroup;
    }
    const group *share = ::getgrnam("glyphery-share");
    if (!share)
        return {};
    users.share = share->gr_gid;
    return users;
}

// Each entry below a folder, links not followed, with its owner, group, mode
// and content: what must stay as it was.
QStringList snapshot(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st = {};
        ::lstat(QFile::encodeName(path).constData(), &st);
        entries << QStringLiteral("%1 %2:%3 %4 %5")
                       .arg(path)
                       .arg(st.st_uid)
                       .arg(st.st_gid)
                       .arg(st.st_mode, 0, 8)
                       .arg(QString::fromLatin1(S_ISREG(st.st_mode) ? contentOf(path).toHex() : QByteArray()));
    }
    entries.sort();
    return entries;
}

bool owned(const QString &path, uid_t owner, gid_t group, mode_t mode)
{
    const QByteArray name = QFile::encodeName(path);
    return ::chown(name, owner, group) == 0 && ::chmod(name, mode) == 0;
}

bool makeFile(const QString &path, const QByteArray &content, uid_t owner, gid_t group, mode_t mode)
{
    return writeFile(path, content) && owned(path, owner, group, mode);
}

bool makeFolder(const QString &path, uid_t owner, gid_t group, mode_t mode)
{
    return QDir().mkpath(path) && owned(path, owner, group, mode);
}

bool link(const QString &target, const QString &name)
{
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(name).constData()) == 0;
}

// What another user plants where root acts for them.
enum class Planted {
    LinkFlippedAfterTheRead,
    LockHardLinkedToRootsFile,
    LockLeftByRoot,
    LinkToRootsFile,
    DanglingLinkIntoRootsFolder,
    FolderLinkToRootsFolder,
    LinkToThirdUsersFile,
    FolderSwappedWhileOpen,
    RootsOwnFolder,
    RootsLinkIntoTheFolder,
};

// A POSIX access ACL as the kernel stores it: version 2, then tag, permissions, id.
QByteArray acl(std::initializer_list<std::array<quint32, 3>> entries)
{
    QByteArray bytes;
    const auto put = [&bytes](quint32 value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += char(value >> (8 * i));
    };
    put(2, 4);
    for (const auto &[tag, permissions, id] : entries) {
        put(tag, 2);
        put(permissions, 2);
        put(id, 4);
    }
    return bytes;
}

QByteArray attribute(const QString &path, const char *name)
{
    char value[512];
    const ssize_t size = ::getxattr(QFile::encodeName(path).constData(), name, value, sizeof value);
    return size < 0 ? QByteArray("<none>") : QByteArray(value, int(size));
}

} // namespace

void TestSettings::asRootInAnotherUsersFolder_data()
{
    QTest::addColumn<int>("planted");
    QTest::addColumn<QString>("error"); // part of the reported error; none when empty
    QTest::addColumn<QString>("written"); // the file that gets the values, below the test's folder
    using P = Planted;
    const QString conf = QStringLiteral("ann/config/Glyphery/Glyphery.conf");
    QTest::newRow("link flipped to root's file after the read") << int(P::LinkFlippedAfterTheRead) << ""
                                                                << "ann/own.conf";
    QTest::newRow("lock hard-linked to root's file") << int(P::LockHardLinkedToRootsFile) << "" << conf;
    QTest::newRow("lock left by root") << int(P::LockLeftByRoot) << "" << conf;
    QTest::newRow("link to root's file") << int(P::LinkToRootsFile) << "Permission denied"
                                         << "";
    QTest::newRow("dangling link into root's folder") << int(P::DanglingLinkIntoRootsFolder) << "Permission denied"
                                                      << "";
    QTest::newRow("folder a link to root's folder") << int(P::FolderLinkToRootsFolder) << "Permission denied"
                                                    << "";
    QTest::newRow("link to a third user's file") << int(P::LinkToThirdUsersFile) << "Permission denied"
                                                 << "";
    QTest::newRow("folder swapped for a link while open") << int(P::FolderSwappedWhileOpen) << "Permission denied"
                                                          << "";
    QTest::newRow("root's own folder") << int(P::RootsOwnFolder) << ""
                                       << "rootcfg/Glyphery/Glyphery.conf";
    // Through root's own link the file is in ann's folder, which ann controls.
    QTest::newRow("root's link into ann's folder") << int(P::RootsLinkIntoTheFolder) << "Permission denied"
                                                   << "";
}

// Run as root with another user's settings path (sudo -E), whatever that
// user plants there: root's and a third user's files stay as they were.
void TestSettings::asRootInAnotherUsersFolder()
{
    const std::optional<TestUsers> users = testUsers();
    if (!users)
        QSKIP("needs root and the users of run_with_users.sh");
    QFETCH(int, planted);
    QFETCH(QString, error);
    QFETCH(QString, written);
    const auto plant = Planted(planted);
    testing::Sandbox sandbox;
    // GIVEN ann's settings, root's files beside them and carol's private ones
    const QString base = sandbox.root();
    QCOMPARE(::chmod(QFile::encodeName(base), 0755), 0);
    const QString glyphery = base + QStringLiteral("/ann/config/Glyphery"), conf = glyphery + "/Glyphery.conf";
    for (const QString &folder : {base + "/ann", base + "/ann/config", glyphery})
        QVERIFY(makeFolder(folder, users->ann, users->annGroup, 0755));
    QVERIFY(makeFile(conf, oldValues, users->ann, users->annGroup, 0644));
    QVERIFY(makeFile(base + "/ann/own.conf", oldValues, users->ann, users->annGroup, 0644));
    QVERIFY(makeFolder(base + "/root/profile.d", 0, 0, 0755));
    QVERIFY(makeFile(base + "/root/shadow", "root:secret\n", 0, 0, 0640));
    QVERIFY(makeFile(base + "/root/world", "root's\n", 0, 0, 0666));
    QVERIFY(makeFile(base + "/root/file.conf", oldValues, 0, 0, 0644));
    QVERIFY(makeFolder(base + "/carol", users->carol, users->carol, 0700));
    const QByteArray carols("[Font]\nName=Carol's own face\n");
    QVERIFY(makeFile(base + "/carol/private.conf", carols, users->carol, users->carol, 0600));
    QVERIFY(makeFile(base + "/carol/Glyphery.conf", carols, users->carol, users->carol, 0600));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(base + "/ann/config"));
    switch (plant) {
    case Planted::LinkFlippedAfterTheRead: QVERIFY(QFile::remove(conf) && link(base + "/ann/own.conf", conf)); break;
    case Planted::LockHardLinkedToRootsFile:
        QCOMPARE(::link(QFile::encodeName(base + "/root/world"), QFile::encodeName(conf + ".lock")), 0);
        break;
    case Planted::LockLeftByRoot: QVERIFY(makeFile(conf + ".lock", "root's\n", 0, 0, 0666)); break;
    case Planted::LinkToRootsFile: QVERIFY(QFile::remove(conf) && link(base + "/root/file.conf", conf)); break;
    case Planted::DanglingLinkIntoRootsFolder:
        QVERIFY(QFile::remove(conf) && link(base + "/root/new.conf", conf));
        break;
    case Planted::FolderLinkToRootsFolder:
        QVERIFY(QDir(glyphery).removeRecursively() && link(base + "/root/profile.d", glyphery));
        break;
    case Planted::LinkToThirdUsersFile: QVERIFY(QFile::remove(conf) && link(base + "/carol/private.conf", conf)); break;
    case Planted::FolderSwappedWhileOpen: break;
    case Planted::RootsOwnFolder:
    case Planted::RootsLinkIntoTheFolder:
        QVERIFY(makeFolder(base + "/rootcfg/Glyphery", 0, 0, 0755));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(base + "/rootcfg"));
        if (plant == Planted::RootsLinkIntoTheFolder)
            QVERIFY(link(base + "/ann/own.conf", base + "/rootcfg/Glyphery/Glyphery.conf"));
        break;
    }
    const QStringList rootsBefore = snapshot(base + "/root"), carolsBefore = snapshot(base + "/carol");
    const QStringList annsBefore = snapshot(base + "/ann");
    // Root's file at the lock's name, watched through a descriptor of its own.
    const platform::Descriptor rootsLock(
        plant == Planted::LockLeftByRoot ? ::open(QFile::encodeName(conf + ".lock"), O_RDONLY | O_CLOEXEC) : -1);
    const auto disarm = qScopeGuard([] { atEndOfRead = {}; });
    // WHEN the window closes with a face name that a shell would run
    {
        frmMain form;
        QVERIFY(form.show());
        QVERIFY(!form.FSel.text().contains(QStringLiteral("Carol"))); // not read for ann
        form.FSel.setText(QStringLiteral("$(touch pwned)"));
        form.chkI.setValue(1);
        if (plant == Planted::LinkFlippedAfterTheRead)
            atEndOfRead = {realPath(QFile::encodeName(base + "/ann/own.conf")), [&] {
                               QVERIFY(link(base + "/root/shadow", conf + ".flip"));
                               QVERIFY(::rename(QFile::encodeName(conf + ".flip"), QFile::encodeName(conf)) == 0);
                           }};
        if (plant == Planted::FolderSwappedWhileOpen)
            QVERIFY(QDir().rename(glyphery, glyphery + ".old") && link(base + "/carol", glyphery));
        QCOMPARE(form.widget()->close(), error.isEmpty());
    }
    // THEN the close did what ann could have done herself, or failed and said why
    const QStringList errors = testing::takeErrors();
    QCOMPARE(errors.size(), error.isEmpty() ? 0 : 1);
    if (!error.isEmpty())
        QVERIFY2(errors.first().contains(error), qPrintable(errors.first()));
    if (!written.isEmpty()) {
        QSettings values(base + u'/' + written, QSettings::IniFormat);
        QCOMPARE(values.value(QStringLiteral("Font/I")).toString(), QStringLiteral("1"));
        struct stat st = {};
        QCOMPARE(::stat(QFile::encodeName(base + u'/' + written), &st), 0);
        QCOMPARE(st.st_uid, plant == Planted::RootsOwnFolder ? 0 : users->ann);
    }
    QCOMPARE(snapshot(base + "/root"), rootsBefore);
    QCOMPARE(snapshot(base + "/carol"), carolsBefore);
    if (plant == Planted::RootsLinkIntoTheFolder)
        QCOMPARE(snapshot(base + "/ann"), annsBefore);
    if (rootsLock.valid()) {
        char text[16] = {};
        struct stat st = {};
        QCOMPARE(::pread(rootsLock.get(), text, sizeof text, 0), ssize_t(7));
        QCOMPARE(QByteArray(text), QByteArray("root's\n"));
        QCOMPARE(::fstat(rootsLock.get(), &st), 0);
        QCOMPARE(st.st_uid, uid_t(0));
    }
}

// Run as root for another user, what the close makes is that user's, with
// their own group; what it replaces keeps its group, its ACL and the user's
// extended attributes.
void TestSettings::asRootOwnersGroupsAndAclsKept()
{
    const std::optional<TestUsers> users = testUsers();
    if (!users)
        QSKIP("needs root and the users of run_with_users.sh");
    testing::Sandbox sandbox;
    const QString base = sandbox.root(), conf = base + QStringLiteral("/ann/config/Glyphery/Glyphery.conf");
    QCOMPARE(::chmod(QFile::encodeName(base), 0755), 0);
    // GIVEN ann's home folder, whose group is another of hers
    QVERIFY(makeFolder(base + "/ann", users->ann, users->share, 0755));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(base + "/ann/config"));
    const auto close = [] {
        frmMain form;
        QVERIFY(form.show());
        form.chkB.setValue(form.chkB.value() ? 0 : 1);
        QVERIFY(form.widget()->close());
    };
    // WHEN the first close makes her folders and file THEN they are hers, in her own group
    close();
    for (const QString &made : {QStringLiteral("/ann/config"), QStringLiteral("/ann/config/Glyphery"),
                                QStringLiteral("/ann/config/Glyphery/Glyphery.conf")}) {
        struct stat st = {};
        QCOMPARE(::stat(QFile::encodeName(base + made), &st), 0);
        QCOMPARE(st.st_uid, users->ann);
        QCOMPARE(st.st_gid, users->annGroup);
    }
    // GIVEN her file in the other group, shared with bob through an ACL, with a note of hers
    const QByteArray name = QFile::encodeName(conf);
    QVERIFY(owned(conf, users->ann, users->share, 0660));
    const QByteArray shared
        = acl({{0x01, 6, ~0u}, {0x02, 6, users->bob}, {0x04, 0, ~0u}, {0x10, 6, ~0u}, {0x20, 0, ~0u}});
    if (::setxattr(name, "system.posix_acl_access", shared.constData(), std::size_t(shared.size()), 0) != 0)
        QSKIP("no ACLs on this file system");
    QCOMPARE(::setxattr(name, "user.note", "hers", 4, 0), 0);
    const QByteArray aclBefore = attribute(conf, "system.posix_acl_access");
    // WHEN the close replaces it
    close();
    // THEN it keeps her, its group, its mode, its ACL and her note
    struct stat st = {};
    QCOMPARE(::stat(name, &st), 0);
    QCOMPARE(st.st_uid, users->ann);
    QCOMPARE(st.st_gid, users->share);
    QCOMPARE(st.st_mode & 07777, mode_t(0660));
    QCOMPARE(attribute(conf, "system.posix_acl_access"), aclBefore);
    QCOMPARE(attribute(conf, "user.note"), QByteArray("hers"));
    QVERIFY(testing::reportedErrors().isEmpty());
}

void TestSettings::folderNotWritable()
{
    if (geteuid() == 0)
        QSKIP("root writes into a read-only folder");
    testing::Sandbox sandbox;
    const QByteArray old("[Font]\nB=1\nI=0\nName=Arial\n\n[Options]\nSize=0\nSpace=0\n");
    sandbox.writeConf(old);
    const QString folder = sandbox.root() + QStringLiteral("/Glyphery");
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    {
        frmMain form;
        QVERIFY(form.show());
        form.chkB.setValue(0);
        QVERIFY(!form.widget()->close());
        QCOMPARE(testing::reportedErrors().size(), 1);
        QVERIFY(testing::reportedErrors().first().contains(QStringLiteral("Permission denied")));
    }
    // A folder to be made in one that is read-only: its own creation fails, and says why.
    testing::takeErrors();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder + QStringLiteral("/missing")));
    {
        frmMain form;
        QVERIFY(form.show());
        QVERIFY(!form.widget()->close());
        const QString message = testing::takeErrors().value(0);
        QVERIFY2(message.contains(folder + QStringLiteral("/missing cannot be created (mkdir: Permission denied)")),
                 qPrintable(message));
    }
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    QCOMPARE(sandbox.readConf(), old);
}

void TestSettings::tooManyOpenFiles()
{
    // GIVEN a process that can open no more files, as under `ulimit -n 12`
    testing::Sandbox sandbox;
    platform::SettingsStore store(QFile::encodeName(sandbox.confPath()));
    store.saveSetting("Font", "B", "1");
    rlimit limit = {};
    QCOMPARE(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    const rlimit low = {64, limit.rlim_max};
    QCOMPARE(::setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<int> taken;
    for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
        taken.push_back(fd);
    // WHEN the close writes
    QString message;
    try {
        store.commit();
    } catch (const platform::RuntimeError &error) {
        message = error.message();
    }
    for (const int fd : taken)
        ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &limit);
    // THEN the message names the call that failed and the system's reason
    QVERIFY2(message.contains(QStringLiteral("open: Too many open files")), qPrintable(message));
}

void TestSettings::lockBurst()
{
    // GIVEN twenty processes that take the lock at one moment, three times
    // each, in four rounds, each logging when it held it
    QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("held.log"));
    QVERIFY(writeFile(log, {}));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("GLYPHERY_LOCK_LOG"), log);
    for (int round = 0; round < 4; ++round) {
        std::vector<std::unique_ptr<QProcess>> holders;
        for (int n = 0; n < 20; ++n) {
            holders.push_back(std::make_unique<QProcess>());
            holders.back()->setProcessEnvironment(environment);
            holders.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            holders.back()->start(QCoreApplication::applicationFilePath(), {QStringLiteral("lockHolder")});
        }
        for (const auto &holder : holders) {
            QByteArray said;
            while (!said.contains("ready\n") && holder->waitForReadyRead(30000))
                said += holder->readAllStandardOutput();
            QVERIFY2(said.contains("ready\n"), said.constData());
        }
        for (const auto &holder : holders) {
            holder->write("go\n");
            QVERIFY(holder->waitForBytesWritten());
        }
        for (const auto &holder : holders) {
            QVERIFY(holder->waitForFinished(30000));
            QCOMPARE(holder->exitCode(), 0);
        }
    }
    // THEN no two held it at once
    std::vector<std::pair<qint64, qint64>> held;
    for (const QByteArray &line : contentOf(log).split('\n')) {
        if (!line.isEmpty())
            held.emplace_back(line.split(' ').value(0).toLongLong(), line.split(' ').value(1).toLongLong());
    }
    QCOMPARE(held.size(), std::size_t(4 * 20 * 3));
    std::sort(held.begin(), held.end());
    for (std::size_t i = 1; i < held.size(); ++i)
        QVERIFY2(held[i].first >= held[i - 1].second, "two processes held the lock at once");
}

void TestSettings::lockHolder()
{
    // One of lockBurst's processes: on the word, takes the lock three times.
    const QByteArray log = qgetenv("GLYPHERY_LOCK_LOG");
    if (log.isEmpty())
        QSKIP("a process of lockBurst");
    std::printf("ready\n");
    std::fflush(stdout);
    char word[8];
    QVERIFY(std::fgets(word, sizeof word, stdin));
    const auto now = [] { return QByteArray::number(std::chrono::steady_clock::now().time_since_epoch().count()); };
    for (int n = 0; n < 3; ++n) {
        platform::FileLock lock;
        const QString why = lock.take(log + ".lock");
        QVERIFY2(why.isEmpty(), qPrintable(why));
        const QByteArray start = now();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        QFile out(QFile::decodeName(log));
        QVERIFY(out.open(QIODevice::Append));
        QVERIFY(out.write(start + ' ' + now() + '\n') > 0);
    }
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
