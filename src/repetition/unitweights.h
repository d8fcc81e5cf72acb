#pragma once

#include "repetition/fsrsmodel.h"

class SqliteDatabase;

// The memory model's weights fitted to one unit's reviews, kept in a table of their own in the
// unit's ".db". A unit without them, or with a damaged set, schedules with the defaults;
// weights outside their published bounds are brought within them. Failures throw TableError.
class UnitWeights
{
public:
    static constexpr const char *WeightsTable = "review_weights";

    explicit UnitWeights(SqliteDatabase &db) : m_db(db) {}

    // Whether a whole set of fitted weights is stored.
    bool fitted() const;
    // The fitted weights, or the defaults.
    FsrsModel::Weights weights() const;
    void save(const FsrsModel::Weights &weights);
    // Back to the defaults.
    void reset();

private:
    SqliteDatabase &m_db;
};
