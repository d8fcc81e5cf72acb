#include "repetition/weightsfit.h"

#include "platform/table/sqlitedatabase.h"
#include "platform/table/sqlitetable.h"
#include "repetition/reviewhistory.h"
#include "repetition/reviewreplay.h"
#include "repetition/unitweights.h"

namespace {

SqliteDatabase &connectionOf(const SqliteTable &table)
{
    if (!table.connection())
        throw TableError(QStringLiteral("The table ") + table.filePath() + QStringLiteral(" is not open."));
    return *table.connection();
}

} // namespace

WeightsFit::Outcome WeightsFit::fit(qint64 now, const FsrsFitter::Progress &progress)
{
    const ReviewHistory history(connectionOf(m_table));
    const ReviewHistory::Cards cards = history.cards(now);
    Outcome outcome;
    outcome.reviews = history.count();
    outcome.unusable = cards.skipped;
    outcome.fit.reviews = FsrsFitter::predictedReviews(cards.cards);
    outcome.enough = outcome.fit.reviews >= FsrsFitter::MinimumReviews;
    if (!outcome.enough)
        return outcome;
    outcome.fit = FsrsFitter::fit(cards.cards, FsrsModel::DefaultWeights, progress);
    if (!outcome.fit.cancelled)
        outcome.recomputed = schedule(outcome.fit.fitted ? &outcome.fit.weights : nullptr);
    return outcome;
}

int WeightsFit::reset()
{
    return schedule(nullptr);
}

int WeightsFit::schedule(const FsrsModel::Weights *fitted)
{
    // The table's own transaction: it lets go of its reading first, and a rollback shows the
    // data set the file as it was.
    SqliteDatabase &db = connectionOf(m_table);
    m_table.startTransaction();
    try {
        UnitWeights weights(db);
        if (fitted)
            weights.save(*fitted);
        else
            weights.reset();
        const int recomputed = ReviewReplay::apply(db, weights.weights());
        m_table.commit();
        return recomputed;
    } catch (...) {
        m_table.rollback();
        throw;
    }
}
