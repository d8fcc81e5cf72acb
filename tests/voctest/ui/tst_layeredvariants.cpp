#include "platform/ini/inifile.h"
#include "platform/programfiles.h"
#include "platform/programfolder.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "uilang/uilanguagelist.h"
#include "voctest/discardlist.h"
#include "voctest/testvariantlist.h"
#include "voctest/ui/configurediscardlist.h"
#include "voctest/ui/newtestprofile.h"
#include "voctest/ui/testparamsdlg.h"
#include "widgets/languagecombobox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}
} // namespace

// The test variants, the discard list and the UI languages of an installed program: read
// from the installed folder, written to the user's own, the installed files never changed.
class TestLayeredVariants : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;
    QString installed;
    QString user;

    QString install(const QString &name, const QString &text)
    {
        return folder->writeText(QStringLiteral("installed/") + name, text);
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        messages = ScriptedMessageService();
        installed = folder->filePath(QStringLiteral("installed/"));
        user = folder->filePath(QStringLiteral("user/"));
        install(QStringLiteral("1-standard.ltf"), "[settings]\nDescription=Standard\nMatchCase=no\n");
        install(QStringLiteral("2-strict.ltf"), "[settings]\nDescription=Strict\nMatchCase=yes\n");
        SetProgramFolders(installed, user);
    }
    void cleanup() { folder.reset(); }

    void editingAnInstalledVariantWritesTheUsersCopy()
    {
        const QByteArray shipped = contents(installed + QStringLiteral("1-standard.ltf"));
        TTestParamsDlg dialog(messages);
        QCOMPARE(items(dialog.TestVariants), QStringList({"Standard", "Strict"}));
        dialog.selectByDescription(QStringLiteral("Standard"));
        dialog.MatchCase->setChecked(true);
        dialog.TestVariants->setCurrentIndex(1); // saves the variant left
        QCOMPARE(contents(installed + QStringLiteral("1-standard.ltf")), shipped);
        const IniFile copy(user + QStringLiteral("1-standard.ltf"));
        QCOMPARE(copy.readString(QStringLiteral("settings"), QStringLiteral("MatchCase"), {}),
                 QStringLiteral("yes"));
        QCOMPARE(copy.readString(QStringLiteral("settings"), QStringLiteral("Description"), {}),
                 QStringLiteral("Standard"));

        // Coming back shows the edited values, and the test page lists the user's copy.
        dialog.TestVariants->setCurrentIndex(0);
        QVERIFY(dialog.MatchCase->isChecked());
        TestVariantList list;
        list.load(ProgramFolder());
        QCOMPARE(list.descriptions(), QStringList({"Standard", "Strict"}));
        QCOMPARE(list.paths().first(), user + QStringLiteral("1-standard.ltf"));
        QVERIFY(messages.shown().isEmpty());
    }

    void deletingAnInstalledVariantHidesIt()
    {
        TTestParamsDlg dialog(messages);
        dialog.selectByDescription(QStringLiteral("Strict"));
        messages.answerWith(MessageService::Yes);
        dialog.DeleteBtn->click();
        QCOMPARE(items(dialog.TestVariants), QStringList({"Standard"}));
        QVERIFY(QFile::exists(installed + QStringLiteral("2-strict.ltf")));
        QCOMPARE(messages.texts(),
                 QStringList({"Are you sure you want to delete the test profile:\r\nStrict"}));
        TestVariantList list;
        list.load(ProgramFolder());
        QCOMPARE(list.descriptions(), QStringList({"Standard"}));
    }

    void newAndRenamedVariantsGoToTheUsersFolder()
    {
        TTestParamsDlg dialog(messages);
        std::function<void(TNewTestProfile &)> user;
        dialog.runDialog = [&](QDialog &shown) {
            auto &profile = dynamic_cast<TNewTestProfile &>(shown);
            user(profile);
            return profile.result();
        };
        // A name the installed folder holds asks before it is overwritten.
        user = [](TNewTestProfile &profile) {
            profile.FileNameEdit->setText(QStringLiteral("2-strict"));
            profile.DescriptionEdit->setText(QStringLiteral("My strict"));
            profile.OkBtn->click();
        };
        messages.answerWith(MessageService::Yes);
        dialog.NewBtn->click();
        QCOMPARE(messages.texts(), QStringList({"File already exists! Overwrite the existing file?"}));
        const IniFile mine(this->user + QStringLiteral("2-strict.ltf"));
        QCOMPARE(mine.readString(QStringLiteral("settings"), QStringLiteral("Description"), {}),
                 QStringLiteral("My strict"));
        QCOMPARE(IniFile(installed + QStringLiteral("2-strict.ltf"))
                     .readString(QStringLiteral("settings"), QStringLiteral("Description"), {}),
                 QStringLiteral("Strict"));

        dialog.selectByDescription(QStringLiteral("Standard"));
        user = [](TNewTestProfile &profile) {
            profile.DescriptionEdit->setText(QStringLiteral("Renamed"));
            profile.OkBtn->click();
        };
        dialog.RenameBtn->click();
        QCOMPARE(items(dialog.TestVariants), QStringList({"Renamed", "My strict"}));
        QCOMPARE(IniFile(this->user + QStringLiteral("1-standard.ltf"))
                     .readString(QStringLiteral("settings"), QStringLiteral("MatchCase"), {}),
                 QStringLiteral("no"));
    }

    void theDiscardListIsReadInstalledAndWrittenOwn()
    {
        const QString shipped =
            install(QStringLiteral("DiscardList.ldl"), "[DiscardStrings]\nLanguage6=der; die; das\n");
        QCOMPARE(DiscardList::wordsFor(6), QStringList({"der", " die", " das"}));
        TConfigureDiscardList dialog(messages);
        dialog.LanguageComboBox1->addItem(QStringLiteral("Other"));
        for (int i = 1; i <= 6; ++i)
            dialog.LanguageComboBox1->addItem(QString::number(i));
        dialog.LanguageComboBox1->setCurrentIndex(6);
        dialog.FormShow();
        QCOMPARE(dialog.DiscardString->text(), QStringLiteral("der; die; das"));
        dialog.DiscardString->setText(QStringLiteral("der; die; das; ein"));
        dialog.OKBtn->click();
        QCOMPARE(
            IniFile(shipped).readString(QStringLiteral("DiscardStrings"), QStringLiteral("Language6"), {}),
            QStringLiteral("der; die; das"));
        QCOMPARE(DiscardList::wordsFor(6), QStringList({"der", " die", " das", " ein"}));
        QVERIFY(QFile::exists(user + QStringLiteral("DiscardList.ldl")));
    }

    void uiLanguagesOfBothFoldersAreOffered()
    {
        install(QStringLiteral("english.llf"), "[general]\nDescription=English\n");
        folder->writeText(QStringLiteral("user/mine.llf"), "[general]\nDescription=Mine\n");
        const QList<UiLanguage> languages = ListUiLanguages(ProgramFolder(), QStringLiteral("llf"));
        QCOMPARE(languages.size(), 2);
        QCOMPARE(languages.at(0).fileName, installed + QStringLiteral("english.llf"));
        QCOMPARE(languages.at(1).fileName, user + QStringLiteral("mine.llf"));
    }
};

QTEST_MAIN(TestLayeredVariants)
#include "tst_layeredvariants.moc"
