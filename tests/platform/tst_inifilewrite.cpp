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

// Writing settings files: values and sections written in place, and writes that cannot
// happen leave the file as it was and say why.
class TestIniFileWrite : public QObject
{
    Q_OBJECT

private slots:
    void write_data();
    void write();
    void writtenValuesReadBack_data();
    void writtenValuesReadBack();
    void writesReadAsAFreshReadingWould();
    void writeInteger();
    void eraseSection();
    void eraseMissingSectionLeavesFileAlone();

    void writeToMissingFolderFails();
    void writeToFolderPathFails();
    void writeToReadOnlyFileFails();
    void writeIntoReadOnlyFolderFails();
    void unwritableNamesAreRefused_data();
    void unwritableNamesAreRefused();
};

void TestIniFileWrite::write_data()
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

void TestIniFileWrite::write()
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

void TestIniFileWrite::writtenValuesReadBack_data()
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

void TestIniFileWrite::writtenValuesReadBack()
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
void TestIniFileWrite::writesReadAsAFreshReadingWould()
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

void TestIniFileWrite::writeInteger()
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

void TestIniFileWrite::eraseSection()
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

void TestIniFileWrite::eraseMissingSectionLeavesFileAlone()
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

void TestIniFileWrite::writeToMissingFolderFails()
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

void TestIniFileWrite::writeToFolderPathFails()
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

void TestIniFileWrite::writeToReadOnlyFileFails()
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

void TestIniFileWrite::writeIntoReadOnlyFolderFails()
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

void TestIniFileWrite::unwritableNamesAreRefused_data()
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

void TestIniFileWrite::unwritableNamesAreRefused()
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

QTEST_GUILESS_MAIN(TestIniFileWrite)
#include "tst_inifilewrite.moc"
