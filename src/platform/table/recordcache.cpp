#include "platform/table/recordcache.h"

#include <QHash>
#include <algorithm>
#include <cstdlib>

namespace {

QString byKeysQuery(const TableSchema &schema)
{
    QStringList marks;
    for (int i = 0; i < RecordCache::PageSize; ++i)
        marks.append(QStringLiteral("?"));
    return QStringLiteral("SELECT %1 FROM %2 WHERE rowid IN (%3)")
        .arg(schema.selectList(), TableSchema::quoted(TableSchema::DataTable), marks.join(QLatin1Char(',')));
}

// Resets a statement when leaving by an error, so it holds no read open.
struct ResetOnError
{
    SqliteStatement &statement;
    bool done = false;
    ~ResetOnError()
    {
        if (!done)
            statement.reset();
    }
};

} // namespace

RecordCache::RecordCache(const SqliteDatabase &db, const TableSchema &schema)
    : m_db(db), m_schema(schema), m_fieldCount(int(schema.fields.size())), m_byKeys(db, byKeysQuery(schema))
{
    for (const FieldDef &def : schema.fields) {
        m_missing.push_back(def.type == FieldType::Blob ? RowValue::flag(false) : RowValue());
        m_types.append(def.type);
    }
}

RecordCache::~RecordCache() = default;

QVector<qint64> RecordCache::keys(int indexPosition, const RecordFilter &filter, const QString &condition)
{
    stopReading();
    clearPages();
    m_order = indexPosition;
    m_wholeTable = !filter && condition.isEmpty();
    QVector<qint64> result;
    // SQLite picks the matching records itself, so a filter that keeps few records of a
    // large table never builds a row value for the others.
    const QString table = TableSchema::quoted(TableSchema::DataTable) +
                          (condition.isEmpty() ? QString() : QStringLiteral(" WHERE (%1)").arg(condition));
    const QString order = m_schema.orderBy(indexPosition);
    if (!filter) {
        // The primary order is that of the keys themselves: without an order asked for, SQLite
        // reads them from the smallest index rather than from the rows with their sounds, and
        // sorting them here costs far less than that walk.
        const bool primary = indexPosition < 0 || m_schema.indexes.at(indexPosition).primary;
        SqliteStatement select(
            m_db, primary ? QStringLiteral("SELECT rowid FROM %1").arg(table)
                          : QStringLiteral("SELECT rowid FROM %1 ORDER BY %2").arg(table, order));
        while (select.step())
            result.append(select.int64(0));
        if (primary)
            std::sort(result.begin(), result.end());
        return result;
    }
    SqliteStatement select(
        m_db, QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(m_schema.selectList(), table, order));
    TableRecord record;
    while (select.step()) {
        record.values = m_schema.readRow(select);
        if (filter(record))
            result.append(select.int64(0));
    }
    return result;
}

RecordCache::Row RecordCache::findRow(const QVector<qint64> &keys, int index)
{
    const qint64 key = keys.at(index);
    const auto holds = [&](const Page &page) {
        const qsizetype offset = qsizetype(index) - page.start;
        return page.start >= 0 && offset >= 0 && offset < page.keys.size() && page.keys.at(offset) == key;
    };
    const auto found = std::find_if(m_pages.begin(), m_pages.end(), holds);
    m_lastUsed = found != m_pages.end() ? int(found - m_pages.begin()) : loadPage(keys, index);
    m_lastIndex = index;
    const Page &page = m_pages[m_lastUsed];
    const qsizetype offset = qsizetype(index) - page.start;
    return Row(page.values.data() + offset * m_fieldCount, m_fieldCount);
}

int RecordCache::loadPage(const QVector<qint64> &keys, int index)
{
    // Reading forward has a page of its own, small enough to stay in the processor's cache
    // and leaving the pages of a view alone; pages read by their keys take turns in the
    // others, a page of the same start being out of date.
    const bool forward = m_wholeTable && (index == 0 || (m_following && index == m_followingNext));
    const bool alone = !forward && m_lastIndex >= 0 && std::abs(index - m_lastIndex) > 1;
    const int start = forward || alone ? index : index - index % PageSize;
    int slot = ForwardSlot;
    if (!forward) {
        const auto same = std::find_if(m_pages.begin(), m_pages.begin() + PageCount,
                                       [start](const Page &p) { return p.start == start; });
        slot = same != m_pages.begin() + PageCount ? int(same - m_pages.begin()) : m_victim++ % PageCount;
    }
    Page &page = m_pages[slot];
    const int end = std::min<int>(start + (alone ? 1 : forward ? ForwardPageSize : PageSize), keys.size());
    page.start = start;
    page.keys = keys.mid(start, end - start);
    page.values.clear();
    page.values.reserve(size_t(page.keys.size()) * m_fieldCount);
    try {
        if (alone)
            readAlone(page);
        else if (!forward || !readFollowing(keys, page))
            readByKeys(page);
    } catch (...) {
        page.start = -1;
        throw;
    }
    return slot;
}

bool RecordCache::readFollowing(const QVector<qint64> &keys, Page &page)
{
    // The order of the whole table is read straight through: from its start, or on from
    // where the last page ended.
    if (page.start == 0) {
        stopReading();
        m_following = std::make_unique<SqliteStatement>(
            m_db, QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                      .arg(m_schema.selectList(), TableSchema::quoted(TableSchema::DataTable),
                           m_schema.orderBy(m_order)));
        m_followingNext = 0;
    }
    try {
        for (const qint64 key : std::as_const(page.keys)) {
            // The file and the order agree unless the order was not read afresh after a
            // write; then this page is read by its keys.
            if (!m_following->step() || m_following->int64(0) != key) {
                page.values.clear();
                stopReading();
                return false;
            }
            for (int field = 0; field < m_fieldCount; ++field) {
                const FieldType type = m_types.at(field);
                page.values.push_back(type == FieldType::AutoInc
                                          ? RowValue::key(key)
                                          : RowValue::read(*m_following, field + 1, type));
            }
        }
    } catch (...) {
        stopReading();
        throw;
    }
    m_followingNext = page.start + int(page.keys.size());
    if (m_followingNext >= keys.size())
        stopReading();
    return true;
}

void RecordCache::readByKeys(Page &page)
{
    QHash<qint64, int> offsetOf;
    offsetOf.reserve(page.keys.size());
    for (int i = 0; i < page.keys.size(); ++i) {
        offsetOf.insert(page.keys.at(i), i);
        m_byKeys.bindInt(i + 1, page.keys.at(i));
    }
    for (int mark = int(page.keys.size()) + 1; mark <= PageSize; ++mark)
        m_byKeys.bindNull(mark);
    for (int i = 0; i < page.keys.size(); ++i)
        page.values.insert(page.values.end(), m_missing.cbegin(), m_missing.cend());
    ResetOnError guard{m_byKeys};
    while (m_byKeys.step()) {
        const int offset = offsetOf.value(m_byKeys.int64(0), -1);
        if (offset < 0)
            continue;
        RowValue *row = page.values.data() + qsizetype(offset) * m_fieldCount;
        for (int field = 0; field < m_fieldCount; ++field)
            row[field] = RowValue::read(m_byKeys, field + 1, m_types.at(field));
    }
    m_byKeys.reset();
    guard.done = true;
}

void RecordCache::readAlone(Page &page)
{
    if (!m_byKey)
        m_byKey = std::make_unique<SqliteStatement>(
            m_db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                      .arg(m_schema.selectList(), TableSchema::quoted(TableSchema::DataTable)));
    page.values.assign(m_missing.cbegin(), m_missing.cend());
    m_byKey->bindInt(1, page.keys.at(0));
    ResetOnError guard{*m_byKey};
    if (m_byKey->step())
        for (int field = 0; field < m_fieldCount; ++field)
            page.values[size_t(field)] = RowValue::read(*m_byKey, field + 1, m_types.at(field));
    m_byKey->reset();
    guard.done = true;
}

void RecordCache::forget(qint64 key)
{
    for (Page &page : m_pages)
        if (page.keys.contains(key))
            page.start = -1;
}

void RecordCache::stopReading()
{
    m_following.reset();
    m_followingNext = -1;
}

void RecordCache::clearPages()
{
    for (Page &page : m_pages) {
        page.start = -1;
        page.keys.clear();
        page.values.clear();
    }
}

QList<QVector<QVariant>> RecordCache::columns(const QVector<qint64> &keys, const QList<int> &fields) const
{
    QStringList list{QStringLiteral("rowid")};
    for (int field : fields) {
        // Callers name fields by the schema they expect; a table from elsewhere may not have them.
        if (field < 0 || field >= m_schema.fields.size())
            throw TableError(QStringLiteral("Unknown field number %1 in the table ").arg(field) +
                             m_db.path());
        const FieldDef &def = m_schema.fields.at(field);
        list.append(def.type == FieldType::Blob
                        ? QStringLiteral("length(%1)").arg(TableSchema::quoted(def.name))
                        : TableSchema::quoted(def.name));
    }
    SqliteStatement select(
        m_db, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                  .arg(list.join(QLatin1String(", ")), TableSchema::quoted(TableSchema::DataTable)));
    QList<QVector<QVariant>> result(fields.size());
    for (QVector<QVariant> &column : result)
        column.reserve(keys.size());
    const auto readRow = [&](QList<QVector<QVariant>> &into) {
        for (int i = 0; i < fields.size(); ++i)
            into[i].append(m_schema.readValue(select, i + 1, fields.at(i)));
    };
    if (std::is_sorted(keys.cbegin(), keys.cend())) {
        // Rows come in key order too: one merge, no look-up.
        int next = 0;
        while (next < keys.size() && select.step()) {
            if (select.int64(0) == keys.at(next)) {
                readRow(result);
                ++next;
            }
        }
        return result;
    }
    // Another order, or a subset when filtered: find each key's row.
    QHash<qint64, int> rowOf;
    rowOf.reserve(keys.size());
    QList<QVector<QVariant>> byRow(fields.size());
    int row = 0;
    while (select.step()) {
        rowOf.insert(select.int64(0), row++);
        readRow(byRow);
    }
    for (qint64 key : keys) {
        const auto found = rowOf.constFind(key);
        for (int i = 0; i < fields.size(); ++i)
            result[i].append(found == rowOf.constEnd() ? QVariant() : byRow.at(i).at(found.value()));
    }
    return result;
}

QByteArray RecordCache::blob(qint64 key, int field) const
{
    SqliteStatement read(m_db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                                   .arg(TableSchema::quoted(m_schema.fields.at(field).name),
                                        TableSchema::quoted(TableSchema::DataTable)));
    read.bindInt(1, key);
    return read.step() ? read.blob(0) : QByteArray();
}
