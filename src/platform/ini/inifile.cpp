#include "platform/ini/inifile.h"

#include "platform/ini/inibatch.h"
#include "platform/ini/inicache.h"
#include "platform/ini/inidocument.h"

#include <QFileInfo>

#include <limits>

namespace {
int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Digits only, no blanks or signs; nullopt when empty, not a number or above the limit.
std::optional<quint64> parseDigits(QStringView digits, int base, quint64 limit)
{
    if (digits.isEmpty())
        return std::nullopt;
    quint64 result = 0;
    for (const QChar c : digits) {
        const int digit = digitValue(c);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        result = result * base + digit;
        if (result > limit)
            return std::nullopt;
    }
    return result;
}

// Decimal with an optional sign, or hexadecimal after "0x"/"0X" taken as a 32-bit pattern
// (so "0xFFFFFFFF" is -1).
std::optional<int> parseInteger(const QString &text)
{
    const QStringView view(text);
    if (view.size() > 2 && view[0] == u'0' && (view[1] == u'x' || view[1] == u'X')) {
        const auto value = parseDigits(view.mid(2), 16, std::numeric_limits<quint32>::max());
        if (!value)
            return std::nullopt;
        return static_cast<int>(static_cast<quint32>(*value));
    }
    const bool negative = view.startsWith(u'-');
    const bool sign = negative || view.startsWith(u'+');
    const quint64 limit =
        negative ? quint64(std::numeric_limits<int>::max()) + 1 : std::numeric_limits<int>::max();
    const auto value = parseDigits(view.mid(sign ? 1 : 0), 10, limit);
    if (!value)
        return std::nullopt;
    return static_cast<int>(negative ? -static_cast<qint64>(*value) : static_cast<qint64>(*value));
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

bool IniFile::exists() const
{
    return QFileInfo(m_path).isFile();
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return IniCache::document(m_path)->value(section, key).value_or(defaultValue);
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const std::optional<QString> text = IniCache::document(m_path)->value(section, key);
    if (!text)
        return defaultValue;
    return parseInteger(*text).value_or(defaultValue);
}

QList<int> IniFile::readIntegers(const QString &section, const QStringList &keys, int defaultValue) const
{
    const std::shared_ptr<const IniDocument> document = IniCache::document(m_path);
    QList<int> values;
    values.reserve(keys.size());
    for (const QString &key : keys) {
        const std::optional<QString> text = document->value(section, key);
        values.append(text ? parseInteger(*text).value_or(defaultValue) : defaultValue);
    }
    return values;
}

bool IniFile::sectionExists(const QString &section) const
{
    return IniCache::document(m_path)->hasSection(section);
}

bool IniFile::valueExists(const QString &section, const QString &key) const
{
    return IniCache::document(m_path)->value(section, key).has_value();
}

QStringList IniFile::readSection(const QString &section) const
{
    return IniCache::document(m_path)->keys(section);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    IniBatch batch(m_path);
    batch.writeString(section, key, value);
    batch.commit();
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::eraseSection(const QString &section)
{
    IniBatch batch(m_path);
    batch.eraseSection(section);
    batch.commit();
}
