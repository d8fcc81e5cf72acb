#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "exchange/exchangetexts.h"
#include "exchange/ui/importdialog.h"
#include "exchange/ui/wordlistcommands.h"
#include "exchange/wordexporter.h"
#include "mainformfixture.h"
#include "platform/ini/inifile.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

// The File menu's import and export of word lists, as the user reaches them.
class TestWordListCommands : public QObject, public MainFormFixture
{
    Q_OBJECT

private slots:
    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void onlyOnTheUnitManager()
    {
        makeUnit(QStringLiteral("unit"), 2);
        auto form = createForm();
        const MainMenuActions &menu = form->MainMenu()->actions();
        QVERIFY(menu.FileImportItem->isEnabled());
        QVERIFY(menu.FileExportItem->isEnabled());
        QCOMPARE(menu.FileImportItem->text(), QStringLiteral("&Import Words..."));
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("unit"));
        QVERIFY(form->PageControl()->requestPage(2));
        QVERIFY(!menu.FileImportItem->isEnabled());
        QVERIFY(!menu.FileExportItem->isEnabled());
        QVERIFY(form->PageControl()->requestPage(0));
        QVERIFY(menu.FileExportItem->isEnabled());
    }

    void exportThenImportIntoANewUnit()
    {
        makeUnit(QStringLiteral("source"), 3);
        auto form = createForm();
        TLumoListView *list = form->unitPage()->LumoListView1;
        list->selectCaption(QStringLiteral("source"));
        const QString file = folder->filePath(QStringLiteral("out.kvtml"));
        QStringList suggestions;
        form->wordLists()->setWordListChooser([&](bool save, const QString &suggested) {
            if (save)
                suggestions.append(suggested);
            return file;
        });
        form->wordLists()->FileExportItemClick();
        QCOMPARE(form->StatusLine()->currentMessage(), QStringLiteral("Word pairs exported: 3"));
        QCOMPARE(suggestions, QStringList{units + QStringLiteral("source.csv")});

        QString shownTarget;
        form->wordLists()->setImportDialogRunner([&](TImportDialog &dialog) {
            // KVTML brings the unit's languages; the new unit is named after the file.
            shownTarget = dialog.NewUnitEdit->text();
            dialog.NewUnitRadio->setChecked(true);
            dialog.OkBtn->click();
            return dialog.result();
        });
        form->wordLists()->FileImportItemClick();
        QCOMPARE(shownTarget, QStringLiteral("out"));
        QCOMPARE(form->StatusLine()->currentMessage(), QStringLiteral("Word pairs imported: 3"));
        QCOMPARE(list->selectedCaption(), QStringLiteral("out"));
        QCOMPARE(WordExporter::readUnit(units + QStringLiteral("out.lif")).pairs,
                 WordExporter::readUnit(units + QStringLiteral("source.lif")).pairs);
        QCOMPARE(UnitDescriptor(units + QStringLiteral("out.lif")).secondLanguage(), 6);
        QVERIFY(messages.shown().isEmpty());
    }

    void appendsToTheSelectedUnitAndReportsWhatWasLeftOut()
    {
        makeUnit(QStringLiteral("unit"), 2);
        const QString file =
            folder->writeText(QStringLiteral("more.csv"), QStringLiteral("a,b\nlonely\nc,d\n"));
        auto form = createForm();
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("unit"));
        form->wordLists()->setWordListChooser([&](bool, const QString &) { return file; });
        form->wordLists()->setImportDialogRunner([](TImportDialog &dialog) {
            dialog.OkBtn->click();
            return dialog.result();
        });
        form->wordLists()->FileImportItemClick();
        QCOMPARE(WordExporter::readUnit(units + QStringLiteral("unit.lif")).pairs.size(), 4);
        QCOMPARE(messages.texts(),
                 QStringList({"Word pairs imported: 2\r\nRows left out because they are empty or "
                              "too short: 1\r\nThe first of them is in line 2"}));
    }

    void aBadFileIsReportedWithItsLine()
    {
        const QString file = folder->writeText(QStringLiteral("bad.csv"), QStringLiteral("a,b\n\"c,d\n"));
        auto form = createForm();
        form->wordLists()->setWordListChooser([&](bool, const QString &) { return file; });
        bool shown = false;
        form->wordLists()->setImportDialogRunner([&](TImportDialog &) {
            shown = true;
            return int(QDialog::Accepted);
        });
        form->wordLists()->FileImportItemClick();
        QVERIFY(!shown);
        QCOMPARE(messages.texts(),
                 QStringList(
                     {"A quoted field is never closed. Nothing was imported from:\r\n" + file + ", line 2"}));
        QCOMPARE(QDir(units).entryList(QDir::Files), QStringList());
    }

    void exportWithoutSelectionAsksForOne()
    {
        auto form = createForm();
        bool asked = false;
        form->wordLists()->setWordListChooser([&](bool, const QString &) {
            asked = true;
            return QString();
        });
        form->wordLists()->FileExportItemClick();
        QVERIFY(!asked);
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY(messages.texts().first().startsWith(QStringLiteral("No file selected.")));
    }

    // The dialog says how the list was read before anything goes in; the words arrive as read.
    void importShowsTheEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("natives");
        QTest::newRow("utf-8") << QByteArray("Stra\xC3\x9F"
                                             "e,street\n")
                               << "Character encoding: UTF-8" << QStringList{"Straße"};
        QTest::newRow("windows-1252") << QByteArray("Stra\xDF"
                                                    "e,street\n")
                                      << "Character encoding: Windows-1252" << QStringList{"Straße"};
        QTest::newRow("utf-8 with a stray byte")
            << QByteArray("Stra\xC3\x9F"
                          "e,street\nM\xFCller,miller\nt\xC3\xA9,tea\n")
            << "Character encoding: UTF-8\nBytes that are not UTF-8, shown as \"\uFFFD\": 1"
            << QStringList{"Straße", "M\uFFFDller", "té"};
    }
    void importShowsTheEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QFETCH(QStringList, natives);
        const QString file = folder->writeFile(QStringLiteral("list.csv"), bytes);
        auto form = createForm();
        form->wordLists()->setWordListChooser([&](bool, const QString &) { return file; });
        QString seen;
        form->wordLists()->setImportDialogRunner([&](TImportDialog &dialog) {
            seen = dialog.EncodingLabel->text();
            dialog.OkBtn->click();
            return dialog.result();
        });
        form->MainMenu()->actions().FileImportItem->trigger();
        QCOMPARE(seen, shown);
        QStringList imported;
        for (const WordPair &pair : WordExporter::readUnit(units + QStringLiteral("list.lif")).pairs)
            imported.append(pair.native);
        QCOMPARE(imported, natives);
    }

    void shippedLanguageFilesHoldEveryMessage()
    {
        const IniFile english(TestFolder::shippedFile(QStringLiteral("english.llf")));
        const IniFile german(TestFolder::shippedFile(QStringLiteral("deutsch.llf")));
        for (const auto &[key, text] : ExchangeTexts::englishTexts()) {
            QVERIFY2(german.valueExists(QStringLiteral("MainForm"), key), qPrintable(key));
            QCOMPARE(english.readString(QStringLiteral("MainForm"), key, QStringLiteral("<none>")), text);
        }
    }
};

QTEST_MAIN(TestWordListCommands)
#include "tst_wordlistcommands.moc"
