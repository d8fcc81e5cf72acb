#include "platform/ini/regfile.h"

#include "platform/ini/eregfileerror.h"
#include "platform/messageservice.h"

#include <QtEndian>

static_assert(TRegFile::hkDynData == RegistryHive::DynDataHive);
static_assert(TRegFile::hkDynData + 1 == RegistryHive::HiveCount);

namespace {

SettingValue valueFromData(int type, const QByteArray &data)
{
    switch (type) {
    case RegistryHive::RegSz: {
        const qsizetype end = data.indexOf('\0');
        return QString::fromUtf8(data.constData(), end < 0 ? data.size() : end);
    }
    case RegistryHive::RegBinary: return SettingValue::fromRecord(data);
    case RegistryHive::RegDword:
        // A DWORD of another length is no number we can trust.
        if (data.size() == 4)
            return int(qFromLittleEndian<qint32>(data.constData()));
        break;
    default: break;
    }
    return SettingValue();
}

QByteArray dataFromValue(const SettingValue &value, int &type)
{
    switch (value.kind()) {
    case SettingValue::SmallInt:
    case SettingValue::Integer:
    case SettingValue::Boolean: {
        type = RegistryHive::RegDword;
        QByteArray data(4, '\0');
        qToLittleEndian(qint32(value.toInt()), data.data());
        return data;
    }
    case SettingValue::Single:
    case SettingValue::Double:
    case SettingValue::Currency:
    case SettingValue::Date: type = RegistryHive::RegBinary; return value.toRecord();
    case SettingValue::Text: {
        type = RegistryHive::RegSz;
        QByteArray data = value.toString().toUtf8();
        data.append('\0');
        return data;
    }
    default: throw ERegFileError::invalidVariantType();
    }
}

} // namespace

TRegFile::ValueNameParts TRegFile::SplitValueName(const QString &name)
{
    qsizetype at = name.size() - 1;
    while (at >= 0) {
        if (name[at] != u'\\') {
            --at;
        } else if (at > 0 && name[at - 1] == u'\\') {
            at -= 2; // a doubled backslash never splits
        } else {
            break;
        }
    }
    if (at < 0)
        return {QString(), name};
    QString subPath = name.left(at);
    if (!subPath.startsWith(u'\\'))
        subPath.prepend(u'\\');
    return {subPath, name.mid(at + 1)};
}

TRegFile::TRegFile(QObject *parent) : QObject(parent) {}

TRegFile::TRegFile(const QString &hivePath, QObject *parent) : QObject(parent), m_hive(hivePath) {}

TRegFile::~TRegFile()
{
    if (m_openKey != NoKey)
        m_hive.closeKey(m_openKey);
}

void TRegFile::check(quint32 code)
{
    m_lastError = code;
    if (code != 0)
        throw ERegFileError::systemError(code);
}

bool TRegFile::OpenKey(const QString &subKey, bool openOnly)
{
    releaseKey();
    RegistryHive::KeyHandle handle = NoKey;
    if (openOnly || subKey.isEmpty() || m_rootKey == hkDynData) {
        m_lastError = m_hive.openKey(m_rootKey, subKey, handle);
        if (m_lastError == 0) {
            m_openKey = handle;
            return true;
        }
        if (openOnly)
            return false;
        throw ERegFileError::cantOpenKey();
    }
    check(m_hive.createKey(m_rootKey, subKey, handle));
    m_openKey = handle;
    return true;
}

void TRegFile::CloseKey()
{
    releaseKey();
}

void TRegFile::releaseKey()
{
    if (m_openKey == NoKey)
        return;
    const RegistryHive::KeyHandle handle = m_openKey;
    m_openKey = NoKey;
    check(m_hive.closeKey(handle));
}

// Runs work with the key Key + subPath open, and closes it again whatever happens; the first
// error is the one that leaves.
template <typename Work> void TRegFile::inKey(const QString &subPath, Work work)
{
    try {
        OpenKey(m_key + subPath, false);
        work();
    } catch (...) {
        try {
            CloseKey();
        } catch (...) {
        }
        throw;
    }
    CloseKey();
}

qint64 TRegFile::dataSize(const QString &name)
{
    int type = RegistryHive::RegNone;
    qint64 size = -1;
    m_lastError = m_hive.queryValue(m_openKey, name, type, size);
    return m_lastError == 0 ? size : -1;
}

int TRegFile::readData(const QString &name, QByteArray &data)
{
    int type = RegistryHive::RegNone;
    check(m_hive.readValue(m_openKey, name, type, data));
    return type;
}

void TRegFile::writeData(const QString &name, int type, const QByteArray &data)
{
    check(m_hive.writeValue(m_openKey, name, type, data));
}

SettingValue TRegFile::ReadValue(const QString &name)
{
    SettingValue result = SettingValue::null();
    const ValueNameParts parts = SplitValueName(name);
    inKey(parts.subPath, [&] {
        if (dataSize(parts.valueName) > 0) {
            QByteArray data;
            const int type = readData(parts.valueName, data);
            result = valueFromData(type, data);
        }
    });
    return result;
}

void TRegFile::WriteValue(const QString &name, const SettingValue &value)
{
    // Converted before the key is opened, so a value that cannot be stored creates nothing.
    int type = RegistryHive::RegNone;
    const QByteArray data = dataFromValue(value, type);
    const ValueNameParts parts = SplitValueName(name);
    inKey(parts.subPath, [&] { writeData(parts.valueName, type, data); });
}

SettingValue TRegFile::ReadValueDefault(const QString &name, const SettingValue &defaultValue)
{
    const SettingValue value = ReadValue(name);
    return value.isNull() ? defaultValue : value;
}

void TRegFile::BeginUpdate()
{
    check(m_hive.beginTransaction());
}

void TRegFile::EndUpdate()
{
    check(m_hive.commitTransaction());
}

TRegFile::Batch::~Batch()
{
    if (m_ended)
        return;
    try {
        m_registry.EndUpdate();
    } catch (const ERegFileError &) {
        // Already leaving with the error that stopped the writing, or without a caller to tell.
    }
}

void TRegFile::Batch::end()
{
    m_ended = true;
    m_registry.EndUpdate();
}

RegistryHive::Recovery TRegFile::RecoverCorruptStore()
{
    return m_hive.recoverIfCorrupt();
}

void TRegFile::RecoverCorruptStore(MessageService &messages)
{
    // A damaged store must not keep the program from starting: it is kept aside, the user
    // is told once, and the defaults apply.
    const RegistryHive::Recovery recovery = RecoverCorruptStore();
    if (!recovery.corrupt)
        return;
    QString text = QStringLiteral("The settings file was damaged and could not be read.");
    if (recovery.replaced)
        text += QStringLiteral("\r\nIt has been kept as:\r\n") + recovery.movedTo +
                QStringLiteral("\r\nLumo starts with its default settings.");
    messages.show(MessageService::Kind::Warning, text, MessageService::Ok);
}

#include "moc_regfile.cpp"
