#include "platform/folderlisting.h"
#include "support/testfolder.h"

#include <QDir>
#include <QTest>

class TestFolderListing : public QObject
{
    Q_OBJECT

private slots:
    void listsMatchingFilesByNameWithoutRegardToCase();
    void listsOnlyFiles();
    void missingFolderListsNothing();
    void findFileIgnoringCase_data();
    void findFileIgnoringCase();
    void findEntryFindsFoldersToo();
};

void TestFolderListing::listsMatchingFilesByNameWithoutRegardToCase()
{
    TestFolder folder;
    // Written in an order a case-sensitive or creation-order listing would keep.
    for (const char *name :
         {"b.ltf", "Zebra.ltf", "a2.ltf", "C.ltf", "A.ltf", "10.ltf", "english.llf", "x.ltf.bak", "D.LTF"})
        folder.writeFile(QString::fromLatin1(name), "x");

    QCOMPARE(ListFiles(folder.path(), QStringLiteral("*.ltf")),
             QStringList({"10.ltf", "A.ltf", "a2.ltf", "b.ltf", "C.ltf", "D.LTF", "Zebra.ltf"}));
    QCOMPARE(ListFiles(folder.path(), QStringLiteral("*.llf")), QStringList({"english.llf"}));
}

void TestFolderListing::listsOnlyFiles()
{
    TestFolder folder;
    folder.writeFile(QStringLiteral("b.ltf"), "x");
    folder.writeFile(QStringLiteral(".hidden.ltf"), "x");
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("a.ltf")));

    QCOMPARE(ListFiles(folder.path(), QStringLiteral("*.ltf")), QStringList({".hidden.ltf", "b.ltf"}));
}

void TestFolderListing::missingFolderListsNothing()
{
    TestFolder folder;
    QVERIFY(ListFiles(folder.filePath(QStringLiteral("nowhere")), QStringLiteral("*")).isEmpty());
    QVERIFY(
        FindFileIgnoringCase(folder.filePath(QStringLiteral("nowhere")), QStringLiteral("a.hlp")).isEmpty());
}

void TestFolderListing::findFileIgnoringCase_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QString>("found");

    QTest::newRow("exact spelling") << QStringList{"english.hlp"} << "english.hlp"
                                    << "english.hlp";
    QTest::newRow("other case") << QStringList{"English.hlp"} << "english.hlp"
                                << "English.hlp";
    QTest::newRow("upper-case extension") << QStringList{"deutsch.LLF"} << "Deutsch.llf"
                                          << "deutsch.LLF";
    QTest::newRow("exact spelling wins")
        << QStringList{"ENGLISH.HLP", "english.hlp", "English.hlp"} << "english.hlp"
        << "english.hlp";
    QTest::newRow("first in listing order") << QStringList{"english.HLP", "ENGLISH.hlp"} << "English.hlp"
                                            << "ENGLISH.hlp";
    QTest::newRow("umlaut") << QStringList{"Français.llf"} << "FRANÇAIS.LLF"
                            << "Français.llf";
    QTest::newRow("missing") << QStringList{"english.hlp"} << "german.hlp"
                             << "";
    QTest::newRow("no wildcards") << QStringList{"english.hlp"} << "*.hlp"
                                  << "";
    QTest::newRow("empty name") << QStringList{"english.hlp"} << ""
                                << "";
}

void TestFolderListing::findFileIgnoringCase()
{
    QFETCH(QStringList, files);
    QFETCH(QString, wanted);
    QFETCH(QString, found);

    TestFolder folder;
    for (const QString &name : files)
        folder.writeFile(name, "x");
    // A folder is not a file, even when its name matches.
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("GERMAN.hlp")));

    QCOMPARE(FindFileIgnoringCase(folder.path(), wanted),
             found.isEmpty() ? QString() : folder.filePath(found));
}

void TestFolderListing::findEntryFindsFoldersToo()
{
    TestFolder folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("English.hlp")));
    folder.writeFile(QStringLiteral("deutsch.HLP"), "x");
    QCOMPARE(FindEntryIgnoringCase(folder.path(), QStringLiteral("english.hlp")),
             folder.filePath(QStringLiteral("English.hlp")));
    QCOMPARE(FindEntryIgnoringCase(folder.path(), QStringLiteral("Deutsch.hlp")),
             folder.filePath(QStringLiteral("deutsch.HLP")));
    QVERIFY(FindEntryIgnoringCase(folder.path(), QStringLiteral(".")).isEmpty());
    QVERIFY(FindFileIgnoringCase(folder.path(), QStringLiteral("english.hlp")).isEmpty());
}

QTEST_GUILESS_MAIN(TestFolderListing)
#include "tst_folderlisting.moc"
