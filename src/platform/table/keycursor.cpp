#include "platform/table/keycursor.h"

#include <algorithm>

void KeyCursor::reset(QVector<qint64> keys)
{
    m_keys = std::move(keys);
    m_position = -1;
    m_slot = -1;
    m_bof = m_eof = true;
}

qint64 KeyCursor::currentKey() const
{
    if (!hasRecord())
        return -1;
    const int index = keyIndex(m_position);
    return index < 0 ? -1 : m_keys.at(index);
}

bool KeyCursor::moveTo(int position, bool bof, bool eof)
{
    const int before = m_position;
    const qint64 keyBefore = currentKey();
    m_position = count() == 0 ? -1 : std::clamp(position, 0, count() - 1);
    m_bof = m_position < 0 || bof;
    m_eof = m_position < 0 || eof;
    return m_position != before || currentKey() != keyBefore;
}

bool KeyCursor::next()
{
    if (m_position >= count() - 1) {
        m_eof = true;
        return false;
    }
    return moveTo(m_position + 1);
}

bool KeyCursor::prior()
{
    if (m_position <= 0) {
        m_bof = true;
        return false;
    }
    return moveTo(m_position - 1);
}

int KeyCursor::find(qint64 key, bool sorted) const
{
    int found = -1;
    if (sorted) {
        const auto at = std::lower_bound(m_keys.cbegin(), m_keys.cend(), key);
        if (at != m_keys.cend() && *at == key)
            found = int(at - m_keys.cbegin());
    } else {
        found = int(m_keys.indexOf(key));
    }
    if (found >= 0 && m_slot >= 0 && found >= m_slot)
        ++found;
    return found;
}

void KeyCursor::openSlot(int position)
{
    m_slot = position;
    m_position = position;
    m_bof = m_eof = false;
}

void KeyCursor::closeSlot(int back)
{
    m_slot = -1;
    m_position = -1;
    moveTo(back);
}

void KeyCursor::fillSlot(int position, qint64 key)
{
    m_slot = -1;
    m_keys.insert(position, key);
    m_position = position;
    m_bof = m_eof = false;
}

void KeyCursor::liftCurrent()
{
    m_keys.remove(keyIndex(m_position));
    m_slot = m_position;
}

void KeyCursor::removeCurrent()
{
    const bool wasLast = m_position == count() - 1;
    m_keys.remove(keyIndex(m_position));
    // Like falling off the end: a walk that deletes as it goes stops after the last record.
    m_position = wasLast ? count() - 1 : m_position;
    m_bof = m_keys.isEmpty();
    m_eof = wasLast || m_keys.isEmpty();
}
