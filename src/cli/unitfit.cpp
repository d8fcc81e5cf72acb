#include "cli/unitfit.h"

#include "platform/table/sqlitedatabase.h"
#include "repetition/reviewhistory.h"
#include "repetition/reviewreplay.h"
#include "repetition/unitweights.h"
#include "vocfile/lumotable.h"

#include <QDateTime>

namespace {

// Stores the weights (or the defaults) and recomputes the states with them, all or nothing.
int schedule(TLumoTable &unit, const FsrsModel::Weights *fitted)
{
    SqliteDatabase &db = *unit.connection();
    unit.startTransaction();
    try {
        UnitWeights weights(db);
        if (fitted)
            weights.save(*fitted);
        else
            weights.reset();
        const int recomputed = ReviewReplay::apply(db, weights.weights());
        unit.commit();
        return recomputed;
    } catch (...) {
        unit.rollback();
        throw;
    }
}

} // namespace

UnitFit::Outcome UnitFit::fit(const QString &table, MessageService &messages,
                              const FsrsFitter::Progress &progress)
{
    TLumoTable unit(messages);
    unit.setVocabularyFile(table);
    unit.open();
    const ReviewHistory history(*unit.connection());
    const ReviewHistory::Cards cards = history.cards(QDateTime::currentSecsSinceEpoch());
    Outcome outcome;
    outcome.reviews = history.count();
    outcome.unusable = cards.skipped;
    outcome.enough = FsrsFitter::predictedReviews(cards.cards) >= FsrsFitter::MinimumReviews;
    if (!outcome.enough) {
        outcome.fit.reviews = FsrsFitter::predictedReviews(cards.cards);
        unit.close();
        return outcome;
    }
    outcome.fit = FsrsFitter::fit(cards.cards, FsrsModel::DefaultWeights, progress);
    if (!outcome.fit.cancelled)
        outcome.recomputed = schedule(unit, outcome.fit.fitted ? &outcome.fit.weights : nullptr);
    unit.close();
    return outcome;
}

int UnitFit::reset(const QString &table, MessageService &messages)
{
    TLumoTable unit(messages);
    unit.setVocabularyFile(table);
    unit.open();
    const int recomputed = schedule(unit, nullptr);
    unit.close();
    return recomputed;
}
