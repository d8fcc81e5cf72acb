#include "vocfile/entryhistory.h"

#include "platform/sqlitedatabase.h"
#include "platform/sqlitetable.h"
#include "repetition/reviewstore.h"

EntryHistory::EntryHistory(SqliteTable &table) : m_table(table) {}

EntryHistory::~EntryHistory()
{
    setRecording(false);
}

void EntryHistory::setRecording(bool on)
{
    if (on == m_recording)
        return;
    m_recording = on;
    if (on)
        m_table.setRecordWatch({[this](qint64 key) { before(key); }, [this](qint64 key) { after(key); }});
    else
        m_table.setRecordWatch({});
}

void EntryHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_group.clear();
    m_groupDepth = 0;
}

void EntryHistory::beginGroup()
{
    ++m_groupDepth;
}

void EntryHistory::endGroup()
{
    if (m_groupDepth == 0 || --m_groupDepth > 0)
        return;
    push(std::exchange(m_group, {}));
}

void EntryHistory::discardGroup()
{
    m_groupDepth = 0;
    m_group.clear();
}

EntryHistory::Snapshot EntryHistory::snapshot(qint64 key) const
{
    Snapshot shot;
    if (key < 0)
        return shot;
    shot.record = m_table.storedRecord(key);
    if (!shot.record.isEmpty())
        shot.states = ReviewStore(*m_table.connection()).storedStates(key);
    return shot;
}

void EntryHistory::before(qint64 key)
{
    m_pendingBefore = snapshot(key);
}

void EntryHistory::after(qint64 key)
{
    Change change{key, std::exchange(m_pendingBefore, {}), snapshot(key)};
    if (change.before == change.after)
        return;
    if (m_groupDepth > 0)
        m_group.append(std::move(change));
    else
        push({std::move(change)});
}

void EntryHistory::push(Step step)
{
    if (step.isEmpty())
        return;
    m_undo.append(std::move(step));
    m_redo.clear();
}

EntryHistory::Outcome EntryHistory::undo()
{
    return move(m_undo, m_redo, true);
}

EntryHistory::Outcome EntryHistory::redo()
{
    return move(m_redo, m_undo, false);
}

EntryHistory::Outcome EntryHistory::move(QList<Step> &from, QList<Step> &to, bool back)
{
    if (from.isEmpty())
        return Outcome::Nothing;
    const bool wasRecording = m_recording;
    setRecording(false);
    m_table.startTransaction();
    try {
        if (!applies(from.last(), back)) {
            m_table.rollback();
            setRecording(wasRecording);
            from.removeLast();
            return Outcome::Stale;
        }
        apply(from.last(), back);
        m_table.commit();
    } catch (...) {
        try {
            m_table.rollback();
        } catch (...) {
            // The error that stopped the step is the one to report.
        }
        setRecording(wasRecording);
        throw;
    }
    setRecording(wasRecording);
    to.append(from.takeLast());
    return Outcome::Done;
}

bool EntryHistory::applies(const Step &step, bool back) const
{
    for (const Change &change : step)
        if (snapshot(change.key) != (back ? change.after : change.before))
            return false;
    return true;
}

void EntryHistory::apply(const Step &step, bool back)
{
    QList<QVariantList> put;
    QList<qint64> removed;
    for (const Change &change : step) {
        const Snapshot &target = back ? change.before : change.after;
        if (target.record.isEmpty())
            removed.append(change.key);
        else
            put.append(target.record);
    }
    if (!removed.isEmpty())
        m_table.removeRecords(removed);
    if (!put.isEmpty()) {
        m_table.putRecords(put);
        ReviewStore states(*m_table.connection());
        for (const Change &change : step) {
            const Snapshot &target = back ? change.before : change.after;
            const Snapshot &current = back ? change.after : change.before;
            if (!target.record.isEmpty() && target.states != current.states)
                states.putStoredStates(change.key, target.states);
        }
    }
}
