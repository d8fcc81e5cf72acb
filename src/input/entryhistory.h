#pragma once

#include <QList>
#include <QPointer>
#include <QVariant>

class SqliteTable;

// The changes made to a unit's entries while it is worked on, to be taken back and made
// again, in memory only. Each step holds whole records (and their review states) as they were
// before and after, so that taking it back needs no re-reading of the table; a step is only
// applied while the records still hold what the step left there, never over a later change
// made elsewhere (a test raising Mistakes).
class EntryHistory
{
public:
    enum class Outcome { Done, Nothing, Stale };

    explicit EntryHistory(SqliteTable &table);
    ~EntryHistory();
    EntryHistory(const EntryHistory &) = delete;
    EntryHistory &operator=(const EntryHistory &) = delete;

    // While on, every record the table posts or deletes becomes a step.
    void setRecording(bool on);
    bool recording() const { return m_recording; }
    // Forgets every step (the unit was closed).
    void clear();
    // The records written between the two are one step; discardGroup() drops them.
    void beginGroup();
    void endGroup();
    void discardGroup();

    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    int undoCount() const { return int(m_undo.size()); }
    // In one transaction of the table. A stale step is dropped without a change; an error of
    // the table leaves the step where it was and throws.
    Outcome undo();
    Outcome redo();

private:
    struct Snapshot
    {
        QVariantList record; // empty: no such record
        QList<QVariantList> states;
        bool operator==(const Snapshot &other) const = default;
    };
    struct Change
    {
        qint64 key = -1;
        Snapshot before;
        Snapshot after;
    };
    using Step = QList<Change>;

    // The records of the keys as they are now, with their review states read in one pass.
    QList<Snapshot> snapshots(const QList<qint64> &keys, bool withStates = true) const;
    void before(qint64 key);
    void after(qint64 key);
    void push(Step step);
    Outcome move(QList<Step> &from, QList<Step> &to, bool back);
    bool applies(const Step &step, bool back) const;
    void apply(const Step &step, bool back);

    SqliteTable &m_table;
    // The owner of the table may destroy it first; the history then leaves it alone.
    QPointer<SqliteTable> m_tableAlive;
    QList<Step> m_undo;
    QList<Step> m_redo;
    bool m_recording = false;
    int m_groupDepth = 0;
    Step m_group;
    Snapshot m_pendingBefore;
};
