#include "input/entryhistory.h"

#include "platform/table/sqlitedatabase.h"
#include "platform/table/sqlitetable.h"
#include "repetition/reviewstore.h"

#include <algorithm>

EntryHistory::EntryHistory(SqliteTable &table) : m_table(table), m_tableAlive(&table) {}

EntryHistory::~EntryHistory()
{
    if (m_tableAlive)
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

QList<EntryHistory::Snapshot> EntryHistory::snapshots(const QList<qint64> &keys, bool withStates) const
{
    QList<Snapshot> shots(keys.size());
    if (keys.isEmpty())
        return shots;
    const auto [first, last] = std::minmax_element(keys.cbegin(), keys.cend());
    const QHash<qint64, QList<QVariantList>> states =
        withStates ? ReviewStore(*m_table.connection()).storedStates(*first, *last)
                   : QHash<qint64, QList<QVariantList>>();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        shots[i].record = m_table.storedRecord(keys.at(i));
        if (!shots[i].record.isEmpty())
            shots[i].states = states.value(keys.at(i));
    }
    return shots;
}

void EntryHistory::before(qint64 key)
{
    m_pendingBefore = key < 0 ? Snapshot() : snapshots({key}).first();
}

void EntryHistory::after(qint64 key)
{
    // A new entry has no review states yet: Counts are not reused.
    const bool inserted = m_pendingBefore.record.isEmpty();
    Change change{key, std::exchange(m_pendingBefore, {}), snapshots({key}, !inserted).first()};
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
    QList<qint64> keys;
    keys.reserve(step.size());
    for (const Change &change : step)
        keys.append(change.key);
    const QList<Snapshot> now = snapshots(keys);
    for (qsizetype i = 0; i < step.size(); ++i)
        if (now.at(i) != (back ? step.at(i).after : step.at(i).before))
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
