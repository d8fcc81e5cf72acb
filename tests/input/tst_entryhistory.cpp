#include "input/entryhistory.h"
#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"

#include <QSignalSpy>
#include <QTest>

using F = TLumoTable::Field;

// Steps taken back and made again while the table shows another order than its keys': each
// record comes back at its place in that order, as reading the order afresh puts it, and the
// bound views hear of it.
class TestEntryHistory : public QObject
{
    Q_OBJECT

private:
    enum Change { MoveInOrder, Delete, AppendFew, AppendMany };

    std::unique_ptr<TestFolder> m_folder;
    ScriptedMessageService m_messages;
    std::unique_ptr<TLumoTable> m_table;

    // Counts in the order the data set shows them.
    QList<qint64> shownOrder() const
    {
        QList<qint64> keys;
        for (int position = 0; position < m_table->recordCount(); ++position)
            keys.append(m_table->valueAt(position, F::Count).toLongLong());
        return keys;
    }

    // The order as the table reads it afresh.
    QList<qint64> freshOrder()
    {
        m_table->refresh();
        return shownOrder();
    }

    void append(int count, const QString &stem)
    {
        for (int i = 0; i < count; ++i)
            m_table->appendRecord(
                {QVariant(), stem + QString::number((i * 37) % count), QStringLiteral("x"), 1});
    }

    void make(Change change, EntryHistory &history)
    {
        switch (change) {
        case MoveInOrder:
            QVERIFY(m_table->findKey(3));
            m_table->edit();
            m_table->setFieldValue(F::NativeLanguage, QStringLiteral("aaa first"));
            m_table->post();
            break;
        case Delete:
            QVERIFY(m_table->findKey(5));
            m_table->deleteRecord();
            break;
        case AppendFew:
        case AppendMany:
            history.beginGroup();
            m_table->startTransaction();
            append(change == AppendFew ? 3 : 100, QStringLiteral("m"));
            m_table->commit();
            history.endGroup();
            break;
        }
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<TestFolder>();
        m_table = std::make_unique<TLumoTable>(m_messages);
        m_table->setVocabularyFile(m_folder->filePath(QStringLiteral("unit.db")));
        m_table->open();
        append(10, QStringLiteral("w"));
        m_table->setIndexName(QStringLiteral("NativeIndex"));
    }

    void cleanup()
    {
        m_table.reset();
        m_folder.reset();
    }

    void stepsKeepTheShownOrder_data()
    {
        QTest::addColumn<Change>("change");
        // What the views hear while the step is taken back: rows that come and go, or, for
        // many, that everything is to be read again.
        QTest::addColumn<int>("rowsIn");
        QTest::addColumn<int>("rowsOut");
        QTest::addColumn<int>("rereads");
        QTest::newRow("edit moving the entry") << MoveInOrder << 1 << 1 << 0;
        QTest::newRow("delete") << Delete << 1 << 0 << 0;
        QTest::newRow("a few appended") << AppendFew << 0 << 3 << 0;
        QTest::newRow("many appended") << AppendMany << 0 << 0 << 1;
    }

    void stepsKeepTheShownOrder()
    {
        QFETCH(Change, change);
        QFETCH(int, rowsIn);
        QFETCH(int, rowsOut);
        QFETCH(int, rereads);
        EntryHistory history(*m_table);
        history.setRecording(true);
        const QList<qint64> before = shownOrder();
        make(change, history);
        const QList<qint64> after = shownOrder();
        QVERIFY(after != before);
        QCOMPARE(history.undoCount(), 1);
        QSignalSpy in(m_table.get(), &SqliteTable::recordInserted);
        QSignalSpy out(m_table.get(), &SqliteTable::recordRemoved);
        QSignalSpy reread(m_table.get(), &SqliteTable::dataSetChanged);
        QCOMPARE(history.undo(), EntryHistory::Outcome::Done);
        QCOMPARE(in.size(), rowsIn);
        QCOMPARE(out.size(), rowsOut);
        QCOMPARE(reread.size(), rereads);
        QCOMPARE(shownOrder(), before);
        QCOMPARE(freshOrder(), before);
        QCOMPARE(history.redo(), EntryHistory::Outcome::Done);
        QCOMPARE(shownOrder(), after);
        QCOMPARE(freshOrder(), after);
        QCOMPARE(history.redo(), EntryHistory::Outcome::Nothing);
    }

    // Writes while not recording are no steps, but make the steps over them stale.
    void changesElsewhereMakeStepsStale()
    {
        EntryHistory history(*m_table);
        history.setRecording(true);
        make(MoveInOrder, history);
        history.setRecording(false);
        QVERIFY(m_table->findKey(3));
        m_table->edit();
        m_table->setFieldValue(F::Mistakes, 2);
        m_table->post();
        QCOMPARE(history.undoCount(), 1);
        QCOMPARE(history.undo(), EntryHistory::Outcome::Stale);
        QVERIFY(m_table->findKey(3));
        QCOMPARE(m_table->fieldValue(F::NativeLanguage).toString(), QStringLiteral("aaa first"));
        QCOMPARE(m_table->fieldValue(F::Mistakes).toInt(), 2);
        QVERIFY(!history.canUndo());
        QVERIFY(!history.canRedo());
    }

    // A window may destroy the table before the page that keeps the history: the history
    // then touches the table no more (the sanitizer build sees any access).
    void aHistoryOutlivingItsTableLeavesItAlone()
    {
        auto history = std::make_unique<EntryHistory>(*m_table);
        history->setRecording(true);
        make(MoveInOrder, *history);
        QCOMPARE(history->undoCount(), 1);
        m_table.reset();
        history.reset();
    }
};

QTEST_GUILESS_MAIN(TestEntryHistory)
#include "tst_entryhistory.moc"
