#include "repetition/unitweights.h"

#include "platform/table/sqlitedatabase.h"
#include "platform/table/tableschema.h"
#include "repetition/fsrsfitter.h"

#include <cmath>

namespace {

QString table()
{
    return TableSchema::quoted(QLatin1String(UnitWeights::WeightsTable));
}

// The stored weights by position; false unless every one of the 21 is there and a number.
bool readStored(const SqliteDatabase &db, FsrsModel::Weights &weights)
{
    if (!db.hasTable(QLatin1String(UnitWeights::WeightsTable)))
        return false;
    SqliteStatement query(
        db, QStringLiteral("SELECT position, weight, typeof(weight) IN ('real', 'integer') FROM %1 "
                           "ORDER BY position")
                .arg(table()));
    std::size_t found = 0;
    while (query.step()) {
        const qint64 position = query.int64(0);
        if (position < 0 || position >= qint64(weights.size()) || query.int64(2) == 0)
            return false;
        weights[std::size_t(position)] = query.real(1);
        if (!std::isfinite(weights[std::size_t(position)]))
            return false;
        ++found;
    }
    return found == weights.size();
}

} // namespace

bool UnitWeights::fitted() const
{
    FsrsModel::Weights weights{};
    return readStored(m_db, weights);
}

FsrsModel::Weights UnitWeights::weights() const
{
    FsrsModel::Weights weights{};
    return readStored(m_db, weights) ? FsrsFitter::clamped(weights) : FsrsModel::DefaultWeights;
}

void UnitWeights::save(const FsrsModel::Weights &weights)
{
    m_db.exec(
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (position INTEGER PRIMARY KEY, weight REAL NOT NULL)")
            .arg(table()));
    m_db.exec(QStringLiteral("DELETE FROM %1").arg(table()));
    SqliteStatement insert(m_db,
                           QStringLiteral("INSERT INTO %1 (position, weight) VALUES (?, ?)").arg(table()));
    const FsrsModel::Weights within = FsrsFitter::clamped(weights);
    for (std::size_t i = 0; i < within.size(); ++i) {
        insert.bindInt(1, qint64(i));
        insert.bindReal(2, within[i]);
        insert.step();
        insert.reset();
    }
}

void UnitWeights::reset()
{
    if (m_db.hasTable(QLatin1String(WeightsTable)))
        m_db.exec(QStringLiteral("DELETE FROM %1").arg(table()));
}
