#include "platform/ini/eregfileerror.h"
#include "platform/ini/regfile.h"
#include "platform/ini/registryhive.h"
#include "support/testfolder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <sqlite3.h>

Q_DECLARE_METATYPE(SettingValue)

namespace {

const QString SettingsKey = QStringLiteral("Software\\Halvet\\Lumo96");
constexpr int CurrentUser = TRegFile::hkCurrentUser;

struct RawValue
{
    int type = RegistryHive::RegNone;
    QByteArray data;
    quint32 error = 0;
};

RawValue readRaw(const QString &path, const QString &keyPath, const QString &name, int hive = CurrentUser)
{
    RegistryHive registry(path);
    RawValue raw;
    RegistryHive::KeyHandle key = 0;
    raw.error = registry.openKey(hive, keyPath, key);
    if (raw.error == 0) {
        raw.error = registry.readValue(key, name, raw.type, raw.data);
        registry.closeKey(key);
    }
    return raw;
}

void writeRaw(const QString &path, const QString &keyPath, const QString &name, int type,
              const QByteArray &data)
{
    RegistryHive registry(path);
    RegistryHive::KeyHandle key = 0;
    QCOMPARE(registry.createKey(CurrentUser, keyPath, key), 0u);
    QCOMPARE(registry.writeValue(key, name, type, data), 0u);
    QCOMPARE(registry.closeKey(key), 0u);
}

// Runs call and gives the message of the ERegFileError it raises ("" when none).
template <typename Call> QString regError(Call call)
{
    try {
        call();
    } catch (const ERegFileError &error) {
        return error.message();
    }
    return QString();
}

// Counts the overridable key calls, and can fail right after a key was opened.
class CountingRegFile : public TRegFile
{
public:
    using TRegFile::TRegFile;
    bool OpenKey(const QString &subKey, bool openOnly) override
    {
        ++opens;
        const bool opened = TRegFile::OpenKey(subKey, openOnly);
        if (failAfterOpen)
            throw ERegFileError(QStringLiteral("injected"));
        return opened;
    }
    void CloseKey() override
    {
        ++closes;
        TRegFile::CloseKey();
    }
    int opens = 0;
    int closes = 0;
    bool failAfterOpen = false;
};

} // namespace

class TestRegFile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void splitValueName_data();
    void splitValueName();

    void roundTrips_data();
    void roundTrips();
    void missingValueGivesDefaultAndCreatesKey();
    void trueIsAllBitsSet();
    void emptyTextIsNotDefault();
    void otherStoredFormsReadEmptyOrNull_data();
    void otherStoredFormsReadEmptyOrNull();
    void subkeyNames();
    void unsupportedKindWritesNothing_data();
    void unsupportedKindWritesNothing();
    void openOnlyDoesNotCreate();
    void dynDataNeverCreates();
    void keyIsClosedAfterEveryCall();
    void twoProgramsShareTheStore();

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

void TestRegFile::init()
{
    m_folder = std::make_unique<TestFolder>();
    QVERIFY(m_folder->isValid());
    m_path = m_folder->filePath(QStringLiteral("config/registry.sqlite"));
}

void TestRegFile::splitValueName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("subPath");
    QTest::addColumn<QString>("valueName");

    QTest::newRow("plain") << "Left"
                           << ""
                           << "Left";
    QTest::newRow("one subkey") << "sub\\name"
                                << "\\sub"
                                << "name";
    QTest::newRow("leading backslash kept once") << "\\sub\\name"
                                                 << "\\sub"
                                                 << "name";
    QTest::newRow("two subkeys") << "a\\b\\c"
                                 << "\\a\\b"
                                 << "c";
    QTest::newRow("only doubled") << "a\\\\b"
                                  << ""
                                  << "a\\\\b";
    QTest::newRow("doubled in the path") << "x\\\\y\\z"
                                         << "\\x\\\\y"
                                         << "z";
    QTest::newRow("tripled") << "a\\\\\\b"
                             << "\\a"
                             << "\\\\b";
    QTest::newRow("name after root") << "\\name"
                                     << "\\"
                                     << "name";
    QTest::newRow("trailing backslash") << "name\\"
                                        << "\\name"
                                        << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestRegFile::splitValueName()
{
    QFETCH(QString, name);
    QFETCH(QString, subPath);
    QFETCH(QString, valueName);

    const TRegFile::ValueNameParts parts = TRegFile::SplitValueName(name);
    QCOMPARE(parts.subPath, subPath);
    QCOMPARE(parts.valueName, valueName);
}

void TestRegFile::roundTrips_data()
{
    QTest::addColumn<SettingValue>("value");
    QTest::addColumn<int>("type");
    QTest::addColumn<SettingValue>("readBack");

    QTest::newRow("integer") << SettingValue(460) << int(RegistryHive::RegDword) << SettingValue(460);
    QTest::newRow("negative integer") << SettingValue(-1) << int(RegistryHive::RegDword) << SettingValue(-1);
    QTest::newRow("small integer") << SettingValue::fromSmallInt(-3) << int(RegistryHive::RegDword)
                                   << SettingValue(-3);
    QTest::newRow("False") << SettingValue(false) << int(RegistryHive::RegDword) << SettingValue(0);
    const SettingValue real(0.1);
    QTest::newRow("double") << real << int(RegistryHive::RegBinary) << real;
    const SettingValue single = SettingValue::fromSingle(2.5f);
    QTest::newRow("single") << single << int(RegistryHive::RegBinary) << single;
    const SettingValue money = SettingValue::fromCurrency(19.99);
    QTest::newRow("currency") << money << int(RegistryHive::RegBinary) << money;
    const SettingValue date = SettingValue::fromDateTime(QDateTime(QDate(1997, 1, 1), QTime(8, 30)));
    QTest::newRow("date") << date << int(RegistryHive::RegBinary) << date;
    const SettingValue folder(QStringLiteral("/home/user/Vocabulary/Other/"));
    QTest::newRow("text") << folder << int(RegistryHive::RegSz) << folder;
    const SettingValue accents(QStringLiteral("Übersetzung – ça va"));
    QTest::newRow("non-ASCII text") << accents << int(RegistryHive::RegSz) << accents;
}

void TestRegFile::roundTrips()
{
    QFETCH(SettingValue, value);
    QFETCH(int, type);
    QFETCH(SettingValue, readBack);

    TRegFile registry(m_path);
    registry.setKey(SettingsKey);
    registry.WriteValue(QStringLiteral("Setting"), value);
    QCOMPARE(readRaw(m_path, SettingsKey, QStringLiteral("Setting")).type, type);

    const SettingValue read = registry.ReadValueDefault(QStringLiteral("Setting"), SettingValue(12345));
    QCOMPARE(read.kind(), readBack.kind());
    QVERIFY2(read == readBack, qPrintable(read.toString()));
}

void TestRegFile::missingValueGivesDefaultAndCreatesKey()
{
    TRegFile registry(m_path);
    registry.setKey(SettingsKey);
    QVERIFY(registry.ReadValue(QStringLiteral("Width")).isNull());
    QCOMPARE(registry.ReadValueDefault(QStringLiteral("Width"), 600).toInt(), 600);
    QCOMPARE(registry.ReadValueDefault(QStringLiteral("ShowSoundTools"), true).toBool(), true);
    // Reading on a fresh system already makes the settings key.
    QVERIFY(RegistryHive(m_path).keyExists(CurrentUser, SettingsKey));
}

void TestRegFile::trueIsAllBitsSet()
{
    TRegFile registry(m_path);
    registry.setKey(SettingsKey);
    registry.WriteValue(QStringLiteral("ShowAll"), true);

    const RawValue raw = readRaw(m_path, SettingsKey, QStringLiteral("ShowAll"));
    QCOMPARE(raw.type, int(RegistryHive::RegDword));
    QCOMPARE(raw.data.toHex(), QByteArray("ffffffff"));
    QCOMPARE(registry.ReadValueDefault(QStringLiteral("ShowAll"), false).toBool(), true);

    writeRaw(m_path, SettingsKey, QStringLiteral("PrinterSwapCols"), RegistryHive::RegDword,
             QByteArray::fromHex("01000000"));
    QCOMPARE(registry.ReadValueDefault(QStringLiteral("PrinterSwapCols"), false).toBool(), true);
}

void TestRegFile::emptyTextIsNotDefault()
{
    TRegFile registry(m_path);
    registry.setKey(SettingsKey);
    registry.WriteValue(QStringLiteral("LanguageFile"), QString());

    const RawValue raw = readRaw(m_path, SettingsKey, QStringLiteral("LanguageFile"));
    QCOMPARE(raw.type, int(RegistryHive::RegSz));
    QCOMPARE(raw.data, QByteArray(1, '\0'));
    const SettingValue read = registry.ReadValueDefault(QStringLiteral("LanguageFile"), "english.llf");
    QCOMPARE(read.kind(), SettingValue::Text);
    QCOMPARE(read.toString(), QString());
}

void TestRegFile::otherStoredFormsReadEmptyOrNull_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("isNull");

    QTest::newRow("multi-string") << int(RegistryHive::RegMultiSz) << QByteArray("a\0b\0\0", 5) << false;
    QTest::newRow("12-byte binary") << int(RegistryHive::RegBinary) << SettingValue(2.0).toRecord().left(12)
                                    << false;
    QTest::newRow("record of text") << int(RegistryHive::RegBinary)
                                    << QByteArray::fromHex("0001") + QByteArray(14, '\x41') << false;
    QTest::newRow("2-byte DWORD") << int(RegistryHive::RegDword) << QByteArray::fromHex("0100") << false;
    QTest::newRow("unknown type") << 11 << QByteArray(8, '\x01') << false;
    QTest::newRow("text without zero") << int(RegistryHive::RegSz) << QByteArray() << true;
    QTest::newRow("binary without bytes") << int(RegistryHive::RegBinary) << QByteArray() << true;
}

void TestRegFile::otherStoredFormsReadEmptyOrNull()
{
    QFETCH(int, type);
    QFETCH(QByteArray, data);
    QFETCH(bool, isNull);

    writeRaw(m_path, SettingsKey, QStringLiteral("Height"), type, data);
    TRegFile registry(m_path);
    registry.setKey(SettingsKey);
    const SettingValue read = registry.ReadValueDefault(QStringLiteral("Height"), 460);
    if (isNull) {
        QCOMPARE(read.toInt(), 460);
    } else {
        QCOMPARE(read.kind(), SettingValue::Empty);
        QCOMPARE(read.toInt(), 0);
    }
}

void TestRegFile::subkeyNames()
{
    TRegFile registry(m_path);
    registry.setKey(SettingsKey);
    registry.WriteValue(QStringLiteral("Print\\FontSize"), 12);
    registry.WriteValue(QStringLiteral("a\\\\b"), 7);

    QCOMPARE(readRaw(m_path, SettingsKey + QStringLiteral("\\Print"), QStringLiteral("FontSize")).data,
             QByteArray::fromHex("0c000000"));
    QCOMPARE(readRaw(m_path, SettingsKey, QStringLiteral("FontSize")).error, RegistryHive::ErrorFileNotFound);
    QCOMPARE(readRaw(m_path, SettingsKey, QStringLiteral("a\\\\b")).data, QByteArray::fromHex("07000000"));
    QVERIFY(!RegistryHive(m_path).keyExists(CurrentUser, SettingsKey + QStringLiteral("\\a")));

    QCOMPARE(registry.ReadValue(QStringLiteral("Print\\FontSize")).toInt(), 12);
    QCOMPARE(registry.ReadValue(QStringLiteral("a\\\\b")).toInt(), 7);
}

void TestRegFile::unsupportedKindWritesNothing_data()
{
    QTest::addColumn<SettingValue>("value");
    QTest::newRow("empty") << SettingValue();
    QTest::newRow("null") << SettingValue::null();
}

void TestRegFile::unsupportedKindWritesNothing()
{
    QFETCH(SettingValue, value);

    TRegFile registry(m_path);
    registry.setKey(SettingsKey);
    registry.WriteValue(QStringLiteral("Left"), 100);

    QCOMPARE(regError([&] { registry.WriteValue(QStringLiteral("Left"), value); }),
             QStringLiteral("Invalid variant type"));
    QCOMPARE(regError([&] { registry.WriteValue(QStringLiteral("New\\Top"), value); }),
             QStringLiteral("Invalid variant type"));
    QCOMPARE(registry.ReadValue(QStringLiteral("Left")).toInt(), 100);
    QVERIFY(!RegistryHive(m_path).keyExists(CurrentUser, SettingsKey + QStringLiteral("\\New")));
}

void TestRegFile::openOnlyDoesNotCreate()
{
    TRegFile registry(m_path);
    QVERIFY(!registry.OpenKey(SettingsKey, true));
    QCOMPARE(registry.lastError(), RegistryHive::ErrorFileNotFound);
    QVERIFY(!RegistryHive(m_path).keyExists(CurrentUser, SettingsKey));

    QVERIFY(registry.OpenKey(SettingsKey, false));
    registry.CloseKey();
    QVERIFY(registry.OpenKey(SettingsKey, true));
    registry.CloseKey();
}

void TestRegFile::dynDataNeverCreates()
{
    TRegFile registry(m_path);
    registry.setRootKey(TRegFile::hkDynData);
    registry.setKey(SettingsKey);

    const QString cantOpen = QStringLiteral("Can't open a Key");
    QCOMPARE(regError([&] { registry.ReadValue(QStringLiteral("Left")); }), cantOpen);
    QCOMPARE(regError([&] { registry.ReadValueDefault(QStringLiteral("Left"), 100); }), cantOpen);
    QCOMPARE(regError([&] { registry.WriteValue(QStringLiteral("Left"), 100); }), cantOpen);
    QCOMPARE(regError([&] { registry.OpenKey(SettingsKey, false); }), cantOpen);
    QVERIFY(!registry.OpenKey(SettingsKey, true));

    RegistryHive hive(m_path);
    QVERIFY(!hive.keyExists(TRegFile::hkDynData, QStringLiteral("Software")));
    RegistryHive::KeyHandle key = 0;
    QCOMPARE(hive.createKey(TRegFile::hkDynData, SettingsKey, key), RegistryHive::ErrorAccessDenied);
    QVERIFY(!hive.keyExists(TRegFile::hkDynData, SettingsKey));
}

void TestRegFile::keyIsClosedAfterEveryCall()
{
    CountingRegFile registry(m_path);
    registry.setKey(SettingsKey);
    registry.WriteValue(QStringLiteral("Left"), 5);
    registry.ReadValue(QStringLiteral("Left"));
    registry.ReadValue(QStringLiteral("Missing"));
    QCOMPARE(registry.opens, 3);
    QCOMPARE(registry.closes, 3);

    registry.failAfterOpen = true;
    const int closesBefore = registry.closes;
    QCOMPARE(regError([&] { registry.WriteValue(QStringLiteral("Left"), 6); }), QStringLiteral("injected"));
    QCOMPARE(regError([&] { registry.ReadValue(QStringLiteral("Left")); }), QStringLiteral("injected"));
    QCOMPARE(registry.closes - closesBefore, 2);
    registry.failAfterOpen = false;
    QCOMPARE(registry.ReadValue(QStringLiteral("Left")).toInt(), 5);
}

void TestRegFile::twoProgramsShareTheStore()
{
    TRegFile first(m_path);
    TRegFile second(m_path);
    first.setKey(SettingsKey);
    second.setKey(SettingsKey);

    first.WriteValue(QStringLiteral("TestVariant"), 2);
    QCOMPARE(second.ReadValue(QStringLiteral("TestVariant")).toInt(), 2);
    second.WriteValue(QStringLiteral("TestVariant"), -1);
    QCOMPARE(first.ReadValueDefault(QStringLiteral("TestVariant"), 0).toInt(), -1);
}

void TestRegFile::hiveMatchesWithoutCase()
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

void TestRegFile::hivesAreSeparate()
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

void TestRegFile::corruptStoreIsMovedAside_data()
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

void TestRegFile::corruptStoreIsMovedAside()
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

void TestRegFile::healthyStoreIsLeftAlone()
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

void TestRegFile::unwritableStoreRaisesRegError()
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

void TestRegFile::batchWritesBecomeVisibleTogether()
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

void TestRegFile::errorInBatchKeepsEarlierWrites_data()
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

void TestRegFile::errorInBatchKeepsEarlierWrites()
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

void TestRegFile::batchesNest()
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

QTEST_GUILESS_MAIN(TestRegFile)
#include "tst_regfile.moc"
