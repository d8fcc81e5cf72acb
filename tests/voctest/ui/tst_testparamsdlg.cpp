#include "platform/ini/inifile.h"
#include "platform/sound/speechsynthesizer.h"
#include "support/screenshot.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "voctest/testsettings.h"
#include "voctest/ui/configurediscardlist.h"
#include "voctest/ui/newtestprofile.h"
#include "voctest/ui/testparamsdlg.h"
#include "widgets/languagecombobox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>
#include <functional>

namespace {
const QString AllTypes = QStringLiteral("[0],[1],[2],[3],[4],[5],[6],[7],[8],[9],[10]");

QString value(const QString &path, const QString &key)
{
    return IniFile(path).readString(QStringLiteral("settings"), key, QStringLiteral("<none>"));
}

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}
} // namespace

// The test settings dialog, its new/rename dialog and the discard list dialog, used as the
// user uses them; the small dialogs are answered by script.
class TestTestParamsDlg : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;

    QString variant(const QString &file, const QString &description, const QString &more = QString())
    {
        return folder->writeText(file,
                                 QStringLiteral("[settings]\nDescription=") + description + u'\n' + more);
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        messages = ScriptedMessageService();
    }
    void cleanup() { folder.reset(); }

    void listsOnlyDescribedVariantsAndShowsTheirValues()
    {
        variant("a.ltf", "Alpha",
                "TestType=MultiChoice\nDiscardNotes=NO\nMatchCase=Yes\nWordTypes=[1],[10],\n");
        variant("b.ltf", "error");
        variant("c.ltf", "Gamma", "TestType=whatever\nUseDiscardList=no\nWordTypes=\n");
        folder->writeText("d.ltf", "");
        variant("e.ltf", "Epsilon", "TestType=comprehension\nWordTypes=garbage [3\n");
        TTestParamsDlg dialog(messages);
        QCOMPARE(items(dialog.TestVariants), QStringList({"Alpha", "Gamma", "Epsilon"}));
        dialog.selectByDescription("Alpha");
        QVERIFY(dialog.MultiChoice->isChecked());
        QVERIFY(!dialog.DiscardNotes->isChecked());
        QVERIFY(dialog.MatchCase->isChecked());
        QVERIFY(dialog.UseDiscardList->isChecked());
        for (int k = 0; k < TTestParamsDlg::WordTypeCount; ++k)
            QCOMPARE(dialog.WordType[k]->isChecked(), k == 1 || k == 10);

        // An unknown kind is standard; an empty list of word types ticks none.
        dialog.TestVariants->setCurrentIndex(1);
        QVERIFY(dialog.Standard->isChecked());
        QVERIFY(!dialog.UseDiscardList->isChecked());
        for (QCheckBox *type : dialog.WordType)
            QVERIFY(!type->isChecked());
        dialog.TestVariants->setCurrentIndex(2);
        QVERIFY(dialog.Comprehension->isChecked());
        for (QCheckBox *type : dialog.WordType)
            QVERIFY(!type->isChecked());
        QVERIFY(messages.shown().isEmpty());
    }

    void addedSwitchesAreKeptOnlyWhereTheyWereUsed_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("accents") << QStringLiteral("IgnoreAccents");
        if (SpeechSynthesizer::instance().available())
            QTest::newRow("speech") << QStringLiteral("SpeakMissingSounds");
    }

    void addedSwitchesAreKeptOnlyWhereTheyWereUsed()
    {
        QFETCH(QString, key);
        const QString a = variant("a.ltf", "A", key + QStringLiteral("=Yes\n"));
        const QString b = variant("b.ltf", "B", "MatchCase=no\n");
        TTestParamsDlg dialog(messages);
        QCheckBox *box = dialog.findChild<QCheckBox *>(key);
        QVERIFY(box);
        dialog.selectByDescription("A");
        QVERIFY(box->isChecked());
        box->setChecked(false);
        dialog.TestVariants->setCurrentIndex(1);
        QCOMPARE(value(a, key), QStringLiteral("no"));
        QVERIFY(!box->isChecked());
        // A variant that never used it gets no key of it when saved.
        dialog.MatchCase->setChecked(true);
        dialog.TestVariants->setCurrentIndex(0);
        QCOMPARE(value(b, key), QStringLiteral("<none>"));
        QCOMPARE(value(b, "MatchCase"), QStringLiteral("yes"));
        dialog.TestVariants->setCurrentIndex(1);
        box->setChecked(true);
        dialog.OkBtn->click();
        QCOMPARE(value(b, key), QStringLiteral("yes"));
        // "1" counts as ticked too.
        const QString c = variant("c.ltf", "C", key + QStringLiteral("=1\n"));
        TTestParamsDlg again(messages);
        again.selectByDescription("C");
        QVERIFY(again.findChild<QCheckBox *>(key)->isChecked());
        QCOMPARE(value(c, key), QStringLiteral("1"));
    }

    // The daily number of new words reads as a test reads it and is written only where it was
    // set or changed from its default; the test then takes what the dialog wrote.
    void newWordsADayAreShownAndKeptOnlyWhereUsed()
    {
        const QString a = variant("a.ltf", "A", "NewPerDay=5\n");
        const QString b = variant("b.ltf", "B", "MatchCase=no\n");
        const QString c = variant("c.ltf", "C", "NewPerDay=-3\n");
        TTestParamsDlg dialog(messages);
        dialog.selectByDescription("A");
        QCOMPARE(dialog.NewPerDay->value(), 5);
        dialog.NewPerDay->setValue(40);
        dialog.TestVariants->setCurrentIndex(1);
        QCOMPARE(dialog.NewPerDay->value(), 20);
        QCOMPARE(value(a, "NewPerDay"), QStringLiteral("40"));
        dialog.TestVariants->setCurrentIndex(2);
        QCOMPARE(dialog.NewPerDay->value(), 0);
        QCOMPARE(value(b, "NewPerDay"), QStringLiteral("<none>"));
        dialog.TestVariants->setCurrentIndex(1);
        dialog.NewPerDay->setValue(0);
        dialog.OkBtn->click();
        TestSettings settings;
        settings.load(b);
        QCOMPARE(settings.newPerDay, 0);
        settings.load(a);
        QCOMPARE(settings.newPerDay, 40);
    }

    void addedSwitchesAreTranslated()
    {
        variant("b.ltf", "B", "MatchCase=no\n");
        TTestParamsDlg translated(messages);
        translated.applyLanguageFile(folder->writeText(
            "de.llf", "[TestParamsDlg]\nIgnoreAccents=Akzente ignorieren\nMatchCase=Gro\u00df/klein "
                      "beachten\nSpeakMissingSounds=Ohne Klang sprechen\n"));
        QCOMPARE(translated.IgnoreAccents->text(), QStringLiteral("Akzente ignorieren"));
        QCOMPARE(translated.SpeakMissingSounds->text(), QStringLiteral("Ohne Klang sprechen"));
        if (!screenshotFolder().isEmpty()) {
            translated.selectByDescription("B");
            translated.adjustSize();
            saveScreenshot(translated, QStringLiteral("testparamsdlg-deutsch"));
            TTestParamsDlg english(messages);
            english.selectByDescription("B");
            english.adjustSize();
            saveScreenshot(english, QStringLiteral("testparamsdlg-addedswitches"));
        }
    }

    void theSpeechBoxShowsWhereTheSynthesiserRuns()
    {
        TTestParamsDlg dialog(messages);
        dialog.show();
        QCOMPARE(dialog.SpeakMissingSounds->isVisible(), SpeechSynthesizer::instance().available());
        QCOMPARE(dialog.SpeakMissingSounds->isVisible(), SpeechSynthesizer::compiledIn());
        QCOMPARE(dialog.SpeakMissingSounds->text(), QStringLiteral("Speak words that have no sound"));
    }

    void theLastEqualDescriptionWins()
    {
        variant("a.ltf", "Same", "MatchCase=no\n");
        variant("b.ltf", "Same", "MatchCase=yes\n");
        variant("c.ltf", "Other");
        TTestParamsDlg dialog(messages);
        dialog.TestVariants->setCurrentIndex(2);
        dialog.selectByDescription("Same");
        QCOMPARE(dialog.TestVariants->currentIndex(), 1);
        QVERIFY(dialog.MatchCase->isChecked());
        dialog.selectByDescription("Nothing like it");
        QCOMPARE(dialog.TestVariants->currentIndex(), 1);
    }

    void switchingSavesTheVariantLeftAndCancelKeepsIt()
    {
        const QString a = variant("a.ltf", "A", "TestType=standard\nWordTypes=" + AllTypes + "\n");
        const QString b = variant("b.ltf", "B", "TestType=standard\nMatchCase=no\n");
        TTestParamsDlg dialog(messages);
        dialog.selectByDescription("A");
        dialog.MultiChoice->setChecked(true);
        dialog.MatchCase->setChecked(true);
        dialog.WordType[0]->setChecked(false);
        dialog.WordType[4]->setChecked(false);
        dialog.TestVariants->setCurrentIndex(1);
        QCOMPARE(value(a, "TestType"), QStringLiteral("multichoice"));
        QCOMPARE(value(a, "MatchCase"), QStringLiteral("yes"));
        QCOMPARE(value(a, "DiscardNotes"), QStringLiteral("yes"));
        QCOMPARE(value(a, "UseDiscardList"), QStringLiteral("yes"));
        QCOMPARE(value(a, "WordTypes"), QStringLiteral("[1],[2],[3],[5],[6],[7],[8],[9],[10],"));
        QCOMPARE(value(a, "Description"), QStringLiteral("A"));

        // B's edits are not saved by Cancel; A's stay saved.
        dialog.MatchCase->setChecked(true);
        dialog.CancelBtn->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(value(b, "MatchCase"), QStringLiteral("no"));
        QCOMPARE(value(a, "MatchCase"), QStringLiteral("yes"));

        // OK saves the one shown; no word type gives empty text.
        TTestParamsDlg again(messages);
        again.selectByDescription("B");
        for (QCheckBox *type : again.WordType)
            type->setChecked(false);
        again.Comprehension->setChecked(true);
        again.OkBtn->click();
        QCOMPARE(again.result(), int(QDialog::Accepted));
        QCOMPARE(value(b, "WordTypes"), QString());
        QCOMPARE(value(b, "TestType"), QStringLiteral("comprehension"));
    }

    void kindOfTestRoundTrips_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown"); // the radio button checked
        QTest::addColumn<QString>("written");
        QTest::newRow("standard") << "standard"
                                  << "Standard"
                                  << "standard";
        QTest::newRow("multiple choice") << "multichoice"
                                         << "MultiChoice"
                                         << "multichoice";
        QTest::newRow("listening") << "comprehension"
                                   << "Comprehension"
                                   << "comprehension";
        QTest::newRow("flash cards") << "FlashCards"
                                     << "FlashCards"
                                     << "flashcards";
        QTest::newRow("unknown is standard") << "oral"
                                             << "Standard"
                                             << "standard";
    }

    // Each kind is shown by its own radio button and written back by it as the readers know it.
    void kindOfTestRoundTrips()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, written);
        const QString path = variant("k.ltf", "K", "TestType=" + stored + "\n");
        TTestParamsDlg dialog(messages);
        dialog.selectByDescription("K");
        for (QRadioButton *kind :
             {dialog.Standard, dialog.MultiChoice, dialog.Comprehension, dialog.FlashCards})
            QCOMPARE(kind->isChecked(), kind->objectName() == shown);
        dialog.OkBtn->click();
        QCOMPARE(value(path, "TestType"), written);
        TestSettings settings;
        settings.load(path);
        QCOMPARE(settings.testType == TestType::FlashCards, shown == "FlashCards");
    }

    void newVariantTakesOnlyTheNameAndAsksBeforeOverwriting()
    {
        variant("old.ltf", "Old", "MatchCase=yes\nExtra=kept\n");
        TTestParamsDlg dialog(messages);
        std::function<void(TNewTestProfile &)> user;
        dialog.runDialog = [&](QDialog &shown) {
            auto &profile = dynamic_cast<TNewTestProfile &>(shown);
            user(profile);
            return profile.result();
        };
        user = [](TNewTestProfile &profile) {
            QCOMPARE(profile.windowTitle(), QStringLiteral("Create new test profile:"));
            QVERIFY(profile.FileNameEdit->isEnabled());
            profile.FileNameEdit->setText("C:\\somewhere/else\\fresh");
            profile.DescriptionEdit->setText("Fresh one");
            profile.OkBtn->click();
            QCOMPARE(profile.FileNameEdit->text(), QStringLiteral("fresh"));
        };
        dialog.NewBtn->click();
        const QString fresh = folder->filePath("fresh.ltf");
        QCOMPARE(value(fresh, "Description"), QStringLiteral("Fresh one"));
        QCOMPARE(value(fresh, "TestType"), QStringLiteral("standard"));
        QCOMPARE(value(fresh, "DiscardNotes"), QStringLiteral("yes"));
        QCOMPARE(value(fresh, "MatchCase"), QStringLiteral("no"));
        QCOMPARE(value(fresh, "WordTypes"), AllTypes);
        QCOMPARE(value(fresh, "UseDiscardList"), QStringLiteral("<none>"));
        QCOMPARE(dialog.TestVariants->currentText(), QStringLiteral("Fresh one"));
        QVERIFY(dialog.WordType[10]->isChecked());

        // An existing name: No writes nothing, Yes rewrites only the new variant's keys.
        const QByteArray before = [&] {
            QFile f(folder->filePath("old.ltf"));
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        user = [](TNewTestProfile &profile) {
            profile.FileNameEdit->setText("old");
            profile.DescriptionEdit->setText("Replaced");
            profile.OkBtn->click();
        };
        messages.answerWith(MessageService::No);
        dialog.NewBtn->click();
        QFile old(folder->filePath("old.ltf"));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), before);
        QCOMPARE(messages.texts().last(),
                 QStringLiteral("File already exists! Overwrite the existing file?"));
        QCOMPARE(messages.shown().last().buttons, MessageService::Yes | MessageService::No);
        messages.answerWith(MessageService::Yes);
        dialog.NewBtn->click();
        QCOMPARE(value(folder->filePath("old.ltf"), "Description"), QStringLiteral("Replaced"));
        QCOMPARE(value(folder->filePath("old.ltf"), "MatchCase"), QStringLiteral("no"));
        QCOMPARE(value(folder->filePath("old.ltf"), "Extra"), QStringLiteral("kept"));

        // An empty name is refused with a message instead of writing ".ltf".
        messages.clear();
        user = [](TNewTestProfile &profile) {
            profile.FileNameEdit->setText("folder/");
            profile.OkBtn->click();
            QCOMPARE(profile.result(), int(QDialog::Rejected));
        };
        dialog.NewBtn->click();
        QVERIFY(!QFile::exists(folder->filePath(".ltf")));
        QCOMPARE(messages.texts(), QStringList{"Please enter a file name for the new test profile."});
    }

    void renameChangesOnlyTheDescription()
    {
        const QString path = variant("keep.ltf", "Before", "TestType=multichoice\n");
        TTestParamsDlg dialog(messages);
        dialog.runDialog = [&](QDialog &shown) {
            auto &profile = dynamic_cast<TNewTestProfile &>(shown);
            [&] {
                QCOMPARE(profile.windowTitle(), QStringLiteral("Rename test profile:"));
                QVERIFY(!profile.FileNameEdit->isEnabled());
                QCOMPARE(profile.FileNameEdit->text(), path);
                QCOMPARE(profile.DescriptionEdit->text(), QStringLiteral("Before"));
            }();
            profile.DescriptionEdit->setText("After");
            profile.OkBtn->click();
            return profile.result();
        };
        dialog.RenameBtn->click();
        QCOMPARE(items(dialog.TestVariants), QStringList{"After"});
        QCOMPARE(value(path, "TestType"), QStringLiteral("multichoice"));
        QCOMPARE(dialog.paths(), QStringList{path});
    }

    void deleteAsksFirst()
    {
        const QString a = variant("a.ltf", "First");
        variant("b.ltf", "Second", "TestType=comprehension\n");
        TTestParamsDlg dialog(messages);
        messages.answerWith(MessageService::No);
        dialog.DeleteBtn->click();
        QVERIFY(QFile::exists(a));
        QCOMPARE(messages.texts(), QStringList{"Are you sure you want to delete the test profile:\r\nFirst"});
        QCOMPARE(messages.shown().at(0).kind, MessageService::Kind::Confirmation);
        messages.answerWith(MessageService::Yes);
        dialog.DeleteBtn->click();
        QVERIFY(!QFile::exists(a));
        QCOMPARE(items(dialog.TestVariants), QStringList{"Second"});
        QVERIFY(dialog.Comprehension->isChecked());

        // With nothing listed, Delete and Rename do nothing.
        messages.answerWith(MessageService::Yes);
        dialog.DeleteBtn->click();
        messages.clear();
        dialog.runDialog = [](QDialog &) -> int { throw std::logic_error("no dialog expected"); };
        dialog.DeleteBtn->click();
        dialog.RenameBtn->click();
        QVERIFY(messages.shown().isEmpty());
    }

    void translatedTextsAndHelp()
    {
        const QString file = folder->writeText(
            "other.llf", "[general]\nOkBtn=Gut\n[TestParamsDlg]\nCaption=Einstellungen\nType3=Fuerwort\n"
                         "Label=Wortarten:\n");
        TTestParamsDlg dialog(messages);
        dialog.applyLanguageFile(folder->filePath("missing.llf"));
        QCOMPARE(dialog.OkBtn->text(), QStringLiteral("Ok"));
        dialog.applyLanguageFile(file);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Einstellungen"));
        QCOMPARE(dialog.OkBtn->text(), QStringLiteral("Gut"));
        QCOMPARE(dialog.WordType[3]->text(), QStringLiteral("Fuerwort"));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("Wortarten:"));
        QCOMPARE(dialog.DiscardNotes->text(), QStringLiteral("Allow notes \"(note...)\""));
        QList<int> contexts;
        connect(&dialog, &TTestParamsDlg::helpRequested, this, [&](int c) { contexts.append(c); });
        dialog.HelpBtn->click();
        QCOMPARE(contexts, QList<int>{320});
    }

    void shippedLanguageFilesHoldEveryText()
    {
        const IniFile english(TestFolder::shippedFile("english.llf"));
        const IniFile german(TestFolder::shippedFile("deutsch.llf"));
        for (const TTestParamsDlg::TextKey &t : TTestParamsDlg::textKeys()) {
            const QString section = t.general ? QStringLiteral("general") : QStringLiteral("TestParamsDlg");
            QVERIFY2(german.valueExists(section, t.key), qPrintable(t.key));
            // The shared button captions of the English file are its own ("OK", "&Help").
            if (!t.general)
                QCOMPARE(english.readString(section, t.key, "<none>"), t.english);
        }
    }

    void discardListKeepsEditsAcrossLanguagesAndOkWritesAll()
    {
        folder->writeText("DiscardList.ldl",
                          "[DiscardStrings]\nLanguage1=the; a ;an\nLanguage6=der;die;das\n");
        TTestParamsDlg dialog(messages);
        dialog.setDiscardLanguages(nullptr, 6);
        QList<int> contexts;
        connect(&dialog, &TTestParamsDlg::helpRequested, this, [&](int c) { contexts.append(c); });
        bool ok = true;
        dialog.runDialog = [&](QDialog &shown) {
            auto &discard = dynamic_cast<TConfigureDiscardList &>(shown);
            discard.show();
            [&] {
                QCOMPARE(discard.windowTitle(), QStringLiteral("Configure words to discard"));
                QCOMPARE(discard.LanguageComboBox1->count(), 19);
                QCOMPARE(discard.LanguageComboBox1->SelectedLanguage(), 6);
                QCOMPARE(discard.DiscardString->text(), QStringLiteral("der;die;das"));
                discard.DiscardString->setText("der; die; das; zu");
                discard.LanguageComboBox1->setCurrentIndex(1);
                QCOMPARE(discard.DiscardString->text(), QStringLiteral("the; a ;an"));
                discard.DiscardString->setText("to");
                discard.LanguageComboBox1->setCurrentIndex(6);
                QCOMPARE(discard.DiscardString->text(), QStringLiteral("der; die; das; zu"));
                discard.LanguageComboBox1->setCurrentIndex(4);
                discard.DiscardString->setText("le;la");
                discard.HelpBtn->click();
            }();
            (ok ? discard.OKBtn : discard.CancelBtn)->click();
            return discard.result();
        };
        ok = false;
        dialog.ConfigureBtn->click();
        const IniFile list(folder->filePath("DiscardList.ldl"));
        QCOMPARE(list.readSection("DiscardStrings").size(), 2);
        ok = true;
        dialog.ConfigureBtn->click();
        QCOMPARE(contexts, QList<int>({330, 330}));
        QStringList keys;
        for (int n = 0; n < 19; ++n)
            keys.append(QStringLiteral("Language%1").arg(n));
        QStringList written = list.readSection("DiscardStrings");
        written.sort();
        keys.sort();
        QCOMPARE(written, keys);
        QCOMPARE(list.readString("DiscardStrings", "Language6", ""), QStringLiteral("der; die; das; zu"));
        QCOMPARE(list.readString("DiscardStrings", "Language1", ""), QStringLiteral("to"));
        QCOMPARE(list.readString("DiscardStrings", "Language4", ""), QStringLiteral("le;la"));
        QCOMPARE(list.readString("DiscardStrings", "Language0", "<none>"), QString());
    }
};

QTEST_MAIN(TestTestParamsDlg)
#include "tst_testparamsdlg.moc"
