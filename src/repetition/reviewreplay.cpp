#include "repetition/reviewreplay.h"

#include "repetition/reviewclock.h"
#include "repetition/reviewhistory.h"
#include "repetition/reviewstore.h"

#include <QDateTime>

namespace {

bool usable(const ReviewHistory::Row &row)
{
    return row.grade >= 1 && row.grade <= 4 && (row.first() || row.elapsedDays >= 0);
}

// The memory after the card's rows [begin, end); false when none of them can start it.
bool replay(const QList<ReviewHistory::Row> &rows, qsizetype begin, qsizetype end,
            const FsrsModel::Weights &weights, FsrsModel::Memory &memory, qint64 &lastReview)
{
    bool started = false;
    for (qsizetype i = begin; i < end; ++i) {
        const ReviewHistory::Row &row = rows.at(i);
        if (!usable(row))
            continue;
        const auto rating = FsrsModel::Rating(row.grade);
        if (!started) {
            started = true;
            memory = row.first() || !FsrsModel::usable(row.before)
                         ? FsrsModel::first(rating, weights)
                         : FsrsModel::next(row.before, row.elapsedDays, rating, weights);
        } else {
            memory = FsrsModel::next(memory, row.first() ? 0.0 : row.elapsedDays, rating, weights);
        }
        lastReview = row.reviewedAt;
    }
    return started;
}

} // namespace

int ReviewReplay::apply(SqliteDatabase &db, const FsrsModel::Weights &weights)
{
    const QList<ReviewHistory::Row> rows = ReviewHistory(db).rows();
    ReviewStore store(db);
    int recomputed = 0;
    for (qsizetype begin = 0; begin < rows.size();) {
        qsizetype end = begin + 1;
        while (end < rows.size() && rows.at(end).entry == rows.at(begin).entry &&
               rows.at(end).direction == rows.at(begin).direction)
            ++end;
        FsrsModel::Memory memory;
        qint64 lastReview = 0;
        std::optional<ReviewState> state = store.state(rows.at(begin).entry, rows.at(begin).direction);
        if (state && replay(rows, begin, end, weights, memory, lastReview) &&
            state->lastReview == lastReview) {
            state->memory = memory;
            state->due = ReviewTime::daysLater(QDateTime::fromSecsSinceEpoch(lastReview),
                                               FsrsModel::intervalDays(memory.stability, weights));
            store.save(*state);
            ++recomputed;
        }
        begin = end;
    }
    return recomputed;
}
