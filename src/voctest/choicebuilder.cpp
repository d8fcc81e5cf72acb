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
    // Empty pieces are never offered, so every piece can be taken as it comes.
    QStringList &list = sameType ? m_sameType : m_otherType;
    for (const QStringView piece : QStringView(text).tokenize(u';')) {
        const QStringView trimmed = AnswerJudge::trimmedView(piece);
        if (!trimmed.isEmpty())
            list.append(trimmed.toString());
    }
}

QStringList ChoiceBuilder::options(QRandomGenerator &generator)
{
    while (m_sameType.size() + m_correct.size() <= ChoiceCount - 1 && !m_otherType.isEmpty())
        m_sameType.append(takeRandom(m_otherType, generator));

    QStringList result;
    for (const QString &piece : std::as_const(m_correct)) {
        if (result.size() > ChoiceCount - 1)
            break;
        result.append(piece);
    }
    for (int i = 0; i < m_sameType.size() && result.size() <= ChoiceCount - 1; ++i) {
        // A meaning already offered, the right one included, is not offered twice.
        const QString piece = takeRandom(m_sameType, generator);
        if (!result.contains(piece))
            result.append(piece);
    }

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
