#include "platform/ini/settingvalue.h"

#include <QTest>

Q_DECLARE_METATYPE(SettingValue)

class TestSettingValue : public QObject
{
    Q_OBJECT

private slots:
    void conversions_data();
    void conversions();
    void stringLiteralIsText();
    void recordLayout_data();
    void recordLayout();
    void recordRoundTrip_data();
    void recordRoundTrip();
    void recordIgnoresReservedBytes();
    void unusableRecordsReadEmpty_data();
    void unusableRecordsReadEmpty();
    void dateTimes_data();
    void dateTimes();
};

void TestSettingValue::conversions_data()
{
    QTest::addColumn<SettingValue>("value");
    QTest::addColumn<int>("asInt");
    QTest::addColumn<bool>("intOk");
    QTest::addColumn<bool>("asBool");
    QTest::addColumn<double>("asDouble");
    QTest::addColumn<QString>("asString");

    QTest::newRow("empty") << SettingValue() << 0 << true << false << 0.0 << "";
    QTest::newRow("null") << SettingValue::null() << 0 << true << false << 0.0 << "";
    QTest::newRow("True is -1") << SettingValue(true) << -1 << true << true << -1.0 << "True";
    QTest::newRow("False is 0") << SettingValue(false) << 0 << true << false << 0.0 << "False";
    QTest::newRow("integer 1 is True") << SettingValue(1) << 1 << true << true << 1.0 << "1";
    QTest::newRow("negative integer") << SettingValue(-7) << -7 << true << true << -7.0 << "-7";
    QTest::newRow("integer 0") << SettingValue(0) << 0 << true << false << 0.0 << "0";
    QTest::newRow("small integer") << SettingValue::fromSmallInt(-2) << -2 << true << true << -2.0 << "-2";
    QTest::newRow("half rounds to even down") << SettingValue(2.5) << 2 << true << true << 2.5 << "2.5";
    QTest::newRow("half rounds to even up") << SettingValue(3.5) << 4 << true << true << 3.5 << "3.5";
    QTest::newRow("double too large") << SettingValue(1e10) << 0 << false << true << 1e10 << "1e+10";
    QTest::newRow("single") << SettingValue::fromSingle(0.1f) << 0 << true << true << double(0.1f) << "0.1";
    QTest::newRow("currency") << SettingValue::fromCurrency(12.3456) << 12 << true << true << 12.3456
                              << "12.3456";
    QTest::newRow("negative currency")
        << SettingValue::fromCurrency(-0.5) << 0 << true << true << -0.5 << "-0.5";
    QTest::newRow("date") << SettingValue::fromDate(2.25) << 2 << true << true << 2.25
                          << "1900-01-01T06:00:00";
    QTest::newRow("date at midnight")
        << SettingValue::fromDate(36526) << 36526 << true << true << 36526.0 << "2000-01-01";
    QTest::newRow("numeric text") << SettingValue(" 42 ") << 42 << true << true << 42.0 << " 42 ";
    QTest::newRow("decimal text") << SettingValue("1.5") << 2 << true << true << 1.5 << "1.5";
    QTest::newRow("text true") << SettingValue("True") << -1 << true << true << -1.0 << "True";
    QTest::newRow("text zero") << SettingValue("0") << 0 << true << false << 0.0 << "0";
    QTest::newRow("other text") << SettingValue("abc") << 0 << false << false << 0.0 << "abc";
    QTest::newRow("empty text") << SettingValue("") << 0 << false << false << 0.0 << "";
}

void TestSettingValue::conversions()
{
    QFETCH(SettingValue, value);
    QFETCH(int, asInt);
    QFETCH(bool, intOk);
    QFETCH(bool, asBool);
    QFETCH(double, asDouble);
    QFETCH(QString, asString);

    bool ok = !intOk;
    QCOMPARE(value.toInt(&ok), asInt);
    QCOMPARE(ok, intOk);
    QCOMPARE(value.toBool(), asBool);
    QCOMPARE(value.toDouble(), asDouble);
    QCOMPARE(value.toString(), asString);
}

void TestSettingValue::stringLiteralIsText()
{
    // A literal must not decay into the Boolean constructor.
    const SettingValue value("english.llf");
    QCOMPARE(value.kind(), SettingValue::Text);
    QCOMPARE(value.toString(), QStringLiteral("english.llf"));
}

void TestSettingValue::recordLayout_data()
{
    QTest::addColumn<SettingValue>("value");
    QTest::addColumn<QByteArray>("record");

    const QByteArray reserved(6, '\0');
    QTest::newRow("single") << SettingValue::fromSingle(1.0f)
                            << QByteArray::fromHex("0400") + reserved +
                                   QByteArray::fromHex("0000803f00000000");
    QTest::newRow("double") << SettingValue(-2.0)
                            << QByteArray::fromHex("0500") + reserved +
                                   QByteArray::fromHex("00000000000000c0");
    QTest::newRow("currency") << SettingValue::fromCurrency(1.5)
                              << QByteArray::fromHex("0600") + reserved +
                                     QByteArray::fromHex("983a000000000000");
    QTest::newRow("date") << SettingValue::fromDateTime(QDateTime(QDate(1900, 1, 1), QTime(6, 0)))
                          << QByteArray::fromHex("0700") + reserved + QByteArray::fromHex("0000000000000240");
    QTest::newRow("Boolean") << SettingValue(true)
                             << QByteArray::fromHex("0b00") + reserved +
                                    QByteArray::fromHex("ffff000000000000");
    QTest::newRow("text has none") << SettingValue("x") << QByteArray();
}

void TestSettingValue::recordLayout()
{
    QFETCH(SettingValue, value);
    QFETCH(QByteArray, record);
    QCOMPARE(value.toRecord().toHex(), record.toHex());
}

void TestSettingValue::recordRoundTrip_data()
{
    QTest::addColumn<SettingValue>("value");

    QTest::newRow("single") << SettingValue::fromSingle(-3.25f);
    QTest::newRow("double") << SettingValue(6.02214076e23);
    QTest::newRow("currency") << SettingValue::fromCurrency(-123456789.0123);
    QTest::newRow("date") << SettingValue::fromDateTime(QDateTime(QDate(1997, 3, 14), QTime(13, 45, 30)));
    QTest::newRow("date before 1899") << SettingValue::fromDate(-1.25);
    QTest::newRow("small integer") << SettingValue::fromSmallInt(-32768);
    QTest::newRow("integer") << SettingValue(2147483647);
    QTest::newRow("Boolean True") << SettingValue(true);
    QTest::newRow("Boolean False") << SettingValue(false);
    QTest::newRow("null") << SettingValue::null();
    QTest::newRow("empty") << SettingValue();
}

void TestSettingValue::recordRoundTrip()
{
    QFETCH(SettingValue, value);
    const QByteArray record = value.toRecord();
    QCOMPARE(record.size(), SettingValue::RecordSize);
    const SettingValue back = SettingValue::fromRecord(record);
    QCOMPARE(back.kind(), value.kind());
    QVERIFY2(back == value, qPrintable(back.toString() + QStringLiteral(" != ") + value.toString()));
}

void TestSettingValue::recordIgnoresReservedBytes()
{
    QByteArray record = SettingValue(1.75).toRecord();
    record.replace(2, 6, QByteArray::fromHex("deadbeefcafe"));
    const SettingValue back = SettingValue::fromRecord(record);
    QCOMPARE(back.kind(), SettingValue::Double);
    QCOMPARE(back.toDouble(), 1.75);
}

void TestSettingValue::unusableRecordsReadEmpty_data()
{
    QTest::addColumn<QByteArray>("record");

    const QByteArray good = SettingValue(1.75).toRecord();
    QTest::newRow("no bytes") << QByteArray();
    QTest::newRow("15 bytes") << good.left(15);
    QTest::newRow("17 bytes") << good + '\0';
    // Text and references of other kinds would point into another program's memory.
    QTest::newRow("text kind") << QByteArray::fromHex("0001") + good.mid(2);
    QTest::newRow("string reference kind") << QByteArray::fromHex("0800") + good.mid(2);
    QTest::newRow("array kind") << QByteArray::fromHex("0520") + good.mid(2);
}

void TestSettingValue::unusableRecordsReadEmpty()
{
    QFETCH(QByteArray, record);
    QCOMPARE(SettingValue::fromRecord(record).kind(), SettingValue::Empty);
}

void TestSettingValue::dateTimes_data()
{
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<double>("days");

    QTest::newRow("epoch") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
    QTest::newRow("noon of day one") << QDateTime(QDate(1899, 12, 31), QTime(12, 0)) << 1.5;
    QTest::newRow("before the epoch") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
    QTest::newRow("recent") << QDateTime(QDate(2024, 2, 29), QTime(18, 0)) << 45351.75;
}

void TestSettingValue::dateTimes()
{
    QFETCH(QDateTime, dateTime);
    QFETCH(double, days);

    const SettingValue value = SettingValue::fromDateTime(dateTime);
    QCOMPARE(value.kind(), SettingValue::Date);
    QCOMPARE(value.toDouble(), days);
    QCOMPARE(SettingValue::fromDate(days).toDateTime(), dateTime);
}

QTEST_GUILESS_MAIN(TestSettingValue)
#include "tst_settingvalue.moc"
