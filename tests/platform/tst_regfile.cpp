#include "platform/ini/eregfileerror.h"
#include "platform/ini/regfile.h"
#include "platform/ini/registryhive.h"
#include "support/rawregistry.h"
#include "support/testfolder.h"

#include <QTest>

Q_DECLARE_METATYPE(SettingValue)

using namespace RawRegistry;

namespace {

void writeRaw(const QString &path, const QString &keyPath, const QString &name, int type,
              const QByteArray &data)
{
    RegistryHive registry(path);
    RegistryHive::KeyHandle key = 0;
    QCOMPARE(registry.createKey(CurrentUser, keyPath, key), 0u);
    QCOMPARE(registry.writeValue(key, name, type, data), 0u);
    QCOMPARE(registry.closeKey(key), 0u);
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

// Settings values in the store: names, kinds, defaults, keys and their handles. The store
// file itself (hives, damage, batches) is tst_regfilestore.
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

QTEST_GUILESS_MAIN(TestRegFile)
#include "tst_regfile.moc"
