#include "platform/ini/inibatch.h"
#include "platform/ini/inifile.h"
#include "support/testfolder.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {
QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Overwrites a file in place and gives it back its old modification time, as a tool that
// keeps time stamps would.
void replaceKeepingTime(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
    QVERIFY(file.resize(0));
    QCOMPARE(file.write(bytes), bytes.size());
    file.flush();
    QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
}
} // namespace

class TestIniBatch : public QObject
{
    Q_OBJECT

private slots:
    void changesAppearTogetherAtCommit();
    void keepsOtherLinesAndOrder();
    void eraseAndRewriteInOneSave();
    void nothingChangedWritesNothing();
    void failedCommitLeavesFileAsItWas();
    void badNameIsRefusedBeforeAnythingIsWritten();
    void sameSizeAndTimeIsReadAgain();
    void fileRenamedOverIsReadAgain();
};

void TestIniBatch::changesAppearTogetherAtCommit()
{
    TestFolder folder;
    const QString path = folder.writeText(QStringLiteral("unit.lif"), QStringLiteral("[general]\nA=1\n"));
    IniBatch batch(path);
    batch.writeInteger(QStringLiteral("general"), QStringLiteral("A"), 2);
    batch.writeString(QStringLiteral("general"), QStringLiteral("B"), QStringLiteral("two"));
    batch.writeString(QStringLiteral("other"), QStringLiteral("C"), QStringLiteral("three"));
    // Nothing reaches the disk before the commit.
    QCOMPARE(contents(path), QByteArray("[general]\nA=1\n"));
    batch.commit();
    const IniFile ini(path);
    QCOMPARE(ini.readInteger(QStringLiteral("general"), QStringLiteral("A"), 0), 2);
    QCOMPARE(ini.readString(QStringLiteral("General"), QStringLiteral("b"), QString()),
             QStringLiteral("two"));
    QCOMPARE(ini.readString(QStringLiteral("other"), QStringLiteral("C"), QString()),
             QStringLiteral("three"));
}

void TestIniBatch::keepsOtherLinesAndOrder()
{
    TestFolder folder;
    const QString path = folder.writeText(QStringLiteral("unit.lif"),
                                          QStringLiteral("; note\r\n[general]\r\nX=keep\r\nA=1\r\n"));
    IniBatch batch(path);
    batch.writeInteger(QStringLiteral("general"), QStringLiteral("a"), 5);
    batch.writeInteger(QStringLiteral("general"), QStringLiteral("New"), 6);
    batch.commit();
    QCOMPARE(contents(path), QByteArray("; note\r\n[general]\r\nX=keep\r\nA=5\r\nNew=6\r\n"));
}

void TestIniBatch::eraseAndRewriteInOneSave()
{
    TestFolder folder;
    const QString path = folder.writeText(
        QStringLiteral("unit.lif"), QStringLiteral("[general]\nTestResult1=4\nFont=Arial\n[extra]\nE=1\n"));
    IniBatch batch(path);
    batch.eraseSection(QStringLiteral("GENERAL"));
    batch.writeString(QStringLiteral("general"), QStringLiteral("Font"), QStringLiteral("Arial"));
    batch.commit();
    const IniFile ini(path);
    QVERIFY(!ini.valueExists(QStringLiteral("general"), QStringLiteral("TestResult1")));
    QCOMPARE(ini.readString(QStringLiteral("general"), QStringLiteral("Font"), QString()),
             QStringLiteral("Arial"));
    QCOMPARE(ini.readInteger(QStringLiteral("extra"), QStringLiteral("E"), 0), 1);
}

void TestIniBatch::nothingChangedWritesNothing()
{
    TestFolder folder;
    const QString missing = folder.filePath(QStringLiteral("missing.lif"));
    IniBatch batch(missing);
    batch.eraseSection(QStringLiteral("general"));
    batch.commit();
    QVERIFY(!QFile::exists(missing));
}

void TestIniBatch::failedCommitLeavesFileAsItWas()
{
    TestFolder folder;
    // A descriptor in a folder that is gone by the time the batch is saved.
    const QString path = folder.filePath(QStringLiteral("gone/unit.lif"));
    IniBatch batch(path);
    batch.writeInteger(QStringLiteral("general"), QStringLiteral("TestCount"), 1);
    try {
        batch.commit();
        QFAIL("a save into a missing folder reported success");
    } catch (const IniWriteError &error) {
        QCOMPARE(error.message(), QStringLiteral("Unable to write to ") + path);
    }
    QVERIFY(!QFile::exists(path));
}

void TestIniBatch::badNameIsRefusedBeforeAnythingIsWritten()
{
    TestFolder folder;
    const QString path = folder.writeText(QStringLiteral("unit.lif"), QStringLiteral("[general]\nA=1\n"));
    IniBatch batch(path);
    batch.writeInteger(QStringLiteral("general"), QStringLiteral("A"), 2);
    QVERIFY_THROWS_EXCEPTION(IniWriteError, batch.writeString(QStringLiteral("general"),
                                                              QStringLiteral("=bad"), QStringLiteral("x")));
    QCOMPARE(contents(path), QByteArray("[general]\nA=1\n"));
}

void TestIniBatch::sameSizeAndTimeIsReadAgain()
{
    TestFolder folder;
    const QString path = folder.writeText(QStringLiteral("variant.ltf"), QStringLiteral("[s]\nK=aaaa\n"));
    const IniFile ini(path);
    QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("K"), QString()), QStringLiteral("aaaa"));
    replaceKeepingTime(path, "[s]\nK=bbbb\n");
    QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("K"), QString()), QStringLiteral("bbbb"));
}

void TestIniBatch::fileRenamedOverIsReadAgain()
{
    TestFolder folder;
    const QString path = folder.writeText(QStringLiteral("a.llf"), QStringLiteral("[s]\nK=aaaa\n"));
    const QString other = folder.writeText(QStringLiteral("b.llf"), QStringLiteral("[s]\nK=bbbb\n"));
    QFile otherFile(other);
    QVERIFY(otherFile.open(QIODevice::ReadWrite));
    QVERIFY(otherFile.setFileTime(QFileInfo(path).lastModified(), QFileDevice::FileModificationTime));
    otherFile.close();
    const IniFile ini(path);
    QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("K"), QString()), QStringLiteral("aaaa"));
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::rename(other, path));
    QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("K"), QString()), QStringLiteral("bbbb"));
}

QTEST_GUILESS_MAIN(TestIniBatch)
#include "tst_inibatch.moc"
