#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "input/ui/lumodbgridinplaceedit.h"
#include "support/screenshot.h"
#include "support/scriptedmessageservice.h"
#include "support/standalonepageservices.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "widgets/lumotablemodel.h"
#include "widgets/speedbutton.h"

#include <QDir>
#include <QHeaderView>
#include <QListWidget>
#include <QPainter>
#include <QtTest>

namespace {
const QString LanguageText =
    QStringLiteral("[general]\nLanguage4=English\nLanguage6=German\n"
                   "[LumoDBGrid1]\nType=Wortart\ntype0=keine\ntype1=Nomen\ntype2=Verb\ntype10=Ausruf\n");

QPixmap redGlyph()
{
    QPixmap glyph(15, 15);
    glyph.fill(Qt::red);
    return glyph;
}

int redPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == QColor(Qt::red))
                ++count;
    return count;
}
} // namespace

// The word-pair grid over a unit's table, driven with keys and the mouse as a user would.
class TestLumoDBGrid : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;
    std::unique_ptr<TLumoTable> table;
    std::unique_ptr<StandalonePageServices> services;
    std::unique_ptr<InputPage> page;
    QString languageFile;

    TLumoDBGrid *grid() const { return page->LumoDBGrid1; }

    QString makeUnit(const QString &name, int native, int foreign, const QList<QVariantList> &rows)
    {
        const QString descriptor = folder->filePath(name + QStringLiteral(".lif"));
        UnitDescriptor(descriptor)
            .write(native, foreign, QStringLiteral("words"), QStringLiteral("MS Sans Serif"));
        table->setVocabularyFile(folder->filePath(name + QStringLiteral(".db")));
        table->open();
        for (const QVariantList &row : rows)
            table->appendRecord(row);
        table->first();
        return descriptor;
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

    TLumoDBGridInplaceEdit *editCell(int row, int column)
    {
        const QModelIndex index = grid()->model()->index(row, column);
        grid()->setCurrentIndex(index);
        if (!grid()->isEditing())
            grid()->edit(index);
        const bool open = QTest::qWaitFor(
            [&] { return grid()->isEditing() && grid()->currentIndex().column() == column; }, 2000);
        if (!open)
            qWarning("no editor opened on row %d, column %d", row, column);
        return grid()->activeEditor();
    }

    QVariant stored(int row, int field) const { return table->valueAt(row, field); }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        messages.clear();
        table = std::make_unique<TLumoTable>(messages);
        services = std::make_unique<StandalonePageServices>(messages, *table);
        page = std::make_unique<InputPage>(services->services);
        languageFile = folder->writeText(QStringLiteral("deutsch.llf"), LanguageText);
    }

    void cleanup()
    {
        page.reset();
        services.reset();
        table.reset();
        folder.reset();
    }

    void captionsComeFromTheUnitsLanguages()
    {
        grid()->setLanguageFile(languageFile);
        grid()->setVocabularyFile(makeUnit(QStringLiteral("a"), 6, 4, {}));
        const QAbstractItemModel *model = grid()->model();
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("German"));
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("English"));
        QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Wortart"));
        table->close();
        grid()->setVocabularyFile(makeUnit(QStringLiteral("b"), 6, 17, {}));
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("unkown"));
        // A missing descriptor leaves the captions as they were.
        grid()->setVocabularyFile(folder->filePath(QStringLiteral("missing.lif")));
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("German"));
        QCOMPARE(grid()->vocabularyFile(), folder->filePath(QStringLiteral("missing.lif")));
    }

    void typeNamesFollowTheLanguageFile()
    {
        // The pick list has English defaults; the cells have none.
        QCOMPARE(grid()->typeNames().size(), 11);
        QCOMPARE(grid()->typeNames().at(1), QStringLiteral("noun"));
        QCOMPARE(grid()->typeNames().at(10), QStringLiteral("exclamation"));
        QCOMPARE(grid()->cellTypeName(1), QString());
        grid()->setLanguageFile(languageFile);
        QCOMPARE(grid()->typeNames().at(1), QStringLiteral("Nomen"));
        QCOMPARE(grid()->typeNames().at(3), QStringLiteral("pronoun")); // key missing
        QCOMPARE(grid()->cellTypeName(1), QStringLiteral("Nomen"));
        QCOMPARE(grid()->cellTypeName(3), QString());
        QCOMPARE(grid()->cellTypeName(QVariant()), QStringLiteral("keine"));
        // A number outside the list, as an old table may hold, shows blank.
        QCOMPARE(grid()->cellTypeName(12), QString());
        QCOMPARE(grid()->cellTypeName(-1), QString());
    }

    void pickListStoresThePosition()
    {
        grid()->setLanguageFile(languageFile);
        makeUnit(QStringLiteral("u"), 2, 6, {{QVariant(), QStringLiteral("dog"), QStringLiteral("Hund")}});
        showGrid();
        TLumoDBGridInplaceEdit *editor = editCell(0, LumoTableModel::TypeColumn);
        QVERIFY(editor);
        QCOMPARE(editor->editStyle(), TLumoDBGridInplaceEdit::EditStyle::PickList);
        QCOMPARE(editor->text(), QStringLiteral("keine"));
        QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(editor->listVisible());
        QCOMPARE(editor->pickList()->count(), 11);
        QCOMPARE(editor->pickList()->currentRow(), 0); // an empty type is "none"
        editor->pickList()->setCurrentRow(1);
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!editor->listVisible());
        QCOMPARE(editor->text(), QStringLiteral("Nomen"));
        QCOMPARE(stored(0, TLumoTable::Type).toInt(), 1);
        QCOMPARE(table->state(), SqliteTable::State::Edit);

        // The eleventh entry by keys: opening, End, Alt+Up accepts.
        QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClick(editor, Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(stored(0, TLumoTable::Type).toInt(), 10);
        QCOMPARE(editor->text(), QStringLiteral("Ausruf"));

        // Escape in the list cancels: nothing is stored and the editor stays.
        QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
        QTest::keyClick(editor, Qt::Key_Home);
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!editor->listVisible());
        QCOMPARE(stored(0, TLumoTable::Type).toInt(), 10);
        QCOMPARE(grid()->activeEditor(), editor);

        grid()->PostPending();
        QCOMPARE(table->state(), SqliteTable::State::Browse);
        table->first();
        QCOMPARE(table->fieldValue(TLumoTable::Type).toInt(), 10);
    }

    void dropDownOpensAboveNearTheBottom()
    {
        const QRect screen(0, 0, 800, 600);
        QCOMPARE(TLumoDBGridInplaceEdit::dropDownPosition(QRect(10, 100, 80, 20), 81, screen),
                 QPoint(10, 120));
        QCOMPARE(TLumoDBGridInplaceEdit::dropDownPosition(QRect(10, 550, 80, 20), 81, screen),
                 QPoint(10, 469));
        // Exactly reaching the bottom still fits below.
        QCOMPARE(TLumoDBGridInplaceEdit::dropDownPosition(QRect(10, 499, 80, 20), 81, screen),
                 QPoint(10, 519));
    }

    void typedDigitsAreStoredAsTheNumber()
    {
        makeUnit(QStringLiteral("u"), 2, 6,
                 {{QVariant(), QStringLiteral("dog"), QStringLiteral("Hund")},
                  {QVariant(), QStringLiteral("cat"), QStringLiteral("Katze")}});
        showGrid();
        TLumoDBGridInplaceEdit *editor = editCell(0, LumoTableModel::TypeColumn);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("7"));
        QTest::keyClick(editor, Qt::Key_Down);
        QTRY_COMPARE(grid()->currentIndex().row(), 1);
        QCOMPARE(table->state(), SqliteTable::State::Browse);
        QCOMPARE(stored(0, TLumoTable::Type).toInt(), 7);
        QVERIFY(messages.shown().isEmpty());
    }

    void nonNumericTypeTextIsRefused()
    {
        makeUnit(QStringLiteral("u"), 2, 6,
                 {{QVariant(), QStringLiteral("dog"), QStringLiteral("Hund"), 2},
                  {QVariant(), QStringLiteral("cat"), QStringLiteral("Katze")}});
        showGrid();
        TLumoDBGridInplaceEdit *editor = editCell(0, LumoTableModel::TypeColumn);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("abc"));
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(messages.texts(),
                 QStringList{QStringLiteral("'abc' is not a valid integer value for field 'Type'")});
        // The row stays in edit mode, on the same cell, with the text typed.
        QTRY_COMPARE(grid()->currentIndex(), grid()->model()->index(0, LumoTableModel::TypeColumn));
        QTRY_VERIFY(grid()->activeEditor() && grid()->activeEditor()->text() == QStringLiteral("abc"));
        QCOMPARE(table->state(), SqliteTable::State::Edit);
        QCOMPARE(table->recNo(), 0);
        QCOMPARE(stored(0, TLumoTable::Type).toInt(), 2);
    }

    void newEntriesAreAppendedPostedAndCancelled()
    {
        makeUnit(QStringLiteral("u"), 2, 6, {{QVariant(), QStringLiteral("dog"), QStringLiteral("Hund")}});
        showGrid();
        TLumoDBGridInplaceEdit *editor = editCell(0, LumoTableModel::NativeColumn);
        QTest::keyClick(editor, Qt::Key_Down);
        QTRY_COMPARE(grid()->model()->rowCount(), 2);
        QCOMPARE(table->state(), SqliteTable::State::Insert);
        // A second Down on the untouched new row adds nothing.
        QTRY_VERIFY(grid()->activeEditor() && grid()->currentIndex().row() == 1);
        QTest::keyClick(grid()->activeEditor(), Qt::Key_Down);
        QCOMPARE(grid()->model()->rowCount(), 2);
        QTest::keyClicks(grid()->activeEditor(), QStringLiteral("cat"));
        QTest::keyClick(grid()->activeEditor(), Qt::Key_Up);
        QTRY_COMPARE(grid()->currentIndex().row(), 0);
        QCOMPARE(table->state(), SqliteTable::State::Browse);
        QCOMPARE(table->recordCount(), 2);
        QCOMPARE(stored(1, TLumoTable::NativeLanguage).toString(), QStringLiteral("cat"));
        QCOMPARE(stored(1, TLumoTable::Count).toInt(), 2);

        // Escape drops an entry being typed.
        editor = editCell(0, LumoTableModel::ForeignColumn);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("Wolf"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(table->state(), SqliteTable::State::Browse);
        QCOMPARE(stored(0, TLumoTable::ForeignLanguage).toString(), QStringLiteral("Hund"));
    }

    void textsAreStoredAsTheTableKeepsThem()
    {
        QCOMPARE(LumoTableModel::storedText(QStringLiteral("one\r\ntwo\nthree\rfour")),
                 QStringLiteral("one two three four"));
        QCOMPARE(LumoTableModel::storedText(QString(300, u'a')).size(), 255);
        makeUnit(QStringLiteral("u"), 2, 6, {{QVariant(), QStringLiteral("dog"), QStringLiteral("Hund")}});
        QAbstractItemModel *model = grid()->model();
        QVERIFY(model->setData(model->index(0, 0), QStringLiteral("a\nb") + QString(300, u'c')));
        table->post();
        const QString word = stored(0, TLumoTable::NativeLanguage).toString();
        QCOMPARE(word.size(), 255);
        QVERIFY(word.startsWith(QStringLiteral("a bc")));
    }

    void toolbarDeleteSetsThePackingFlagGridDeleteDoesNot()
    {
        makeUnit(QStringLiteral("u"), 2, 6,
                 {{QVariant(), QStringLiteral("a"), QStringLiteral("A")},
                  {QVariant(), QStringLiteral("b"), QStringLiteral("B")},
                  {QVariant(), QStringLiteral("c"), QStringLiteral("C")}});
        QSignalSpy packing(page.get(), &InputPage::tableNeedsPacking);
        showGrid();
        page->DeleteRecords->click();
        QCOMPARE(table->recordCount(), 2);
        QCOMPARE(packing.count(), 1);
        QVERIFY(messages.shown().isEmpty());

        // An insertion in progress is discarded instead, and nothing needs packing.
        page->InsertRecordBtn->click();
        QCOMPARE(table->state(), SqliteTable::State::Insert);
        QCOMPARE(grid()->model()->rowCount(), 3);
        page->DeleteRecords->click();
        QCOMPARE(table->state(), SqliteTable::State::Browse);
        QCOMPARE(table->recordCount(), 2);
        QCOMPARE(packing.count(), 1);

        // Ctrl+Delete asks first.
        messages.answerWith(MessageService::Cancel);
        QTest::keyClick(grid(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(table->recordCount(), 2);
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("Delete record?")});
        QCOMPARE(messages.shown().first().kind, MessageService::Kind::Confirmation);
        // In the user's language.
        grid()->setLanguageFile(folder->copyFromData(QStringLiteral("deutsch.llf")));
        messages.answerWith(MessageService::Cancel);
        QTest::keyClick(grid(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(messages.texts().value(1), QStringLiteral("Eintrag löschen?"));
        messages.answerWith(MessageService::Ok);
        QTest::keyClick(grid(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(table->recordCount(), 1);
        QCOMPARE(packing.count(), 1);
    }

    void insertAndDeleteDoNothingWithoutATable()
    {
        QSignalSpy packing(page.get(), &InputPage::tableNeedsPacking);
        page->InsertRecordBtn->click();
        page->DeleteRecords->click();
        QTest::keyClick(grid(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(packing.count(), 0);
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(grid()->model()->rowCount(), 0);
    }

    void wordColumnsShareTheWidth()
    {
        TLumoDBGrid g(messages, nullptr);
        g.setFrameShape(QFrame::NoFrame);
        g.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        g.resize(600, 300);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QCOMPARE(g.clientWidth(), 600);
        QCOMPARE(g.columnWidth(LumoTableModel::NativeColumn), 252);
        QCOMPARE(g.columnWidth(LumoTableModel::ForeignColumn), 252);
        QCOMPARE(g.columnWidth(LumoTableModel::TypeColumn), 80);

        // A dragged type column snaps back at the next resize.
        g.setColumnWidth(LumoTableModel::TypeColumn, 130);
        g.resize(801, 300);
        QTRY_COMPARE(g.columnWidth(LumoTableModel::NativeColumn), 353);
        QCOMPARE(g.columnWidth(LumoTableModel::TypeColumn), 80);

        // Hiding the type column gives its width to the words at once, and makes it read-only.
        g.setTypeColumnShown(false);
        QCOMPARE(g.columnWidth(LumoTableModel::NativeColumn), 393);
        QVERIFY(
            !(g.tableModel()->flags(g.model()->index(0, LumoTableModel::TypeColumn)) & Qt::ItemIsEditable) ||
            g.tableModel()->isReadOnly(LumoTableModel::TypeColumn));
        QVERIFY(g.tableModel()->isReadOnly(LumoTableModel::TypeColumn));
        g.setTypeColumnShown(true);
        QCOMPARE(g.columnWidth(LumoTableModel::NativeColumn), 353);
        QCOMPARE(g.columnWidth(LumoTableModel::TypeColumn), 80);
        QVERIFY(!g.tableModel()->isReadOnly(LumoTableModel::TypeColumn));
    }

    void typeColumnButtonHidesTheColumn()
    {
        page->ShowTypeColBtn->setDown(true);
        page->ShowTypeColBtnClick();
        QVERIFY(!grid()->typeColumnShown());
        page->ShowTypeColBtn->click();
        QVERIFY(!page->ShowTypeColBtn->down());
        QVERIFY(grid()->typeColumnShown());
    }

    void soundGlyphOnlyOnSidesWithASound()
    {
        makeUnit(QStringLiteral("u"), 2, 6,
                 {{QVariant(), QStringLiteral("dog"), QStringLiteral("Hund"), 1, QByteArray("RIFF-native")},
                  {QVariant(), QStringLiteral("cat"), QStringLiteral("Katze"), 1, QVariant(),
                   QByteArray("RIFF")}});
        grid()->setSoundGlyph(redGlyph());
        grid()->resize(600, 200);
        grid()->clearFocus();
        auto cell = [this](int row, int column) {
            QRect r = grid()->visualRect(grid()->model()->index(row, column));
            return r.translated(grid()->viewport()->pos());
        };
        QImage shot = grid()->grab().toImage();
        QVERIFY(redPixels(shot, cell(0, 0)) > 0);
        QCOMPARE(redPixels(shot, cell(0, 1)), 0);
        QCOMPARE(redPixels(shot, cell(1, 0)), 0);
        QVERIFY(redPixels(shot, cell(1, 1)) > 0);
        // The picture fills the cell's height at its own width.
        QCOMPARE(redPixels(shot, cell(0, 0)), 15 * cell(0, 0).height());
        grid()->setShowSoundGlyph(false);
        shot = grid()->grab().toImage();
        QCOMPARE(redPixels(shot, cell(0, 0)) + redPixels(shot, cell(1, 1)), 0);
    }

    void modelNeverLoadsSounds()
    {
        makeUnit(QStringLiteral("u"), 2, 6,
                 {{QVariant(), QStringLiteral("dog"), QStringLiteral("Hund"), 3, QByteArray(5000, 'x')}});
        const QAbstractItemModel *model = grid()->model();
        QCOMPARE(model->data(model->index(0, 0), LumoTableModel::HasSoundRole), QVariant(true));
        QCOMPARE(model->data(model->index(0, 1), LumoTableModel::HasSoundRole), QVariant(false));
        QCOMPARE(model->data(model->index(0, 2)).toInt(), 3);
        QCOMPARE(model->data(model->index(0, 1), LumoTableModel::FieldNameRole).toString(),
                 QStringLiteral("ForeignLanguage"));
        QCOMPARE(model->headerData(0, Qt::Vertical).toString(), QStringLiteral("\u25B8"));
        table->edit();
        QCOMPARE(model->headerData(0, Qt::Vertical).toString(), QStringLiteral("I"));
    }

    void screenshots()
    {
        // The sample unit the build makes, for a person to look at.
        const QString samples =
            QCoreApplication::applicationDirPath() + QStringLiteral("/../program/Vocabulary/Other/");
        const QString unit = QStringLiteral("English - German");
        if (screenshotFolder().isEmpty() || !QFileInfo::exists(samples + unit + QStringLiteral(".lif")))
            QSKIP("no sample unit built or no screenshot folder");
        for (const QString &ext : {QStringLiteral(".lif"), QStringLiteral(".db")})
            QVERIFY(QFile::copy(samples + unit + ext, folder->filePath(unit + ext)));
        grid()->setLanguageFile(TestFolder::shippedFile(QStringLiteral("english.llf")));
        table->setVocabularyFile(folder->filePath(unit + QStringLiteral(".db")));
        table->open();
        grid()->setVocabularyFile(folder->filePath(unit + QStringLiteral(".lif")));
        page->ShowTypeColBtnClick();
        showGrid();
        QVERIFY(saveScreenshot(*page, QStringLiteral("inputpage-types")));
        page->ShowTypeColBtn->setDown(true);
        page->ShowTypeColBtnClick();
        QVERIFY(saveScreenshot(*page, QStringLiteral("inputpage-notypes")));
    }
};

QTEST_MAIN(TestLumoDBGrid)
#include "tst_lumodbgrid.moc"
