#include "voctest/testqueue.h"

TestQueue::TestQueue(QList<qint64> keys)
    : m_keys(std::move(keys)), m_tree(size_t(m_keys.size()) + 1, 0), m_gone(size_t(m_keys.size()), false),
      m_size(m_keys.size())
{
    // Every slot counts one; each node passes its sum on to its parent.
    const size_t slotCount = size_t(m_keys.size());
    for (size_t node = 1; node <= slotCount; ++node) {
        m_tree[node] += 1;
        const size_t parent = node + (node & (~node + 1));
        if (parent <= slotCount)
            m_tree[parent] += m_tree[node];
    }
    m_top = 1;
    while (m_top * 2 <= m_keys.size())
        m_top *= 2;
}

qsizetype TestQueue::slotOf(qsizetype position) const
{
    // Descends to the last node whose prefix counts no more than position keys.
    qsizetype node = 0;
    int left = int(position) + 1;
    for (qsizetype step = m_top; step > 0; step /= 2) {
        const qsizetype next = node + step;
        if (next <= m_keys.size() && m_tree[size_t(next)] < left) {
            node = next;
            left -= m_tree[size_t(next)];
        }
    }
    return node; // the 1-based node after it is the slot, 0-based
}

qint64 TestQueue::at(qsizetype position) const
{
    return m_keys.at(slotOf(position));
}

void TestQueue::removeAt(qsizetype position)
{
    const qsizetype slot = slotOf(position);
    m_gone[size_t(slot)] = true;
    for (size_t node = size_t(slot) + 1; node < m_tree.size(); node += node & (~node + 1))
        m_tree[node] -= 1;
    --m_size;
}

QList<qint64> TestQueue::keys() const
{
    QList<qint64> left;
    left.reserve(m_size);
    for (qsizetype slot = 0; slot < m_keys.size(); ++slot)
        if (!m_gone[size_t(slot)])
            left.append(m_keys.at(slot));
    return left;
}
