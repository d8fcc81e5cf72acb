#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <map>
#include <memory>

class SqliteDatabase;
class SqliteStatement;

// The system registry of the program: hives of keys, each key holding named values of a type.
//
// Everything lives in one SQLite file. Keys are addressed by hive number and a path of names
// separated by backslashes; key paths and value names match without regard to case and keep
// the spelling they were first written with. Empty path parts (leading, trailing or doubled
// backslashes) are ignored, and the empty path is the hive's root, which always exists.
//
// Calls return 0 on success or a system error number (the same numbers the Windows registry
// uses, so they read familiarly in "Reg Error" messages). The database is open only while at
// least one key is open or a transaction is held, and every write outside such a transaction
// is one SQLite transaction of its own, so several running programs can share the file.
class RegistryHive
{
public:
    // Value types, with their Windows numbers.
    enum ValueType : int { RegNone = 0, RegSz = 1, RegBinary = 3, RegDword = 4, RegMultiSz = 7 };

    // Hive numbers are the positions of the program's root-key choice; this last one holds
    // dynamic data that programs only read: no key is ever created in it.
    static constexpr int HiveCount = 6;
    static constexpr int DynDataHive = 5;

    // Error numbers.
    static constexpr quint32 ErrorFileNotFound = 2;
    static constexpr quint32 ErrorAccessDenied = 5;
    static constexpr quint32 ErrorInvalidHandle = 6;
    static constexpr quint32 ErrorDiskFull = 112;
    static constexpr quint32 ErrorBusy = 170;
    static constexpr quint32 ErrorBadDb = 1009;
    static constexpr quint32 ErrorCantOpen = 1011;
    static constexpr quint32 ErrorIoFailed = 1016;

    using KeyHandle = qint64;

    // What recoverIfCorrupt() found and did.
    struct Recovery
    {
        bool corrupt = false;  // the file was not a usable registry
        bool replaced = false; // it was moved aside and a fresh registry is in its place
        QString movedTo;       // where the damaged file now is
    };

    // The user's registry file below the configuration folder.
    static QString defaultPath();

    explicit RegistryHive(QString path = defaultPath());
    ~RegistryHive();
    RegistryHive(const RegistryHive &) = delete;
    RegistryHive &operator=(const RegistryHive &) = delete;

    QString path() const { return m_path; }

    // Opens an existing key; ErrorFileNotFound when it is missing.
    quint32 openKey(int hive, const QString &keyPath, KeyHandle &key);
    // Opens the key, creating it and its missing parents first.
    quint32 createKey(int hive, const QString &keyPath, KeyHandle &key);
    quint32 closeKey(KeyHandle key);
    bool keyExists(int hive, const QString &keyPath);

    // ErrorFileNotFound when the value does not exist.
    quint32 queryValue(KeyHandle key, const QString &name, int &type, qint64 &size);
    quint32 readValue(KeyHandle key, const QString &name, int &type, QByteArray &data);
    // Replaces any earlier value of that name.
    quint32 writeValue(KeyHandle key, const QString &name, int type, const QByteArray &data);

    // Many writes in one transaction: from beginTransaction() to commitTransaction() the
    // connection stays open and the writes become visible to others at once, at the commit.
    // A write that fails inside it undoes only itself; what was written before it is
    // committed all the same. Calls nest; only the outermost commit commits. While a
    // transaction is held, other programs can read the file but must wait to write it.
    quint32 beginTransaction();
    quint32 commitTransaction(); // ErrorInvalidHandle when none is held
    bool inTransaction() const { return m_transactionDepth > 0; }

    // A file that is not a registry of ours (not a SQLite database, damaged, other tables)
    // would refuse every setting on every start. This moves such a file aside as
    // "<file>.corrupt-<date>-<time>" and starts a fresh registry. A file that is only busy
    // or unreadable is left alone. Call it before any key is opened.
    Recovery recoverIfCorrupt();

private:
    // The statement of that text on the present connection, reset and ready to bind.
    SqliteStatement &prepared(const char *sql);
    // The connection lives while a key is open or a transaction is held; calls that need it
    // no longer drop it again.
    void connect();
    quint32 release(quint32 code);
    void disconnect();
    quint32 findKey(int hive, const QString &foldedPath, KeyHandle &key);
    bool isOpen(KeyHandle key) const { return m_openKeys.contains(key); }
    // Runs work as one write: a transaction of its own, or a savepoint inside the held one.
    template <typename Work> void writeAtomically(Work work);
    // SQLite's failures become error numbers here, at the edge of the hive.
    template <typename Work> static quint32 guarded(Work work);

    QString m_path;
    std::unique_ptr<SqliteDatabase> m_db;
    // Statements of the connection, prepared once while it is held (all settings at start and
    // at closing go through one connection).
    std::map<const char *, std::unique_ptr<SqliteStatement>> m_statements;
    QList<KeyHandle> m_openKeys;
    int m_transactionDepth = 0;
};
