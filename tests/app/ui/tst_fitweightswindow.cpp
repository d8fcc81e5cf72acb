// The memory model fitted to a unit's reviews from the test settings dialog, and set back to
// its defaults, on the main window: the unit's weights and review states afterwards.

#include "app/ui/mainform.h"
#include "app/ui/mainformfixture.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "platform/programfolder.h"
#include "platform/table/sqlitedatabase.h"
#include "repetition/reviewhistory.h"
#include "repetition/reviewstore.h"
#include "repetition/testreviews.h"
#include "repetition/unitweights.h"
#include "support/screenshot.h"
#include "support/simulatedreviews.h"
#include "support/withoutroot.h"
#include "uilang/ui/languagedlg.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "voctest/lumovoctest.h"
#include "voctest/ui/testpage.h"
#include "voctest/ui/testparamsdlg.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QtTest>

namespace {
enum Page { Test = 1 };

using Weights = FsrsModel::Weights;
using Rows = QList<QVariantList>;

// A table's rows as stored, every column, in a stable order; none when it is missing.
Rows rowsOf(const SqliteDatabase &db, const char *table, const char *order)
{
    Rows rows;
    if (!db.hasTable(QLatin1String(table)))
        return rows;
    SqliteStatement query(
        db, QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(QLatin1String(table), QLatin1String(order)));
    while (query.step()) {
        QVariantList row;
        for (int column = 0; column < query.columnCount(); ++column)
            row.append(query.value(column));
        rows.append(row);
    }
    return rows;
}
} // namespace

class TestFitWeightsWindow : public QObject, protected MainFormFixture
{
    Q_OBJECT

    std::unique_ptr<TMainForm> form;
    std::vector<FsrsFitter::Card> cards;

    QString unitTable() const { return units + QStringLiteral("unit.db"); }

    // Reviews of a learner unlike the defaults, one card an entry, written as a test writes
    // them: one test a review, on the days the learner took them.
    void writeHistory(int cardCount)
    {
        cards = SimulatedReviews::simulate(SimulatedReviews::trueWeights(), cardCount, 11);
        TLumoTable table(messages);
        table.setVocabularyFile(unitTable());
        table.open();
        table.startTransaction();
        for (std::size_t c = 0; c < cards.size(); ++c) {
            QDateTime moment(QDate(2001, 3, 1), QTime(12, 0));
            for (const FsrsFitter::Review &review : cards[c]) {
                moment = moment.addDays(qint64(review.elapsedDays));
                TestReviews reviews;
                reviews.setClock([moment] { return moment; });
                reviews.begin(&table, 0);
                reviews.record(qint64(c) + 1, FsrsModel::Rating(review.grade));
            }
        }
        table.commit();
    }

    // The unit's tables, read through the program's own connection: it holds the unit.
    SqliteDatabase &programConnection() const { return *form->LumoTable1()->connection(); }
    Rows weightRows() const { return rowsOf(programConnection(), UnitWeights::WeightsTable, "position"); }
    Rows stateRows() const
    {
        return rowsOf(programConnection(), ReviewStore::StateTable, "entry, direction");
    }

    // From the unit manager to the test page by its tab, then the settings dialog by the
    // page's button; inside runs while it shows.
    void openDialog(const std::function<void(TTestParamsDlg &)> &inside)
    {
        if (!form) {
            form = createForm();
            form->unitPage()->LumoListView1->selectCaption(QStringLiteral("unit"));
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            QTabBar *tabs = form->PageControl()->tabBar();
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(Test).center());
            QCOMPARE(form->PageControl()->currentIndex(), int(Test));
        }
        form->testPage()->runSettingsDialog = [&](TTestParamsDlg &dialog) {
            dialog.show();
            inside(dialog);
            QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton);
            return dialog.result();
        };
        QTest::mouseClick(form->testPage()->ConfigureTestBtn, Qt::LeftButton);
    }

    void press(QPushButton *button)
    {
        QVERIFY(button->isEnabled());
        messages.clear();
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The memory and due moment of each card replayed with w from its first review.
    void compareStatesReplayed(const Weights &w)
    {
        const ReviewStore store(programConnection());
        for (std::size_t c = 0; c < cards.size(); ++c) {
            const std::optional<ReviewState> state = store.state(qint64(c) + 1, 0);
            QVERIFY(state);
            FsrsModel::Memory memory = FsrsModel::first(FsrsModel::Rating(cards[c].front().grade), w);
            for (std::size_t r = 1; r < cards[c].size(); ++r)
                memory =
                    FsrsModel::next(memory, cards[c][r].elapsedDays, FsrsModel::Rating(cards[c][r].grade), w);
            QCOMPARE(state->memory.stability, memory.stability);
            QCOMPARE(state->memory.difficulty, memory.difficulty);
            QCOMPARE(state->due, ReviewTime::daysLater(QDateTime::fromSecsSinceEpoch(state->lastReview),
                                                       FsrsModel::intervalDays(memory.stability, w)));
        }
    }

private slots:
    void init()
    {
        setUpFixture();
        folder->copyFromData(QStringLiteral("ellinika.llf"));
        folder->copyFromData(QStringLiteral("1-standard.ltf"));
        makeUnit(QStringLiteral("unit"), 700);
        cards.clear();
    }
    void cleanup()
    {
        form.reset();
        folder.reset();
    }

    // The fit stores the weights it found and recomputes every state with them; the reset
    // takes them away and brings back the states the defaults scheduled.
    void fitThenResetRescheduleTheUnit()
    {
        writeHistory(700);
        Weights expected{};
        Rows scheduledByDefaults;
        openDialog([&](TTestParamsDlg &dialog) {
            const ReviewHistory history(programConnection());
            const FsrsFitter::Result fit = FsrsFitter::fit(
                history.cards(QDateTime::currentSecsSinceEpoch()).cards, FsrsModel::DefaultWeights);
            QVERIFY(fit.fitted); // a learner this unlike the defaults is worth a fit
            expected = fit.weights;
            scheduledByDefaults = stateRows();
            QCOMPARE(scheduledByDefaults.size(), 700);
            saveScreenshot(dialog, QStringLiteral("testparams-fit-english"));

            press(dialog.FitBtn);
            QCOMPARE(messages.texts(),
                     QStringList{QStringLiteral(
                         "The memory model now follows your reviews. Review states recomputed: 700")});
            const Rows weights = weightRows();
            QCOMPARE(weights.size(), 21);
            for (int i = 0; i < 21; ++i)
                QCOMPARE(weights.at(i), (QVariantList{i, expected[std::size_t(i)]}));
            compareStatesReplayed(expected);
            QVERIFY(stateRows() != scheduledByDefaults);

            press(dialog.ResetWeightsBtn);
            QCOMPARE(messages.texts(),
                     QStringList{QStringLiteral(
                         "The default weights are in use again. Review states recomputed: 700")});
            QVERIFY(weightRows().isEmpty());
            QCOMPARE(stateRows(), scheduledByDefaults);
        });
        // The page tests on at once, on the table as the engine left it.
        QVERIFY(!form->LumoTable1()->inTransaction());
        QVERIFY(form->LumoVocTest1()->ready());
        QTest::mouseClick(form->testPage()->StartBtn, Qt::LeftButton);
        QVERIFY(form->testPage()->StopBtn->isEnabled());
    }

    void fitKeepingTheDefaultsIsTold_data()
    {
        QTest::addColumn<int>("cardCount");
        QTest::addColumn<QString>("told");
        // Seven predicted reviews a card.
        QTest::newRow("too short")
            << 50
            << "There is not yet enough review history to fit the memory model, so the "
               "default weights stay in use. A fit needs 400 reviews that follow an earlier "
               "one by a day or more; so far there are: 350";
        QTest::newRow("no clear gain")
            << 60
            << "Weights fitted to your reviews would not predict them clearly better, so "
               "the default weights stay in use. Review states recomputed: 60";
    }

    // Too short a history, or one too small to show a clear gain, is told and keeps the
    // defaults and the states they scheduled.
    void fitKeepingTheDefaultsIsTold()
    {
        QFETCH(int, cardCount);
        QFETCH(QString, told);
        writeHistory(cardCount);
        openDialog([&](TTestParamsDlg &dialog) {
            const Rows before = stateRows();
            QCOMPARE(before.size(), cardCount);
            press(dialog.FitBtn);
            QCOMPARE(messages.texts(), QStringList{told});
            QVERIFY(weightRows().isEmpty());
            QCOMPARE(stateRows(), before);
        });
    }

    // A fit cancelled on its progress dialog changes nothing and tells nothing.
    void cancelledFitChangesNothing()
    {
        Rows before;
        writeHistory(700);
        bool cancelled = false;
        QTimer cancel;
        cancel.setInterval(0);
        connect(&cancel, &QTimer::timeout, this, [&] {
            auto *progress = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
            if (!progress || cancelled)
                return;
            QCOMPARE(progress->labelText(), QStringLiteral("Fitting the memory model to your reviews..."));
            saveScreenshot(*progress, QStringLiteral("testparams-fitprogress-english"));
            QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
            cancelled = true;
        });
        openDialog([&](TTestParamsDlg &dialog) {
            before = stateRows();
            cancel.start();
            press(dialog.FitBtn);
            cancel.stop();
            QVERIFY(cancelled);
            QVERIFY(messages.texts().isEmpty());
            QVERIFY(weightRows().isEmpty());
            QCOMPARE(stateRows(), before);
        });
    }

    // A side table another program left unlike ours is told, and nothing changes.
    void damagedWeightsTableIsToldAndKept()
    {
        writeHistory(700);
        {
            SqliteDatabase db(unitTable());
            db.open(SqliteDatabase::tableOptions(false));
            db.exec(QStringLiteral("CREATE TABLE review_weights (position INTEGER PRIMARY KEY, note TEXT)"));
            db.exec(QStringLiteral("INSERT INTO review_weights VALUES (0, 'mine')"));
        }
        Rows before;
        openDialog([&](TTestParamsDlg &dialog) {
            before = stateRows();
            for (QPushButton *button : {dialog.FitBtn, dialog.ResetWeightsBtn}) {
                press(button);
                QCOMPARE(messages.shown().size(), 1);
                QVERIFY(messages.shown().at(0).kind == MessageService::Kind::Error);
                const QString told = messages.shown().at(0).text;
                QVERIFY2(told.startsWith(QStringLiteral(
                             "The weights could not be changed; the unit is left as it was.\r\n")),
                         qPrintable(told));
                QVERIFY2(told.contains(QStringLiteral("weight")), qPrintable(told));
                QCOMPARE(weightRows(), (Rows{{0, QStringLiteral("mine")}}));
                QCOMPARE(stateRows(), before);
            }
        });
    }

    // A unit in a folder that cannot be written keeps its states and says so; the child,
    // without root's rights, works in the program folder of the parent.
    void readOnlyUnitIsToldAndKept()
    {
        if (WithoutRoot::inChild()) {
            SetProgramFolder(WithoutRoot::values().at(0));
            units = WithoutRoot::values().at(0) + QStringLiteral("Vocabulary/Other/");
            openDialog([&](TTestParamsDlg &dialog) {
                press(dialog.FitBtn);
                QCOMPARE(messages.shown().size(), 1);
                QVERIFY2(messages.shown().at(0).text.startsWith(
                             QStringLiteral("The weights could not be changed; the unit is left as it was.")),
                         qPrintable(messages.shown().at(0).text));
            });
            form.reset();
            return;
        }
        writeHistory(700);
        Rows before;
        {
            SqliteDatabase db(unitTable());
            db.open(SqliteDatabase::tableOptions(false));
            before = rowsOf(db, ReviewStore::StateTable, "entry, direction");
        }
        WithoutRoot::handOver(folder->path());
        // The table could be written, but not the journal beside it that a write needs.
        const QFileDevice::Permissions enterable =
            QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
        QVERIFY(QFile::setPermissions(units, enterable));
        VERIFY_WITHOUT_ROOT({folder->path()});
        QFile::setPermissions(units, enterable | QFileDevice::WriteOwner);
        SqliteDatabase db(unitTable());
        db.open(SqliteDatabase::tableOptions(false));
        QVERIFY(!db.hasTable(QLatin1String(UnitWeights::WeightsTable)));
        QCOMPARE(rowsOf(db, ReviewStore::StateTable, "entry, direction"), before);
    }

    // The buttons in Greek, and without a unit: opened from the unit manager, they are off.
    void greekAndWithoutAUnit()
    {
        writeHistory(50);
        openDialog([&](TTestParamsDlg &) {});
        form->LanguageDlg()->setFormRunner([](TLanguageSelect &dialog) {
            dialog.LanguageComboBox->setCurrentIndex(
                dialog.LanguageComboBox->findText(QStringLiteral("Ελληνικά")));
            return int(QDialog::Accepted);
        });
        form->MainMenu()->actions().OptionsLanguageItem->trigger();
        openDialog([&](TTestParamsDlg &dialog) {
            QCOMPARE(dialog.FitBtn->text(), QStringLiteral("Προσαρμογή στις επαναλήψεις μου"));
            saveScreenshot(dialog, QStringLiteral("testparams-fit-ellinika"));
            press(dialog.FitBtn);
            QVERIFY2(messages.texts().value(0).endsWith(QStringLiteral("μέχρι τώρα υπάρχουν: 350")),
                     qPrintable(messages.texts().join(u'|')));
        });
        QTabBar *tabs = form->PageControl()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QVERIFY(!form->LumoTable1()->active());
        int enabled = -1;
        form->testPage()->runSettingsDialog = [&enabled](TTestParamsDlg &dialog) {
            enabled = int(dialog.FitBtn->isEnabled()) + int(dialog.ResetWeightsBtn->isEnabled());
            return int(QDialog::Rejected);
        };
        form->MainMenu()->actions().TestSettingsItem->trigger();
        QCOMPARE(enabled, 0);
    }
};

QTEST_MAIN(TestFitWeightsWindow)
#include "tst_fitweightswindow.moc"
