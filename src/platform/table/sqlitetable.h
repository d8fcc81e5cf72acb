#pragma once

#include "platform/table/tabletypes.h"

#include <QByteArray>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>

class RowValue;
class SqliteDatabase;

// A data set bound to one table file: the table engine of the program.
//
// The file is a SQLite database holding one table. The data set keeps the ordered list of
// record keys of the current index and filter, and reads texts in pages; blob bytes are read
// only when asked for. Positions are 0-based indexes into that ordered list.
class SqliteTable : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ active WRITE setActive)
    Q_PROPERTY(bool Filtered READ filtered WRITE setFiltered)
    Q_PROPERTY(QString IndexName READ indexName WRITE setIndexName)
    Q_PROPERTY(bool Exclusive READ exclusive WRITE setExclusive)

public:
    enum class State { Inactive, Browse, Edit, Insert };
    using RecordFilter = ::RecordFilter;

    explicit SqliteTable(QObject *parent = nullptr);
    ~SqliteTable() override;

    // Binding: the database is the folder (ending in "/"), the table name the file name.
    QString databaseName() const;
    void setDatabaseName(const QString &folder);
    QString tableName() const;
    void setTableName(const QString &name);
    QString filePath() const;

    // Creating a new table file: define fields and indexes, then createTable().
    void setFieldDefs(const QList<FieldDef> &fields);
    void setIndexDefs(const QList<IndexDef> &indexes);
    void createTable();                // throws TableError; the table stays closed
    QList<FieldDef> fieldDefs() const; // of the open table
    QList<IndexDef> indexDefs() const; // of the open table

    bool exclusive() const;
    void setExclusive(bool on);

    // Opening throws TableError with a message naming the file when the file is missing,
    // is not a table of ours, or is held by another program.
    void open();
    void close(); // posts nothing: a pending edit is cancelled
    bool active() const;
    void setActive(bool on);
    State state() const;

    // The open file's connection, for tables of its own that live beside the data table in
    // the same file and transactions; null while the table is closed.
    SqliteDatabase *connection() const;

    // Compacts the file; the table must be closed. Returns false on any failure.
    bool vacuum();

    // Navigation in the order of the current index and filter.
    int recordCount() const;
    bool isEmpty() const;
    int recNo() const; // -1 when empty
    void setRecNo(int position);
    void first();
    void last();
    void next();
    void prior();
    bool eof() const; // after next() on the last record, or empty
    bool bof() const; // after prior() on the first record, or empty
    // Moves to the record whose primary key equals key, whatever the order; false if none.
    bool findKey(qint64 key);
    qint64 currentKey() const; // primary key of the current record, -1 when none

    // Fields of the current record (or of the record being edited).
    int fieldIndex(const QString &name) const; // -1 when unknown
    QVariant fieldValue(int field) const;      // null QVariant for SQL NULL; blobs as QByteArray
    QVariant fieldValue(const QString &name) const;
    bool fieldIsNull(int field) const; // a blob of zero bytes counts as null
    QByteArray blobValue(int field) const;
    void setFieldValue(int field, const QVariant &value); // only in Edit or Insert state
    void setFieldValue(const QString &name, const QVariant &value);
    // The error for a field the table lacks, naming the file.
    TableError fieldNotFound(const QString &name) const;

    // The values of some fields for every record in the current order and filter, read in
    // one pass without moving the current record; blobs as "non-empty" flags. One vector per
    // field, in the order of fields. A record being edited shows its stored values.
    QList<QVector<QVariant>> readColumns(const QList<int> &fields) const;

    // Editing. Each post is its own transaction unless a transaction is open.
    // Moving to another record, appending or inserting, changing order or filter, or
    // refreshing posts a pending edit first, or drops it when no field was set (an empty new
    // record is not stored); close() cancels it.
    void edit();   // on an empty data set this appends
    void append(); // new empty record, placed at the end until it is posted
    void insert(); // new empty record, placed before the current one until it is posted
    void post();
    void cancel();
    void deleteRecord();
    // Runs for every record deleteRecord() removes, in the delete's own transaction and after
    // it: rows of other tables in the file that belong to the record go with it, whether or
    // not the file's triggers run. A throw undoes the delete.
    using DeleteCompanion = std::function<void(SqliteDatabase &db, qint64 key)>;
    void setDeleteCompanion(DeleteCompanion companion);
    // Runs when vacuum() compacts the file, in a transaction of its own before the compacting:
    // rows of other tables that the file keeps for deleted records go then.
    using PackCompanion = std::function<void(SqliteDatabase &db)>;
    void setPackCompanion(PackCompanion companion);
    void appendRecord(const QVariantList &values); // positional; a null QVariant leaves a field null

    // Told around each record that post() or deleteRecord() writes, in its transaction:
    // before(key) while the record still holds its old values (-1 for a new record), then
    // after(key) once it is written (or gone).
    struct RecordWatch
    {
        std::function<void(qint64 key)> before;
        std::function<void(qint64 key)> after;
    };
    void setRecordWatch(RecordWatch watch);

    // Whole records by key, for taking changes back. Values are positional, as stored (blobs
    // as bytes); storedRecord() gives none when no record has that key.
    QVariantList storedRecord(qint64 key) const;
    // Writes each record under its own key: an existing one is overwritten, a missing one is
    // stored again with that key. The last becomes current. Part of an open transaction.
    void putRecords(const QList<QVariantList> &records);
    // Deletes the records (and their companions); keys that are gone are passed over.
    void removeRecords(const QList<qint64> &keys);

    // Bulk work in one transaction.
    void startTransaction();
    void commit();
    void rollback();
    bool inTransaction() const;

    // Sets a field of every record of the table, whatever the filter, in one statement (part
    // of an open transaction, or one of its own); records that hold the value already are
    // not written. A pending edit is posted first; the key
    // list is read again afterwards, as the change may move records in or out of the filter.
    void setFieldOfAll(int field, const QVariant &value);

    // Filtering and order. While filtered, a record shows when it meets the condition (an SQL
    // expression over the quoted field names, run by the engine itself; empty for none) and
    // the filter function accepts it (none for all).
    void setFilter(RecordFilter filter);
    void setFilterCondition(const QString &condition);
    QString filterCondition() const;
    bool filtered() const;
    void setFiltered(bool on);
    QString indexName() const; // "" for the primary index
    void setIndexName(const QString &name);
    void refresh(); // re-reads the key list, keeping the current record if it still shows
    // Chooses the index on field: the primary index for the key field. Throws TableError when
    // no index orders by it.
    void setIndexField(const QString &field);

    // Moves to the next record, in the current order and filter and wrapping round from the
    // last to the first, one of whose fields holds text without regard to letter case
    // (CaseBlindText); the current record is compared last. False, staying where it was, when
    // none does or text is empty. A pending edit is posted first. caseRules.at(i), where
    // given, is the locale whose case rules hold for fields.at(i) (Turkish folds I to ı);
    // every other field follows the rules most languages share.
    bool findText(const QList<int> &fields, const QString &text, const QList<QLocale> &caseRules = {});

    // A value at any position without moving there (for views); blob fields give whether
    // they are non-empty, as a bool.
    QVariant valueAt(int position, int field) const;

    // Bound views: while disabled the data set sends no change signals.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const;

signals:
    void dataSetChanged();            // opened, closed, order, filter or many rows changed
    void recordChanged(int position); // one row's values changed
    // One record comes or goes at position without the rest being read again (taking a change
    // back); recordChanged(position) follows each for those that only watch values.
    void recordAboutToBeInserted(int position);
    void recordInserted(int position);
    void recordAboutToBeRemoved(int position);
    void recordRemoved(int position);
    void currentChanged(int position);
    void stateChanged();

private:
    void loadKeys();
    void reloadKeepingPosition();
    void reloadFromFirst();
    void moveTo(int position, bool bof, bool eof);
    void requireActive() const;
    void checkBrowseMode();
    void beginInsert(bool atEnd);
    // A field of the current record as rows keep it (blobs as flags, or bytes once set in an
    // edit); null when there is no record.
    QVariant currentValue(int field) const;
    // The values of the current stored record, or null when there is none or it is edited.
    const RowValue *storedRow() const;
    // Keys in the current order after records came: placed one by one for a few, each told
    // to the views, or read again for many (false: the views are told nothing yet).
    bool placeKeys(const QList<qint64> &keys, const QList<QVariant> &orderValues);
    // Takes the keys out of the current order, each told to the views.
    void dropKeys(const QList<qint64> &keys);
    void notifyDataSet();
    void notifyRecord(int position);
    void notifyCurrent();
    void notifyState();

    struct Private;
    std::unique_ptr<Private> d;
};
