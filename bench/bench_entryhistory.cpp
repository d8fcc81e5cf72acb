// Taking entry changes back on a 100,000-entry unit shown in a grid, against the same writes
// in plain SQL on the same connection (same file, page cache, locking mode and collation):
// - undoing the delete of one entry with a sound and a review state, against inserting its
//   row and its state back by plain SQL in one transaction;
// - pasting 10,000 tab-separated lines as one step, against appending the same pairs without
//   the history, and taking the pasted entries back.
// The grid (a table view over the table model) is shown and follows every change, as on the
// input page. Best of several rounds.

#include "benchmessages.h"
#include "benchunit.h"
#include "exchange/entryclipboard.h"
#include "input/entryhistory.h"
#include "platform/table/sqlitedatabase.h"
#include "repetition/reviewstore.h"
#include "widgets/lumotablemodel.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

namespace {
constexpr int EntryCount = 100000;
constexpr int PasteCount = 10000;
constexpr int Rounds = 5;
constexpr qint64 Middle = EntryCount / 2;

QString pasteText()
{
    QString text;
    for (int i = 0; i < PasteCount; ++i)
        text += QStringLiteral("Wort%1\tword%1\tnoun\n").arg(i);
    return text;
}

void review(TLumoTable &table, qint64 entry)
{
    ReviewStore store(*table.connection());
    store.ensureTable();
    ReviewState state;
    state.entry = entry;
    state.memory = {3.5, 5.0};
    state.due = 1000;
    store.save(state);
}

// The undone delete by hand: the row and its state inserted again in one transaction.
void insertBack(SqliteDatabase &db, const QVariantList &record, const QList<QVariantList> &states)
{
    db.exec(QStringLiteral("BEGIN"));
    SqliteStatement insert(db, QStringLiteral("INSERT INTO vocabulary VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)"));
    for (int field = 0; field < record.size(); ++field)
        insert.bind(field + 1, record.at(field));
    insert.step();
    for (const QVariantList &state : states) {
        SqliteStatement put(
            db, QStringLiteral("INSERT INTO review_state VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)"));
        for (int column = 0; column < state.size(); ++column)
            put.bind(column + 1, state.at(column));
        put.step();
    }
    db.exec(QStringLiteral("COMMIT"));
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SilentMessages messages;
    const QString folder = dir.path() + u'/';
    makeBenchUnit(folder, QStringLiteral("unit"), EntryCount, messages, [](int i) {
        return QStringList{QStringLiteral("word%1").arg(i), QStringLiteral("Wort%1").arg(i)};
    });
    TLumoTable table(messages);
    table.setVocabularyFile(folder + QStringLiteral("unit.db"));
    table.open();
    QTableView grid;
    LumoTableModel model(&grid);
    model.setColumns(LumoTableModel::vocabularyColumns());
    model.setDataSet(&table);
    grid.setModel(&model);
    grid.resize(640, 400);
    grid.show();
    QApplication::processEvents();

    EntryHistory history(table);
    history.setRecording(true);
    review(table, Middle + 1);
    table.findKey(Middle + 1);
    const double undoDelete = bestOf(
        Rounds,
        [&] {
            table.findKey(Middle + 1);
            table.deleteRecord();
            QApplication::processEvents();
        },
        [&] {
            history.undo();
            QApplication::processEvents();
        });
    const QVariantList record = table.storedRecord(Middle + 1);
    const QList<QVariantList> states = ReviewStore(*table.connection()).storedStates(Middle + 1);
    const double plainInsert = bestOf(
        Rounds,
        [&] {
            table.connection()->exec(
                QStringLiteral("DELETE FROM vocabulary WHERE rowid = %1").arg(Middle + 1));
            table.connection()->exec(
                QStringLiteral("DELETE FROM review_state WHERE entry = %1").arg(Middle + 1));
        },
        [&] { insertBack(*table.connection(), record, states); });
    table.refresh();

    const QString text = pasteText();
    QList<qint64> pastedKeys;
    const auto paste = [&](bool recorded) {
        if (recorded)
            history.beginGroup();
        ImportResult result;
        pastedKeys = EntryClipboard::append(table, EntryClipboard::pairsOf(text, false, result));
        if (recorded)
            history.endGroup();
        QApplication::processEvents();
    };
    // Each round pastes into the same unit: the paste before is taken back first, timed.
    double undoPaste = 1e9;
    const auto takeBack = [&] {
        if (!history.canUndo())
            return;
        QElapsedTimer timer;
        timer.start();
        history.undo();
        QApplication::processEvents();
        undoPaste = std::min(undoPaste, double(timer.nsecsElapsed()) / 1e6);
    };
    const double pasted = bestOf(Rounds, takeBack, [&] { paste(true); });
    takeBack();
    history.setRecording(false);
    const double pastedPlain = bestOf(
        Rounds,
        [&] {
            table.removeRecords(pastedKeys);
            pastedKeys.clear();
        },
        [&] { paste(false); });

    std::printf("undo of a delete (entry, sound, review state), grid following: %.2f ms\n", undoDelete);
    std::printf("  plain SQL insert of the row and its state:                   %.2f ms  ratio %.2f\n",
                plainInsert, undoDelete / plainInsert);
    std::printf("paste of %d lines as one step, grid following:              %.1f ms (goal < 1000 ms)\n",
                PasteCount, pasted);
    std::printf("  the same pairs appended without the history:                 %.1f ms  ratio %.2f\n",
                pastedPlain, pasted / pastedPlain);
    std::printf("undo of the paste:                                             %.1f ms\n", undoPaste);
    return 0;
}
