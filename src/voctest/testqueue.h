#pragma once

#include <QList>
#include <vector>

// The keys of a test still to ask, in their order. A right answer takes its key out wherever
// it stands; in a queue of 100,000 keys moving the rest up each time would cost more than
// the answer's own write, so taken keys are only marked and a count tree finds a position.
class TestQueue
{
public:
    TestQueue() = default;
    explicit TestQueue(QList<qint64> keys);

    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    // The key at a position among those left; position must be within size().
    qint64 at(qsizetype position) const;
    void removeAt(qsizetype position);
    // The keys left, in order.
    QList<qint64> keys() const;

private:
    // The slot in m_keys of the key at a position among those left.
    qsizetype slotOf(qsizetype position) const;

    QList<qint64> m_keys;     // every key the queue started with
    std::vector<int> m_tree;  // counts of keys left, as a Fenwick tree over the slots (1-based)
    std::vector<bool> m_gone; // by slot
    qsizetype m_size = 0;
    qsizetype m_top = 0; // the largest power of two not above the number of slots
};
