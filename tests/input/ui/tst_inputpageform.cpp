#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "support/scriptedhelpservice.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "vocfile/unitdescriptor.h"
#include "widgets/lumotablemodel.h"
#include "widgets/speedbutton.h"

#include <QDir>
#include <QtTest>

namespace {
enum Page { UnitManager = 0, Test = 1, Input = 2, Logbook = 3 };
}

// The input page inside the main window: the grid gets the unit, deletions get the table
// packed, and a word being typed survives leaving the page and closing the program.
class TestInputPageForm : public QObject, protected MainFormFixture
{
    Q_OBJECT

private:
    void makeUnit(const QString &name, int count) { MainFormFixture::makeUnit(name, count, 6, 4); }

    QStringList storedWords(const QString &name)
    {
        TLumoTable table(messages);
        table.setVocabularyFile(units + name + QStringLiteral(".db"));
        table.open();
        QStringList words;
        for (table.first(); !table.eof(); table.next())
            words.append(table.fieldValue(TLumoTable::NativeLanguage).toString());
        return words;
    }

    void openInputPage(TMainForm &form, const QString &unit)
    {
        form.unitPage()->LumoListView1->selectCaption(unit);
        QVERIFY(form.PageControl()->requestPage(Input));
    }

private slots:
    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void enteringThePageGivesTheGridTheUnit()
    {
        makeUnit(QStringLiteral("unit"), 2);
        auto form = createForm();
        openInputPage(*form, QStringLiteral("unit"));
        TLumoDBGrid *grid = form->inputPage()->LumoDBGrid1;
        QCOMPARE(grid->vocabularyFile(), units + QStringLiteral("unit.lif"));
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("German"));
        QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("French"));
        QCOMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(grid->languageFile(), folder->filePath(QStringLiteral("english.llf")));
        QCOMPARE(grid->typeNames().at(1), QStringLiteral("noun"));
        QCOMPARE(grid->cellTypeName(1), QStringLiteral("noun"));
        QVERIFY(grid->typeColumnShown());
    }

    void theTypeColumnSettingIsAppliedOnEntering()
    {
        makeUnit(QStringLiteral("unit"), 1);
        auto form = createForm();
        form->inputPage()->ShowTypeColBtn->setDown(true);
        openInputPage(*form, QStringLiteral("unit"));
        QVERIFY(!form->inputPage()->LumoDBGrid1->typeColumnShown());
    }

    void toolbarDeletionPacksWhenThePageIsLeft()
    {
        makeUnit(QStringLiteral("unit"), 3);
        auto form = createForm();
        openInputPage(*form, QStringLiteral("unit"));
        form->inputPage()->DeleteRecords->click();
        QVERIFY(form->inputPage()->TableNeedsPacking());
        QVERIFY(form->PageControl()->requestPage(UnitManager));
        QVERIFY(!form->inputPage()->TableNeedsPacking());
        QCOMPARE(storedWords(QStringLiteral("unit")), QStringList({"word 1", "word 2"}));
        QVERIFY(messages.shown().isEmpty());
    }

    void aWordBeingTypedIsKeptWhenThePageIsLeft()
    {
        makeUnit(QStringLiteral("unit"), 1);
        auto form = createForm();
        openInputPage(*form, QStringLiteral("unit"));
        TLumoTable *table = form->LumoTable1();
        form->inputPage()->InsertRecordBtn->click();
        QCOMPARE(table->state(), SqliteTable::State::Insert);
        TLumoDBGrid *grid = form->inputPage()->LumoDBGrid1;
        grid->storeText(grid->model()->index(table->recNo(), LumoTableModel::NativeColumn),
                        QStringLiteral("typed"));
        QVERIFY(form->PageControl()->requestPage(UnitManager));
        QCOMPARE(storedWords(QStringLiteral("unit")), QStringList({"word 0", "typed"}));
        QVERIFY(messages.shown().isEmpty());
    }

    void aWordBeingTypedIsKeptWhenTheProgramCloses()
    {
        makeUnit(QStringLiteral("unit"), 1);
        auto form = createForm();
        openInputPage(*form, QStringLiteral("unit"));
        TLumoTable *table = form->LumoTable1();
        TLumoDBGrid *grid = form->inputPage()->LumoDBGrid1;
        grid->storeText(grid->model()->index(0, LumoTableModel::ForeignColumn), QStringLiteral("changed"));
        QCOMPARE(table->state(), SqliteTable::State::Edit);
        form->close();
        QCOMPARE(table->state(), SqliteTable::State::Browse);
        QCOMPARE(table->valueAt(0, TLumoTable::ForeignLanguage).toString(), QStringLiteral("changed"));
    }
};

QTEST_MAIN(TestInputPageForm)
#include "tst_inputpageform.moc"
