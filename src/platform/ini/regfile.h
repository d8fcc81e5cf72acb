#pragma once

#include "platform/ini/registryhive.h"
#include "platform/ini/settingvalue.h"

#include <QObject>
#include <QString>

// The settings store: reads and writes tagged values as named registry values below Key.
//
// Integers and Booleans are stored as REG_DWORD (True as -1), single, double, currency and
// date as their 16-byte record in REG_BINARY, text as REG_SZ with its terminating zero byte.
// A value that is not stored, or stored with no bytes, reads as null; one stored with another
// type or length reads as empty. A name may begin with subkey names ("sub\name"). Every read
// and write opens the key and closes it again, also when it fails. Failures raise
// ERegFileError.
class MessageService;

class TRegFile : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TRootKey RootKey READ rootKey WRITE setRootKey)
    Q_PROPERTY(QString Key READ key WRITE setKey)

public:
    enum TRootKey { hkClassesRoot, hkCurrentUser, hkLocalMachine, hkUsers, hkCurrentConfig, hkDynData };
    Q_ENUM(TRootKey)

    struct ValueNameParts
    {
        QString subPath; // empty, or beginning with a backslash
        QString valueName;
    };
    // Splits at the last backslash that is not one of a doubled pair.
    static ValueNameParts SplitValueName(const QString &name);

    // The user's registry file.
    explicit TRegFile(QObject *parent = nullptr);
    // A registry file of its own (tests).
    explicit TRegFile(const QString &hivePath, QObject *parent = nullptr);
    ~TRegFile() override;

    TRootKey rootKey() const { return m_rootKey; }
    void setRootKey(TRootKey rootKey) { m_rootKey = rootKey; }
    QString key() const { return m_key; }
    void setKey(const QString &key) { m_key = key; }
    QString hivePath() const { return m_hive.path(); }
    // The system error number of the last registry call; 0 after success.
    quint32 lastError() const { return m_lastError; }

    // Opens subKey below the hive, creating it unless openOnly is set, subKey is empty or the
    // hive is hkDynData. When it only opens, failure returns false if openOnly is set and
    // raises "Can't open a Key" otherwise.
    virtual bool OpenKey(const QString &subKey, bool openOnly);
    virtual void CloseKey();

    SettingValue ReadValue(const QString &name);
    // An empty, null or other kind without a registry form raises "Invalid variant type" and
    // changes nothing.
    virtual void WriteValue(const QString &name, const SettingValue &value);
    // The stored value, or defaultValue when it is not stored.
    virtual SettingValue ReadValueDefault(const QString &name, const SettingValue &defaultValue);

    // Many writes in one transaction of the store, such as all settings at closing: what is
    // written from BeginUpdate() on becomes visible to others together, at EndUpdate(). A
    // write that fails still raises and so stops the caller; EndUpdate() keeps what was
    // written before it. Calls nest; only the outermost EndUpdate() commits.
    void BeginUpdate();
    void EndUpdate();

    // BeginUpdate() for as long as it lives. end() commits and raises when that fails; a
    // batch left without end(), as by an error, commits quietly.
    class Batch
    {
    public:
        explicit Batch(TRegFile &registry) : m_registry(registry) { registry.BeginUpdate(); }
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;
        void end();

    private:
        TRegFile &m_registry;
        bool m_ended = false;
    };

    // Call before the first read: a damaged registry file is moved aside and replaced by an
    // empty one, so the program starts with its defaults. The result says whether that
    // happened and where the old file went, for telling the user.
    RegistryHive::Recovery RecoverCorruptStore();
    // The same, telling the user once when a damaged file was put aside.
    void RecoverCorruptStore(MessageService &messages);

private:
    static constexpr RegistryHive::KeyHandle NoKey = 0;

    template <typename Work> void inKey(const QString &subPath, Work work);
    void check(quint32 code);
    void releaseKey();
    qint64 dataSize(const QString &name);
    int readData(const QString &name, QByteArray &data);
    void writeData(const QString &name, int type, const QByteArray &data);

    RegistryHive m_hive;
    TRootKey m_rootKey = hkCurrentUser;
    QString m_key;
    RegistryHive::KeyHandle m_openKey = NoKey;
    quint32 m_lastError = 0;
};

using TRootKey = TRegFile::TRootKey;
