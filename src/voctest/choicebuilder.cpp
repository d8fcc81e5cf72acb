#include "voctest/choicebuilder.h"

#include "voctest/answerjudge.h"
#include "voctest/shuffle.h"

namespace {
QString takeRandom(QStringList &list, QRandomGenerator &generator)
{
    return list.takeAt(generator.bounded(list.size()));
}
} // namespace

ChoiceBuilder::ChoiceBuilder(QString answer, int type) : m_answer(std::move(answer)), m_type(type) {}

void ChoiceBuilder::addRecord(const QString &text, int type)
{
    const bool sameType = type == m_type;
    if (sameType && text == m_answer) {
        for (const QString &piece : pieces(text))
            if (!m_correct.contains(piece))
                m_correct.append(piece);
        return;
    }
    for (const QString &piece : pieces(text))
        addDistractor(sameType ? m_sameType : m_otherType, piece);
}

void ChoiceBuilder::addDistractor(QStringList &list, const QString &piece)
{
    // Each text is offered once, so a meaning is never shown twice.
    if (piece.isEmpty() || m_distractorsSeen.contains(piece))
        return;
    m_distractorsSeen.insert(piece);
    list.append(piece);
}

QStringList ChoiceBuilder::options(QRandomGenerator &generator)
{
    // A meaning of another entry that is also a right meaning would be shown twice.
    const auto isCorrect = [this](const QString &piece) { return m_correct.contains(piece); };
    m_sameType.removeIf(isCorrect);
    m_otherType.removeIf(isCorrect);

    while (m_sameType.size() + m_correct.size() <= ChoiceCount - 1 && !m_otherType.isEmpty())
        m_sameType.append(takeRandom(m_otherType, generator));

    QStringList result;
    for (const QString &piece : std::as_const(m_correct)) {
        if (result.size() > ChoiceCount - 1)
            break;
        result.append(piece);
    }
    for (int i = 0; i < m_sameType.size() && result.size() <= ChoiceCount - 1; ++i)
        result.append(takeRandom(m_sameType, generator));

    Shuffle(result, generator);
    return result;
}

QStringList ChoiceBuilder::pieces(const QString &text)
{
    QStringList result = AnswerJudge::splitMeanings(text);
    for (QString &piece : result)
        piece = AnswerJudge::trim(piece);
    return result;
}
