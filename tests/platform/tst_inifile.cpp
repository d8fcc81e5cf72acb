#include "platform/ini/inicache.h"
#include "platform/ini/inifile.h"
#include "support/testfolder.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>

#include <limits>

namespace {
const QString Default = QStringLiteral("<default>");
} // namespace

// Reading settings files: what a value reads as, and reading again after the file changed
// behind the cache's back. Writing is tst_inifilewrite.
class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void readString_data();
    void readString();
    void readInteger_data();
    void readInteger();
    void missingFileReadsAsEmpty();
    void sectionsAndKeys();

    void readsAgainAfterOutsideChange();
    void readsAgainAfterARewriteKeepingSizeAndTime();
    void moreFilesThanTheCacheHolds();
};

void TestIniFile::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray duplicates("[a]\nk=first\n[b]\nx=0\n[A]\nk=second\nonly=here\n");
    const QByteArray longLine = "[a]\nk=" + QByteArray(3000, 'v') + "\nnext=after\n";

    QTest::newRow("names are case-blind") << QByteArray("[GENERAL]\nokbtn=Yes\n") << "general"
                                          << "OKBtn"
                                          << "Yes";
    QTest::newRow("first key wins") << QByteArray("[a]\nk=1\nK=2\n") << "a"
                                    << "k"
                                    << "1";
    QTest::newRow("first section wins") << duplicates << "A"
                                        << "k"
                                        << "first";
    QTest::newRow("duplicate section is not read") << duplicates << "a"
                                                   << "only" << Default;
    QTest::newRow("blanks trimmed") << QByteArray("  [ a ]  \n\t key \t=  two  words \t\n") << "a"
                                    << "key"
                                    << "two  words";
    QTest::newRow("blanks around lookup names") << QByteArray("[a]\nkey=1\n") << " a "
                                                << "\tkey"
                                                << "1";
    QTest::newRow("quotes removed") << QByteArray("[a]\nk=  \"  quoted  \"  \n") << "a"
                                    << "k"
                                    << "  quoted  ";
    QTest::newRow("unmatched quote kept") << QByteArray("[a]\nk=\"open\n") << "a"
                                          << "k"
                                          << "\"open";
    QTest::newRow("empty value is found") << QByteArray("[a]\nk=\n") << "a"
                                          << "k"
                                          << "";
    QTest::newRow("equals and semicolon in value") << QByteArray("[a]\nk=x=y ;z\n") << "a"
                                                   << "k"
                                                   << "x=y ;z";
    // Values are read up to 1023 characters.
    QTest::newRow("long value cut") << longLine << "a"
                                    << "k" << QString(1023, u'v');
    QTest::newRow("1023 characters kept") << "[a]\nk=" + QByteArray(1023, 'v') + "\n"
                                          << "a"
                                          << "k" << QString(1023, u'v');
    QTest::newRow("1024 characters cut") << "[a]\nk=" + QByteArray(1023, 'v') + "w\n"
                                         << "a"
                                         << "k" << QString(1023, u'v');
    QTest::newRow("line after a long one") << longLine << "a"
                                           << "next"
                                           << "after";
    QTest::newRow("crlf") << QByteArray("[a]\r\nk=1\r\nj=2\r\n") << "a"
                          << "j"
                          << "2";
    QTest::newRow("lone cr") << QByteArray("[a]\rk=1\rj=2") << "a"
                             << "j"
                             << "2";
    QTest::newRow("mixed line ends") << QByteArray("[a]\r\nk=1\rj=2\nm=3") << "a"
                                     << "m"
                                     << "3";
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[a]\nk=1\n") << "a"
                                     << "k"
                                     << "1";
    QTest::newRow("utf-8") << QByteArray("[a]\nk=caf\xC3\xA9 \xE2\x82\xAC\n") << "a"
                           << "k"
                           << "café €";
    QTest::newRow("windows-1252") << QByteArray("[a]\nk=caf\xE9 \x80\n") << "a"
                                  << "k"
                                  << "café €";
    QTest::newRow("comment line") << QByteArray("[a]\n;k=1\nk=2\n") << "a"
                                  << "k"
                                  << "2";
    QTest::newRow("garbage line keeps the section") << QByteArray("[a]\njust words\nk=2\n") << "a"
                                                    << "k"
                                                    << "2";
    QTest::newRow("header with trailing comment") << QByteArray("[a] ; note\nk=1\n") << "a"
                                                  << "k"
                                                  << "1";
    QTest::newRow("key before any section") << QByteArray("k=1\n[a]\nj=2\n") << "a"
                                            << "k" << Default;
    QTest::newRow("key before any section, empty name") << QByteArray("k=1\n[a]\nj=2\n") << ""
                                                        << "k" << Default;
    QTest::newRow("key of another section") << QByteArray("[a]\nk=1\n[b]\nj=2\n") << "a"
                                            << "j" << Default;
    QTest::newRow("missing section") << QByteArray("[a]\nk=1\n") << "b"
                                     << "k" << Default;
    QTest::newRow("missing key") << QByteArray("[a]\nk=1\n") << "a"
                                 << "j" << Default;
    QTest::newRow("empty file") << QByteArray() << "a"
                                << "k" << Default;
}

void TestIniFile::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    TestFolder folder;
    const IniFile ini(folder.writeFile(QStringLiteral("read.ini"), file));
    QCOMPARE(ini.readString(section, key, Default), expected);
    QCOMPARE(ini.valueExists(section, key), expected != Default);
}

void TestIniFile::readInteger_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");

    const int fallback = 7;
    QTest::newRow("decimal") << "42" << 42;
    QTest::newRow("negative") << "-17" << -17;
    QTest::newRow("plus sign") << "+5" << 5;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("leading zeros are decimal") << "010" << 10;
    QTest::newRow("hex") << "0x1F" << 31;
    QTest::newRow("hex capital x, lower digits") << "0X1f" << 31;
    QTest::newRow("hex as 32-bit pattern") << "0xFFFFFFFF" << -1;
    QTest::newRow("largest") << "2147483647" << std::numeric_limits<int>::max();
    QTest::newRow("smallest") << "-2147483648" << std::numeric_limits<int>::min();
    QTest::newRow("blanks trimmed") << "  12  " << 12;
    QTest::newRow("quoted") << "\"12\"" << 12;
    QTest::newRow("trailing letters") << "12abc" << fallback;
    QTest::newRow("empty") << "" << fallback;
    QTest::newRow("word") << "abc" << fallback;
    QTest::newRow("fraction") << "1.5" << fallback;
    QTest::newRow("inner blank") << "1 2" << fallback;
    QTest::newRow("sign alone") << "-" << fallback;
    QTest::newRow("two signs") << "+-5" << fallback;
    QTest::newRow("hex prefix alone") << "0x" << fallback;
    QTest::newRow("bad hex digit") << "0x1G" << fallback;
    QTest::newRow("signed hex") << "-0x5" << fallback;
    QTest::newRow("decimal overflow") << "2147483648" << fallback;
    QTest::newRow("decimal underflow") << "-2147483649" << fallback;
    QTest::newRow("hex overflow") << "0x100000000" << fallback;
}

void TestIniFile::readInteger()
{
    QFETCH(QString, value);
    QFETCH(int, expected);

    TestFolder folder;
    const IniFile ini(folder.writeText(QStringLiteral("int.ini"), "[general]\nNumber=" + value + "\n"));
    QCOMPARE(ini.readInteger(QStringLiteral("General"), QStringLiteral("number"), 7), expected);
    QCOMPARE(ini.readInteger(QStringLiteral("General"), QStringLiteral("missing"), -3), -3);
}

void TestIniFile::missingFileReadsAsEmpty()
{
    TestFolder folder;
    const IniFile ini(folder.filePath(QStringLiteral("none.ini")));
    QVERIFY(!ini.exists());
    QCOMPARE(ini.readString(QStringLiteral("a"), QStringLiteral("k"), Default), Default);
    QCOMPARE(ini.readInteger(QStringLiteral("a"), QStringLiteral("k"), 5), 5);
    QVERIFY(!ini.sectionExists(QStringLiteral("a")));
    QVERIFY(ini.readSection(QStringLiteral("a")).isEmpty());
    QVERIFY(!QFileInfo::exists(ini.fileName()));

    // A folder is not an INI file.
    const IniFile folderIni(folder.path());
    QVERIFY(!folderIni.exists());
    QCOMPARE(folderIni.readString(QStringLiteral("a"), QStringLiteral("k"), Default), Default);
}

void TestIniFile::sectionsAndKeys()
{
    TestFolder folder;
    const IniFile ini(
        folder.writeText(QStringLiteral("keys.ini"), QStringLiteral("orphan=0\n[Words]\n"
                                                                    "Beta=1\n; Gamma=c\n"
                                                                    "alpha=2\nBETA=3\n"
                                                                    "[Empty]\n[words]\nzeta=4\n")));
    QCOMPARE(ini.readSection(QStringLiteral("WORDS")), QStringList({"Beta", "alpha"}));
    QVERIFY(ini.sectionExists(QStringLiteral("empty")));
    QVERIFY(ini.readSection(QStringLiteral("Empty")).isEmpty());
    QVERIFY(!ini.sectionExists(QStringLiteral("orphan")));
    QVERIFY(!ini.sectionExists(QStringLiteral("Word")));
    QVERIFY(ini.readSection(QStringLiteral("missing")).isEmpty());
}

void TestIniFile::readsAgainAfterOutsideChange()
{
    TestFolder folder;
    const QString path = folder.writeText(QStringLiteral("change.ini"), QStringLiteral("[a]\nk=one\n"));
    const IniFile ini(path);
    QCOMPARE(ini.readString(QStringLiteral("a"), QStringLiteral("k"), Default), "one");

    // Same size: only the modification time tells the files apart.
    QFile file(path);
    const QDateTime modified = QFileInfo(path).lastModified();
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[a]\nk=two\n");
    file.close();
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(modified.addSecs(10), QFileDevice::FileModificationTime));
    file.close();
    QCOMPARE(ini.readString(QStringLiteral("a"), QStringLiteral("k"), Default), "two");

    folder.writeText(QStringLiteral("change.ini"), QStringLiteral("[a]\nk=three\n"));
    QCOMPARE(ini.readString(QStringLiteral("a"), QStringLiteral("k"), Default), "three");

    QVERIFY(QFile::remove(path));
    QCOMPARE(ini.readString(QStringLiteral("a"), QStringLiteral("k"), Default), Default);
}

void TestIniFile::readsAgainAfterARewriteKeepingSizeAndTime()
{
    TestFolder folder;
    const QString path = folder.writeText(QStringLiteral("same.ini"), QStringLiteral("[a]\nk=one\n"));
    const QByteArray name = QFile::encodeName(path);
    struct stat before
    {
    };
    QVERIFY(::stat(name.constData(), &before) == 0);
    // File times move in clock ticks: wait for the next one, so that the rewrite below gets
    // another status-change time than the file has now.
    const QByteArray probe = QFile::encodeName(folder.writeText(QStringLiteral("probe"), QString()));
    for (struct stat now{};
         ::utimensat(AT_FDCWD, probe.constData(), nullptr, 0) == 0 && ::stat(probe.constData(), &now) == 0 &&
         now.st_ctim.tv_sec == before.st_ctim.tv_sec && now.st_ctim.tv_nsec == before.st_ctim.tv_nsec;) {
    }
    const IniFile ini(path);
    QCOMPARE(ini.readString(QStringLiteral("a"), QStringLiteral("k"), Default), "one");

    // Rewritten in place (same inode), the same size, its modification time put back to the
    // nanosecond, as a tool that keeps times does: only the status-change time moved.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QCOMPARE(file.write("[a]\nk=two\n"), qint64(10));
    file.close();
    const timespec times[2] = {before.st_atim, before.st_mtim};
    QVERIFY(::utimensat(AT_FDCWD, name.constData(), times, 0) == 0);
    struct stat after
    {
    };
    QVERIFY(::stat(name.constData(), &after) == 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_size, before.st_size);
    QCOMPARE(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    QCOMPARE(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    QCOMPARE(ini.readString(QStringLiteral("a"), QStringLiteral("k"), Default), "two");
}

void TestIniFile::moreFilesThanTheCacheHolds()
{
    TestFolder folder;
    const int count = IniCache::Capacity + 20;
    QList<IniFile> files;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("f%1.ini").arg(i);
        files.append(IniFile(folder.writeText(name, QStringLiteral("[a]\nk=%1\n").arg(i))));
    }
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < count; ++i)
            QCOMPARE(files[i].readInteger(QStringLiteral("a"), QStringLiteral("k"), -1), i);
    }
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
