#include "input/ui/finddlg.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "input/ui/lumodbgridinplaceedit.h"
#include "support/scriptedmessageservice.h"
#include "support/standalonepageservices.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
// What the scripted dialog saw when it opened, and what the user then did in it.
struct DialogScript
{
    QString typed;
    bool native = true;
    bool foreign = true;
    int result = QDialog::Accepted;
    int runs = 0;
    QString seenText;
    bool seenNative = false;
    bool seenForeign = false;

    std::function<int(TFindDlg &)> runner()
    {
        return [this](TFindDlg &dialog) {
            ++runs;
            seenText = dialog.FindWhatEdit->text();
            seenNative = dialog.NativeLanguage->isChecked();
            seenForeign = dialog.ForeignLanguage->isChecked();
            dialog.FindWhatEdit->setText(typed);
            dialog.NativeLanguage->setChecked(native);
            dialog.ForeignLanguage->setChecked(foreign);
            return result;
        };
    }
};
} // namespace

// The grid's find command and its dialog, on a unit of a few entries.
class TestGridFind : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;
    std::unique_ptr<TLumoTable> table;
    std::unique_ptr<StandalonePageServices> services;
    std::unique_ptr<InputPage> page;

    TLumoDBGrid *grid() const { return page->LumoDBGrid1; }
    QString currentNative() const { return table->fieldValue(TLumoTable::NativeLanguage).toString(); }

    // Entries in this order: Haus/house, Zebra/zebra, Ärger/trouble, Café/coffee, Esel/donkey.
    void openUnit()
    {
        const QString descriptor = folder->filePath(QStringLiteral("words.lif"));
        UnitDescriptor(descriptor).write(6, 4, QStringLiteral("words"), QStringLiteral("MS Sans Serif"));
        table->setVocabularyFile(folder->filePath(QStringLiteral("words.db")));
        table->open();
        const QList<QStringList> words{{"Haus", "house"},
                                       {"Zebra", "zebra"},
                                       {"Ärger", "trouble"},
                                       {"Café", "coffee"},
                                       {"Esel", "donkey"}};
        for (const QStringList &pair : words)
            table->appendRecord({QVariant(), pair.at(0), pair.at(1), 1});
        table->first();
        grid()->setVocabularyFile(descriptor);
    }

    void showGrid()
    {
        page->resize(700, 400);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        grid()->setFocus();
        grid()->setCurrentIndex(grid()->model()->index(0, 0));
        QTRY_VERIFY(grid()->isEditing() && grid()->activeEditor() != nullptr);
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        messages.clear();
        table = std::make_unique<TLumoTable>(messages);
        services = std::make_unique<StandalonePageServices>(messages, *table);
        page = std::make_unique<InputPage>(services->services);
        openUnit();
    }

    void cleanup()
    {
        page.reset();
        services.reset();
        table.reset();
        folder.reset();
    }

    void dialogLayoutAndCaptions()
    {
        TFindDlg dialog(page.get());
        QCOMPARE(dialog.size(), QSize(375, 115));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Find"));
        QCOMPARE(dialog.FindWhatLabel->text(), QStringLiteral("Find what:"));
        QCOMPARE(dialog.Columns->title(), QStringLiteral("Columns "));
        QCOMPARE(dialog.NativeLanguage->text(), QStringLiteral("&Native Language"));
        QCOMPARE(dialog.ForeignLanguage->text(), QStringLiteral("&Foreign Language"));
        QCOMPARE(dialog.FindBtn->text(), QStringLiteral("Find"));
        QCOMPARE(dialog.CancelBtn->text(), QStringLiteral("Cancel"));
        QVERIFY(dialog.FindBtn->isDefault());
        QVERIFY(dialog.NativeLanguage->isChecked() && dialog.ForeignLanguage->isChecked());

        const QString language = folder->writeText(
            QStringLiteral("deutsch.llf"),
            QStringLiteral("[general]\nFindBtn=Suchen\nCancelBtn=Abbrechen\n[LumoDBGrid1]\nCaption=Suche\n"
                           "FindWhatLabel=Suchen nach:\nColumns=Spalten\nNativeLanguage=&Muttersprache\n"
                           "ForeignLanguage=&Fremdsprache\n[FindDlg]\nCaption=falsch\n"));
        dialog.setCaptions(language, QStringLiteral("LumoDBGrid1"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Suche"));
        QCOMPARE(dialog.FindWhatLabel->text(), QStringLiteral("Suchen nach:"));
        QCOMPARE(dialog.Columns->title(), QStringLiteral("Spalten"));
        QCOMPARE(dialog.NativeLanguage->text(), QStringLiteral("&Muttersprache"));
        QCOMPARE(dialog.ForeignLanguage->text(), QStringLiteral("&Fremdsprache"));
        QCOMPARE(dialog.FindBtn->text(), QStringLiteral("Suchen"));
        QCOMPARE(dialog.CancelBtn->text(), QStringLiteral("Abbrechen"));
    }

    void dialogOpensCentredWithTheTextFieldFocused()
    {
        showGrid();
        grid()->FindText = QStringLiteral("zeb");
        QRect shownAt;
        bool focused = false;
        grid()->setFindDialogRunner([&](TFindDlg &dialog) {
            dialog.show();
            if (!QTest::qWaitForWindowExposed(&dialog))
                return int(QDialog::Rejected);
            QTest::qWaitFor([&] { return dialog.FindWhatEdit->hasFocus(); }, 1000);
            focused = dialog.FindWhatEdit->hasFocus() && dialog.FindWhatEdit->selectedText() == "zeb";
            shownAt = dialog.frameGeometry();
            return int(QDialog::Rejected);
        });
        grid()->Find();
        QVERIFY(focused);
        QVERIFY((shownAt.center() - page->frameGeometry().center()).manhattanLength() <= 1);
    }

    void findInCapitalsMovesToTheEntry()
    {
        showGrid();
        DialogScript script{QStringLiteral("ÄRGER")};
        grid()->setFindDialogRunner(script.runner());
        grid()->Find();
        QCOMPARE(script.runs, 1);
        QCOMPARE(currentNative(), QStringLiteral("Ärger"));
        QTRY_COMPARE(grid()->currentIndex().row(), 2);
        QCOMPARE(grid()->FindText, QStringLiteral("ÄRGER"));
        QVERIFY(messages.texts().isEmpty());
        // The next search offers what was kept.
        script.typed = QStringLiteral("CAFÉ");
        grid()->Find();
        QCOMPARE(script.seenText, QStringLiteral("ÄRGER"));
        QCOMPARE(currentNative(), QStringLiteral("Café"));
        QTRY_COMPARE(grid()->currentIndex().row(), 3);
    }

    void cancelKeepsTheValuesAndTheEntry()
    {
        showGrid();
        DialogScript script{QStringLiteral("zebra"), false, true, QDialog::Rejected};
        grid()->setFindDialogRunner(script.runner());
        grid()->Find();
        QCOMPARE(currentNative(), QStringLiteral("Haus"));
        QCOMPARE(grid()->FindText, QString());
        QVERIFY(grid()->FindInNative && grid()->FindInForeign);
    }

    void theColumnsChosenAreKeptAndSearched()
    {
        showGrid();
        // "house" is only on the foreign side.
        DialogScript script{QStringLiteral("HOUSE"), true, false};
        grid()->setFindDialogRunner(script.runner());
        table->last();
        grid()->Find();
        QCOMPARE(currentNative(), QStringLiteral("Esel"));
        QVERIFY(grid()->FindInNative && !grid()->FindInForeign);
        script.native = false;
        script.foreign = true;
        grid()->Find();
        QVERIFY(script.seenNative && !script.seenForeign);
        QCOMPARE(currentNative(), QStringLiteral("Haus")); // wrapped from the last entry
    }

    void searchAgainWithAnEmptyTextFindsNothing()
    {
        showGrid();
        table->setRecNo(2);
        grid()->FindAgain();
        QCOMPARE(table->recNo(), 2);
        QVERIFY(messages.texts().isEmpty());
        grid()->FindText = QStringLiteral("e");
        grid()->FindAgain();
        QCOMPARE(currentNative(), QStringLiteral("Café"));
        grid()->FindAgain();
        QCOMPARE(currentNative(), QStringLiteral("Esel"));
        grid()->FindAgain();
        QCOMPARE(currentNative(), QStringLiteral("Haus")); // "house"
    }

    void aWordBeingTypedIsStoredAndFound()
    {
        showGrid();
        TLumoDBGridInplaceEdit *editor = grid()->activeEditor();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("Maus"));
        grid()->FindText = QStringLiteral("MAUS");
        grid()->FindAgain();
        QCOMPARE(table->state(), SqliteTable::State::Browse);
        QCOMPARE(table->recNo(), 0);
        QCOMPARE(table->valueAt(0, TLumoTable::NativeLanguage).toString(), QStringLiteral("Maus"));
    }
};

QTEST_MAIN(TestGridFind)
#include "tst_gridfind.moc"
