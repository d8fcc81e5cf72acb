#include "platform/ini/inifile.h"
#include "support/testfolder.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unittestlog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {
QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString newUnit(const TestFolder &folder)
{
    const QString path = folder.filePath(QStringLiteral("unit.lif"));
    UnitDescriptor(path).write(3, 7, QStringLiteral("Animals"), QStringLiteral("DejaVu Sans"));
    return path;
}
} // namespace

class TestUnitTestLog : public QObject
{
    Q_OBJECT

private slots:
    void descriptorKeysInOrder();
    void threeTestsAreLogged();
    void resultsEndAtAGapOrTheLimit();
    void resetKeepsTheUnitAndDropsTheRest();
    void failedAppendChangesNothing();
};

void TestUnitTestLog::descriptorKeysInOrder()
{
    TestFolder folder;
    const QString path = newUnit(folder);
    QCOMPARE(contents(path), QByteArray("[general]\nFileType=vokfile\nFirstLanguage=3\nSecondLanguage=7\n"
                                        "Description=Animals\nFont=DejaVu Sans\n"));
}

void TestUnitTestLog::threeTestsAreLogged()
{
    TestFolder folder;
    const QString path = newUnit(folder);
    UnitTestLog log(path);
    log.append(2, QStringLiteral("01.12.26"));
    log.append(0, QStringLiteral("02.12.26"));
    log.append(5, QStringLiteral("03.12.26"));
    QCOMPARE(log.testCount(), 3);
    QCOMPARE(log.results(99), QList<int>({2, 0, 5}));
    QCOMPARE(log.lastTestDate(), QStringLiteral("03.12.26"));
    const IniFile ini(path);
    QCOMPARE(ini.readInteger(QStringLiteral("general"), QStringLiteral("TestResult2"), -1), 0);
    // The unit's own keys are untouched.
    QCOMPARE(UnitDescriptor(path).description(), QStringLiteral("Animals"));
    QCOMPARE(UnitDescriptor(path).secondLanguage(), 7);
}

void TestUnitTestLog::resultsEndAtAGapOrTheLimit()
{
    TestFolder folder;
    const QString path = folder.writeText(
        QStringLiteral("unit.lif"),
        QStringLiteral("[general]\nTestCount=4\nTestResult1=1\nTestResult2=2\nTestResult4=4\n"));
    const UnitTestLog log(path);
    QCOMPARE(log.results(99), QList<int>({1, 2}));
    QCOMPARE(log.results(1), QList<int>({1}));
    QVERIFY(UnitTestLog(folder.filePath(QStringLiteral("none.lif"))).results(99).isEmpty());
}

void TestUnitTestLog::resetKeepsTheUnitAndDropsTheRest()
{
    TestFolder folder;
    const QString path = folder.writeText(
        QStringLiteral("unit.lif"),
        QStringLiteral("[general]\nFileType=VOKFILE\nFirstLanguage=2\nSecondLanguage=5\nDescription=Verbs\n"
                       "Font=Serif\nTestCount=2\nTestResult1=3\nTestResult2=1\nLastTestDate=1.1.26\n"
                       "Stray=x\n[other]\nKeep=1\n"));
    UnitTestLog(path).reset();
    const IniFile ini(path);
    const QString general = QStringLiteral("general");
    QCOMPARE(
        ini.readSection(general),
        QStringList({QStringLiteral("FileType"), QStringLiteral("FirstLanguage"),
                     QStringLiteral("SecondLanguage"), QStringLiteral("Description"), QStringLiteral("Font"),
                     QStringLiteral("TestCount"), QStringLiteral("LastTestDate")}));
    QCOMPARE(ini.readString(general, QStringLiteral("FileType"), QString()), QStringLiteral("VOKFILE"));
    QCOMPARE(ini.readInteger(general, QStringLiteral("SecondLanguage"), 0), 5);
    QCOMPARE(ini.readString(general, QStringLiteral("Font"), QString()), QStringLiteral("Serif"));
    QCOMPARE(ini.readInteger(general, QStringLiteral("TestCount"), -1), 0);
    QCOMPARE(ini.readString(general, QStringLiteral("LastTestDate"), QStringLiteral("?")), QString());
    QCOMPARE(ini.readInteger(QStringLiteral("other"), QStringLiteral("Keep"), 0), 1);
    QVERIFY(UnitTestLog(path).results(99).isEmpty());
}

void TestUnitTestLog::failedAppendChangesNothing()
{
    TestFolder folder;
    // A folder in the descriptor's place cannot be replaced by a file.
    const QString path = folder.filePath(QStringLiteral("unit.lif"));
    QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    UnitTestLog log(path);
    QVERIFY_THROWS_EXCEPTION(IniWriteError, log.append(1, QStringLiteral("today")));
    QVERIFY(QFileInfo(path + QStringLiteral("/inside")).isDir());
    QCOMPARE(log.testCount(), 0);
}

QTEST_GUILESS_MAIN(TestUnitTestLog)
#include "tst_unittestlog.moc"
