#include "repetition/reviewhistory.h"

#include "platform/table/sqlitedatabase.h"
#include "platform/table/tableschema.h"
#include "vocfile/entrysidetables.h"

#include <cmath>
#include <limits>

namespace {

QString table()
{
    return TableSchema::quoted(QLatin1String(ReviewHistory::LogTable));
}

double realOrNaN(const SqliteStatement &row, int column)
{
    return row.isNull(column) ? std::numeric_limits<double>::quiet_NaN() : row.real(column);
}

void bindRealOrNull(SqliteStatement &statement, int index, double value)
{
    if (std::isfinite(value))
        statement.bindReal(index, value);
    else
        statement.bindNull(index);
}

bool sameCard(const ReviewHistory::Row &a, const ReviewHistory::Row &b)
{
    return a.entry == b.entry && a.direction == b.direction;
}

} // namespace

bool ReviewHistory::Row::first() const
{
    return !std::isfinite(elapsedDays);
}

bool ReviewHistory::hasTable() const
{
    return m_db.hasTable(QLatin1String(LogTable));
}

void ReviewHistory::ensureTable()
{
    // Made or found once per opening of the file, not at every review.
    if (m_db.knowsSchema(QLatin1String(LogTable)))
        return;
    if (hasTable()) {
        m_db.learnSchema(QLatin1String(LogTable));
        return;
    }
    m_db.exec(QStringLiteral("SAVEPOINT review_log_schema"));
    try {
        m_db.exec(QStringLiteral("CREATE TABLE %1 (id INTEGER PRIMARY KEY, entry INTEGER NOT NULL, direction "
                                 "INTEGER NOT NULL, reviewed_at INTEGER NOT NULL, grade INTEGER NOT NULL, "
                                 "elapsed_days REAL, stability_before REAL, difficulty_before REAL)")
                      .arg(table()));
        m_db.exec(QStringLiteral("CREATE INDEX review_log_card ON %1 (entry, direction, reviewed_at)")
                      .arg(table()));
        m_db.exec(QStringLiteral("RELEASE review_log_schema"));
        m_db.learnSchema(QLatin1String(LogTable));
    } catch (...) {
        try {
            m_db.exec(QStringLiteral("ROLLBACK TO review_log_schema"));
            m_db.exec(QStringLiteral("RELEASE review_log_schema"));
        } catch (...) {
            // The error that stopped the schema is the one to report.
        }
        throw;
    }
}

void ReviewHistory::append(const Row &row)
{
    static const QString sql =
        QStringLiteral("INSERT INTO %1 (entry, direction, reviewed_at, grade, elapsed_days, "
                       "stability_before, difficulty_before) VALUES (?, ?, ?, ?, ?, ?, ?)")
            .arg(table());
    SqliteStatement &insert = m_db.cached(sql);
    insert.bindInt(1, row.entry);
    insert.bindInt(2, row.direction);
    insert.bindInt(3, row.reviewedAt);
    insert.bindInt(4, row.grade);
    bindRealOrNull(insert, 5, row.elapsedDays);
    bindRealOrNull(insert, 6, row.first() ? std::nan("") : row.before.stability);
    bindRealOrNull(insert, 7, row.first() ? std::nan("") : row.before.difficulty);
    insert.step();
    insert.reset();
}

QList<ReviewHistory::Row> ReviewHistory::rows() const
{
    QList<Row> result;
    if (!hasTable())
        return result;
    // Text where a number belongs (a file from elsewhere) reads as a number, as SQLite converts it.
    SqliteStatement query(m_db, QStringLiteral("SELECT entry, direction, reviewed_at, grade, elapsed_days, "
                                               "stability_before, difficulty_before FROM %1 "
                                               "ORDER BY entry, direction, reviewed_at, id")
                                    .arg(table()));
    while (query.step()) {
        Row row;
        row.entry = query.int64(0);
        row.direction = int(query.int64(1));
        row.reviewedAt = query.int64(2);
        row.grade = int(std::clamp<qint64>(query.int64(3), -1, 5));
        row.elapsedDays = realOrNaN(query, 4);
        row.before = {realOrNaN(query, 5), realOrNaN(query, 6)};
        result.append(row);
    }
    return result;
}

int ReviewHistory::count() const
{
    if (!hasTable())
        return 0;
    SqliteStatement query(m_db, QStringLiteral("SELECT count(*) FROM %1").arg(table()));
    const int rows = query.step() ? int(query.int64(0)) : 0;
    query.reset();
    return rows;
}

ReviewHistory::Cards ReviewHistory::cards(qint64 now) const
{
    Cards result;
    const QList<Row> all = rows();
    for (qsizetype i = 0; i < all.size(); ++i) {
        const Row &row = all.at(i);
        const bool usable = row.reviewedAt <= now && row.grade >= 1 && row.grade <= 4 &&
                            (row.first() || row.elapsedDays >= 0);
        if (!usable) {
            ++result.skipped;
            continue;
        }
        if (result.cards.empty() || i == 0 || !sameCard(row, all.at(i - 1)))
            result.cards.emplace_back();
        result.cards.back().push_back({row.first() ? 0.0 : row.elapsedDays, row.grade});
    }
    return result;
}

int ReviewHistory::forgetOrphans()
{
    return EntrySideTables::forgetOrphans(m_db);
}

QByteArray ReviewHistory::csv(int *written) const
{
    QByteArray out("card_id,review_time,review_rating,review_state,review_duration\n");
    QList<Row> all = rows();
    all.removeIf([](const Row &row) { return row.grade < 1 || row.grade > 4; });
    if (written)
        *written = int(all.size());
    for (qsizetype i = 0; i < all.size(); ++i) {
        const Row &row = all.at(i);
        const bool firstOfCard = i == 0 || !sameCard(row, all.at(i - 1));
        const int state = firstOfCard ? 0 : (all.at(i - 1).grade == 1 ? 3 : 2);
        out += QByteArray::number(row.entry * 2 + row.direction) + ',' +
               QByteArray::number(row.reviewedAt * 1000) + ',' + QByteArray::number(row.grade) + ',' +
               QByteArray::number(state) + ",0\n";
    }
    return out;
}
