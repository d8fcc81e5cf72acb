#include "platform/ini/inicache.h"
#include "platform/ini/inidocument.h"
#include "platform/ini/inifile.h"
#include "support/testfolder.h"
#include "support/withoutroot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>

#include <limits>

namespace {
QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text of the IniWriteError a call raises, or an empty text when it raises none.
template <typename Call> QString writeErrorOf(Call call)
{
    try {
        call();
    } catch (const IniWriteError &error) {
        return error.message();
    }
    return QString();
}

const QString Default = QStringLiteral("<default>");
} // namespace

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

    void write_data();
    void write();
    void writtenValuesReadBack_data();
    void writtenValuesReadBack();
    void writesReadAsAFreshReadingWould();
    void writeInteger();
    void eraseSection();
    void eraseMissingSectionLeavesFileAlone();

    void readsAgainAfterOutsideChange();
    void readsAgainAfterARewriteKeepingSizeAndTime();
    void moreFilesThanTheCacheHolds();
    void writeToMissingFolderFails();
    void writeToFolderPathFails();
    void writeToReadOnlyFileFails();
    void writeIntoReadOnlyFolderFails();
    void unwritableNamesAreRefused_data();
    void unwritableNamesAreRefused();
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

void TestIniFile::write_data()
{
    QTest::addColumn<QByteArray>("before"); // a null array: no file
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("replace in place")
        << QByteArray("; head\n[General]\n  FirstLanguage = 3\n; note\nOther=x\n") << "general"
        << "firstlanguage"
        << "5" << QByteArray("; head\n[General]\n  FirstLanguage = 5\n; note\nOther=x\n");
    QTest::newRow("replace in the first section only") << QByteArray("[a]\nk=1\nk=1b\n[A]\nk=2\n") << "A"
                                                       << "K"
                                                       << "9" << QByteArray("[a]\nk=9\nk=1b\n[A]\nk=2\n");
    QTest::newRow("add key at the end of its block")
        << QByteArray("[a]\nk=1\n; tail\n\n[b]\nx=2\n") << "a"
        << "j"
        << "3" << QByteArray("[a]\nk=1\n; tail\nj=3\n\n[b]\nx=2\n");
    QTest::newRow("add key to an empty section") << QByteArray("[a]\n\n[b]\n") << "a"
                                                 << "j"
                                                 << "3" << QByteArray("[a]\nj=3\n\n[b]\n");
    QTest::newRow("add key to the first of two sections") << QByteArray("[a]\nk=1\n[A]\nk=2\n") << "a"
                                                          << "j"
                                                          << "3" << QByteArray("[a]\nk=1\nj=3\n[A]\nk=2\n");
    QTest::newRow("no line end at the end") << QByteArray("[a]\nk=1") << "a"
                                            << "j"
                                            << "3" << QByteArray("[a]\nk=1\nj=3");
    QTest::newRow("new section at the end") << QByteArray("[a]\nk=1\n") << "b"
                                            << "x"
                                            << "2" << QByteArray("[a]\nk=1\n\n[b]\nx=2\n");
    QTest::newRow("crlf kept") << QByteArray("[a]\r\nk=1\r\n") << "b"
                               << "x"
                               << "2" << QByteArray("[a]\r\nk=1\r\n\r\n[b]\r\nx=2\r\n");
    QTest::newRow("lone cr kept") << QByteArray("[a]\rk=1\r") << "a"
                                  << "k"
                                  << "2" << QByteArray("[a]\rk=2\r");
    QTest::newRow("key before any section untouched") << QByteArray("k=1\n[a]\n") << "a"
                                                      << "k"
                                                      << "2" << QByteArray("k=1\n[a]\nk=2\n");
    QTest::newRow("new file") << QByteArray() << "general"
                              << "Description"
                              << "Hello" << QByteArray("[general]\nDescription=Hello\n");
    QTest::newRow("empty file") << QByteArray("") << "a"
                                << "k"
                                << "1" << QByteArray("[a]\nk=1\n");
    QTest::newRow("windows-1252 file rewritten as utf-8")
        << QByteArray("[a]\nk=caf\xE9\n") << "a"
        << "j"
        << "\xE2\x82\xAC" << QByteArray("[a]\nk=caf\xC3\xA9\nj=\xE2\x82\xAC\n");
    QTest::newRow("byte-order mark dropped") << QByteArray("\xEF\xBB\xBF[a]\nk=1\n") << "a"
                                             << "k"
                                             << "2" << QByteArray("[a]\nk=2\n");
    QTest::newRow("blanks at the edges are quoted") << QByteArray("[a]\n") << "a"
                                                    << "k"
                                                    << " x " << QByteArray("[a]\nk=\" x \"\n");
    QTest::newRow("quoted value keeps its quotes") << QByteArray("[a]\n") << "a"
                                                   << "k"
                                                   << "\"x\"" << QByteArray("[a]\nk=\"\"x\"\"\n");
    QTest::newRow("line breaks cannot start a line")
        << QByteArray("[a]\n") << "a"
        << "k"
        << "one\r\n[b]\nx=1" << QByteArray("[a]\nk=one [b] x=1\n");
}

void TestIniFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("write.ini"));
    if (!before.isNull())
        folder.writeFile(QStringLiteral("write.ini"), before);
    IniFile ini(path);
    ini.writeString(section, key, value);
    QCOMPARE(contents(path), after);
}

void TestIniFile::writtenValuesReadBack_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("plain") << "plain";
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "  two  blanks\t";
    QTest::newRow("quotes") << "\"quoted\"";
    QTest::newRow("one quote") << "\"";
    QTest::newRow("unicode") << "ünïcödé € 😀";
    QTest::newRow("ini syntax") << "[x] ; y = z";
}

void TestIniFile::writtenValuesReadBack()
{
    QFETCH(QString, value);

    TestFolder folder;
    IniFile ini(folder.writeText(QStringLiteral("back.ini"), QStringLiteral("[general]\nkey=old value\n")));
    QCOMPARE(ini.readString(QStringLiteral("general"), QStringLiteral("key"), Default), "old value");
    ini.writeString(QStringLiteral("General"), QStringLiteral("KEY"), value);
    QCOMPARE(ini.readString(QStringLiteral("general"), QStringLiteral("key"), Default), value);
    // Another object on the same file, under another spelling of the path, shares the cache.
    const IniFile other(folder.path() + QStringLiteral("./back.ini"));
    QCOMPARE(other.readString(QStringLiteral("general"), QStringLiteral("key"), Default), value);
}

// A batch of writes keeps the look-up index in step with the lines: every section and key
// reads as a fresh reading of the written text gives it, duplicates and blank lines included.
void TestIniFile::writesReadAsAFreshReadingWould()
{
    const QString start = QStringLiteral("; comment\r\nloose=1\r\n[A]\r\nx=1\r\n\r\n[b]\r\nY = \"two\"\r\n"
                                         "y=shadowed\r\n[a]\r\nx=never read\r\nz=3\r\n\r\n\r\n[C]\r\nlast=9");
    IniDocument document = IniDocument::parse(start);
    QRandomGenerator random(7);
    const QStringList sections{"a", "B", "c", "new", "A "};
    const QStringList keys{"x", "X", "y", "z", "last", "fresh", " q "};
    for (int round = 0; round < 300; ++round) {
        const QString section = sections.at(random.bounded(int(sections.size())));
        const QString key = keys.at(random.bounded(int(keys.size())));
        document.setValue(section, key, QString::number(round));
        QCOMPARE(document.value(section, key), std::optional<QString>(QString::number(round)));
    }
    const IniDocument fresh = IniDocument::parse(document.toText());
    for (const QString &section : sections + QStringList{"b", "C"}) {
        QCOMPARE(document.hasSection(section), fresh.hasSection(section));
        QCOMPARE(document.keys(section), fresh.keys(section));
        for (const QString &key : keys)
            QCOMPARE(document.value(section, key), fresh.value(section, key));
    }
    // The later "[a]" block is still never read, and the loose key before any section is kept.
    QVERIFY(document.toText().contains(QStringLiteral("x=never read")));
    QVERIFY(document.toText().startsWith(QStringLiteral("; comment\r\nloose=1\r\n")));
}

void TestIniFile::writeInteger()
{
    TestFolder folder;
    IniFile ini(folder.filePath(QStringLiteral("int.ini")));
    ini.writeInteger(QStringLiteral("general"), QStringLiteral("TestCount"), -12);
    ini.writeInteger(QStringLiteral("general"), QStringLiteral("Big"), std::numeric_limits<int>::max());
    QCOMPARE(contents(ini.fileName()), QByteArray("[general]\nTestCount=-12\nBig=2147483647\n"));
    QCOMPARE(ini.readInteger(QStringLiteral("general"), QStringLiteral("testcount"), 0), -12);
    ini.writeInteger(QStringLiteral("general"), QStringLiteral("TestCount"), 3);
    QCOMPARE(ini.readInteger(QStringLiteral("general"), QStringLiteral("testcount"), 0), 3);
}

void TestIniFile::eraseSection()
{
    TestFolder folder;
    IniFile ini(
        folder.writeText(QStringLiteral("erase.ini"), QStringLiteral("; top\r\n[A]\r\nk=1\r\n; inside\r\n"
                                                                     "[b]\r\nx=2\r\n[a]\r\nk=3\r\n")));
    QCOMPARE(ini.readString(QStringLiteral("a"), QStringLiteral("k"), Default), "1");
    ini.eraseSection(QStringLiteral("a"));
    QCOMPARE(contents(ini.fileName()), QByteArray("; top\r\n[b]\r\nx=2\r\n[a]\r\nk=3\r\n"));
    // The later section of that name is now the first.
    QCOMPARE(ini.readString(QStringLiteral("a"), QStringLiteral("k"), Default), "3");
    ini.eraseSection(QStringLiteral("A"));
    ini.eraseSection(QStringLiteral("B"));
    QCOMPARE(contents(ini.fileName()), QByteArray("; top\r\n"));
    QVERIFY(!ini.sectionExists(QStringLiteral("b")));
}

void TestIniFile::eraseMissingSectionLeavesFileAlone()
{
    TestFolder folder;
    const QByteArray text("[a]\nk=1");
    IniFile ini(folder.writeFile(QStringLiteral("keep.ini"), text));
    ini.eraseSection(QStringLiteral("b"));
    QCOMPARE(contents(ini.fileName()), text);

    IniFile missing(folder.filePath(QStringLiteral("missing.ini")));
    missing.eraseSection(QStringLiteral("a"));
    QVERIFY(!missing.exists());
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

void TestIniFile::writeToMissingFolderFails()
{
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("nowhere/unit.lif"));
    IniFile ini(path);
    QCOMPARE(
        writeErrorOf([&] { ini.writeString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("v")); }),
        "Unable to write to " + path);
    QCOMPARE(writeErrorOf([&] { ini.writeInteger(QStringLiteral("a"), QStringLiteral("k"), 1); }),
             "Unable to write to " + path);
    QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("nowhere"))));
}

void TestIniFile::writeToFolderPathFails()
{
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("unit.lif"));
    QVERIFY(QDir().mkpath(path));
    folder.writeFile(QStringLiteral("unit.lif/inside.txt"), "kept");
    IniFile ini(path);
    QCOMPARE(
        writeErrorOf([&] { ini.writeString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("v")); }),
        "Unable to write to " + path);
    QCOMPARE(writeErrorOf([&] { ini.eraseSection(QStringLiteral("a")); }), "Unable to write to " + path);
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(contents(path + QStringLiteral("/inside.txt")), QByteArray("kept"));
}

namespace {
// Both write calls fail with the path in the message; run in a child without root's rights.
void CheckWritesFail(const QString &path)
{
    IniFile ini(path);
    QCOMPARE(
        writeErrorOf([&] { ini.writeString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("2")); }),
        "Unable to write to " + path);
    QCOMPARE(writeErrorOf([&] { ini.eraseSection(QStringLiteral("a")); }), "Unable to write to " + path);
    // Still readable: the refused edit left the cached view alone.
    QCOMPARE(ini.readString(QStringLiteral("a"), QStringLiteral("k"), Default), QStringLiteral("1"));
}
} // namespace

void TestIniFile::writeToReadOnlyFileFails()
{
    if (WithoutRoot::inChild()) {
        CheckWritesFail(WithoutRoot::values().at(0));
        return;
    }
    TestFolder folder;
    const QByteArray text("[a]\nk=1\n");
    const QString path = folder.writeFile(QStringLiteral("locked.lif"), text);
    WithoutRoot::handOver(folder.path());
    // The folder stays writable: only the file's own mode stands in the way.
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    VERIFY_WITHOUT_ROOT({path});
    QCOMPARE(contents(path), text);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"locked.lif"});
}

void TestIniFile::writeIntoReadOnlyFolderFails()
{
    if (WithoutRoot::inChild()) {
        CheckWritesFail(WithoutRoot::values().at(0));
        const QString fresh = WithoutRoot::values().at(1);
        QCOMPARE(
            writeErrorOf([&] { IniFile(fresh).writeInteger(QStringLiteral("a"), QStringLiteral("k"), 1); }),
            "Unable to write to " + fresh);
        return;
    }
    TestFolder folder;
    const QByteArray text("[a]\nk=1\n");
    // A writable file whose folder refuses the replacement written beside it.
    const QString path = folder.writeFile(QStringLiteral("locked/unit.lif"), text);
    const QString lockedFolder = QFileInfo(path).absolutePath();
    WithoutRoot::handOver(folder.path());
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser |
                          QFileDevice::ExeUser | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(lockedFolder, readOnly));
    // Writable again at the end, so that the temporary folder can be removed.
    const auto unlock =
        qScopeGuard([&] { QFile::setPermissions(lockedFolder, readOnly | QFileDevice::WriteOwner); });
    VERIFY_WITHOUT_ROOT({path, lockedFolder + QStringLiteral("/new.lif")});
    QCOMPARE(contents(path), text);
    QCOMPARE(QDir(lockedFolder).entryList(QDir::Files | QDir::Hidden), QStringList{"unit.lif"});
}

void TestIniFile::unwritableNamesAreRefused_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");

    QTest::newRow("empty key") << "a"
                               << "  ";
    QTest::newRow("equals in key") << "a"
                                   << "k=v";
    QTest::newRow("key like a comment") << "a"
                                        << ";k";
    QTest::newRow("key like a section") << "a"
                                        << "[k";
    QTest::newRow("line break in key") << "a"
                                       << "k\nj";
    QTest::newRow("bracket in section") << "a]b"
                                        << "k";
    QTest::newRow("line break in section") << "a\r\nb"
                                           << "k";
}

void TestIniFile::unwritableNamesAreRefused()
{
    QFETCH(QString, section);
    QFETCH(QString, key);

    TestFolder folder;
    const QByteArray text("[a]\nk=1\n");
    const QString path = folder.writeFile(QStringLiteral("names.ini"), text);
    IniFile ini(path);
    QCOMPARE(writeErrorOf([&] { ini.writeString(section, key, QStringLiteral("v")); }),
             "Unable to write to " + path);
    QCOMPARE(contents(path), text);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
