#include "platform/folderlisting.h"
#include "platform/help/helpfolder.h"
#include "platform/help/helpkeywordindex.h"
#include "platform/ini/inifile.h"
#include "support/testfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QUrl>

namespace {
// The help contexts the pages and dialogs of the program ask for.
const int HelpContexts[] = {170, 190, 250, 275, 300, 320, 330, 340, 360, 380, 400};

QString readPage(const QString &file)
{
    QFile page(file);
    if (!page.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(page.readAll());
}

QStringList links(const QString &html)
{
    static const QRegularExpression href(QStringLiteral("\\b(?:href|src)\\s*=\\s*\"([^\"]*)\""),
                                         QRegularExpression::CaseInsensitiveOption);
    QStringList result;
    for (const QRegularExpressionMatch &match : href.globalMatch(html))
        result.append(match.captured(1));
    return result;
}

QSet<QString> anchors(const QString &html)
{
    static const QRegularExpression name(QStringLiteral("\\b(?:name|id)\\s*=\\s*\"([^\"]*)\""),
                                         QRegularExpression::CaseInsensitiveOption);
    QSet<QString> result;
    for (const QRegularExpressionMatch &match : name.globalMatch(html))
        result.insert(match.captured(1));
    return result;
}

// Why page#anchor (relative to the help folder) does not lead anywhere; empty when it does.
QString brokenTarget(const HelpFolder &help, const QString &target)
{
    const QString name = target.section(u'#', 0, 0);
    const QString anchor = target.section(u'#', 1);
    if (name.isEmpty() || name.contains(u'/') || name.contains(u':'))
        return target + QStringLiteral(": not a page of the help");
    const QString file = help.find(name);
    if (file.isEmpty())
        return target + QStringLiteral(": no such page");
    if (!anchor.isEmpty() && !anchors(readPage(file)).contains(anchor))
        return target + QStringLiteral(": no such anchor");
    return QString();
}

QStringList pagesOf(const HelpFolder &help)
{
    return ListFiles(help.path(), QStringLiteral("*.html"));
}

// The pages every translated help has; the others may come from the English help.
const QStringList RequiredPages = {QStringLiteral("275.html"), QStringLiteral("340.html"),
                                   QStringLiteral("howto.html"), QStringLiteral("index.html"),
                                   QStringLiteral("review.html")};

void addHelpRows()
{
    QTest::addColumn<QString>("help");
    const QDir data(TestFolder::shippedFile(QString()));
    const QStringList helps = data.entryList({QStringLiteral("*.hlp")}, QDir::Dirs);
    QVERIFY(helps.contains(QStringLiteral("english.hlp")) && helps.contains(QStringLiteral("deutsch.hlp")));
    for (const QString &name : helps)
        QTest::newRow(qPrintable(name)) << data.filePath(name);
}

// A help's own pages and the English ones it shows in place of those it lacks.
QStringList pagesShownBy(const HelpFolder &help)
{
    QStringList pages = pagesOf(help);
    for (const QString &page : pagesOf(HelpFolder(TestFolder::shippedFile(QStringLiteral("english.hlp")))))
        if (!pages.contains(page))
            pages.append(page);
    return pages;
}
} // namespace

class TestHelpFiles : public QObject
{
    Q_OBJECT

private slots:
    void englishHelpShips();
    void everyHelpContextHasItsPage_data() { addHelpRows(); }
    void everyHelpContextHasItsPage();
    void contentsLinksEveryTopicAndEveryPageIsReachable_data() { addHelpRows(); }
    void contentsLinksEveryTopicAndEveryPageIsReachable();
    void everyLinkLeadsToAPage_data() { addHelpRows(); }
    void everyLinkLeadsToAPage();
    void keywordIndexPointsOnlyAtPages_data() { addHelpRows(); }
    void keywordIndexPointsOnlyAtPages();
    void translatedHelpHasTheSamePages_data() { addHelpRows(); }
    void translatedHelpHasTheSamePages();
    void languageFilesNameAShippedHelp_data();
    void languageFilesNameAShippedHelp();
};

void TestHelpFiles::englishHelpShips()
{
    // The program asks for "english.hlp" at start whatever language follows.
    QVERIFY(HelpFolder(TestFolder::shippedFile(QStringLiteral("english.hlp"))).exists());
}

void TestHelpFiles::everyHelpContextHasItsPage()
{
    QFETCH(QString, help);
    const HelpFolder folder(help);
    for (const int context : HelpContexts) {
        const QString page = folder.find(HelpFolder::topicPageName(context));
        QVERIFY2(!page.isEmpty(), qPrintable(QString::number(context)));
        QVERIFY2(!HelpFolder::pageTitle(page).isEmpty(), qPrintable(page));
    }
    for (const char *name : {HelpFolder::ContentsPageName, HelpFolder::HowToPageName})
        QVERIFY2(!folder.find(QString::fromLatin1(name)).isEmpty(), name);
}

void TestHelpFiles::contentsLinksEveryTopicAndEveryPageIsReachable()
{
    QFETCH(QString, help);
    const HelpFolder folder(help);
    const QString contents = QString::fromLatin1(HelpFolder::ContentsPageName);
    QSet<QString> fromContents;
    for (const QString &link : links(readPage(folder.find(contents))))
        fromContents.insert(link.section(u'#', 0, 0));
    for (const int context : HelpContexts)
        QVERIFY2(fromContents.contains(HelpFolder::topicPageName(context)),
                 qPrintable(QString::number(context)));
    QVERIFY(fromContents.contains(QString::fromLatin1(HelpFolder::HowToPageName)));

    // No page is an orphan: every one can be reached by following links from the contents.
    QSet<QString> reached{contents};
    QStringList toVisit{contents};
    while (!toVisit.isEmpty()) {
        const QString page = toVisit.takeFirst();
        for (const QString &link : links(readPage(folder.find(page)))) {
            const QString target = link.section(u'#', 0, 0);
            if (!target.isEmpty() && !reached.contains(target) && !folder.find(target).isEmpty()) {
                reached.insert(target);
                toVisit.append(target);
            }
        }
    }
    for (const QString &page : pagesOf(folder))
        QVERIFY2(reached.contains(page), qPrintable(page));
}

void TestHelpFiles::everyLinkLeadsToAPage()
{
    QFETCH(QString, help);
    const HelpFolder folder(help);
    // The English pages shown in place of missing ones link into the translated ones.
    const QStringList pages = pagesShownBy(folder);
    QVERIFY(pages.size() > 10);
    QStringList broken;
    for (const QString &page : pages) {
        const QString html = readPage(folder.find(page));
        QVERIFY2(html.contains(QStringLiteral("charset=\"utf-8\"")), qPrintable(page));
        for (const QString &link : links(html)) {
            // A link to an anchor on the same page names no page.
            const QString target = link.startsWith(u'#') ? page + link : link;
            const QString why = brokenTarget(folder, target);
            if (!why.isEmpty())
                broken.append(page + QStringLiteral(" -> ") + why);
        }
    }
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(u'\n')));
}

void TestHelpFiles::keywordIndexPointsOnlyAtPages()
{
    QFETCH(QString, help);
    const HelpFolder folder(help);
    const std::optional<HelpKeywordIndex> index =
        HelpKeywordIndex::load(folder.find(QString::fromLatin1(HelpFolder::KeywordFileName)));
    QVERIFY(index.has_value());
    QVERIFY(index->badLines().isEmpty());
    QVERIFY(index->entries().size() > 30);
    QSet<QString> pagesWithKeywords;
    for (const HelpKeywordIndex::Entry &entry : index->entries()) {
        const QString why = brokenTarget(folder, entry.page);
        QVERIFY2(why.isEmpty(), qPrintable(entry.keyword + QStringLiteral(": ") + why));
        pagesWithKeywords.insert(entry.page.section(u'#', 0, 0));
    }
    for (const int context : HelpContexts)
        QVERIFY2(pagesWithKeywords.contains(HelpFolder::topicPageName(context)),
                 qPrintable(QString::number(context)));
}

void TestHelpFiles::translatedHelpHasTheSamePages()
{
    // A link or keyword of one language leads to the page on the same subject in the other.
    QFETCH(QString, help);
    const QStringList english = pagesOf(HelpFolder(TestFolder::shippedFile(QStringLiteral("english.hlp"))));
    const QStringList own = pagesOf(HelpFolder(help));
    for (const QString &page : own)
        QVERIFY2(english.contains(page), qPrintable(page));
    for (const QString &page : RequiredPages)
        QVERIFY2(own.contains(page), qPrintable(page));
    // The German help is complete.
    if (help.endsWith(QStringLiteral("deutsch.hlp")))
        QCOMPARE(own, english);
}

void TestHelpFiles::languageFilesNameAShippedHelp_data()
{
    QTest::addColumn<QString>("languageFile");
    for (const QString &name : ListFiles(TestFolder::shippedFile(QString()), QStringLiteral("*.llf")))
        QTest::newRow(qPrintable(name)) << TestFolder::shippedFile(name);
}

void TestHelpFiles::languageFilesNameAShippedHelp()
{
    QFETCH(QString, languageFile);
    const QString name =
        IniFile(languageFile)
            .readString(QStringLiteral("general"), QStringLiteral("HelpFile"), QStringLiteral("English.hlp"));
    // The program finds the help by its name without regard to case.
    const QString found = FindEntryIgnoringCase(TestFolder::shippedFile(QString()), name);
    QVERIFY2(!found.isEmpty() && HelpFolder(found).exists(), qPrintable(name));
}

QTEST_GUILESS_MAIN(TestHelpFiles)
#include "tst_helpfiles.moc"
