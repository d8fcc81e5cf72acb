#pragma once

#include <QVector>

// The order of a data set as a list of record keys, a current position in it, the
// begin/end flags of a walk, and the slot of a new record that is not yet stored.
class KeyCursor
{
public:
    void reset(QVector<qint64> keys); // current := none, both flags set
    const QVector<qint64> &keys() const { return m_keys; }

    int count() const { return int(m_keys.size()) + (m_slot >= 0 ? 1 : 0); }
    int position() const { return m_position; }
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    bool hasRecord() const { return m_position >= 0 && m_position < count(); }
    bool onNewRecord() const { return m_slot >= 0 && m_position == m_slot; }
    // Index into keys() of a position; -1 for the new record's slot.
    int keyIndex(int position) const
    {
        if (m_slot < 0 || position < m_slot)
            return position;
        return position == m_slot ? -1 : position - 1;
    }
    qint64 currentKey() const; // -1 on the new record's slot or when there is none

    // Moves within bounds; true when the current record changed.
    bool moveTo(int position, bool bof = false, bool eof = false);
    bool next();  // false (and eof set) on the last record
    bool prior(); // false (and bof set) on the first record
    // Position of key, or -1. With sorted set the keys are in ascending order.
    int find(qint64 key, bool sorted) const;

    void openSlot(int position); // a new record shows there and becomes current
    void closeSlot(int back);    // the new record is dropped; back becomes current
    // The new record was stored as key: it takes place position instead of the slot.
    void fillSlot(int position, qint64 key);
    // The current record's key leaves the list and its place becomes the slot, so that it
    // can be put back in its new place with fillSlot().
    void liftCurrent();
    // Drops the current key; the next record becomes current, or the last one with eof set.
    void removeCurrent();

private:
    QVector<qint64> m_keys;
    int m_position = -1;
    int m_slot = -1;
    bool m_bof = true;
    bool m_eof = true;
};
