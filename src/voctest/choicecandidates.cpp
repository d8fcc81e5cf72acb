#include "voctest/choicecandidates.h"

#include "voctest/answerjudge.h"

#include <algorithm>

void ChoiceCandidates::addRecord(const QString &text, int type)
{
    TypeRecords &t = m_types[type];
    const qsizetype meanings = countMeanings(text);
    t.texts.append(text);
    t.ends.append(t.size() + meanings);
    m_size += meanings;
}

void ChoiceCandidates::clear()
{
    m_types.clear();
    m_size = 0;
}

const ChoiceCandidates::TypeRecords *ChoiceCandidates::records(int type) const
{
    const auto found = m_types.constFind(type);
    return found == m_types.cend() ? nullptr : &found.value();
}

qsizetype ChoiceCandidates::recordsWithText(int type, const QString &text) const
{
    const TypeRecords *t = records(type);
    return t ? std::count(t->texts.cbegin(), t->texts.cend(), text) : 0;
}

qsizetype ChoiceCandidates::typeCount(int type) const
{
    const TypeRecords *t = records(type);
    return t ? t->size() : 0;
}

QString ChoiceCandidates::typeAt(int type, qsizetype index) const
{
    const TypeRecords &t = *records(type);
    const qsizetype record = t.recordOf(index);
    return meaningAt(t.texts.at(record), index - t.startOf(record));
}

const QString &ChoiceCandidates::recordTextAt(int type, qsizetype index) const
{
    const TypeRecords &t = *records(type);
    return t.texts.at(t.recordOf(index));
}

qsizetype ChoiceCandidates::otherTypeCount(int type) const
{
    return m_size - typeCount(type);
}

QString ChoiceCandidates::otherTypeAt(int type, qsizetype index) const
{
    for (auto it = m_types.cbegin(); it != m_types.cend(); ++it) {
        if (it.key() == type)
            continue;
        if (index < it->size())
            return typeAt(it.key(), index);
        index -= it->size();
    }
    return QString();
}

qsizetype ChoiceCandidates::TypeRecords::recordOf(qsizetype index) const
{
    // The first record whose meanings reach past the index; records without any are passed.
    return std::upper_bound(ends.cbegin(), ends.cend(), index) - ends.cbegin();
}

qsizetype ChoiceCandidates::countMeanings(QStringView text)
{
    qsizetype count = 0;
    for (const QStringView piece : text.tokenize(u';'))
        if (!AnswerJudge::trimmedView(piece).isEmpty())
            ++count;
    return count;
}

QString ChoiceCandidates::meaningAt(const QString &text, qsizetype index)
{
    for (const QStringView piece : QStringView(text).tokenize(u';')) {
        const QStringView trimmed = AnswerJudge::trimmedView(piece);
        if (trimmed.isEmpty())
            continue;
        if (index-- == 0)
            return trimmed.toString();
    }
    return QString();
}
