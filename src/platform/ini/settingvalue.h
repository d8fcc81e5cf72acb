#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

// A setting as the settings store hands it over: a value tagged with its kind.
//
// Conversions follow the usual rules of tagged values: True is the integer -1 and any non-zero
// number is True; empty and null convert to 0, False and the empty text; text converts when
// it holds a number (or "True"/"False").
class SettingValue
{
public:
    enum Kind : quint16 {
        Empty = 0,
        Null = 1,
        SmallInt = 2,
        Integer = 3,
        Single = 4,
        Double = 5,
        Currency = 6,
        Date = 7,
        Boolean = 11,
        Text = 256,
    };
    static constexpr int RecordSize = 16;

    SettingValue() = default;
    SettingValue(int value) : m_kind(Integer), m_int(value) {}
    SettingValue(bool value) : m_kind(Boolean), m_int(value ? -1 : 0) {}
    SettingValue(double value) : m_kind(Double), m_real(value) {}
    SettingValue(const QString &value) : m_kind(Text), m_text(value) {}
    // Without this a string literal would pick the Boolean constructor.
    SettingValue(const char *value) : SettingValue(QString::fromUtf8(value)) {}

    static SettingValue null();
    static SettingValue fromSmallInt(qint16 value);
    static SettingValue fromSingle(float value);
    // The amount is kept to four decimals.
    static SettingValue fromCurrency(double amount);
    // Days since 30 December 1899; the fraction is the time of day.
    static SettingValue fromDate(double days);
    static SettingValue fromDateTime(const QDateTime &dateTime);

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Null; }
    bool isEmpty() const { return m_kind == Empty; }

    // ok (when given) is false where the value has no such reading; the result is then 0,
    // False or the empty text.
    int toInt(bool *ok = nullptr) const;
    bool toBool(bool *ok = nullptr) const;
    double toDouble(bool *ok = nullptr) const;
    QString toString() const;
    // Invalid unless the value is a date.
    QDateTime toDateTime() const;

    // The 16-byte record: kind code (little-endian), 6 reserved bytes, 8 bytes of payload.
    // Text has no record form: the result is then empty.
    QByteArray toRecord() const;
    // A record of another length, or of a kind that cannot live in a record, gives empty.
    static SettingValue fromRecord(const QByteArray &record);

    friend bool operator==(const SettingValue &a, const SettingValue &b);

private:
    // Integers, Booleans (-1/0) and currency (amount times 10000) live in m_int; single,
    // double and date in m_real.
    Kind m_kind = Empty;
    qint64 m_int = 0;
    double m_real = 0;
    QString m_text;
};
