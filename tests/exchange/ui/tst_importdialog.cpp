#include "exchange/exchangeerror.h"
#include "exchange/ui/importdialog.h"
#include "exchange/wordexchange.h"
#include "platform/ini/inifile.h"
#include "support/screenshot.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/vocabularylanguages.h"
#include "widgets/languagecombobox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

class TestImportDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        messages = ScriptedMessageService();
    }
    void cleanup() { folder.reset(); }

    void previewFollowsSeparatorHeaderAndColumns()
    {
        QString csv = QStringLiteral("Deutsch;Ελληνικά;Wortart\r\n");
        for (int i = 0; i < 30; ++i)
            csv += QStringLiteral("Wort %1, lang;λέξη %1;noun\r\n").arg(i);
        const QString file = folder->writeText(QStringLiteral("Griechisch 1.csv"), csv);
        TImportDialog dialog(messages);
        dialog.setFile(file, WordListFormat::Csv);
        dialog.setTargets(QString(), folder->path(), vlGerman, vlGreek);
        QCOMPARE(dialog.separator(), QChar(u';'));
        QVERIFY(dialog.HeaderCheck->isChecked());
        QCOMPARE(dialog.choice().typeColumn, 2);
        QCOMPARE(dialog.PreviewGrid->rowCount(), TImportDialog::PreviewRows);
        QCOMPARE(dialog.PreviewGrid->columnCount(), 3);
        QCOMPARE(dialog.PreviewGrid->item(0, 1)->text(), QStringLiteral("λέξη 0"));
        QVERIFY(dialog.PreviewGrid->horizontalHeaderItem(0)->text().contains(QStringLiteral("Deutsch")));

        // The header row becomes words when the box is cleared.
        dialog.HeaderCheck->setChecked(false);
        QCOMPARE(dialog.PreviewGrid->item(0, 0)->text(), QStringLiteral("Deutsch"));
        // Another separator splits the rows anew.
        dialog.SeparatorBox->setCurrentIndex(0);
        QCOMPARE(dialog.separator(), QChar(u','));
        QCOMPARE(dialog.PreviewGrid->columnCount(), 2);
        QCOMPARE(dialog.PreviewGrid->item(1, 1)->text(), QStringLiteral(" lang;λέξη 0;noun"));

        // No unit selected: only a new one, named after the file, with the languages given.
        QVERIFY(!dialog.AppendRadio->isEnabled());
        QVERIFY(dialog.NewUnitRadio->isChecked());
        QCOMPARE(dialog.NewUnitEdit->text(), QStringLiteral("Griechisch 1"));
        QCOMPARE(dialog.targetDescriptor(), folder->path() + QStringLiteral("Griechisch 1.lif"));
        QCOMPARE(dialog.choice().nativeLanguage, int(vlGerman));
        QCOMPARE(dialog.choice().foreignLanguage, int(vlGreek));
    }

    // Pairs the selected unit holds already, also beyond the preview, are counted and, as
    // long as the box stays ticked, left out.
    void pairsInTheUnitAreOfferedToSkip()
    {
        const QString unit = folder->filePath(QStringLiteral("unit.lif"));
        WordExchange::importFile(
            folder->writeText(QStringLiteral("old.csv"), QStringLiteral("Hund;dog\nKatze;cat\n")), unit);
        QString csv;
        for (int i = 0; i < 12; ++i)
            csv += QStringLiteral("Wort %1;word %1\n").arg(i);
        csv += QStringLiteral("Katze;cat\nHund;dog\n");
        const QString file = folder->writeText(QStringLiteral("list.csv"), csv);
        TImportDialog dialog(messages);
        dialog.setFile(file, WordListFormat::Csv);
        dialog.setTargets(unit, folder->path(), vlGerman, vlBritishEnglish);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.SkipExistingCheck->isVisible());
        QCOMPARE(dialog.SkipExistingCheck->text(),
                 QStringLiteral("S&kip the word pairs the unit holds already: 2"));
        QVERIFY(dialog.choice().skipExisting);
        QTest::mouseClick(dialog.SkipExistingCheck, Qt::LeftButton, {},
                          QPoint(8, dialog.SkipExistingCheck->height() / 2));
        QVERIFY(!dialog.choice().skipExisting);
        QTest::mouseClick(dialog.SkipExistingCheck, Qt::LeftButton, {},
                          QPoint(8, dialog.SkipExistingCheck->height() / 2));
        // Other columns are other pairs; a new unit holds none.
        dialog.NativeColumnBox->setCurrentIndex(1);
        dialog.ForeignColumnBox->setCurrentIndex(0);
        QVERIFY(!dialog.SkipExistingCheck->isVisible());
        QVERIFY(!dialog.choice().skipExisting);
        dialog.NativeColumnBox->setCurrentIndex(0);
        dialog.ForeignColumnBox->setCurrentIndex(1);
        QVERIFY(dialog.SkipExistingCheck->isVisible());
        dialog.NewUnitRadio->setChecked(true);
        QVERIFY(!dialog.SkipExistingCheck->isVisible());
        QVERIFY(!dialog.choice().skipExisting);
        dialog.AppendRadio->setChecked(true);

        const ImportResult result = WordImporter::importInto(
            dialog.targetDescriptor(), WordExchange::readFile(file, WordListFormat::Csv, dialog.separator()),
            dialog.choice());
        QCOMPARE(result.existing, 2);
        QCOMPARE(result.imported, 12);
        QCOMPARE(WordImporter::unitPairs(unit).size(), 14);
    }

    void okRefusesWhatCannotBeImported()
    {
        const QString file = folder->writeText(QStringLiteral("w.tsv"), QStringLiteral("a\tb\nc\td\n"));
        const QString unit = folder->writeText(QStringLiteral("taken.lif"), QStringLiteral("[general]\n"));
        TImportDialog dialog(messages);
        dialog.setFile(file, WordListFormat::Tsv);
        dialog.setTargets(unit, folder->path(), 0, 0);
        QVERIFY(dialog.AppendRadio->isChecked());
        QCOMPARE(dialog.targetDescriptor(), unit);

        dialog.ForeignColumnBox->setCurrentIndex(0);
        dialog.OkBtn->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(messages.texts().last(),
                 QStringLiteral("Please choose two different columns for the two languages."));
        dialog.ForeignColumnBox->setCurrentIndex(1);

        dialog.NewUnitRadio->setChecked(true);
        dialog.NewUnitEdit->setText(QStringLiteral(" taken "));
        dialog.OkBtn->click();
        QCOMPARE(messages.texts().last(), QStringLiteral("Another unit of that name already exists."));
        dialog.NewUnitEdit->setText(QStringLiteral("what?"));
        dialog.OkBtn->click();
        QVERIFY(messages.texts().last().startsWith(QStringLiteral("A filename cannot contain")));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        // 82 CJK characters: 246 bytes, too many for the table's journal beside it.
        dialog.NewUnitEdit->setText(QString(82, QChar(0x8A9E)));
        dialog.OkBtn->click();
        QCOMPARE(messages.texts().last(),
                 QStringLiteral(
                     "The name of the unit is too long for this folder. Please choose a shorter name."));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        dialog.NewUnitEdit->setText(QStringLiteral("fresh"));
        dialog.OkBtn->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(messages.shown().size(), 4);
    }

    void kvtmlBringsItsLanguagesAndTypes()
    {
        const QString file = folder->writeText(
            QStringLiteral("list.kvtml"),
            QStringLiteral("<?xml version=\"1.0\"?><kvtml version=\"2.0\"><identifiers>"
                           "<identifier id=\"0\"><name>Français</name><locale>fr</locale></identifier>"
                           "<identifier id=\"1\"><name>Svenska</name><locale>sv</locale></identifier>"
                           "</identifiers><entries><entry id=\"0\"><translation id=\"0\"><text>maison</text>"
                           "</translation><translation id=\"1\"><text>hus</text></translation></entry>"
                           "</entries></kvtml>"));
        TImportDialog dialog(messages);
        dialog.setFile(file, WordListFormat::Kvtml);
        dialog.setTargets(QString(), folder->path(), vlGerman, vlGreek);
        QVERIFY(dialog.SeparatorBox->isHidden());
        QVERIFY(!dialog.TypeColumnBox->isEnabled());
        QCOMPARE(dialog.NativeColumnBox->itemText(0), QStringLiteral("Français"));
        QCOMPARE(dialog.choice().nativeLanguage, int(vlFrench));
        QCOMPARE(dialog.choice().foreignLanguage, int(vlSwedish));
        QCOMPARE(dialog.choice().typeColumn, -1);
        QCOMPARE(dialog.PreviewGrid->item(0, 1)->text(), QStringLiteral("hus"));

        const QString bad =
            folder->writeText(QStringLiteral("bad.kvtml"), QStringLiteral("<kvtml version=\"2.0\">"));
        QVERIFY_THROWS_EXCEPTION(ExchangeError, dialog.setFile(bad, WordListFormat::Kvtml));
    }

    void textsComeFromTheLanguageFile()
    {
        const QString file =
            folder->writeText(QStringLiteral("w.csv"), QStringLiteral("Haus,house\nBaum,tree\n"));
        TImportDialog dialog(messages);
        dialog.applyLanguageFile(TestFolder::shippedFile(QStringLiteral("deutsch.llf")), nullptr);
        dialog.setFile(file, WordListFormat::Csv);
        dialog.setTargets(QString(), folder->path(), 0, 0);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Wörter importieren"));
        QCOMPARE(dialog.SeparatorBox->currentText(), QStringLiteral("Komma ( , )"));
        QCOMPARE(dialog.TypeColumnBox->itemText(0), QStringLiteral("(keine)"));
        QCOMPARE(dialog.NativeLanguageBox->count(), 19);
        QCOMPARE(dialog.NativeLanguageBox->itemText(6).section(QChar(1), 0, 0), QStringLiteral("Deutsch"));

        // Every text is in both shipped files, the English one with the built-in text.
        const IniFile english(TestFolder::shippedFile(QStringLiteral("english.llf")));
        const IniFile german(TestFolder::shippedFile(QStringLiteral("deutsch.llf")));
        for (const TImportDialog::TextKey &t : TImportDialog::textKeys()) {
            const QString section =
                t.general ? QStringLiteral("general") : QLatin1String(TImportDialog::Section);
            QVERIFY2(german.valueExists(section, t.key), qPrintable(t.key));
            if (!t.general)
                QCOMPARE(english.readString(section, t.key, QStringLiteral("<none>")), t.english);
        }
    }

    void screenshot()
    {
        QString csv = QStringLiteral("German,Greek,Type\r\n");
        const char *words[][3] = {{"Haus", "σπίτι", "noun"},        {"gehen", "πηγαίνω", "verb"},
                                  {"schön", "ωραίος", "adjective"}, {"\"ja\", sagen", "λέω ναι", "verb"},
                                  {"Straße", "δρόμος", "noun"},     {"heute", "σήμερα", "adverb"}};
        for (const auto &w : words)
            csv += QStringLiteral("\"%1\",%2,%3\r\n")
                       .arg(QString::fromUtf8(w[0]).replace(u'"', QStringLiteral("\"\"")),
                            QString::fromUtf8(w[1]), QString::fromUtf8(w[2]));
        const QString file = folder->writeText(QStringLiteral("Greek words.csv"), csv);
        // The unit holds two of the pairs already, so the offer to skip them shows too.
        const QString unit = folder->filePath(QStringLiteral("Greek 1.lif"));
        WordExchange::importFile(
            folder->writeText(QStringLiteral("old.csv"), QStringLiteral("Haus,σπίτι\r\ngehen,πηγαίνω\r\n")),
            unit);
        for (const QString language : {QStringLiteral("english"), QStringLiteral("deutsch")}) {
            TImportDialog dialog(messages);
            dialog.applyLanguageFile(TestFolder::shippedFile(language + QStringLiteral(".llf")), nullptr);
            dialog.setFile(file, WordListFormat::Csv);
            dialog.setTargets(unit, folder->path(), vlGerman, vlGreek);
            dialog.resize(640, 520);
            const QString name = language == QStringLiteral("english")
                                     ? QStringLiteral("importdialog")
                                     : QStringLiteral("importdialog-deutsch");
            QVERIFY(saveScreenshot(dialog, name));
            QCOMPARE(dialog.PreviewGrid->rowCount(), 6);
            QCOMPARE(dialog.PreviewGrid->item(3, 0)->text(), QStringLiteral("\"ja\", sagen"));
            QVERIFY(dialog.SkipExistingCheck->text().endsWith(QStringLiteral(": 2")));
        }
    }
};

QTEST_MAIN(TestImportDialog)
#include "tst_importdialog.moc"
