#include "voctest/choicebuilder.h"

#include "voctest/answerjudge.h"
#include "voctest/choicecandidates.h"
#include "voctest/shuffle.h"

#include <QHash>

namespace {
// Draws indices 0 to n-1 at random without putting them back, each remaining one equally
// likely, as taking a random item out of a list does; only the exchanged places are stored,
// so a draw from a hundred thousand costs no more than one from ten.
class DrawWithoutReplacement
{
public:
    explicit DrawWithoutReplacement(qsizetype count) : m_remaining(count) {}

    qsizetype remaining() const { return m_remaining; }

    qsizetype take(QRandomGenerator &generator)
    {
        const qsizetype drawn = generator.bounded(m_remaining);
        const qsizetype result = valueAt(drawn);
        --m_remaining;
        m_moved.insert(drawn, valueAt(m_remaining));
        return result;
    }

private:
    qsizetype valueAt(qsizetype place) const { return m_moved.value(place, place); }

    qsizetype m_remaining;
    QHash<qsizetype, qsizetype> m_moved;
};

// The right meanings, each once; an empty meaning is no option.
QStringList correctPieces(const QString &answer)
{
    QStringList correct;
    for (const QString &piece : ChoiceBuilder::pieces(answer))
        if (!piece.isEmpty() && !correct.contains(piece))
            correct.append(piece);
    return correct;
}
} // namespace

QStringList ChoiceBuilder::options(const ChoiceCandidates &candidates, const QString &answer, int type,
                                   QRandomGenerator &generator)
{
    // The answer's own records give the right meanings and are no candidates themselves.
    const qsizetype answerRecords = candidates.recordsWithText(type, answer);
    const QStringList correct = answerRecords > 0 ? correctPieces(answer) : QStringList();
    const qsizetype typeCount = candidates.typeCount(type);
    const qsizetype sameType = typeCount - answerRecords * ChoiceCandidates::countMeanings(answer);

    // Too few of the same type: meanings of other types fill up.
    QStringList promoted;
    DrawWithoutReplacement others(candidates.otherTypeCount(type));
    while (sameType + promoted.size() + correct.size() <= ChoiceCount - 1 && others.remaining() > 0)
        promoted.append(candidates.otherTypeAt(type, others.take(generator)));

    QStringList result;
    for (const QString &piece : correct) {
        if (result.size() > ChoiceCount - 1)
            break;
        result.append(piece);
    }
    // The candidates shrink as the count grows, so at most about half of them are drawn.
    // Drawn meanings of the answer's own records are put aside unseen, which leaves every
    // other candidate equally likely.
    DrawWithoutReplacement pool(typeCount + promoted.size());
    const qsizetype candidateCount = sameType + promoted.size();
    for (qsizetype i = 0; i < candidateCount - i && result.size() <= ChoiceCount - 1; ++i) {
        qsizetype drawn = pool.take(generator);
        while (drawn < typeCount && candidates.recordTextAt(type, drawn) == answer)
            drawn = pool.take(generator);
        const QString piece =
            drawn < typeCount ? candidates.typeAt(type, drawn) : promoted.at(drawn - typeCount);
        // A meaning already offered, the right one included, is not offered twice.
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
