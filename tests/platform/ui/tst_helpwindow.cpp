#include "platform/help/helpfolder.h"
#include "platform/ui/helpwindow.h"
#include "platform/ui/helpwindowservice.h"
#include "support/screenshot.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

namespace {
QString shippedHelp()
{
    return TestFolder::shippedFile(QStringLiteral("english.hlp"));
}

QString pageName(const HelpWindow *window)
{
    return window->currentPage().fileName();
}

// A help of a few pages of the test's own.
QString writeSmallHelp(const TestFolder &folder, const QString &name, const QString &keywords)
{
    folder.writeText(
        name + QStringLiteral("/index.html"),
        QStringLiteral("<html><head><title>Small</title></head><body>"
                       "<a href=\"170.html\">units</a> <a href=\"gone.html\">gone</a></body></html>"));
    folder.writeText(name + QStringLiteral("/170.html"),
                     QStringLiteral("<html><head><title>Units</title></head><body>units</body></html>"));
    folder.writeText(name + QStringLiteral("/keywords.txt"), keywords);
    return folder.filePath(name);
}
} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT

private slots:
    void showTopicOpensItsPage_data();
    void showTopicOpensItsPage();
    void contentsAndHowToUse();
    void oneWindowServesEveryRequest();
    void searchFiltersTheIndexAndOpensTheHit();
    void backAndForward();
    void missingHelpFolderGivesMessageAndNoWindow();
    void missingTopicGivesMessageAndNoWindow();
    void missingPageBehindALinkKeepsThePage();
    void searchWithoutKeywordIndexGivesMessage();
    void anotherHelpFileBringsItsOwnIndex();
    void aPageTheTranslationLacksComesFromTheEnglishHelp();
    void translatedTexts();
    void screenshots();
};

void TestHelpWindow::showTopicOpensItsPage_data()
{
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("title");
    QTest::newRow("unit manager") << 170 << "Unit Manager";
    QTest::newRow("new vocabulary file") << 190 << "New Vocabulary File";
    QTest::newRow("printer options") << 250 << "Printer Options";
    QTest::newRow("test page") << 275 << "Vocabulary Test";
    QTest::newRow("character bar") << 300 << "Customize Character Bar";
    QTest::newRow("test settings") << 320 << "Test Settings";
    QTest::newRow("discard list") << 330 << "words to discard";
    QTest::newRow("input page") << 340 << "Vocabulary Input";
    QTest::newRow("logbook") << 380 << "Logbook";
    QTest::newRow("language selection") << 400 << "Language Selection";
}

void TestHelpWindow::showTopicOpensItsPage()
{
    QFETCH(int, context);
    QFETCH(QString, title);
    QWidget owner;
    ScriptedMessageService messages;
    HelpWindowService help(&owner, messages);
    help.setHelpFile(shippedHelp());

    help.showTopic(context);

    QVERIFY(messages.shown().isEmpty());
    HelpWindow *window = help.window();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(window->isWindow());
    QCOMPARE(window->parentWidget(), &owner);
    QCOMPARE(pageName(window), QString::number(context) + QStringLiteral(".html"));
    QVERIFY2(window->windowTitle().contains(title), qPrintable(window->windowTitle()));
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("Lumo '97 Help - ")));
    QVERIFY(window->browser()->toPlainText().size() > 200);
}

void TestHelpWindow::contentsAndHowToUse()
{
    QWidget owner;
    ScriptedMessageService messages;
    HelpWindowService help(&owner, messages);
    help.setHelpFile(shippedHelp());

    help.showContents();
    QCOMPARE(pageName(help.window()), QStringLiteral("index.html"));
    QVERIFY(help.window()->browser()->toPlainText().contains(QStringLiteral("Unit Manager")));

    help.showHowToUse();
    QCOMPARE(pageName(help.window()), QStringLiteral("howto.html"));
    QVERIFY(messages.shown().isEmpty());
}

void TestHelpWindow::oneWindowServesEveryRequest()
{
    QWidget owner;
    ScriptedMessageService messages;
    HelpWindowService help(&owner, messages);
    help.setHelpFile(shippedHelp());

    help.showTopic(170);
    HelpWindow *first = help.window();
    first->close();
    help.showContents();
    QCOMPARE(help.window(), first);
    QVERIFY(first->isVisible());
    help.showSearch();
    help.showTopic(400);
    QCOMPARE(help.window(), first);
    QCOMPARE(owner.findChildren<HelpWindow *>().size(), 1);
    QCOMPARE(pageName(first), QStringLiteral("400.html"));
}

void TestHelpWindow::searchFiltersTheIndexAndOpensTheHit()
{
    QWidget owner;
    ScriptedMessageService messages;
    HelpWindowService help(&owner, messages);
    help.setHelpFile(shippedHelp());

    help.showSearch();
    HelpWindow *window = help.window();
    QVERIFY(window);
    QVERIFY(window->searchField()->isVisible());
    QVERIFY(window->searchField()->width() > 100);
    QVERIFY(window->browser()->width() > 300);
    QVERIFY(window->searchField()->text().isEmpty());
    // Not an empty window: the contents stand beside the search.
    QCOMPARE(pageName(window), QStringLiteral("index.html"));
    const int all = window->hitList()->count();
    QVERIFY(all > 30);

    QTest::keyClicks(window->searchField(), QStringLiteral("SOUN"));
    const int hits = window->hitList()->count();
    QVERIFY(hits > 0 && hits < all);
    for (int i = 0; i < hits; ++i)
        QVERIFY(window->hitList()->item(i)->text().contains(QStringLiteral("soun"), Qt::CaseInsensitive));
    QCOMPARE(window->hitList()->currentRow(), 0);
    QCOMPARE(window->hitList()->item(0)->text(), QStringLiteral("sound"));

    QTest::keyClick(window->searchField(), Qt::Key_Return);
    QCOMPARE(pageName(window), QStringLiteral("340.html"));
    QCOMPARE(window->currentPage().fragment(), QStringLiteral("sound"));

    // The arrow keys in the field choose among the hits.
    window->searchField()->setText(QStringLiteral("word types"));
    QCOMPARE(window->hitList()->count(), 2);
    QTest::keyClick(window->searchField(), Qt::Key_Down);
    QCOMPARE(window->hitList()->currentRow(), 1);
    QTest::keyClick(window->searchField(), Qt::Key_Return);
    QCOMPARE(pageName(window), QStringLiteral("340.html"));
    QTest::keyClick(window->searchField(), Qt::Key_Up);
    QCOMPARE(window->hitList()->currentRow(), 0);
    QTest::keyClick(window->searchField(), Qt::Key_Return);
    QCOMPARE(pageName(window), QStringLiteral("320.html"));

    // A keyword with several pages names them, so that its hits can be told apart.
    window->searchField()->setText(QStringLiteral("multiple choice"));
    QCOMPARE(window->hitList()->count(), 2);
    QVERIFY(window->hitList()->item(0)->text() != window->hitList()->item(1)->text());
    window->hitList()->setCurrentRow(1);
    emit window->hitList()->itemActivated(window->hitList()->item(1));
    QCOMPARE(pageName(window), QStringLiteral("320.html"));

    // Asking for the search again starts from an empty search text.
    help.showSearch();
    QVERIFY(window->searchField()->text().isEmpty());
    QCOMPARE(window->hitList()->count(), all);
    QVERIFY(messages.shown().isEmpty());
}

void TestHelpWindow::backAndForward()
{
    QWidget owner;
    ScriptedMessageService messages;
    HelpWindowService help(&owner, messages);
    help.setHelpFile(shippedHelp());
    help.showContents();
    HelpWindow *window = help.window();
    auto *back = window->findChild<QPushButton *>(QStringLiteral("HelpBackButton"));
    auto *forward = window->findChild<QPushButton *>(QStringLiteral("HelpForwardButton"));
    auto *contents = window->findChild<QPushButton *>(QStringLiteral("HelpContentsButton"));
    QVERIFY(back && forward && contents);
    QVERIFY(!back->isEnabled());
    QVERIFY(!forward->isEnabled());

    emit window->browser()->anchorClicked(QUrl(QStringLiteral("275.html")));
    QCOMPARE(pageName(window), QStringLiteral("275.html"));
    emit window->browser()->anchorClicked(QUrl(QStringLiteral("answers.html")));
    QCOMPARE(pageName(window), QStringLiteral("answers.html"));
    QVERIFY(back->isEnabled());

    back->click();
    QCOMPARE(pageName(window), QStringLiteral("275.html"));
    back->click();
    QCOMPARE(pageName(window), QStringLiteral("index.html"));
    QVERIFY(!back->isEnabled());
    QVERIFY(forward->isEnabled());
    forward->click();
    QCOMPARE(pageName(window), QStringLiteral("275.html"));

    contents->click();
    QCOMPARE(pageName(window), QStringLiteral("index.html"));
    QVERIFY(messages.shown().isEmpty());
}

void TestHelpWindow::missingHelpFolderGivesMessageAndNoWindow()
{
    TestFolder folder;
    QWidget owner;
    ScriptedMessageService messages;
    HelpWindowService help(&owner, messages);
    const QString missing = folder.filePath(QStringLiteral("English.hlp"));
    help.setHelpFile(missing);
    QCOMPARE(help.helpFile(), missing);

    help.showContents();
    help.showSearch();
    help.showHowToUse();
    help.showTopic(170);

    QCOMPARE(messages.shown().size(), 4);
    for (const ScriptedMessageService::Shown &shown : messages.shown()) {
        QCOMPARE(shown.text, QStringLiteral("The help file could not be found:\r\n") + missing);
        QCOMPARE(shown.buttons, int(MessageService::Ok));
    }
    QVERIFY(!help.window());
    QVERIFY(owner.findChildren<HelpWindow *>().isEmpty());

    // An old help file is no folder of pages either.
    folder.writeText(QStringLiteral("English.hlp"), QStringLiteral("?_\x03"));
    messages.clear();
    help.showTopic(170);
    QCOMPARE(messages.texts(),
             QStringList({QStringLiteral("The help file could not be found:\r\n") + missing}));
    QVERIFY(!help.window());
}

void TestHelpWindow::missingTopicGivesMessageAndNoWindow()
{
    TestFolder folder;
    QWidget owner;
    ScriptedMessageService messages;
    HelpWindowService help(&owner, messages);
    help.setHelpFile(
        writeSmallHelp(folder, QStringLiteral("english.hlp"), QStringLiteral("units=170.html\n")));

    help.showTopic(190);
    help.showHowToUse();

    QCOMPARE(messages.texts(), QStringList({QStringLiteral("This help topic could not be found:\r\n") +
                                                folder.filePath(QStringLiteral("english.hlp/190.html")),
                                            QStringLiteral("This help topic could not be found:\r\n") +
                                                folder.filePath(QStringLiteral("english.hlp/howto.html"))}));
    QVERIFY(!help.window());

    // With the window open, a missing topic leaves it on its page.
    help.showTopic(170);
    help.showTopic(999);
    QCOMPARE(messages.shown().size(), 3);
    QCOMPARE(pageName(help.window()), QStringLiteral("170.html"));
}

void TestHelpWindow::missingPageBehindALinkKeepsThePage()
{
    TestFolder folder;
    QWidget owner;
    ScriptedMessageService messages;
    HelpWindowService help(&owner, messages);
    help.setHelpFile(
        writeSmallHelp(folder, QStringLiteral("english.hlp"), QStringLiteral("units=170.html\n")));
    help.showContents();
    HelpWindow *window = help.window();
    const QString shown = window->browser()->toPlainText();

    emit window->browser()->anchorClicked(QUrl(QStringLiteral("gone.html")));

    QCOMPARE(messages.texts(), QStringList({QStringLiteral("This help topic could not be found:\r\n") +
                                            folder.filePath(QStringLiteral("english.hlp/gone.html"))}));
    QCOMPARE(pageName(window), QStringLiteral("index.html"));
    QCOMPARE(window->browser()->toPlainText(), shown);
}

void TestHelpWindow::searchWithoutKeywordIndexGivesMessage()
{
    TestFolder folder;
    QWidget owner;
    ScriptedMessageService messages;
    HelpWindowService help(&owner, messages);
    const QString path = writeSmallHelp(folder, QStringLiteral("english.hlp"), QString());
    QFile::remove(path + QStringLiteral("/keywords.txt"));
    help.setHelpFile(path);

    help.showSearch();

    QCOMPARE(messages.texts(), QStringList({QStringLiteral("This help topic could not be found:\r\n") +
                                            folder.filePath(QStringLiteral("english.hlp/keywords.txt"))}));
    QVERIFY(!help.window());
}

void TestHelpWindow::anotherHelpFileBringsItsOwnIndex()
{
    TestFolder folder;
    QWidget owner;
    ScriptedMessageService messages;
    HelpWindowService help(&owner, messages);
    help.setHelpFile(
        writeSmallHelp(folder, QStringLiteral("english.hlp"), QStringLiteral("units=170.html\n")));
    help.showSearch();
    QCOMPARE(help.window()->hitList()->item(0)->text(), QStringLiteral("units"));

    // The UI language changed and names its own help.
    help.setHelpFile(writeSmallHelp(folder, QStringLiteral("Deutsch.hlp"),
                                    QStringLiteral("Einheiten=170.html\nOrdner=170.html\n")));
    help.showSearch();
    QCOMPARE(help.window()->hitList()->count(), 2);
    QCOMPARE(help.window()->hitList()->item(0)->text(), QStringLiteral("Einheiten"));
    QTest::keyClick(help.window()->searchField(), Qt::Key_Return);
    QCOMPARE(help.window()->currentPage().toLocalFile(),
             folder.filePath(QStringLiteral("Deutsch.hlp/170.html")));
    QVERIFY(messages.shown().isEmpty());
}

void TestHelpWindow::aPageTheTranslationLacksComesFromTheEnglishHelp()
{
    TestFolder folder;
    QWidget owner;
    ScriptedMessageService messages;
    HelpWindowService help(&owner, messages);
    HelpWindowTexts french;
    french.msgHelpPageInEnglish = QStringLiteral("Page non traduite");
    help.setTexts(french);
    writeSmallHelp(folder, QStringLiteral("English.hlp"), QStringLiteral("units=170.html\n"));
    // Only the contents are translated, and there is no keyword index.
    folder.writeText(QStringLiteral("francais.hlp/index.html"),
                     QStringLiteral("<html><head><title>Sommaire</title></head><body>"
                                    "<a href=\"170.html#top\">unités</a></body></html>"));
    help.setHelpFile(folder.filePath(QStringLiteral("francais.hlp")));

    help.showContents();
    HelpWindow *window = help.window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(!window->standInNote()->isVisible());

    emit window->browser()->anchorClicked(QUrl(QStringLiteral("170.html#top")));
    QCOMPARE(window->currentPage().toLocalFile(), folder.filePath(QStringLiteral("English.hlp/170.html")));
    QCOMPARE(window->currentPage().fragment(), QStringLiteral("top"));
    QVERIFY(window->standInNote()->isVisible());
    QCOMPARE(window->standInNote()->text(), QStringLiteral("Page non traduite"));

    // Back to the translated contents, not to the English ones beside the stand-in.
    emit window->browser()->anchorClicked(QUrl(QStringLiteral("index.html")));
    QCOMPARE(window->currentPage().toLocalFile(), folder.filePath(QStringLiteral("francais.hlp/index.html")));
    QVERIFY(!window->standInNote()->isVisible());

    help.showTopic(170);
    QVERIFY(window->standInNote()->isVisible());
    help.showSearch();
    QCOMPARE(window->hitList()->count(), 1);

    // A page neither help has is reported where the translated one should be.
    help.showTopic(999);
    QCOMPARE(messages.texts(), QStringList({QStringLiteral("This help topic could not be found:\r\n") +
                                            folder.filePath(QStringLiteral("francais.hlp/999.html"))}));
    QCOMPARE(pageName(window), QStringLiteral("170.html"));
}

void TestHelpWindow::translatedTexts()
{
    const HelpWindowTexts texts = HelpWindowTexts::translated(
        [](const QString &key, const QString &english) { return key + u'|' + english; });
    QCOMPARE(texts.caption, QStringLiteral("HelpWindowCaption|Lumo '97 Help"));
    QCOMPARE(texts.msgHelpFileMissing,
             QStringLiteral("MsgHelpFileMissing|The help file could not be found:"));
    QCOMPARE(texts.msgHelpTopicMissing,
             QStringLiteral("MsgHelpTopicMissing|This help topic could not be found:"));
    QCOMPARE(texts.displayButton, QStringLiteral("HelpDisplayBtn|&Display"));

    TestFolder folder;
    QWidget owner;
    ScriptedMessageService messages;
    HelpWindowService help(&owner, messages);
    HelpWindowTexts german;
    german.caption = QStringLiteral("Lumo '97 Hilfe");
    german.msgHelpFileMissing = QStringLiteral("Die Hilfedatei wurde nicht gefunden:");
    help.setTexts(german);
    help.setHelpFile(folder.filePath(QStringLiteral("Deutsch.hlp")));
    help.showContents();
    QVERIFY(messages.texts().at(0).startsWith(QStringLiteral("Die Hilfedatei wurde nicht gefunden:\r\n")));

    help.setHelpFile(shippedHelp());
    help.showTopic(170);
    QVERIFY(help.window()->windowTitle().startsWith(QStringLiteral("Lumo '97 Hilfe - ")));
    german.caption = QStringLiteral("Hilfe");
    help.setTexts(german);
    QVERIFY(help.window()->windowTitle().startsWith(QStringLiteral("Hilfe - ")));
}

void TestHelpWindow::screenshots()
{
    QWidget owner;
    ScriptedMessageService messages;
    HelpWindowService help(&owner, messages);
    help.setHelpFile(shippedHelp());
    help.showContents();
    QVERIFY(QTest::qWaitForWindowExposed(help.window()));
    saveScreenshot(*help.window(), QStringLiteral("helpwindow-contents"));
    help.showSearch();
    QTest::keyClicks(help.window()->searchField(), QStringLiteral("test"));
    help.showTopic(275);
    QVERIFY(help.window()->hitList()->isVisible());
    QVERIFY(help.window()->hitList()->width() > 100);
    saveScreenshot(*help.window(), QStringLiteral("helpwindow-topic"));
    QCOMPARE(pageName(help.window()), QStringLiteral("275.html"));

    // The German help, found by the name its language file gives it.
    help.setHelpFile(TestFolder::shippedFile(QStringLiteral("deutsch.hlp")));
    help.showSearch();
    help.window()->searchField()->setText(QStringLiteral("füll"));
    QTest::keyClick(help.window()->searchField(), Qt::Key_Return);
    QCOMPARE(pageName(help.window()), QStringLiteral("330.html"));
    QVERIFY(help.window()->browser()->toPlainText().contains(QStringLiteral("Füllwörter")));
    saveScreenshot(*help.window(), QStringLiteral("helpwindow-deutsch"));

    // A shipped help that translates only some pages: the unit manager's page comes in English.
    HelpWindowTexts turkish;
    turkish.msgHelpPageInEnglish =
        QStringLiteral("Bu sayfa henüz çevrilmedi, bu yüzden İngilizce gösteriliyor.");
    help.setTexts(turkish);
    help.setHelpFile(TestFolder::shippedFile(QStringLiteral("turkce.hlp")));
    help.showTopic(170);
    QVERIFY(help.window()->standInNote()->isVisible());
    saveScreenshot(*help.window(), QStringLiteral("helpwindow-turkce-standin"));
    help.showTopic(275);
    QVERIFY(!help.window()->standInNote()->isVisible());
    saveScreenshot(*help.window(), QStringLiteral("helpwindow-turkce"));
    QVERIFY(messages.shown().isEmpty());
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
