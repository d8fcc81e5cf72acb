#include "platform/help/helpfolder.h"
#include "platform/help/helpkeywordindex.h"
#include "support/testfolder.h"

#include <QTest>

namespace {
QStringList keywords(const QList<HelpKeywordIndex::Entry> &entries)
{
    QStringList result;
    for (const HelpKeywordIndex::Entry &entry : entries)
        result.append(entry.keyword);
    return result;
}
} // namespace

class TestHelpKeywordIndex : public QObject
{
    Q_OBJECT

private slots:
    void readsEntriesSortedWithoutRegardToCase();
    void reportsLinesThatAreNoEntries();
    void matchingPutsBeginningsFirst();
    void readsUtf8AndOldFiles();
    void missingFileReadsAsNothing();
    void helpFolderFindsPagesWithoutRegardToCase();
    void pageTitle();
};

void TestHelpKeywordIndex::readsEntriesSortedWithoutRegardToCase()
{
    const HelpKeywordIndex index = HelpKeywordIndex::parse(QStringLiteral("; comment\r\n"
                                                                          "sound = 340.html#sound\r\n"
                                                                          "\r\n"
                                                                          "Base folder=170.html\n"
                                                                          "a=b=c=1.html\n"
                                                                          "  logbook=380.html  \n"));
    QCOMPARE(keywords(index.entries()), QStringList({"a=b=c", "Base folder", "logbook", "sound"}));
    QCOMPARE(index.entries().at(0).page, QStringLiteral("1.html"));
    QCOMPARE(index.entries().at(3).page, QStringLiteral("340.html#sound"));
    QVERIFY(index.badLines().isEmpty());
}

void TestHelpKeywordIndex::reportsLinesThatAreNoEntries()
{
    const HelpKeywordIndex index =
        HelpKeywordIndex::parse(QStringLiteral("good=1.html\nno equals sign\n=2.html\nkeyword=\n"));
    QCOMPARE(index.entries().size(), 1);
    QCOMPARE(index.badLines(), QList<int>({2, 3, 4}));
}

void TestHelpKeywordIndex::matchingPutsBeginningsFirst()
{
    const HelpKeywordIndex index = HelpKeywordIndex::parse(QStringLiteral("record a sound=340.html\n"
                                                                          "Sound=340.html\n"
                                                                          "sort=340.html\n"
                                                                          "print=250.html\n"
                                                                          "sounds of a test=275.html\n"));
    QCOMPARE(keywords(index.matching(QStringLiteral("SOUND"))),
             QStringList({"Sound", "sounds of a test", "record a sound"}));
    QCOMPARE(keywords(index.matching(QStringLiteral(" so "))),
             QStringList({"sort", "Sound", "sounds of a test", "record a sound"}));
    QCOMPARE(index.matching(QString()).size(), 5);
    QVERIFY(index.matching(QStringLiteral("xyz")).isEmpty());
}

void TestHelpKeywordIndex::readsUtf8AndOldFiles()
{
    TestFolder folder;
    folder.writeFile(QStringLiteral("utf8.txt"), QStringLiteral("Größe=250.html\n").toUtf8());
    folder.writeFile(QStringLiteral("old.txt"), QByteArray("Gr\xf6\xdf"
                                                           "e=250.html\n"));
    for (const char *name : {"utf8.txt", "old.txt"}) {
        const auto index = HelpKeywordIndex::load(folder.filePath(QString::fromLatin1(name)));
        QVERIFY(index.has_value());
        QCOMPARE(keywords(index->entries()), QStringList({QStringLiteral("Größe")}));
    }
}

void TestHelpKeywordIndex::missingFileReadsAsNothing()
{
    TestFolder folder;
    QVERIFY(!HelpKeywordIndex::load(folder.filePath(QStringLiteral("keywords.txt"))).has_value());
    QVERIFY(!HelpKeywordIndex::load(QString()).has_value());
}

void TestHelpKeywordIndex::helpFolderFindsPagesWithoutRegardToCase()
{
    TestFolder folder;
    folder.writeText(QStringLiteral("Deutsch.hlp/Index.HTML"), QStringLiteral("<html></html>"));
    folder.writeText(QStringLiteral("Deutsch.hlp/170.html"), QStringLiteral("<html></html>"));
    const HelpFolder help(folder.filePath(QStringLiteral("Deutsch.hlp")));
    QVERIFY(help.exists());
    QCOMPARE(help.find(QStringLiteral("index.html")),
             folder.filePath(QStringLiteral("Deutsch.hlp/Index.HTML")));
    QCOMPARE(help.find(HelpFolder::topicPageName(170)),
             folder.filePath(QStringLiteral("Deutsch.hlp/170.html")));
    QVERIFY(help.find(HelpFolder::topicPageName(190)).isEmpty());
    QCOMPARE(help.expected(QStringLiteral("190.html")),
             folder.filePath(QStringLiteral("Deutsch.hlp/190.html")));

    // A help file of the old kind is a file, not a folder of pages.
    folder.writeText(QStringLiteral("old.hlp"), QStringLiteral("?_"));
    QVERIFY(!HelpFolder(folder.filePath(QStringLiteral("old.hlp"))).exists());
    QVERIFY(
        HelpFolder(folder.filePath(QStringLiteral("old.hlp"))).find(QStringLiteral("index.html")).isEmpty());
    QVERIFY(!HelpFolder(QString()).exists());
}

void TestHelpKeywordIndex::pageTitle()
{
    TestFolder folder;
    const QString page = folder.writeText(
        QStringLiteral("a.html"),
        QStringLiteral(
            "<html><head><TITLE>\n  Review &amp; Logbook  </TITLE></head><title>x</title></html>"));
    QCOMPARE(HelpFolder::pageTitle(page), QStringLiteral("Review & Logbook"));
    const QString untitled =
        folder.writeText(QStringLiteral("b.html"), QStringLiteral("<html>no title</html>"));
    QVERIFY(HelpFolder::pageTitle(untitled).isEmpty());
    QVERIFY(HelpFolder::pageTitle(folder.filePath(QStringLiteral("missing.html"))).isEmpty());
}

QTEST_GUILESS_MAIN(TestHelpKeywordIndex)
#include "tst_helpkeywordindex.moc"
