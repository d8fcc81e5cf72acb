#include "platform/ini/settingvalue.h"

#include <QLocale>
#include <QtEndian>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr int PayloadOffset = 8;
constexpr qint64 CurrencyScale = 10000;
constexpr double MSecsPerDay = 86400000.0;

QDate dateEpoch()
{
    return QDate(1899, 12, 30);
}

template <typename T> void putLittleEndian(QByteArray &record, T value)
{
    qToLittleEndian(value, record.data() + PayloadOffset);
}

template <typename T> T getLittleEndian(const QByteArray &record, int offset = PayloadOffset)
{
    return qFromLittleEndian<T>(record.constData() + offset);
}

template <typename Real> QString shortestText(Real value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

// A number written in text: C notation first, then the user's own.
bool parseNumber(const QString &text, double &value)
{
    bool ok = false;
    value = QLocale::c().toDouble(text, &ok);
    if (!ok)
        value = QLocale::system().toDouble(text, &ok);
    return ok;
}

QString currencyText(qint64 scaled)
{
    const quint64 magnitude = scaled < 0 ? 0 - quint64(scaled) : quint64(scaled);
    QString text = QString::number(magnitude / CurrencyScale);
    if (const quint64 fraction = magnitude % CurrencyScale) {
        QString decimals = QStringLiteral("%1").arg(fraction, 4, 10, QChar(u'0'));
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
        text += u'.' + decimals;
    }
    return scaled < 0 ? u'-' + text : text;
}

void setOk(bool *ok, bool value)
{
    if (ok)
        *ok = value;
}

} // namespace

SettingValue SettingValue::null()
{
    SettingValue value;
    value.m_kind = Null;
    return value;
}

SettingValue SettingValue::fromSmallInt(qint16 number)
{
    SettingValue value(int{number});
    value.m_kind = SmallInt;
    return value;
}

SettingValue SettingValue::fromSingle(float number)
{
    SettingValue value(double{number});
    value.m_kind = Single;
    return value;
}

SettingValue SettingValue::fromCurrency(double amount)
{
    SettingValue value;
    value.m_kind = Currency;
    value.m_int = std::llround(amount * CurrencyScale);
    return value;
}

SettingValue SettingValue::fromDate(double days)
{
    SettingValue value(days);
    value.m_kind = Date;
    return value;
}

SettingValue SettingValue::fromDateTime(const QDateTime &dateTime)
{
    const qint64 days = dateEpoch().daysTo(dateTime.date());
    const double fraction = dateTime.time().msecsSinceStartOfDay() / MSecsPerDay;
    // Before the epoch the day counts down while the time of day still counts up.
    return fromDate(days >= 0 ? days + fraction : days - fraction);
}

QDateTime SettingValue::toDateTime() const
{
    if (m_kind != Date || !std::isfinite(m_real))
        return QDateTime();
    qint64 days = qint64(std::trunc(m_real));
    qint64 msecs = std::llround(std::fabs(m_real - double(days)) * MSecsPerDay);
    if (msecs >= qint64(MSecsPerDay)) {
        msecs = 0;
        days += m_real < 0 ? -1 : 1;
    }
    return QDateTime(dateEpoch().addDays(days), QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

double SettingValue::toDouble(bool *ok) const
{
    setOk(ok, true);
    switch (m_kind) {
    case SmallInt:
    case Integer:
    case Boolean: return double(m_int);
    case Currency: return double(m_int) / CurrencyScale;
    case Single:
    case Double:
    case Date: return m_real;
    case Text: {
        const QString text = m_text.trimmed();
        double value = 0;
        if (parseNumber(text, value))
            return value;
        bool isBool = false;
        const bool flag = toBool(&isBool);
        setOk(ok, isBool);
        return isBool && flag ? -1 : 0;
    }
    default: return 0;
    }
}

int SettingValue::toInt(bool *ok) const
{
    setOk(ok, true);
    switch (m_kind) {
    case SmallInt:
    case Integer:
    case Boolean: return int(m_int);
    case Empty:
    case Null: return 0;
    default: break;
    }
    if (m_kind == Text) {
        bool isInt = false;
        const int value = m_text.trimmed().toInt(&isInt);
        if (isInt)
            return value;
    }
    bool isNumber = false;
    // Halves go to the even neighbour, as the rounding of tagged values always did.
    const double rounded = std::nearbyint(toDouble(&isNumber));
    if (!isNumber ||
        !(rounded >= std::numeric_limits<int>::min() && rounded <= std::numeric_limits<int>::max())) {
        setOk(ok, false);
        return 0;
    }
    return int(rounded);
}

bool SettingValue::toBool(bool *ok) const
{
    setOk(ok, true);
    switch (m_kind) {
    case SmallInt:
    case Integer:
    case Boolean:
    case Currency: return m_int != 0;
    case Single:
    case Double:
    case Date: return m_real != 0;
    case Text: {
        const QString text = m_text.trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
        double value = 0;
        const bool isNumber = parseNumber(text, value);
        setOk(ok, isNumber);
        return isNumber && value != 0;
    }
    default: return false;
    }
}

QString SettingValue::toString() const
{
    switch (m_kind) {
    case SmallInt:
    case Integer: return QString::number(m_int);
    case Boolean: return m_int != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case Single: return shortestText(float(m_real));
    case Double: return shortestText(m_real);
    case Currency: return currencyText(m_int);
    case Date: {
        const QDateTime dateTime = toDateTime();
        return dateTime.time().msecsSinceStartOfDay() == 0 ? dateTime.date().toString(Qt::ISODate)
                                                           : dateTime.toString(Qt::ISODate);
    }
    case Text: return m_text;
    default: return QString();
    }
}

QByteArray SettingValue::toRecord() const
{
    QByteArray record(RecordSize, '\0');
    qToLittleEndian(quint16(m_kind), record.data());
    switch (m_kind) {
    case SmallInt:
    case Boolean: putLittleEndian(record, qint16(m_int)); break;
    case Integer: putLittleEndian(record, qint32(m_int)); break;
    case Currency: putLittleEndian(record, qint64(m_int)); break;
    case Single: {
        quint32 bits = 0;
        const float single = float(m_real);
        std::memcpy(&bits, &single, sizeof bits);
        putLittleEndian(record, bits);
        break;
    }
    case Double:
    case Date: {
        quint64 bits = 0;
        std::memcpy(&bits, &m_real, sizeof bits);
        putLittleEndian(record, bits);
        break;
    }
    case Empty:
    case Null: break;
    default: return QByteArray();
    }
    return record;
}

SettingValue SettingValue::fromRecord(const QByteArray &record)
{
    if (record.size() != RecordSize)
        return SettingValue();
    // The reserved bytes are whatever the writer had in memory: they are not looked at.
    switch (getLittleEndian<quint16>(record, 0)) {
    case Null: return null();
    case SmallInt: return fromSmallInt(getLittleEndian<qint16>(record));
    case Integer: return SettingValue(int(getLittleEndian<qint32>(record)));
    case Boolean: return SettingValue(getLittleEndian<qint16>(record) != 0);
    case Single: {
        const quint32 bits = getLittleEndian<quint32>(record);
        float single = 0;
        std::memcpy(&single, &bits, sizeof single);
        return fromSingle(single);
    }
    case Double:
    case Date: {
        const quint64 bits = getLittleEndian<quint64>(record);
        double real = 0;
        std::memcpy(&real, &bits, sizeof real);
        return getLittleEndian<quint16>(record, 0) == Date ? fromDate(real) : SettingValue(real);
    }
    case Currency: {
        SettingValue value;
        value.m_kind = Currency;
        value.m_int = getLittleEndian<qint64>(record);
        return value;
    }
    default:
        // Text and the other kinds of tagged values hold references that mean nothing
        // once stored.
        return SettingValue();
    }
}

bool operator==(const SettingValue &a, const SettingValue &b)
{
    return a.m_kind == b.m_kind && a.m_int == b.m_int && a.m_real == b.m_real && a.m_text == b.m_text;
}
