// The main window on units whose table file holds more than words: review states beside the
// words, and tables another program made.

#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "logbook/ui/logbookpage.h"
#include "platform/sound/wavewriter.h"
#include "platform/table/sqlitedatabase.h"
#include "repetition/reviewstore.h"
#include "support/foreignunit.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "widgets/lumotablemodel.h"
#include "widgets/speedbutton.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>
#include <sqlite3.h>

namespace {
enum Page { UnitManager = 0, Test = 1, Input = 2, Logbook = 3 };

// One column of every row, in the order of entry; NULL as "-".
QStringList column(const QString &table, const QString &sql)
{
    SqliteDatabase db(table);
    db.open(SqliteDatabase::tableOptions(true));
    SqliteStatement select(db, sql);
    QStringList values;
    while (select.step())
        values.append(select.isNull(0) ? QStringLiteral("-") : select.text(0));
    return values;
}

QByteArray digest(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}
} // namespace

class TestForeignUnitWindow : public QObject, protected MainFormFixture
{
    Q_OBJECT

    std::unique_ptr<TMainForm> openForm(const QString &unit)
    {
        auto form = createForm();
        form->show();
        if (!QTest::qWaitForWindowActive(form.get()))
            return nullptr;
        form->unitPage()->LumoListView1->selectCaption(unit);
        return form;
    }

    static void clickTab(TMainForm &form, int page)
    {
        QTabBar *tabs = form.PageControl()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
    }

private slots:
    void init() { setUpFixture(); }
    void cleanup() { folder.reset(); }

    void deletingAnEntryForgetsItsReviewStates_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("delete button") << false;
        QTest::newRow("Ctrl+Delete") << true;
    }
    // The unit's file is open with its triggers off, the program's own clean-up trigger among
    // them: the states go with their entry all the same, and are no longer due.
    void deletingAnEntryForgetsItsReviewStates()
    {
        QFETCH(bool, byKey);
        makeUnit(QStringLiteral("unit"), 3);
        const QString table = units + QStringLiteral("unit.db");
        {
            SqliteDatabase db(table);
            db.open(SqliteDatabase::tableOptions(true));
            ReviewStore store(db);
            store.ensureTable();
            // Long overdue, in both directions.
            for (qint64 entry = 1; entry <= 3; ++entry)
                for (int direction : {0, 1})
                    store.save(ReviewState{entry, direction, {3.0, 5.0}, 1000, 1000, 2000, 1, 0});
        }
        auto form = openForm(QStringLiteral("unit"));
        QVERIFY(form);
        clickTab(*form, Input);
        QCOMPARE(form->PageControl()->currentIndex(), int(Input));
        QVERIFY(form->LumoTable1()->active());
        sqlite3_db_config(form->LumoTable1()->connection()->handle(), SQLITE_DBCONFIG_ENABLE_TRIGGER, 0,
                          nullptr);

        TLumoDBGrid *grid = form->inputPage()->LumoDBGrid1;
        QCoreApplication::processEvents(); // the rows are laid out
        const QModelIndex second = grid->model()->index(1, LumoTableModel::NativeColumn);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(second).center());
        QTRY_COMPARE(form->LumoTable1()->recNo(), 1);
        if (byKey) {
            // The cell editor keeps Ctrl+Delete for its own text; Escape leaves it for the grid.
            QTRY_VERIFY(QApplication::focusWidget());
            if (QApplication::focusWidget() != grid)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QTRY_COMPARE(QApplication::focusWidget(), grid);
            messages.answerWith(MessageService::Ok);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete, Qt::ControlModifier);
        } else {
            QTest::mouseClick(form->inputPage()->DeleteRecords, Qt::LeftButton);
        }
        QCOMPARE(form->LumoTable1()->recordCount(), 2);

        clickTab(*form, Logbook);
        QCOMPARE(form->PageControl()->currentIndex(), int(Logbook));
        QCOMPARE(form->logbookPage()->DueToday->text(), QStringLiteral("2"));
        clickTab(*form, UnitManager);
        QVERIFY(!form->LumoTable1()->active());
        QCOMPARE(column(table, QStringLiteral("SELECT NativeLanguage FROM vocabulary ORDER BY Count")),
                 QStringList({"word 0", "word 2"}));
        QCOMPARE(column(table, QStringLiteral("SELECT entry FROM review_state ORDER BY entry, direction")),
                 QStringList({"1", "1", "3", "3"}));
        for (const ScriptedMessageService::Shown &shown : messages.shown())
            QVERIFY2(shown.kind == MessageService::Kind::Confirmation, qPrintable(shown.text));
    }

    void aTableLackingAFieldIsReportedAndLeftAlone_data()
    {
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QString>("lacks");
        QTest::newRow("two columns") << QStringList{"Count INTEGER PRIMARY KEY AUTOINCREMENT", "Word TEXT"}
                                     << "NativeLanguage";
        QStringList keyless = VocabularyColumns();
        keyless[0] = QStringLiteral("Count INTEGER");
        QTest::newRow("no key") << keyless << "Count";
        QStringList noSounds = VocabularyColumns();
        noSounds.removeAt(5);
        QTest::newRow("no foreign sound") << noSounds << "ForeignSound";
    }
    // Every page that opens the unit reports the engine's error naming the field and the
    // file; the pages show nothing and the file stays as it was.
    void aTableLackingAFieldIsReportedAndLeftAlone()
    {
        QFETCH(QStringList, columns);
        QFETCH(QString, lacks);
        const QString words = columns.size() == 2 ? QStringLiteral("Word") : QStringLiteral("NativeLanguage");
        MakeForeignUnit(units, QStringLiteral("other"),
                        {ForeignTable(columns),
                         QStringLiteral("INSERT INTO vocabulary (%1) VALUES ('Hund')").arg(words)});
        const QString table = units + QStringLiteral("other.db");
        const QByteArray before = digest(table);
        auto form = openForm(QStringLiteral("other"));
        QVERIFY(form);
        const QString error = QStringLiteral("Field '%1' not found in the table %2").arg(lacks, table);
        int reports = 0;
        for (int page : {Input, Test, Logbook}) {
            clickTab(*form, page);
            QCOMPARE(form->PageControl()->currentIndex(), page);
            QVERIFY(!form->LumoTable1()->active());
            QCOMPARE(messages.texts(), QStringList(++reports, error));
            QCOMPARE(messages.shown().last().kind, MessageService::Kind::Error);
            QCOMPARE(form->inputPage()->LumoDBGrid1->model()->rowCount(), 0);
        }
        // Typing on the input page changes nothing either.
        clickTab(*form, Input);
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClicks(focus, QStringLiteral("typed"));
        clickTab(*form, UnitManager);
        QCOMPARE(digest(table), before);
    }

    // A table whose fields stand in another order shows each word in its own column, and a
    // sound loaded for the foreign side goes into the foreign sound field.
    void fieldsInAnotherOrderAreShownAndWrittenByName()
    {
        MakeForeignUnit(
            units, QStringLiteral("shuffled"),
            {QStringLiteral("CREATE TABLE vocabulary (NativeSound BLOB, Mistakes INTEGER, ForeignLanguage "
                            "TEXT, Type SMALLINT, Count INTEGER PRIMARY KEY AUTOINCREMENT, "
                            "NativeLanguage TEXT, ForeignSound BLOB)"),
             QStringLiteral("INSERT INTO vocabulary (NativeLanguage, ForeignLanguage, Type) VALUES "
                            "('Hund', 'dog', 1)")});
        const QByteArray image = WaveWriter().image(QByteArray(800, '\x80'));
        const QString wave = folder->writeFile(QStringLiteral("dog.wav"), image);
        auto form = openForm(QStringLiteral("shuffled"));
        QVERIFY(form);
        form->inputPage()->setWaveFileChooser([wave] { return wave; });
        clickTab(*form, Input);
        QVERIFY(messages.shown().isEmpty());
        TLumoDBGrid *grid = form->inputPage()->LumoDBGrid1;
        QCOMPARE(grid->model()->index(0, LumoTableModel::NativeColumn).data().toString(),
                 QStringLiteral("Hund"));
        QCOMPARE(grid->model()->index(0, LumoTableModel::ForeignColumn).data().toString(),
                 QStringLiteral("dog"));

        QCoreApplication::processEvents(); // the rows are laid out
        const QModelIndex foreign = grid->model()->index(0, LumoTableModel::ForeignColumn);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(foreign).center());
        QTRY_COMPARE(grid->currentIndex().column(), int(LumoTableModel::ForeignColumn));
        form->inputPage()->ShowSoundTools->click();
        QTest::mouseClick(form->inputPage()->OpenWaveBtn, Qt::LeftButton);
        clickTab(*form, UnitManager);
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(column(units + QStringLiteral("shuffled.db"),
                        QStringLiteral("SELECT NativeLanguage || '|' || ForeignLanguage || '|' || "
                                       "ifnull(length(NativeSound), '-') || '|' || length(ForeignSound) "
                                       "FROM vocabulary")),
                 QStringList(QStringLiteral("Hund|dog|-|%1").arg(image.size())));
    }
};

QTEST_MAIN(TestForeignUnitWindow)
#include "tst_foreignunitwindow.moc"
