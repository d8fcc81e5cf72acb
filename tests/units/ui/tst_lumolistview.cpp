#include "platform/busyindicator.h"
#include "platform/ini/inifile.h"
#include "support/screenshot.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "units/ui/flagimages.h"
#include "units/ui/lumolistview.h"
#include "units/ui/newvocfile.h"
#include "units/unitlistmodel.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unittestlog.h"
#include "widgets/imagelist.h"
#include "widgets/languagecombobox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

#include <string_view>

namespace {
QStringList files(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

QStringList captions(const TLumoListView &list)
{
    QStringList result;
    for (int row = 0; row < list.count(); ++row)
        result.append(list.model()->entry(row).caption);
    return result;
}

void makeUnit(const TestFolder &folder, const QString &name, int native = 2, int foreign = 6,
              const QString &description = QStringLiteral("words"))
{
    UnitDescriptor(folder.filePath(name + QStringLiteral(".lif")))
        .write(native, foreign, description, QString());
    folder.writeFile(name + QStringLiteral(".db"), name.toUtf8());
}
} // namespace

// The unit manager's file list on a folder of its own, with scripted message boxes and
// dialogs.
class TestLumoListView : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;
    std::unique_ptr<TImageList> large;
    std::unique_ptr<TImageList> small;

    std::unique_ptr<TLumoListView> makeList()
    {
        auto list = std::make_unique<TLumoListView>(messages, BusyIndicator::none());
        list->setObjectName(QStringLiteral("LumoListView1"));
        list->setImages(large.get(), small.get());
        list->resize(500, 300);
        list->setPath(folder->path());
        return list;
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        messages = ScriptedMessageService();
        large.reset(CreateLargeFlags(nullptr, TestFolder::shippedFile(QStringLiteral("flags/"))));
        small.reset(CreateSmallFlags(nullptr, TestFolder::shippedFile(QStringLiteral("flags/"))));
    }
    void cleanup() { folder.reset(); }

    void listsUnitsSortedByName()
    {
        for (const char *name : {"b", "Zebra", "a.b", "C", "apple"})
            makeUnit(*folder, QString::fromLatin1(name));
        folder->writeFile(QStringLiteral("notes.txt"), "x");
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("folder.lif")));
        auto list = makeList();
        QCOMPARE(captions(*list), QStringList({"a.b", "apple", "b", "C", "Zebra"}));
        const UnitListModel::Entry &entry = list->model()->entry(0);
        QCOMPARE(entry.description, QStringLiteral("words"));
        QCOMPARE(entry.foreignLanguage, 6);
        QCOMPARE(entry.languages, QStringLiteral("unkown - unkown")); // no UI language file
    }

    void languageNamesComeFromTheLanguageFile()
    {
        makeUnit(*folder, QStringLiteral("unit"));
        auto list = makeList();
        list->setLanguageFile(folder->copyFromData(QStringLiteral("english.llf")));
        QCOMPARE(list->model()->entry(0).languages, QStringLiteral("British English - German"));
    }

    void badDescriptorsListWithDefaults()
    {
        folder->writeFile(QStringLiteral("nogeneral.lif"), "[other]\nDescription=x\n");
        folder->writeFile(QStringLiteral("letters.lif"), "[general]\nFirstLanguage=abc\nSecondLanguage=77\n");
        folder->writeFile(QStringLiteral("ansi.lif"), "[general]\nDescription=M\xfc"
                                                      "hle\n");
        folder->writeFile(QStringLiteral("empty.lif"), "");
        auto list = makeList();
        QCOMPARE(list->count(), 4);
        const UnitListModel &model = *list->model();
        const UnitListModel::Entry &general = model.entry(model.rowOf(QStringLiteral("nogeneral")));
        QCOMPARE(general.description, QStringLiteral("unkown"));
        QCOMPARE(general.foreignLanguage, 0);
        const UnitListModel::Entry &letters = model.entry(model.rowOf(QStringLiteral("letters")));
        QCOMPARE(letters.nativeLanguage, 0);
        QCOMPARE(letters.foreignLanguage, 77);
        // A number without a flag draws a blank square.
        QVERIFY(model.data(model.index(model.rowOf(QStringLiteral("letters")), 0), Qt::DecorationRole)
                    .value<QIcon>()
                    .isNull());
        QCOMPARE(model.entry(model.rowOf(QStringLiteral("ansi"))).description, QStringLiteral("Mühle"));
    }

    void missingFolderListsTheHomeFolder()
    {
        auto list = makeList();
        list->setPath(folder->filePath(QStringLiteral("gone/")));
        QCOMPARE(list->path(), QDir::homePath() + u'/');
    }

    void unitInfoOfTheSelectedUnit()
    {
        folder->writeFile(QStringLiteral("other.lif"), "[general]\nFileType=gaptext\nFirstLanguage=4\n");
        makeUnit(*folder, QStringLiteral("unit"), 3, 9, QStringLiteral("animals"));
        auto list = makeList();
        QCOMPARE(list->GetUnitInfo().fileName, QString());
        list->selectCaption(QStringLiteral("unit"));
        TLumoFileHeader info = list->GetUnitInfo();
        QCOMPARE(info.fileName, folder->filePath(QStringLiteral("unit.lif")));
        QCOMPARE(info.firstLanguage, 3);
        QCOMPARE(info.secondLanguage, 9);
        QCOMPARE(info.description, QStringLiteral("animals"));
        QCOMPARE(info.fileType, TLumoFileHeader::VocabularyUnit);
        list->selectCaption(QStringLiteral("other"));
        info = list->GetUnitInfo();
        QCOMPARE(info.fileType, TLumoFileHeader::OtherFile);
        QCOMPARE(info.description, QStringLiteral("unkown"));
    }

    void renameInPlaceTakesTheCompanions()
    {
        makeUnit(*folder, QStringLiteral("old"));
        folder->writeFile(QStringLiteral("old.db-journal"), "j");
        auto list = makeList();
        QAbstractItemModel *model = list->model();
        QVERIFY(!model->setData(model->index(0, 0), QStringLiteral("new")));
        QTRY_COMPARE(files(folder->path()), QStringList({"new.db", "new.db-journal", "new.lif"}));
        QCOMPARE(captions(*list), QStringList({"new"}));
        QCOMPARE(list->selectedCaption(), QStringLiteral("new"));
        QVERIFY(messages.shown().isEmpty());
    }

    void renameOntoAnotherUnitFails()
    {
        makeUnit(*folder, QStringLiteral("a"));
        makeUnit(*folder, QStringLiteral("b"));
        auto list = makeList();
        QVERIFY(!list->RenameUnit(QStringLiteral("a"), QStringLiteral("b")));
        QVERIFY(!list->RenameUnit(QStringLiteral("a"), QStringLiteral("a?")));
        QCOMPARE(messages.texts(), QStringList({"Cannot rename file!", "Cannot rename file!"}));
        QCOMPARE(captions(*list), QStringList({"a", "b"}));
        QCOMPARE(files(folder->path()), QStringList({"a.db", "a.lif", "b.db", "b.lif"}));
    }

    void deletingThreeWhereTheSecondFails()
    {
        for (const char *name : {"one", "two", "three"})
            makeUnit(*folder, QString::fromLatin1(name));
        auto list = makeList();
        list->currentView()->selectAll();
        // Gone behind the list's back: its descriptor cannot be deleted any more.
        QVERIFY(QFile::remove(folder->filePath(QStringLiteral("three.lif"))));
        messages.answerWith(MessageService::Yes);
        list->DeleteSelectedFiles();
        QCOMPARE(messages.texts(),
                 QStringList({"Are you sure you want to delete the selected item(s)?",
                              "Cannot delete file:\r\n" + folder->filePath(QStringLiteral("three.lif"))}));
        QCOMPARE(files(folder->path()), QStringList({"three.db"}));
        QCOMPARE(list->count(), 0);
        const QDir trash(folder->dataHome() + QStringLiteral("/Trash/files"));
        QCOMPARE(trash.entryList(QDir::Files, QDir::Name),
                 QStringList({"one.db", "one.lif", "two.db", "two.lif"}));
    }

    void deleteAnsweredNoKeepsEverything()
    {
        makeUnit(*folder, QStringLiteral("unit"));
        auto list = makeList();
        list->selectCaption(QStringLiteral("unit"));
        messages.answerWith(MessageService::No);
        list->DeleteSelectedFiles();
        QCOMPARE(files(folder->path()), QStringList({"unit.db", "unit.lif"}));
        QCOMPARE(list->count(), 1);
    }

    void newUnitThroughTheDialog()
    {
        auto list = makeList();
        list->setDefaultNativeLanguage(25);
        list->setDefaultForeignLanguage(4);
        int nativeShown = -2;
        int foreignShown = -2;
        list->setDialogRunner([&](TNewVocFile &dialog) {
            nativeShown = dialog.NativeLanguageComboBox->currentIndex();
            foreignShown = dialog.ForeignLanguageComboBox->currentIndex();
            saveScreenshot(dialog, QStringLiteral("newvocfile"));
            dialog.FileNameEdit->setText(QStringLiteral(" Animals "));
            dialog.DescriptionEdit->setText(QStringLiteral("Farm animals"));
            dialog.NativeLanguageComboBox->setCurrentIndex(6);
            dialog.ForeignLanguageComboBox->setCurrentIndex(2);
            dialog.OKBtn->click();
            return dialog.result();
        });
        list->NewFile();
        QCOMPARE(nativeShown, 0); // 25 is no language: the first entry
        QCOMPARE(foreignShown, 4);
        QCOMPARE(files(folder->path()), QStringList({"Animals.lif"}));
        const UnitDescriptor unit(folder->filePath(QStringLiteral("Animals.lif")));
        QCOMPARE(unit.firstLanguage(), 6);
        QCOMPARE(unit.secondLanguage(), 2);
        QCOMPARE(unit.font(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(list->defaultNativeLanguage(), 6);
        QCOMPARE(list->defaultForeignLanguage(), 2);
        QCOMPARE(captions(*list), QStringList({"Animals"}));
        QCOMPARE(list->selectedCaption(), QStringLiteral("Animals"));
    }

    void newAndPropertiesShowTheFontTextsOfTheLanguage()
    {
        makeUnit(*folder, QStringLiteral("unit"));
        auto list = makeList();
        list->setLanguageFile(TestFolder::shippedFile(QStringLiteral("deutsch.llf")));
        list->selectCaption(QStringLiteral("unit"));
        QStringList shown;
        list->setDialogRunner([&](TNewVocFile &dialog) {
            shown << dialog.Label5->text() << dialog.FontBtn->text();
            return int(QDialog::Rejected);
        });
        list->NewFile();
        list->ShowProperties();
        const QStringList german{"Eine besondere Schrift für Sprachen wie Chinesisch usw.",
                                 "Besondere &Schrift..."};
        QCOMPARE(shown, german + german);
    }

    void newUnitWithForbiddenNameStaysOpen()
    {
        auto list = makeList();
        int results = -1;
        list->setDialogRunner([&](TNewVocFile &dialog) {
            dialog.FileNameEdit->setText(QStringLiteral("what?"));
            dialog.OKBtn->click();
            results = dialog.result();
            dialog.reject();
            return dialog.result();
        });
        list->NewFile();
        QCOMPARE(results, 0); // still open after OK
        QCOMPARE(messages.texts(),
                 QStringList({"A filename cannot contain any of the following characters:\r\n\\/:*?\"<>|"}));
        QVERIFY(files(folder->path()).isEmpty());
    }

    // The name is entered as the user enters it; one whose table journal would pass the file
    // system's limit of 255 bytes is refused before anything is written.
    void newUnitWithALongName_data()
    {
        QTest::addColumn<int>("characters");
        QTest::addColumn<bool>("fits");
        QTest::newRow("75 CJK characters") << 75 << true;
        QTest::newRow("80 CJK characters") << 80 << true;
        QTest::newRow("82 CJK characters") << 82 << false;
    }
    void newUnitWithALongName()
    {
        QFETCH(int, characters);
        QFETCH(bool, fits);
        const QString name(characters, QChar(0x8A9E));
        auto list = makeList();
        int result = -1;
        list->setDialogRunner([&](TNewVocFile &dialog) {
            dialog.show();
            // As an input method commits CJK text.
            QInputMethodEvent typed;
            typed.setCommitString(name);
            QApplication::sendEvent(dialog.FileNameEdit, &typed);
            QTest::mouseClick(dialog.OKBtn, Qt::LeftButton);
            result = dialog.result();
            if (result != QDialog::Accepted)
                dialog.reject();
            return dialog.result();
        });
        list->NewFile();
        QCOMPARE(result, fits ? int(QDialog::Accepted) : 0);
        if (!fits) {
            QCOMPARE(messages.texts(),
                     QStringList({"The name of the unit is too long for this folder. Please "
                                  "choose a shorter name."}));
            QVERIFY(files(folder->path()).isEmpty());
            return;
        }
        QCOMPARE(files(folder->path()), QStringList({name + ".lif"}));
        // The table is made when the unit is first opened, and takes words with its journal.
        TLumoTable table(messages);
        table.setVocabularyFile(folder->filePath(name + QStringLiteral(".db")));
        table.open();
        table.appendRecord({QVariant(), "Hund", "dog", 1, QVariant(), QVariant(), 0});
        table.close();
        QVERIFY(messages.texts().isEmpty());
        QCOMPARE(files(folder->path()), QStringList({name + ".db", name + ".lif"}));
    }

    void propertiesRenameKeepsTheTestLog()
    {
        makeUnit(*folder, QStringLiteral("verbs"), 2, 40, QStringLiteral("old words"));
        UnitTestLog(folder->filePath(QStringLiteral("verbs.lif"))).append(5, QStringLiteral("today"));
        auto list = makeList();
        list->selectCaption(QStringLiteral("verbs"));
        QString shownName, shownDescription;
        int foreignShown = -2;
        list->setDialogRunner([&](TNewVocFile &dialog) {
            shownName = dialog.FileNameEdit->text();
            shownDescription = dialog.DescriptionEdit->text();
            foreignShown = dialog.ForeignLanguageComboBox->currentIndex();
            saveScreenshot(dialog, QStringLiteral("unitproperties"));
            dialog.FileNameEdit->setText(QStringLiteral("Verbs 2"));
            dialog.OKBtn->click();
            return dialog.result();
        });
        list->ShowProperties();
        QCOMPARE(shownName, QStringLiteral("verbs"));
        QCOMPARE(shownDescription, QStringLiteral("old words"));
        QCOMPARE(foreignShown, -1); // 40 is no language
        QCOMPARE(files(folder->path()), QStringList({"Verbs 2.db", "Verbs 2.lif"}));
        const QString path = folder->filePath(QStringLiteral("Verbs 2.lif"));
        QCOMPARE(UnitDescriptor(path).secondLanguage(), 40);
        QCOMPARE(UnitTestLog(path).results(99), QList<int>({5}));
        QCOMPARE(captions(*list), QStringList({"Verbs 2"}));
    }

    // Properties start from the unit's own font: OK keeps it unless the user chooses another.
    void propertiesKeepTheUnitsFont_data()
    {
        QTest::addColumn<std::optional<QString>>("chosen"); // none: the font dialog is not opened
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("written");
        QTest::newRow("OK only") << std::optional<QString>() << false << "DejaVu Serif";
        QTest::newRow("font dialog cancelled") << std::optional<QString>(QString()) << true << "DejaVu Serif";
        QTest::newRow("another font")
            << std::optional<QString>(QStringLiteral("DejaVu Sans")) << false << "DejaVu Sans";
    }

    void propertiesKeepTheUnitsFont()
    {
        QFETCH(std::optional<QString>, chosen);
        QFETCH(bool, cancelled);
        QFETCH(QString, written);
        const QString path = folder->filePath(QStringLiteral("verbs.lif"));
        UnitDescriptor(path).write(2, 6, QStringLiteral("words"), QStringLiteral("DejaVu Serif"));
        auto list = makeList();
        list->selectCaption(QStringLiteral("verbs"));
        QString offered;
        list->setDialogRunner([&](TNewVocFile &dialog) {
            dialog.setFontChooser([&](const QString &current) -> std::optional<QString> {
                offered = current;
                return cancelled ? std::nullopt : chosen;
            });
            if (chosen)
                dialog.FontBtn->click();
            dialog.OKBtn->click();
            return dialog.result();
        });
        list->ShowProperties();
        QCOMPARE(offered, chosen ? QStringLiteral("DejaVu Serif") : QString());
        QCOMPARE(UnitDescriptor(path).font(), written);
    }

    void propertiesWithoutSelectionDoNothing()
    {
        makeUnit(*folder, QStringLiteral("unit"));
        auto list = makeList();
        bool shown = false;
        list->setDialogRunner([&](TNewVocFile &) {
            shown = true;
            return int(QDialog::Rejected);
        });
        list->ShowProperties();
        QVERIFY(!shown);
    }

    void aClickSelectsTheUnitInEveryStyle()
    {
        for (const char *name : {"a", "b", "c"})
            makeUnit(*folder, QString::fromLatin1(name));
        auto list = makeList();
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        QSignalSpy clicks(list.get(), &TLumoListView::Click);
        for (int style = 0; style < 4; ++style) {
            list->setViewStyle(style);
            QAbstractItemView *view = list->currentView();
            const QModelIndex b = list->model()->index(1, 0);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(b).center());
            QCOMPARE(list->selectedCaption(), QStringLiteral("b"));
            QCOMPARE(list->GetUnitInfo().fileName, folder->filePath(QStringLiteral("b.lif")));
            view->clearSelection();
            QCOMPARE(list->selectedCaption(), QString());
        }
        QCOMPARE(clicks.count(), 4);
    }

    void unitsAreDraggedFromEveryStyle()
    {
        for (const char *name : {"a", "b", "c"})
            makeUnit(*folder, QString::fromLatin1(name));
        auto list = makeList();
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        for (int style = 0; style < 4; ++style) {
            list->setViewStyle(style);
            QAbstractItemView *view = list->currentView();
            const QPoint at = view->visualRect(list->model()->index(1, 0)).center();
            const QPoint away = at + QPoint(0, 3 * QApplication::startDragDistance());
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseMove(view->viewport(), at + QPoint(0, 1));
            QTest::mouseMove(view->viewport(), away);
            // The drag is over at once on this platform; its object waits to be deleted.
            const QList<QDrag *> drags = view->findChildren<QDrag *>();
            QVERIFY2(drags.size() == 1, qPrintable(QStringLiteral("view style %1").arg(style)));
            QCOMPARE(list->selectedCaptions(), QStringList({"b"}));
            qDeleteAll(drags);
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, away);
        }
    }

    // Two rows of one name are told apart by the descriptor's spelling; a rename still starts
    // from the name.
    void namesShownInTheList_data()
    {
        QTest::addColumn<QStringList>("descriptors");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("edited");
        QTest::newRow("one spelling") << QStringList({"SHOUT.LIF", "calm.lif"})
                                      << QStringList({"calm", "SHOUT"}) << QStringList({"calm", "SHOUT"});
        QTest::newRow("two spellings of the extension")
            << QStringList({"SHOUT.lif", "SHOUT.LIF", "calm.lif"})
            << QStringList({"calm", "SHOUT.LIF", "SHOUT.lif"}) << QStringList({"calm", "SHOUT", "SHOUT"});
        QTest::newRow("names differing in case")
            << QStringList({"shout.lif", "SHOUT.lif"}) << QStringList({"SHOUT", "shout"})
            << QStringList({"SHOUT", "shout"});
    }

    void namesShownInTheList()
    {
        QFETCH(QStringList, descriptors);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, edited);
        for (const QString &descriptor : std::as_const(descriptors))
            UnitDescriptor(folder->filePath(descriptor)).write(2, 6, QStringLiteral("words"), QString());
        auto list = makeList();
        QStringList display;
        QStringList edit;
        for (int row = 0; row < list->count(); ++row) {
            const QModelIndex index = list->model()->index(row, UnitListModel::FileColumn);
            display.append(index.data(Qt::DisplayRole).toString());
            edit.append(index.data(Qt::EditRole).toString());
        }
        QCOMPARE(display, shown);
        QCOMPARE(edit, edited);
    }

    // A unit whose descriptor came with an upper-case extension, as from an old system, with
    // its table spelt the same way; and the same unit with its table in two spellings.
    void unitsWithAnUpperCaseExtension_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<bool>("clash");
        QTest::addColumn<QStringList>("after");
        for (const bool clash : {false, true}) {
            const QStringList unit = clash ? QStringList({"SHOUT.DB", "SHOUT.LIF", "SHOUT.db"})
                                           : QStringList({"SHOUT.DB", "SHOUT.LIF"});
            const char *suffix = clash ? " with two tables" : "";
            QTest::addRow("properties%s", suffix) << "properties" << clash << unit;
            QTest::addRow("rename%s", suffix)
                << "rename" << clash << (clash ? unit : QStringList({"LOUD.DB", "LOUD.LIF"}));
            QTest::addRow("delete%s", suffix) << "delete" << clash << (clash ? unit : QStringList());
        }
    }

    void unitsWithAnUpperCaseExtension()
    {
        QFETCH(QString, operation);
        QFETCH(bool, clash);
        QFETCH(QStringList, after);
        UnitDescriptor(folder->filePath(QStringLiteral("SHOUT.LIF")))
            .write(2, 6, QStringLiteral("loud words"), QStringLiteral("Courier"));
        folder->writeFile(QStringLiteral("SHOUT.DB"), "table");
        if (clash)
            folder->writeFile(QStringLiteral("SHOUT.db"), "another table");
        auto list = makeList();
        QCOMPARE(captions(*list), QStringList({"SHOUT"}));
        list->selectCaption(QStringLiteral("SHOUT"));
        QCOMPARE(list->GetUnitInfo().secondLanguage, 6);
        int shownForeign = -2;
        list->setDialogRunner([&](TNewVocFile &dialog) {
            shownForeign = dialog.ForeignLanguageComboBox->currentIndex();
            dialog.DescriptionEdit->setText(QStringLiteral("louder words"));
            dialog.OKBtn->click();
            return dialog.result();
        });
        messages.answerWith(MessageService::Yes);
        if (operation == QLatin1String("properties"))
            list->ShowProperties();
        else if (operation == QLatin1String("rename"))
            list->RenameUnit(QStringLiteral("SHOUT"), QStringLiteral("LOUD"));
        else
            list->DeleteSelectedFiles();
        QCOMPARE(files(folder->path()), after);
        QStringList shown = messages.texts();
        if (operation == QLatin1String("delete"))
            shown.removeFirst(); // the question
        if (clash) {
            QCOMPARE(shown,
                     QStringList({"Two files of this unit differ only in the case of their extension. Keep "
                                  "one of them and try again:\r\n" +
                                  folder->filePath(QStringLiteral("SHOUT.DB")) + "\r\n" +
                                  folder->filePath(QStringLiteral("SHOUT.db"))}));
            QCOMPARE(shownForeign, -2);
            return;
        }
        QVERIFY(shown.isEmpty());
        if (operation == QLatin1String("properties")) {
            QCOMPARE(shownForeign, 6);
            QCOMPARE(UnitDescriptor(folder->filePath(QStringLiteral("SHOUT.LIF"))).description(),
                     QStringLiteral("louder words"));
        }
    }

    // Translators start from the English file; both shipped files must hold every text.
    void languageFilesHoldEveryListText()
    {
        const IniFile english(TestFolder::shippedFile(QStringLiteral("english.llf")));
        const IniFile german(TestFolder::shippedFile(QStringLiteral("deutsch.llf")));
        const QString section = QStringLiteral("LumoListView1");
        for (const auto &[key, text] : TLumoListView::englishTexts()) {
            QCOMPARE(english.readString(section, key, QString()), text);
            QVERIFY2(german.valueExists(section, key), qPrintable(key));
        }
        QCOMPARE(TLumoListView::englishTexts().size(), 18);
    }

    void fourViewStyles()
    {
        for (const char *name : {"English - German", "English - French", "Verbs", "Animals"})
            makeUnit(*folder, QString::fromLatin1(name), 2, std::string_view(name).size() % 19);
        auto list = makeList();
        list->setLanguageFile(folder->copyFromData(QStringLiteral("english.llf")));
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list.get()));
        for (int style = 0; style < 4; ++style) {
            list->setViewStyle(style);
            QCOMPARE(list->viewStyle(), style);
            QCOMPARE(qobject_cast<QTreeView *>(list->currentView()) != nullptr,
                     style == TLumoListView::vsReport);
            QCOMPARE(list->currentView()->iconSize(), style == 0 ? QSize(32, 32) : QSize(16, 16));
            saveScreenshot(*list, QStringLiteral("filelist-style%1").arg(style));
        }
    }
};

QTEST_MAIN(TestLumoListView)
#include "tst_lumolistview.moc"
