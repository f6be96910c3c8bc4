#include "support.h"

#include "app/main_window.h"

#include <QtTest>

#include <unistd.h>

using glyphery::frmMain;

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void firstCloseWritesFiveValues();
    void roundTrip();
    void closeRaisesNoPromptAndNeverCancels();
    void closeReplacesTheFileByRename();
    void folderIsAFile();
    void fileIsAFolder();
    void folderNotWritable();
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
    platform::SettingsStore reread(sandbox.confPath());
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
    {
        frmMain form;
        QVERIFY(form.show());
        form.chkB.setValue(0);
        QVERIFY(form.widget()->close());
    }
    // THEN the path names a new file, and the old one was never written to
    QVERIFY(sandbox.readConf().contains("B=0"));
    QFile oldFile(second);
    QVERIFY(oldFile.open(QIODevice::ReadOnly));
    QCOMPARE(oldFile.readAll(), old);
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

void TestSettings::fileIsAFolder()
{
    testing::Sandbox sandbox;
    QVERIFY(QDir().mkpath(sandbox.confPath() + QStringLiteral("/inside")));
    frmMain form;
    QVERIFY(form.show());
    QVERIFY(!form.widget()->close());
    QCOMPARE(testing::reportedErrors().size(), 1);
    QVERIFY(testing::reportedErrors().first().contains(sandbox.confPath()));
    QVERIFY(QFileInfo(sandbox.confPath() + QStringLiteral("/inside")).isDir());
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
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    QCOMPARE(sandbox.readConf(), old);
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
