#include "platform/table/indexplacer.h"

#include <QHash>
#include <algorithm>

namespace {

// Steps statement until it gives a key that keys holds; its position, or -1 when none does.
// Most often the very first follower is in the list, which a plain scan finds; a filtered
// list may miss many, and then a table of positions pays off.
int firstListed(SqliteStatement &statement, const QVector<qint64> &keys, QHash<qint64, int> &positions)
{
    int result = -1;
    try {
        while (result < 0 && statement.step()) {
            const qint64 follower = statement.int64(0);
            if (positions.isEmpty()) {
                result = int(keys.indexOf(follower));
                if (result < 0)
                    for (int i = 0; i < keys.size(); ++i)
                        positions.insert(keys.at(i), i);
            } else {
                result = positions.value(follower, -1);
            }
        }
    } catch (...) {
        statement.reset();
        throw;
    }
    statement.reset();
    return result;
}

} // namespace

IndexPlacer::IndexPlacer(const SqliteDatabase &db, const TableSchema &schema) : m_db(db), m_schema(schema) {}

IndexPlacer::~IndexPlacer() = default;

IndexPlacer::Followers &IndexPlacer::followers(int indexPosition)
{
    Followers &found = m_followers[indexPosition];
    if (found.afterValue)
        return found;
    const IndexDef &index = m_schema.indexes.at(indexPosition);
    QString field = TableSchema::quoted(index.field);
    const QString sorted = index.caseInsensitive ? field + QStringLiteral(" COLLATE ") +
                                                       QLatin1String(SqliteDatabase::NoCaseCollation)
                                                 : field;
    const QString select =
        QStringLiteral("SELECT rowid FROM %1 WHERE ").arg(TableSchema::quoted(TableSchema::DataTable));
    const QString order = QStringLiteral(" ORDER BY ") + m_schema.orderBy(indexPosition);
    // The first condition lets the index start at the value; the second passes over equal
    // values with smaller keys.
    found.afterValue = std::make_unique<SqliteStatement>(
        m_db, select + QStringLiteral("%1 >= ?1 AND (%1 > ?1 OR rowid > ?2)").arg(sorted) + order);
    found.afterNull = std::make_unique<SqliteStatement>(
        m_db, select + QStringLiteral("%1 IS NULL AND rowid > ?1").arg(field) + order);
    found.notNull =
        std::make_unique<SqliteStatement>(m_db, select + QStringLiteral("%1 IS NOT NULL").arg(field) + order);
    return found;
}

int IndexPlacer::placeFor(const QVector<qint64> &keys, qint64 key, const QVariant &value, int indexPosition)
{
    if (indexPosition < 0 || m_schema.indexes.at(indexPosition).primary)
        return int(std::lower_bound(keys.cbegin(), keys.cend(), key) - keys.cbegin());
    Followers &after = followers(indexPosition);
    QHash<qint64, int> positions;
    int place = -1;
    if (value.isNull()) {
        after.afterNull->bindInt(1, key);
        place = firstListed(*after.afterNull, keys, positions);
        if (place < 0)
            place = firstListed(*after.notNull, keys, positions);
    } else {
        after.afterValue->bind(1, value);
        after.afterValue->bindInt(2, key);
        place = firstListed(*after.afterValue, keys, positions);
    }
    return place < 0 ? int(keys.size()) : place;
}
