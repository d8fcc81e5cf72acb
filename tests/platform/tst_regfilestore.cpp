#include "platform/ini/eregfileerror.h"
#include "platform/ini/regfile.h"
#include "platform/ini/registryhive.h"
#include "support/rawregistry.h"
#include "support/testfolder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <sqlite3.h>

using namespace RawRegistry;

// The settings store as a file: hives, a damaged or unwritable store, and batches of writes.
class TestRegFileStore : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void hiveMatchesWithoutCase();
    void hivesAreSeparate();
    void corruptStoreIsMovedAside_data();
    void corruptStoreIsMovedAside();
    void healthyStoreIsLeftAlone();
    void unwritableStoreRaisesRegError();

    void batchWritesBecomeVisibleTogether();
    void errorInBatchKeepsEarlierWrites_data();
    void errorInBatchKeepsEarlierWrites();
    void batchesNest();

private:
    std::unique_ptr<TestFolder> m_folder;
    QString m_path;
};

void TestRegFileStore::init()
{
    m_folder = std::make_unique<TestFolder>();
    QVERIFY(m_folder->isValid());
    m_path = m_folder->filePath(QStringLiteral("config/registry.sqlite"));
}

void TestRegFileStore::hiveMatchesWithoutCase()
{
    RegistryHive hive(m_path);
    RegistryHive::KeyHandle created = 0;
    RegistryHive::KeyHandle opened = 0;
    QCOMPARE(hive.createKey(CurrentUser, QStringLiteral("Software\\Halvet\\Übung"), created), 0u);
    QCOMPARE(hive.writeValue(created, QStringLiteral("LeftMarginMM"), RegistryHive::RegSz, "a"), 0u);
    QCOMPARE(hive.closeKey(created), 0u);

    QCOMPARE(hive.openKey(CurrentUser, QStringLiteral("\\SOFTWARE\\halvet\\\\ÜBUNG\\"), opened), 0u);
    QCOMPARE(opened, created);
    QCOMPARE(hive.writeValue(opened, QStringLiteral("leftmarginmm"), RegistryHive::RegSz, "b"), 0u);
    int type = 0;
    QByteArray data;
    QCOMPARE(hive.readValue(opened, QStringLiteral("LEFTMARGINMM"), type, data), 0u);
    QCOMPARE(data, QByteArray("b"));
    QCOMPARE(hive.closeKey(opened), 0u);
    QCOMPARE(hive.closeKey(opened), RegistryHive::ErrorInvalidHandle);
    QVERIFY(hive.keyExists(CurrentUser, QStringLiteral("software")));

    // Names keep the spelling they were first written with.
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(m_path).constData(), &db, SQLITE_OPEN_READONLY, nullptr),
             SQLITE_OK);
    sqlite3_stmt *query = nullptr;
    sqlite3_prepare_v2(db, "SELECT k.path || '|' || v.name FROM vals v JOIN keys k ON k.id = v.key", -1,
                       &query, nullptr);
    QCOMPARE(sqlite3_step(query), SQLITE_ROW);
    const QString spelling = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(query, 0)));
    sqlite3_finalize(query);
    sqlite3_close(db);
    QCOMPARE(spelling, QStringLiteral("Software\\Halvet\\Übung|LeftMarginMM"));
}

void TestRegFileStore::hivesAreSeparate()
{
    TRegFile user(m_path);
    user.setKey(SettingsKey);
    user.WriteValue(QStringLiteral("Left"), 1);

    TRegFile machine(m_path);
    machine.setRootKey(TRegFile::hkLocalMachine);
    machine.setKey(SettingsKey);
    QVERIFY(machine.ReadValue(QStringLiteral("Left")).isNull());
    machine.WriteValue(QStringLiteral("Left"), 2);
    QCOMPARE(user.ReadValue(QStringLiteral("Left")).toInt(), 1);
    QCOMPARE(machine.ReadValue(QStringLiteral("Left")).toInt(), 2);
}

void TestRegFileStore::corruptStoreIsMovedAside_data()
{
    QTest::addColumn<QByteArray>("content");

    QByteArray noise(4096, '\0');
    QRandomGenerator generator(97);
    generator.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    QTest::newRow("random bytes") << noise;
    QTest::newRow("text") << QByteArray("[Settings]\nLeft=100\n");
    QTest::newRow("another program's database") << QByteArray();
    // A store of ours copied from elsewhere may carry SQL of its own.
    QTest::newRow("trigger") << QByteArray(
        "ours:CREATE TRIGGER wipe AFTER INSERT ON vals BEGIN DELETE FROM keys; END");
    QTest::newRow("view") << QByteArray("ours:CREATE VIEW everything AS SELECT * FROM keys, vals");
    QTest::newRow("virtual table") << QByteArray("ours:CREATE VIRTUAL TABLE notes USING fts5(text)");
}

void TestRegFileStore::corruptStoreIsMovedAside()
{
    QFETCH(QByteArray, content);

    if (content.startsWith("ours:")) {
        TRegFile ours(m_path);
        ours.setKey(SettingsKey);
        ours.WriteValue(QStringLiteral("Left"), 1);
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(m_path).constData(), &db);
        QCOMPARE(sqlite3_exec(db, content.mid(5).constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    } else {
        m_folder->writeFile(QStringLiteral("config/registry.sqlite"), content);
    }
    if (content.isEmpty()) {
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(m_path).constData(), &db);
        QCOMPARE(sqlite3_exec(db, "CREATE TABLE notes(text); INSERT INTO notes VALUES('x')", nullptr, nullptr,
                              nullptr),
                 SQLITE_OK);
        sqlite3_close(db);
    }
    QFile original(m_path);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray damaged = original.readAll();
    original.close();
    m_folder->writeFile(QStringLiteral("config/registry.sqlite-journal"), "stale");

    TRegFile registry(m_path);
    registry.setKey(SettingsKey);
    QCOMPARE(regError([&] { registry.ReadValue(QStringLiteral("Left")); }),
             QStringLiteral("Reg Error: 000003F1"));

    const RegistryHive::Recovery recovery = registry.RecoverCorruptStore();
    QVERIFY(recovery.corrupt);
    QVERIFY(recovery.replaced);
    QVERIFY(recovery.movedTo.startsWith(m_path + QStringLiteral(".corrupt-")));
    QFile aside(recovery.movedTo);
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), damaged);
    // A journal of the damaged file must never be played back into the fresh one.
    QVERIFY(!QFile::exists(m_path + QStringLiteral("-journal")));

    QCOMPARE(registry.ReadValueDefault(QStringLiteral("Left"), 100).toInt(), 100);
    registry.WriteValue(QStringLiteral("Left"), 150);
    QCOMPARE(registry.ReadValueDefault(QStringLiteral("Left"), 100).toInt(), 150);
}

void TestRegFileStore::healthyStoreIsLeftAlone()
{
    TRegFile registry(m_path);
    registry.setKey(SettingsKey);
    QVERIFY(!registry.RecoverCorruptStore().corrupt); // no file yet
    registry.WriteValue(QStringLiteral("Left"), 150);

    const RegistryHive::Recovery recovery = registry.RecoverCorruptStore();
    QVERIFY(!recovery.corrupt);
    QVERIFY(!recovery.replaced);
    QCOMPARE(registry.ReadValue(QStringLiteral("Left")).toInt(), 150);
}

void TestRegFileStore::unwritableStoreRaisesRegError()
{
    // A file where the store's folder should be: nothing can be created there.
    const QString blocker = m_folder->writeFile(QStringLiteral("blocked"), "x");
    TRegFile registry(blocker + QStringLiteral("/registry.sqlite"));
    registry.setKey(SettingsKey);

    const QString cantOpen = QStringLiteral("Reg Error: 000003F3");
    QCOMPARE(regError([&] { registry.ReadValueDefault(QStringLiteral("Left"), 100); }), cantOpen);
    QCOMPARE(regError([&] { registry.WriteValue(QStringLiteral("Left"), 100); }), cantOpen);
    QCOMPARE(registry.lastError(), RegistryHive::ErrorCantOpen);
    QVERIFY(!registry.RecoverCorruptStore().corrupt);
}

void TestRegFileStore::batchWritesBecomeVisibleTogether()
{
    TRegFile registry(m_path);
    registry.setKey(SettingsKey);
    registry.WriteValue(QStringLiteral("Left"), 1);
    {
        TRegFile::Batch batch(registry);
        for (int i = 0; i < 200; ++i)
            registry.WriteValue(QStringLiteral("Value%1").arg(i), i * 3);
        registry.WriteValue(QStringLiteral("Left"), 2);
        QCOMPARE(registry.ReadValue(QStringLiteral("Value7")).toInt(), 21); // the writer sees its own
        // Another program still sees the store as it was: one transaction, not 201.
        QCOMPARE(readRaw(m_path, SettingsKey, QStringLiteral("Value0")).error,
                 RegistryHive::ErrorFileNotFound);
        QCOMPARE(readRaw(m_path, SettingsKey, QStringLiteral("Left")).data, QByteArray::fromHex("01000000"));
        batch.end();
    }
    TRegFile other(m_path);
    other.setKey(SettingsKey);
    for (int i = 0; i < 200; ++i)
        QCOMPARE(other.ReadValue(QStringLiteral("Value%1").arg(i)).toInt(), i * 3);
    QCOMPARE(other.ReadValue(QStringLiteral("Left")).toInt(), 2);
}

void TestRegFileStore::errorInBatchKeepsEarlierWrites_data()
{
    QTest::addColumn<QByteArray>("refused"); // "table:condition" under which the store fails a write
    QTest::addColumn<QString>("poisonName");
    QTest::addColumn<QString>("message");
    QTest::newRow("value without a stored form")
        << QByteArray() << QStringLiteral("Poison") << QStringLiteral("Invalid variant type");
    QTest::newRow("store refuses the value") << QByteArray("vals:name = 'Poison'") << QStringLiteral("Poison")
                                             << QStringLiteral("Reg Error: 000003F8");
    // A new key is made in several steps; undoing them must not undo the values before.
    QTest::newRow("store refuses the new key")
        << QByteArray("keys:path LIKE '%\\Refused'") << QStringLiteral("Refused\\Poison")
        << QStringLiteral("Reg Error: 000003F8");
}

void TestRegFileStore::errorInBatchKeepsEarlierWrites()
{
    QFETCH(QByteArray, refused);
    QFETCH(QString, poisonName);
    QFETCH(QString, message);

    TRegFile registry(m_path);
    registry.setKey(SettingsKey);
    registry.WriteValue(QStringLiteral("Top"), 1);
    if (!refused.isEmpty()) {
        // The store's own triggers never run, so the file's table is given a check that fails
        // with an error no conflict clause can pass over (an integer overflow).
        const qsizetype colon = refused.indexOf(':');
        const QByteArray check = "CHECK (CASE WHEN " + refused.mid(colon + 1).replace("'", "''") +
                                 " THEN abs(-9223372036854775807 - 1) END)";
        const QByteArray sql = "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = replace(sql, "
                               "'folded TEXT NOT NULL', 'folded TEXT NOT NULL " +
                               check + "') WHERE name = '" + refused.left(colon) +
                               "'; PRAGMA writable_schema = OFF; PRAGMA schema_version = 1000";
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(m_path).constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    const SettingValue poison = refused.isEmpty() ? SettingValue() : SettingValue(3);
    const QString error = regError([&] {
        TRegFile::Batch batch(registry);
        registry.WriteValue(QStringLiteral("Left"), 10);
        registry.WriteValue(QStringLiteral("Print\\FontSize"), 12);
        registry.WriteValue(poisonName, poison);
        registry.WriteValue(QStringLiteral("Width"), 600); // never reached
        batch.end();
    });
    QCOMPARE(error, message);

    QCOMPARE(readRaw(m_path, SettingsKey, QStringLiteral("Left")).data, QByteArray::fromHex("0a000000"));
    QCOMPARE(readRaw(m_path, SettingsKey + QStringLiteral("\\Print"), QStringLiteral("FontSize")).data,
             QByteArray::fromHex("0c000000"));
    QCOMPARE(readRaw(m_path, SettingsKey, QStringLiteral("Poison")).error, RegistryHive::ErrorFileNotFound);
    QCOMPARE(readRaw(m_path, SettingsKey, QStringLiteral("Width")).error, RegistryHive::ErrorFileNotFound);
    QVERIFY(!RegistryHive(m_path).keyExists(CurrentUser, SettingsKey + QStringLiteral("\\Refused")));
    // The transaction is over: another program can write at once.
    TRegFile other(m_path);
    other.setKey(SettingsKey);
    other.WriteValue(QStringLiteral("Top"), 5);
    QCOMPARE(registry.ReadValue(QStringLiteral("Top")).toInt(), 5);
}

void TestRegFileStore::batchesNest()
{
    TRegFile registry(m_path);
    registry.setKey(SettingsKey);
    registry.BeginUpdate();
    registry.BeginUpdate();
    registry.WriteValue(QStringLiteral("Left"), 7);
    registry.EndUpdate();
    QCOMPARE(readRaw(m_path, SettingsKey, QStringLiteral("Left")).error, RegistryHive::ErrorFileNotFound);
    registry.EndUpdate();
    QCOMPARE(readRaw(m_path, SettingsKey, QStringLiteral("Left")).data, QByteArray::fromHex("07000000"));
    QCOMPARE(regError([&] { registry.EndUpdate(); }), QStringLiteral("Reg Error: 00000006"));
}

QTEST_GUILESS_MAIN(TestRegFileStore)
#include "tst_regfilestore.moc"
